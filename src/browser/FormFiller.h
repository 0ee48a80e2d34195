#pragma once
// What Fill writes where: the field names parsed out of the page field
// listing, and the ordered table of name-fragment rules that maps each name
// to a project value.

#include "browser/BrowserControl.h"
#include "store/Records.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Takes the text between the first `startTag` and the first `endTag` after
// it; both searches ignore ASCII letter case. The buffer loses everything up
// to the end of that start tag and keeps the end tag at its front. Without
// the start tag the result is empty and the buffer stays; without the end
// tag the result is empty and the buffer keeps what follows the start tag.
// The buffer is a view so that consuming it from the front costs nothing.
std::string ExtractNext(std::string_view& buffer, std::string_view startTag, std::string_view endTag);

// A stored multi-line field's first line: the text before the first "$$",
// carriage return or line feed.
std::string FirstLine(std::string_view storedText);

// The listing as one text, each line followed by CR LF.
std::string JoinListing(const std::vector<std::string>& lines);

// The field names of a joined listing, in order, trimmed, empty and repeated
// names kept. Any "Name :" in the page's own texts yields a name too.
std::vector<std::string> ExtractFieldNames(std::string_view listingText);

// The project values a rule can write.
enum class TFillValue {
    FullName, // FirstName, a blank, LastName
    FirstName,
    LastName,
    Username,
    Password,
    Address,
    City,
    State,
    Zip,
    FirstTitle,
    MainURL,
    RecpURL,
    FirstDescription,
    FirstKeywords,
    Email,
};

// A rule holds for a lower-cased name that contains every fragment of
// AllOf, at least one of AnyOf (when it has any) and none of NoneOf.
struct TFillRule {
    std::array<const char*, 2> AllOf;
    std::array<const char*, 2> AnyOf;
    std::array<const char*, 2> NoneOf;
    TFillValue Value;
};

inline constexpr int FillRuleCount = 18;
extern const std::array<TFillRule, FillRuleCount> FillRules;

// `lowerName` is the field name with A to Z lower-cased.
bool RuleHolds(const TFillRule& rule, std::string_view lowerName);

// The values one press writes, computed once from the project.
struct TFillValues {
    explicit TFillValues(const TDProject& project);
    std::string ValueOf(TFillValue value) const;

    TDProject Project;
    std::string FirstTitle;
    std::string FirstDescription;
    std::string FirstKeywords;
};

// Every write the rules call for, in order: names in list order, and for
// each name the rules that hold in table order.
std::vector<TFieldWrite> PlanFill(const TDProject& project, const std::vector<std::string>& fieldNames);
