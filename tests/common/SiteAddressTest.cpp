// Which site an address belongs to.
#include "common/SiteAddress.h"

#include <QUrl>

#include <gtest/gtest.h>

TEST(SiteAddress, RegistrableDomainKeepsTheRegistrantsName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"http://www.example.com/submit.php", "example.com"},
        {"https://a.b.submit.example.com:8443/x", "example.com"},
        {"HTTP://WWW.Example.COM./", "example.com"},
        {"http://example.com", "example.com"},
        {"http://shop.example.co.uk/add", "example.co.uk"},
        {"http://example.co.uk/", "example.co.uk"},
        {"http://www.links.com.au/", "links.com.au"},
        {"http://dir.example.or.jp/", "example.or.jp"},
        // Not under a country code: an ordinary name.
        {"http://www.free.co.com/", "co.com"},
        {"http://a.example.de/", "example.de"},
        {"http://localhost:8080/", "localhost"},
        {"http://127.0.0.1:4711/form", "127.0.0.1"},
        {"http://10.0.0.1/", "10.0.0.1"},
        {"http://[::1]:8080/", "::1"},
        {"http://xn--bcher-kva.example/", "xn--bcher-kva.example"},
        {"http://www.bücher.de/", "xn--bcher-kva.de"},
        {"file:///home/u/demo/linkstar-directory.html", "file:/home/u/demo/linkstar-directory.html"},
        {"about:blank", ""},
        {"javascript:alert(1)", ""},
        {"mailto:a@example.com", ""},
        {"", ""},
    };
    for (const auto& [address, site] : cases)
        EXPECT_EQ(RegistrableDomain(QUrl(QString::fromUtf8(address))), QString::fromUtf8(site)) << address;
}

TEST(SiteAddress, SameSiteAcrossSubdomainsSchemesAndPortsOnly)
{
    auto same = [](const char* a, const char* b) {
        return SameSite(QUrl(QString::fromLatin1(a)), QUrl(QString::fromLatin1(b)));
    };
    EXPECT_TRUE(same("http://example.com/add", "https://www.example.com:8443/thanks"));
    EXPECT_TRUE(same("http://127.0.0.1:1/a", "http://127.0.0.1:2/b"));
    EXPECT_FALSE(same("http://one.co.uk/", "http://two.co.uk/"));
    EXPECT_FALSE(same("http://example.com/", "http://example.org/"));
    EXPECT_FALSE(same("http://example.com/", "ftp://example.com/"));
    EXPECT_FALSE(same("file:///demo/a.html", "file:///demo/b.html"));
    EXPECT_TRUE(same("file:///demo/a.html", "file:///demo/a.html#submitted"));
    // No site is never the same site.
    EXPECT_FALSE(same("about:blank", "about:blank"));
}
