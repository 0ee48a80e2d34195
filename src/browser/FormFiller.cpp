#include "browser/FormFiller.h"

#include "store/RecordText.h"

namespace {

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Position of `needle` in `haystack` with ASCII letters folded to one case.
size_t FindFolded(std::string_view haystack, std::string_view needle)
{
    if (needle.empty())
        return 0;
    if (needle.size() > haystack.size())
        return std::string_view::npos;
    const size_t last = haystack.size() - needle.size();
    for (size_t at = 0; at <= last; ++at) {
        size_t k = 0;
        while (k < needle.size() && FoldAscii(haystack[at + k]) == FoldAscii(needle[k]))
            ++k;
        if (k == needle.size())
            return at;
    }
    return std::string_view::npos;
}

bool Contains(std::string_view text, const char* fragment)
{
    return text.find(fragment) != std::string_view::npos;
}

} // namespace

std::string ExtractNext(std::string_view& buffer, std::string_view startTag, std::string_view endTag)
{
    const size_t start = FindFolded(buffer, startTag);
    if (start == std::string_view::npos)
        return {};
    buffer.remove_prefix(start + startTag.size());
    const size_t end = FindFolded(buffer, endTag);
    if (end == std::string_view::npos)
        return {};
    std::string result(buffer.substr(0, end));
    buffer.remove_prefix(end);
    return result;
}

std::string FirstLine(std::string_view storedText)
{
    size_t cut = storedText.find("$$");
    const size_t lineBreak = storedText.find_first_of("\r\n");
    if (lineBreak < cut)
        cut = lineBreak;
    return std::string(storedText.substr(0, cut));
}

std::string JoinListing(const std::vector<std::string>& lines)
{
    size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> ExtractFieldNames(std::string_view listingText)
{
    // Tag-name labels must not read as name labels.
    static constexpr std::string_view TagLabel = "TagName :";
    std::string text;
    text.reserve(listingText.size());
    for (size_t at = 0;;) {
        const size_t found = listingText.find(TagLabel, at);
        if (found == std::string_view::npos) {
            text.append(listingText.substr(at));
            break;
        }
        text.append(listingText.substr(at, found - at));
        text += "Tag";
        at = found + TagLabel.size();
    }

    static constexpr std::string_view NameLabel = "Name :";
    std::vector<std::string> names;
    std::string_view buffer(text);
    while (buffer.find(NameLabel) != std::string_view::npos)
        names.push_back(TrimControl(ExtractNext(buffer, NameLabel, ";")));
    return names;
}

// The rule table, in the order the rules are tried. For any element the
// value of the last rule that holds is the one that stays.
const std::array<TFillRule, FillRuleCount> FillRules = {{
    /*  1 */ {{"name", nullptr}, {}, {}, TFillValue::FullName},
    /*  2 */ {{"first", "name"}, {}, {}, TFillValue::FirstName},
    /*  3 */ {{"last", "name"}, {}, {}, TFillValue::LastName},
    /*  4 */ {{"username", nullptr}, {}, {}, TFillValue::Username},
    /*  5 */ {{"password", nullptr}, {}, {}, TFillValue::Password},
    /*  6 */ {{"addr", nullptr}, {}, {}, TFillValue::Address},
    /*  7 */ {{"city", nullptr}, {}, {}, TFillValue::City},
    /*  8 */ {{"state", nullptr}, {}, {}, TFillValue::State},
    /*  9 */ {{"prov", nullptr}, {}, {}, TFillValue::State},
    /* 10 */ {{"zip", nullptr}, {}, {}, TFillValue::Zip},
    /* 11 */ {{"postal", nullptr}, {}, {}, TFillValue::Zip},
    /* 12 */ {{"website", nullptr}, {}, {}, TFillValue::FirstTitle},
    /* 13 */ {{"title", nullptr}, {}, {}, TFillValue::FirstTitle},
    /* 14 */ {{"url", nullptr}, {}, {"rec", "rc"}, TFillValue::MainURL},
    /* 15 */ {{"url", nullptr}, {"rec", "rc"}, {}, TFillValue::RecpURL},
    /* 16 */ {{"desc", nullptr}, {}, {}, TFillValue::FirstDescription},
    /* 17 */ {{"keyw", nullptr}, {}, {}, TFillValue::FirstKeywords},
    /* 18 */ {{"mail", nullptr}, {}, {}, TFillValue::Email},
}};

bool RuleHolds(const TFillRule& rule, std::string_view lowerName)
{
    for (const char* fragment : rule.AllOf)
        if (fragment && !Contains(lowerName, fragment))
            return false;
    bool anyListed = false;
    bool anyFound = false;
    for (const char* fragment : rule.AnyOf) {
        if (!fragment)
            continue;
        anyListed = true;
        anyFound = anyFound || Contains(lowerName, fragment);
    }
    if (anyListed && !anyFound)
        return false;
    for (const char* fragment : rule.NoneOf)
        if (fragment && Contains(lowerName, fragment))
            return false;
    return true;
}

TFillValues::TFillValues(const TDProject& project)
    : Project(project)
    , FirstTitle(FirstLine(project.Titles))
    , FirstDescription(FirstLine(project.Description))
    , FirstKeywords(FirstLine(project.Keywords))
{
}

std::string TFillValues::ValueOf(TFillValue value) const
{
    switch (value) {
    case TFillValue::FullName: return Project.FirstName + " " + Project.LastName;
    case TFillValue::FirstName: return Project.FirstName;
    case TFillValue::LastName: return Project.LastName;
    case TFillValue::Username: return Project.Username;
    case TFillValue::Password: return Project.Password;
    case TFillValue::Address: return Project.Address;
    case TFillValue::City: return Project.City;
    case TFillValue::State: return Project.State;
    case TFillValue::Zip: return Project.Zip;
    case TFillValue::FirstTitle: return FirstTitle;
    case TFillValue::MainURL: return Project.MainURL;
    case TFillValue::RecpURL: return Project.RecpURL;
    case TFillValue::FirstDescription: return FirstDescription;
    case TFillValue::FirstKeywords: return FirstKeywords;
    case TFillValue::Email: return Project.Email;
    }
    return {};
}

std::vector<TFieldWrite> PlanFill(const TDProject& project, const std::vector<std::string>& fieldNames)
{
    const TFillValues values(project);
    std::vector<TFieldWrite> writes;
    for (const std::string& name : fieldNames) {
        const std::string lowerName = AsciiLower(name);
        for (const TFillRule& rule : FillRules)
            if (RuleHolds(rule, lowerName))
                writes.push_back({name, values.ValueOf(rule.Value)});
    }
    return writes;
}
