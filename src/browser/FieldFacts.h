#pragma once
// What a person sees of each form element on the page, read in one page
// call, and the writes that go back to single elements of that reading.
// Text is 8-bit (the program's encoding), as the page gave it.

#include "browser/BrowserControl.h"

#include <cstdint>
#include <string>
#include <vector>

struct TFieldFacts {
    int Form = 0;             // its form's index in document order
    std::string Tag;          // lower case: "input", "textarea", "select", "button", ...
    std::string Type;         // lower case; inputs only ("text" when the page gives none)
    std::string Name;
    std::string ID;
    std::string Autocomplete; // the attribute as written
    // Its label: a label naming it or wrapping it, else the elements that
    // aria-labelledby names, else aria-label.
    std::string Label;
    std::string Placeholder;
    std::string Title;
    // The text just before it: the table cell before its cell, or the
    // nearest preceding text in its parent blocks.
    std::string Before;
    bool Shown = false; // laid out, visible, on the page, bigger than a dot
    bool Disabled = false;
    bool ReadOnly = false;
    bool Required = false;
    std::string Value;        // current value (text controls only)
    std::string DefaultValue; // the value the page gave it

    bool operator==(const TFieldFacts&) const = default;
};

// Answer to ReadFieldFacts.
struct TFieldFactsRead {
    TPageCallEnd End = TPageCallEnd::Abandoned;
    bool IsHtmlDocument = false;
    int FormCount = 0;
    // Every element of every form, forms in document order.
    std::vector<TFieldFacts> Fields;
    std::uint64_t DocumentToken = 0;
    std::string Error;
};

// One value for one element of the last fact reading of the document.
struct TElementWrite {
    int Index = 0;        // position in TFieldFactsRead::Fields
    std::string Value;
    // The element's value when it was read: a value that has changed since
    // (the user typed) is left alone.
    std::string Expected;

    bool operator==(const TElementWrite&) const = default;
};
