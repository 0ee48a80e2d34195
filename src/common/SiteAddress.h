#pragma once
// Which site a page address belongs to, for telling whether the browser is
// still on a web directory's site.

#include <QString>

class QUrl;

// The registrable part of the address's host: its last two labels
// ("example.com" for "www.submit.example.com"), or its last three when the
// last two are one of the common second-level public suffixes such as
// "co.uk" or "com.au" ("shop.example.co.uk" -> "example.co.uk"). A short
// list, not the whole public-suffix list: enough to keep two shops under
// "co.uk" apart, and a rare suffix missing from it only makes two sites
// under it count as one. IP addresses and single-label hosts ("localhost")
// are their own site. A file: address is its own path (each local page a
// site of its own). Other schemes and hostless addresses have none: empty.
QString RegistrableDomain(const QUrl& url);

// True when both addresses have a site and it is the same one (http and
// https alike; ports do not matter).
bool SameSite(const QUrl& a, const QUrl& b);
