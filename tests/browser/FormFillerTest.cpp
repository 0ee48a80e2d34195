#include "SampleProject.h"
#include "browser/FormFiller.h"
#include "browser/PageFormFields.h"

#include <gtest/gtest.h>

namespace {

// The value that remains for `name` once every write has gone in.
std::string Remaining(const std::vector<TFieldWrite>& writes, const std::string& name, bool* written = nullptr)
{
    std::string value;
    bool any = false;
    for (const TFieldWrite& w : writes)
        if (w.Name == name) {
            value = w.Value;
            any = true;
        }
    if (written)
        *written = any;
    return value;
}

std::vector<int> FiringRules(const std::string& name)
{
    std::string lower;
    for (char c : name)
        lower.push_back((c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c);
    std::vector<int> fired;
    for (int i = 0; i < FillRuleCount; ++i)
        if (RuleHolds(FillRules[static_cast<size_t>(i)], lower))
            fired.push_back(i + 1);
    return fired;
}

} // namespace

TEST(ExtractNext, TakesTheTextBetweenTheTagsAndKeepsTheEndTag)
{
    std::string text = "xx Name :email ; ID :e1";
    std::string_view buffer(text);
    EXPECT_EQ(ExtractNext(buffer, "Name :", ";"), "email ");
    EXPECT_EQ(buffer, "; ID :e1");
}

TEST(ExtractNext, SearchesIgnoreAsciiCase)
{
    std::string text = "a NAME :one ; Name :two ;";
    std::string_view buffer(text);
    EXPECT_EQ(ExtractNext(buffer, "Name :", ";"), "one ");
    EXPECT_EQ(ExtractNext(buffer, "Name :", ";"), "two ");
    std::string other = "startXmiddleendx rest";
    std::string_view b2(other);
    EXPECT_EQ(ExtractNext(b2, "x", "END"), "middle");
    EXPECT_EQ(b2, "endx rest");
}

TEST(ExtractNext, MissingTagsGiveEmptyResults)
{
    std::string text = "no label here ; at all";
    std::string_view buffer(text);
    EXPECT_EQ(ExtractNext(buffer, "Name :", ";"), "");
    EXPECT_EQ(buffer, text); // untouched without a start tag

    std::string tail = "junk Name :last value";
    std::string_view b2(tail);
    EXPECT_EQ(ExtractNext(b2, "Name :", ";"), "");
    EXPECT_EQ(b2, "last value"); // start tag consumed, nothing more
}

TEST(FirstLine, CutsAtTheFirstStoredOrRealLineBreak)
{
    EXPECT_EQ(FirstLine("A$$B"), "A");
    EXPECT_EQ(FirstLine("$$B"), "");
    EXPECT_EQ(FirstLine("one\r\ntwo$$three"), "one");
    EXPECT_EQ(FirstLine("one\ntwo"), "one");
    EXPECT_EQ(FirstLine("lone $ sign"), "lone $ sign");
    EXPECT_EQ(FirstLine(""), "");
    EXPECT_EQ(FirstLine("\rrest"), "");
}

TEST(FieldListing, LineHasAllSixLabelledValues)
{
    TFormElementInfo element{"email", "em1", "INPUT", "[object]", "", ""};
    EXPECT_EQ(FormFieldLine(element),
              "Name :email ; ID :em1 ; TagName :INPUT ; toString :[object] ; innerText : ; innerHTML :");
    EXPECT_EQ(JoinListing({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinListing({}), "");
}

TEST(FieldListing, ListingIsAppliedOnlyForAnHtmlDocument)
{
    std::vector<std::string> list{"kept"};
    TFieldListing none;
    none.End = TPageCallEnd::NoDocument;
    ApplyListing(none, list);
    EXPECT_EQ(list, std::vector<std::string>{"kept"});

    TFieldListing empty;
    empty.End = TPageCallEnd::Done;
    empty.IsHtmlDocument = true;
    ApplyListing(empty, list);
    EXPECT_TRUE(list.empty());
}

TEST(ExtractFieldNames, TakesEveryNameInListingOrder)
{
    const std::vector<TFormElementInfo> elements{
        {"email", "em1", "INPUT", "[object HTMLInputElement]", "", ""},
        {"", "", "INPUT", "[object HTMLInputElement]", "", ""},
        {"  padded ", "", "INPUT", "[object HTMLInputElement]", "", ""},
        {"email", "", "INPUT", "[object HTMLInputElement]", "", ""},
    };
    std::vector<std::string> lines;
    for (const auto& e : elements)
        lines.push_back(FormFieldLine(e));
    // Trimmed, empty and repeated names kept; the tag labels yield nothing.
    EXPECT_EQ(ExtractFieldNames(JoinListing(lines)),
              (std::vector<std::string>{"email", "", "padded", "email"}));
}

TEST(ExtractFieldNames, PageTextHoldingNameLabelsYieldsExtraNames)
{
    // A name cut at its semicolon, and a button whose text holds "Name :".
    std::vector<std::string> lines{
        FormFieldLine({"semi;colon", "", "INPUT", "[object HTMLInputElement]", "", ""}),
        FormFieldLine({"go", "", "BUTTON", "[object HTMLButtonElement]", "Name :email", "Name :email"}),
        FormFieldLine({"title", "", "INPUT", "[object HTMLInputElement]", "", ""}),
    };
    const std::vector<std::string> names = ExtractFieldNames(JoinListing(lines));
    // The inner HTML's "Name :" runs on to the next line's first semicolon and
    // swallows that line's name.
    EXPECT_EQ(names, (std::vector<std::string>{"semi", "go", "email", "email\r\nName :title"}));
}

TEST(ExtractFieldNames, LowerCaseLabelsInPageTextAreTakenOnlyAheadOfARealLabel)
{
    std::vector<std::string> lines{
        FormFieldLine({"a", "", "INPUT", "[object]", "name :zip ; x", ""}),
        FormFieldLine({"b", "", "TEXTAREA", "[object]", "", "NAME :city"}),
    };
    // "name :zip" comes before the next exact-case label and yields "zip";
    // "NAME :city" at the very end has no exact-case label left to start a pass.
    EXPECT_EQ(ExtractFieldNames(JoinListing(lines)), (std::vector<std::string>{"a", "zip", "b"}));
    // "TagName :" inside page text is rewritten too and yields no name.
    EXPECT_EQ(ExtractFieldNames("Name :x ; innerText :TagName :y ;\r\n"), (std::vector<std::string>{"x"}));
}

TEST(ExtractFieldNames, LargeListingIsLinear)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 20000; ++i)
        lines.push_back(FormFieldLine({"field" + std::to_string(i), "", "INPUT", "[object HTMLInputElement]",
                                       "", std::string(100, 'x')}));
    const std::vector<std::string> names = ExtractFieldNames(JoinListing(lines));
    ASSERT_EQ(names.size(), 20000u);
    EXPECT_EQ(names.back(), "field19999");
}

TEST(FillRules, WorkedTable)
{
    const TDProject p = SampleProject();
    struct Row {
        const char* Name;
        std::vector<int> Rules;
        std::string Remains;
    };
    const std::string fullName = "Ada Lovelace";
    const std::vector<Row> table{
        {"username", {1, 4}, p.Username},
        {"first_name", {1, 2}, p.FirstName},
        {"lastname", {1, 3}, p.LastName},
        {"fullname", {1}, fullName},
        {"your_name", {1}, fullName},
        {"email", {18}, p.Email},
        {"email_address", {6, 18}, p.Email},
        {"province", {9}, p.State},
        {"postal_code", {11}, p.Zip},
        {"website", {12}, "Engines"},
        {"WebsiteName", {1, 12}, "Engines"},
        {"website_url", {12, 14}, p.MainURL},
        {"name_url", {1, 14}, p.MainURL},
        {"mail_url", {14, 18}, p.Email},
        {"recip_url", {15}, p.RecpURL},
        {"source_url", {15}, p.RecpURL},
        {"confirm_password", {5}, p.Password},
        {"company", {}, ""},
        {"phone", {}, ""},
        {"category", {}, ""},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(FiringRules(row.Name), row.Rules);
        // All letter cases alike.
        std::string upper = row.Name;
        for (char& c : upper)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
        EXPECT_EQ(FiringRules(upper), row.Rules);
        bool written = false;
        const std::vector<TFieldWrite> writes = PlanFill(p, {row.Name});
        EXPECT_EQ(Remaining(writes, row.Name, &written), row.Remains);
        EXPECT_EQ(written, !row.Rules.empty());
        EXPECT_EQ(writes.size(), row.Rules.size());
    }
}

TEST(FillRules, EveryRuleWritesItsValue)
{
    const TDProject p = SampleProject();
    const std::vector<std::pair<std::string, std::string>> single{
        {"addr", p.Address},      {"city", p.City},         {"state", p.State},
        {"zip", p.Zip},           {"title", "Engines"},     {"url", p.MainURL},
        {"desc", "Notes on engines"}, {"keyw", "engine, notes"}, {"password", p.Password},
    };
    for (const auto& [name, value] : single) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Remaining(PlanFill(p, {name}), name), value);
    }
}

