#pragma once
// Addresses on the vendor's web site. Every page of the vendor the program
// opens lives on this one host, so they are kept together here.

namespace Vendor {

// The vendor's site, with its trailing slash; other addresses are built on it.
inline constexpr char SiteURL[] = "http://www.tarnwick.com/";

} // namespace Vendor

// The page the browser pane's Home button opens. Not configurable, and not
// the browser engine's own home page.
inline constexpr char HomePageURL[] = "http://www.tarnwick.com/";
