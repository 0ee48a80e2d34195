// Branding of the main window from the reseller's files.
#include "shell/FMain.h"
#include "shell/MainPanels.h"

#include "store/ProfileStrings.h"
#include "common/UUtils.h"
#include "shell/AppPaths.h"
#include "shell/AppVersion.h"
#include "shell/BannerImage.h"
#include "shell/BrandingConfig.h"
#include "toolkit/KeyActivation.h"
#include "toolkit/LinkLabel.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMovie>

namespace {

constexpr int BannerMargin = 10;

// Shows the banner data of `dataPath` (twimg<number>.dat) decoded as the file
// name of `bannerPath` announces. Data that is missing or cannot be decoded hides
// the banner panel; start-up goes on either way.
void ShowBanner(TfrmMain& form, const std::string& bannerPath, const QString& dataPath)
{
    if (bannerPath.empty()) {
        form.panBanner->hide();
        return;
    }
    if (!QFileInfo(dataPath).isFile()) {
        form.panBanner->hide();
        return;
    }
    const std::string fileName = FileNamePart(bannerPath);
    if (BannerImage::IsAnimatedName(fileName)) {
        QMovie* movie = BannerImage::LoadAnimation(dataPath, form.gifBanner);
        if (!movie) {
            form.panBanner->hide();
            return;
        }
        form.imgBanner->hide();
        form.gifBanner->show();
        form.gifBanner->setMovie(movie);
        form.gifBanner->resize(movie->currentPixmap().size());
        movie->start();
        form.panBanner->setFixedHeight(form.gifBanner->height() + BannerMargin);
    } else {
        const QPixmap picture = BannerImage::LoadPicture(dataPath, fileName);
        if (picture.isNull()) {
            form.panBanner->hide();
            return;
        }
        form.gifBanner->hide();
        form.imgBanner->show();
        form.imgBanner->setPixmap(picture);
        form.imgBanner->resize(picture.size());
        form.panBanner->setFixedHeight(form.imgBanner->height() + BannerMargin);
    }
}

void LoadIcon(TfrmMain& form, const QString& iconPath)
{
    if (!QFileInfo(iconPath).isFile())
        return;
    const QIcon icon = BannerImage::LoadIcon(iconPath);
    if (icon.isNull())
        return;
    QApplication::setWindowIcon(icon);
    form.setWindowIcon(icon);
}

} // namespace

void TfrmMain::LoadBranding()
{
    // The user's or reseller's files in the data folder come before the installed ones.
    const auto programFile = [this](const QString& name) {
        return FindProgramFile(FOptions.AppDir, FOptions.SharedDir, name);
    };
    const QString configPath = programFile(QLatin1String(TBrandingConfig::FileName));
    if (!QFileInfo(configPath).isFile())
        return;
    const TBrandingConfig config = TBrandingConfig::Read(TProfileFile::FromFile(configPath));

    if (!config.AppName.empty())
        setWindowTitle(ToDisplay(config.AppName));
    setWindowTitle(windowTitle() + QStringLiteral(" v") + QLatin1String(AppVersionText));
    // The platform adds the application's display name to every window title
    // that differs from it; the reseller's caption must stand alone.
    QGuiApplication::setApplicationDisplayName(windowTitle());

    if (!config.AffiliateID.empty())
        FAffiliateID = config.AffiliateID;

    int bannerNumber = 0;
    if (const auto banner = ChooseBanner(config.Banners, DrawRandomIndex)) {
        FBannerURL = banner->Banner.URL;
        FBannerPath = banner->Banner.Path;
        bannerNumber = banner->Number;
    }
    if (!FBannerURL.empty()) {
        for (QLabel* control : {imgBanner, gifBanner}) {
            control->setCursor(Qt::PointingHandCursor);
            control->setAccessibleDescription(ToDisplay(FBannerURL));
            connect(new TKeyActivation(*control), &TKeyActivation::Activated, this, &TfrmMain::imgBannerClick);
        }
    }
    ShowBanner(*this, FBannerPath, programFile(BannerDataFileName(bannerNumber)));

    const TLinkChoice links = ChooseLinks(config.Links, DrawRandomIndex);
    FLink1URL = links.First.URL;
    FLink1Name = links.First.Name;
    FLink2URL = links.Second.URL;
    FLink2Name = links.Second.Name;
    lblLink1URL->SetCaption(FLink1Name);
    lblLink1URL->SetAddress(FLink1URL);
    lblLink2URL->SetCaption(FLink2Name);
    lblLink2URL->SetAddress(FLink2URL);

    const QString skinPath = programFile(QStringLiteral("twskin.dat"));
    if (QFileInfo(skinPath).isFile())
        bsSkinData1.LoadCompressedSkinFile(skinPath);

    if (!config.IconPath.empty())
        FIconPath = config.IconPath;
    LoadIcon(*this, programFile(ToDisplay(FileNamePart(FIconPath))));
}