TEST(FillRules, ValuesAreWrittenEvenWhenEmpty)
{
    TDProject p;
    const std::vector<TFieldWrite> writes = PlanFill(p, {"email", "name", "title"});
    EXPECT_EQ(writes, (std::vector<TFieldWrite>{{"email", ""}, {"name", " "}, {"title", ""}}));
}

TEST(FillRules, WritesFollowNameOrderThenRuleOrder)
{
    const TDProject p = SampleProject();
    const std::vector<TFieldWrite> writes = PlanFill(p, {"first_name", "", "Email", "first_name", "phone"});
    EXPECT_EQ(writes, (std::vector<TFieldWrite>{
                          {"first_name", "Ada Lovelace"},
                          {"first_name", "Ada"},
                          {"Email", p.Email}, // written under the name as listed
                          {"first_name", "Ada Lovelace"},
                          {"first_name", "Ada"},
                      }));
}

TEST(FillRules, OnlyAsciiLettersAreFolded)
{
    // "NAME" folds to "name"; the accented capital stays as it is.
    EXPECT_EQ(FiringRules("NAME"), std::vector<int>{1});
    EXPECT_EQ(FiringRules("\xC3\x89MAIL"), std::vector<int>{18});
    EXPECT_TRUE(FiringRules("TITL\xC3\x89").empty());
    EXPECT_EQ(FiringRules("sourceURL"), std::vector<int>{15});
    EXPECT_EQ(FiringRules("state_or_province"), (std::vector<int>{8, 9}));
}
