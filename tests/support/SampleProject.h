#pragma once
// The projects the tests fill pages with.

#include "store/Records.h"

#include <string>

// Ada Lovelace with every field set; titles, descriptions and keywords in
// their stored one-line form.
inline TDProject SampleProject(const std::string& name = "Site")
{
    TDProject p;
    p.ProjName = name;
    p.FirstName = "Ada";
    p.LastName = "Lovelace";
    p.Email = "ada@example.org";
    p.Username = "ada_l";
    p.Password = "s3cret";
    p.Address = "1 Analytical Row";
    p.City = "London";
    p.State = "Middlesex";
    p.Zip = "W1 1AA";
    p.MainURL = "http://ada.example.org/";
    p.RecpURL = "http://ada.example.org/links.html";
    p.Titles = "Engines$$Second title";
    p.Description = "Notes on engines\r\nmore";
    p.Keywords = "engine, notes$$other";
    return p;
}

// Ada Lovelace with her name and `email` only.
inline TDProject PersonProject(const std::string& name, const std::string& email = "ada@example.org")
{
    TDProject p;
    p.ProjName = name;
    p.FirstName = "Ada";
    p.LastName = "Lovelace";
    p.Email = email;
    return p;
}
