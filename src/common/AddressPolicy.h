#pragma once
// Which addresses the program acts on. Directory lists, branding files and
// web pages come from anywhere, so an address in them is data: the embedded
// browser opens only web and local pages, and the desktop's opener, which
// would start a program for a file: address or an unknown scheme, receives
// only web and mail addresses.

#include <QString>
#include <QUrl>

#include <optional>

namespace AddressPolicy {

// http, https and file: what the embedded browser may be sent to.
bool IsNavigableScheme(const QString& scheme);
// http, https and mailto: what the desktop's opener may receive.
bool IsOpenerScheme(const QString& scheme);

// The address as the program reads what a user or a file wrote: one without
// a scheme ("www.example.com") is a web address, a path is a local file.
QUrl FromText(const QString& text);

// The page to open in the embedded browser, or nothing for another scheme.
std::optional<QUrl> Navigable(const QString& text);
// The address to hand to the desktop's opener, or nothing for another scheme.
std::optional<QUrl> ForOpener(const QString& text);

// True when `text` is itself a whole http, https or mailto address, written
// with its scheme: such a list cell or label is a link, anything else is text.
bool IsOpenerLink(const QString& text);

} // namespace AddressPolicy
