#include "shell/BrandingConfig.h"

#include "store/ProfileStrings.h"

#include <QRandomGenerator>
#include <QString>

TBrandingConfig TBrandingConfig::Read(const TProfileFile& ini)
{
    TBrandingConfig config;
    config.AppName = ini.ReadString(Section, "AppName");
    config.AffiliateID = ini.ReadString(Section, "AfiliateID");
    for (int n = 1; n <= 3; ++n) {
        const std::string number = std::to_string(n);
        std::string path = ini.ReadString(Section, "BannerPath" + number);
        if (!path.empty())
            config.Banners.push_back({std::move(path), ini.ReadString(Section, "BannerURL" + number)});
    }
    for (int n = 1; n <= 4; ++n) {
        const std::string number = std::to_string(n);
        std::string url = ini.ReadString(Section, "Link" + number + "URL");
        if (!url.empty())
            config.Links.push_back({std::move(url), ini.ReadString(Section, "Link" + number + "Name")});
    }
    config.IconPath = ini.ReadString(Section, "IconPath");
    return config;
}

int DrawRandomIndex(int count)
{
    return static_cast<int>(QRandomGenerator::global()->bounded(static_cast<quint32>(count)));
}

std::optional<TBannerChoice> ChooseBanner(const std::vector<TBannerCandidate>& banners, const TIndexDraw& draw)
{
    if (banners.empty())
        return std::nullopt;
    const int k = draw(static_cast<int>(banners.size()));
    return TBannerChoice{banners.at(static_cast<std::size_t>(k)), k + 1};
}

TLinkChoice ChooseLinks(std::vector<TLinkCandidate> links, const TIndexDraw& draw)
{
    TLinkChoice choice;
    if (links.empty())
        return choice;
    auto first = links.begin() + draw(static_cast<int>(links.size()));
    choice.First = std::move(*first);
    links.erase(first);
    if (!links.empty())
        choice.Second = std::move(links.at(static_cast<std::size_t>(draw(static_cast<int>(links.size())))));
    return choice;
}

std::string FileNamePart(std::string_view path)
{
    const auto cut = path.find_last_of("\\:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

QString BannerDataFileName(int number)
{
    return QStringLiteral("twimg%1.dat").arg(number);
}
