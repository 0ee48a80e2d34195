#include "common/AddressPolicy.h"

#include <gtest/gtest.h>

TEST(AddressPolicy, WebAndLocalPagesAreNavigatedWebAndMailGoToTheOpener)
{
    struct Case {
        const char* Text;
        bool Navigable;
        bool ForOpener;
        bool IsLink;
    };
    const Case cases[] = {
        {"http://a.example/x", true, true, true},
        {"HTTPS://a.example/", true, true, true},
        {"www.a.example", true, true, false}, // a web address, though the cell shows no scheme
        {"mailto:ann@example.com", false, true, true},
        {"file:///home/ann/page.html", true, false, false},
        {"/usr/share/applications/evil.desktop", true, false, false},
        {"javascript:alert(document.cookie)", false, false, false},
        {"javascript://%0aalert(1)", false, false, false},
        {"ftp://files.example/", false, false, false},
        {"data:text/html,<script>x</script>", false, false, false},
        {"smb://host/share", false, false, false},
        {"see http://a.example/", false, false, false},
        {"http:", false, false, false},
        {"", false, false, false},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.Text);
        EXPECT_EQ(AddressPolicy::Navigable(text).has_value(), c.Navigable) << c.Text;
        EXPECT_EQ(AddressPolicy::ForOpener(text).has_value(), c.ForOpener) << c.Text;
        EXPECT_EQ(AddressPolicy::IsOpenerLink(text), c.IsLink) << c.Text;
    }
}
