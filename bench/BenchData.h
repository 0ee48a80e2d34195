#pragma once
// Directories that look like a real database, for the benchmarks.

#include "store/RecordText.h"
#include "store/TDDirectories.h"

#include <random>
#include <string>

inline void FillSampleDirectories(TDDirectories& directories, int count, unsigned seed = 1)
{
    std::mt19937 random(seed);
    static const char* const categories[] = {"Business & Economy", "Arts", "Computers and Internet",
                                             "Health", "Regional", "Shopping", "Science", "Travel"};
    static const char* const types[] = {"Free", "Paid", "Reciprocal", "Free/Paid"};
    for (int i = 0; i < count; ++i) {
        auto d = std::make_unique<TDDirectory>();
        const std::string n = std::to_string(random() % 10000000);
        d->Title = "Directory " + n + " Web Links";
        d->URL = "http://www.directory" + n + ".example.com/submit.php";
        d->Category = categories[random() % 8];
        d->Type = types[random() % 4];
        const unsigned pr = random() % 12;
        d->PageRank = pr < 10 ? std::to_string(pr) : (pr == 10 ? "" : "n/a");
        d->AlexaRank = std::to_string(random() % 10000000);
        std::string key = AsciiUpper(d->Title);
        directories.Append(std::move(key), std::move(d));
    }
}

// The same directories as the program holds them after loading the database
// file: read from its text, not added one by one.
inline void LoadSampleDirectories(TDDirectories& directories, int count, unsigned seed = 1)
{
    TDDirectories generated;
    FillSampleDirectories(generated, count, seed);
    directories.LoadFromText(generated.ToText());
}
