#include "common/AddressPolicy.h"

#include <QRegularExpression>

namespace AddressPolicy {

bool IsNavigableScheme(const QString& scheme)
{
    return scheme == QLatin1String("http") || scheme == QLatin1String("https")
        || scheme == QLatin1String("file");
}

bool IsOpenerScheme(const QString& scheme)
{
    return scheme == QLatin1String("http") || scheme == QLatin1String("https")
        || scheme == QLatin1String("mailto");
}

QUrl FromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    QUrl url = QUrl::fromUserInput(trimmed);
    // A scheme the text names is kept: an address the parser cannot take as
    // written ("javascript://%0a...") would otherwise be guessed into a web
    // address of that name. A name with a dot is a host and port ("www.a.example:80").
    static const QRegularExpression named(QStringLiteral("^([A-Za-z][A-Za-z0-9+-]*):"));
    const QRegularExpressionMatch match = named.match(trimmed);
    if (match.hasMatch() && url.scheme() != match.captured(1).toLower())
        return QUrl();
    return url;
}

namespace {

// A web address names a host; "http:" alone or "http:///x" is no address.
bool IsWholeAddress(const QUrl& url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme();
    return !((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && url.host().isEmpty());
}

} // namespace

std::optional<QUrl> Navigable(const QString& text)
{
    const QUrl url = FromText(text);
    if (!IsWholeAddress(url) || !IsNavigableScheme(url.scheme()))
        return std::nullopt;
    return url;
}

std::optional<QUrl> ForOpener(const QString& text)
{
    const QUrl url = FromText(text);
    if (!IsWholeAddress(url) || !IsOpenerScheme(url.scheme()))
        return std::nullopt;
    return url;
}

bool IsOpenerLink(const QString& text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    const QString scheme = text.left(colon).toLower();
    if (!IsOpenerScheme(scheme))
        return false;
    if (scheme != QLatin1String("mailto") && !text.mid(colon).startsWith(QLatin1String("://")))
        return false;
    return ForOpener(text).has_value();
}

} // namespace AddressPolicy
