#include "common/SiteAddress.h"

#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <array>

namespace {

// Second-level labels under which each name is a registrant's own
// ("example.co.uk"), for the country codes where that is the custom.
constexpr std::array<const char*, 11> SecondLevelLabels = {"co", "com", "net", "org", "gov", "edu",
                                                           "ac", "or", "ne", "go", "ltd"};

bool IsSecondLevelSuffix(const QString& label, const QString& topLevel)
{
    // Only under two-letter country codes; "co.com" is an ordinary name.
    if (topLevel.size() != 2)
        return false;
    const QByteArray latin = label.toLatin1();
    return std::any_of(SecondLevelLabels.begin(), SecondLevelLabels.end(),
                       [&](const char* known) { return latin == known; });
}

} // namespace

QString RegistrableDomain(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("file"))
        return url.path().isEmpty() ? QString() : QStringLiteral("file:") + url.path();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return {};
    // ACE form, lower case, without a trailing dot: one spelling per host.
    QString host = url.host(QUrl::FullyEncoded).toLower();
    while (host.endsWith(QLatin1Char('.')))
        host.chop(1);
    if (host.isEmpty())
        return {};
    const QStringList labels = host.split(QLatin1Char('.'));
    // An IPv6 address, or an IPv4 one (its last label a number: no top-level domain is).
    bool numeric = false;
    labels.last().toUInt(&numeric);
    if (host.contains(QLatin1Char(':')) || numeric)
        return host;
    if (labels.size() <= 2)
        return host;
    const int n = static_cast<int>(labels.size());
    const int keep = IsSecondLevelSuffix(labels[n - 2], labels[n - 1]) ? 3 : 2;
    return labels.mid(n - keep).join(QLatin1Char('.'));
}

bool SameSite(const QUrl& a, const QUrl& b)
{
    const QString site = RegistrableDomain(a);
    return !site.isEmpty() && site == RegistrableDomain(b);
}
