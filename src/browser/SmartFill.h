#pragma once
// Smart Fill's decisions: from what a person sees of each form element (its
// facts) to the one value, if any, that goes into it. The page script only
// gathers the facts and applies the writes; everything else is here.
//
// An element is judged by, in this order: vetoes (things the project does
// not hold, and anything hidden, disabled, read-only, not free text, or
// already typed into), its autocomplete token, then its name and its label
// read word by word against one vocabulary that holds the fragments of the
// name rules and the words people label fields with, in several languages;
// the more specific reading wins. Last, its neighbours settle what the
// element alone leaves open (a bare "name" beside the URL field, "name" in a
// form that also asks for a surname, a confirmation field).

#include "browser/FieldFacts.h"
#include "store/Records.h"

#include <string>
#include <vector>

enum class TSmartValue {
    None,
    FullName,
    FirstName,
    LastName,
    Username,
    Password,
    Email,
    Address,
    City,
    State,
    Zip,
    Organization, // the project's name
    Title,        // first title
    URL,
    RecpURL,
    Description, // first description
    Keywords,    // first keywords line
};

struct TSmartPlan {
    int FormCount = 0;
    // The form the writes go to (-1 when none): the one a person would fill.
    int Form = -1;
    // What each element of the reading is, in reading order (None for what
    // is left alone), and the writes that follow, in the same order.
    std::vector<TSmartValue> Decisions;
    std::vector<TElementWrite> Writes;
    // Labels of the fields in that form that the person still has to see
    // to: choices, security codes, required fields the project cannot fill.
    std::vector<std::string> LeftForUser;
};

TSmartPlan PlanSmartFill(const TDProject& project, const std::vector<TFieldFacts>& fields, int formCount);

// The value the project gives for `value` (empty when it has none).
std::string SmartValueOf(const TDProject& project, TSmartValue value);

// The one line shown after a press: "Filled 7 fields from Sample Bakery;
// left for you: Category", "Nothing on this page matched Sample Bakery",
// "No form on this page". `written` is how many elements took a value.
std::string SmartFillMessage(const std::string& projectName, const TSmartPlan& plan, int written);
