#pragma once
// The vendor's addresses. Its web site holds the help page and the update
// folder; the affiliate programme has a host of its own.

#define TARNWICK_VENDOR_SITE "http://www.tarnwick.com"

inline constexpr char HelpPageURL[] = TARNWICK_VENDOR_SITE "/tarnwickhelp";
inline constexpr char UpdateBaseURL[] = TARNWICK_VENDOR_SITE "/liveupdate/tarnwick/";
// The affiliate identifier is appended directly.
inline constexpr char AffiliateRootURL[] = "http://www.tarnwickpartners.com/";
