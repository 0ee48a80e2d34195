#pragma once
// The two kinds of record the program keeps. Text is 8-bit, byte for byte.

#include <string>

// One website's submission profile. Field order is the declaration order;
// the projects file stores them in an order of its own.
struct TDProject {
    std::string ProjName;
    std::string FirstName;
    std::string LastName;
    std::string Email;
    std::string Username;
    std::string Password;
    std::string Address;
    std::string City;
    std::string State;
    std::string Zip;
    std::string MainURL;
    std::string RecpURL;
    std::string Titles;      // stored one-line form ("$$" for line breaks)
    std::string Description; // stored one-line form
    std::string Keywords;    // stored one-line form
    std::string Extra;       // kept from the file, never shown

    bool operator==(const TDProject&) const = default;
};

// One entry of the web-directory database.
struct TDDirectory {
    std::string Title;
    std::string URL;
    std::string Category;
    std::string Type;
    std::string PageRank;
    std::string Extra;
    std::string AlexaRank;

    bool operator==(const TDDirectory&) const = default;
};

// A directory's fields in the order the database file stores them.
enum class TDirectoryField : int { Title, URL, Category, Type, PageRank, AlexaRank, Extra };
inline constexpr int DirectoryFieldCount = 7;
