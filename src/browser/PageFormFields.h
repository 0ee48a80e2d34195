#pragma once
// The two operations on the forms of the page in the browser: the field
// listing (one labelled line per form element) and setting every element of
// one name. Both answer later, through the browser interface.

#include "browser/BrowserControl.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// "Name :..." ; "ID :..." ; "TagName :..." ; "toString :..." ; "innerText :..." ; "innerHTML :...",
// each value as the page gave it.
std::string FormFieldLine(const TFormElementInfo& element);

struct TFieldListing {
    TPageCallEnd End = TPageCallEnd::Abandoned;
    // True when the browser held an HTML document, even if reading its forms failed.
    bool IsHtmlDocument = false;
    std::vector<std::string> Lines;
    std::uint64_t DocumentToken = 0;
    std::string Error;
};

// Places the listing in the caller's list: cleared and filled when the
// browser held an HTML document, left exactly as it was otherwise.
void ApplyListing(const TFieldListing& listing, std::vector<std::string>& list);

using TListingDone = std::function<void(const TFieldListing&)>;
void ListFormFields(IBrowserControl& browser, QObject* context, TListingDone done);

// Sets the value of every form element whose name equals `name` byte for byte.
void SetFieldValueByName(IBrowserControl& browser, const std::string& name, const std::string& value,
                         QObject* context, IBrowserControl::TWriteDone done = {});
