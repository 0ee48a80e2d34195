#pragma once
// The reseller's branding as configured in twconfig.dat, and the random
// choice of the banner and the two links shown.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QString;
class TProfileFile;

struct TBannerCandidate {
    std::string Path; // only its file-name part is used: it names the image type
    std::string URL;  // click-through address, may be empty
};

struct TLinkCandidate {
    std::string URL;
    std::string Name; // may be empty
};

struct TBrandingConfig {
    static constexpr const char* FileName = "twconfig.dat";
    static constexpr const char* Section = "Settings";

    std::string AppName;
    std::string AffiliateID;
    std::string IconPath;
    // In key order, only the numbers with a path (banners) or an address (links).
    std::vector<TBannerCandidate> Banners;
    std::vector<TLinkCandidate> Links;

    static TBrandingConfig Read(const TProfileFile& ini);
};

// Draws an index from 0 to count - 1 (count > 0).
using TIndexDraw = std::function<int(int count)>;
int DrawRandomIndex(int count);

struct TBannerChoice {
    TBannerCandidate Banner;
    // The candidate's position among the configured banners, from 1: it names
    // the data file twimg<Number>.dat whatever the key's own number was.
    int Number = 0;
};
std::optional<TBannerChoice> ChooseBanner(const std::vector<TBannerCandidate>& banners, const TIndexDraw& draw);

// Two distinct candidates; an entry stays empty when there are too few.
struct TLinkChoice {
    TLinkCandidate First;
    TLinkCandidate Second;
};
TLinkChoice ChooseLinks(std::vector<TLinkCandidate> links, const TIndexDraw& draw);

// The text after the last backslash or colon (the whole text without either).
std::string FileNamePart(std::string_view path);

// "twimg" + number + ".dat".
QString BannerDataFileName(int number);
