#include "store/ProfileStrings.h"
#include "shell/BannerImage.h"
#include "shell/BrandingConfig.h"
#include "shell/FMain.h"
#include "shell/MainPanels.h"
#include "shell/VendorAddresses.h"
#include "toolkit/LinkLabel.h"

#include "TestSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

const QString BrandingDir = QDir::cleanPath(QStringLiteral(TARNWICK_TEST_DATA_DIR "/../shell/branding")) + '/';

// A two-frame GIF without a loop count: on its own it would play once.
const QByteArray OnceGif(
    "\x47\x49\x46\x38\x39\x61\x04\x00\x03\x00\xf0\x00\x00\xff\x00\x00\x00\x00\x00\x21\xf9\x04\x00\x01\x00\x00"
    "\x00\x2c\x00\x00\x00\x00\x04\x00\x03\x00\x00\x02\x03\x84\x8f\x56\x00\x21\xf9\x04\x00\x01\x00\x00\x00\x2c"
    "\x00\x00\x00\x00\x04\x00\x03\x00\x80\x00\x00\xff\x00\x00\x00\x02\x03\x84\x8f\x56\x00\x3b",
    74);

std::string ImageBytes(int width, int height, const char* format, QColor colour = Qt::darkCyan)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

std::string ShippedFile(const char* name)
{
    return ReadFileBytes(BrandingDir + QLatin1String(name));
}

std::map<QString, std::string> Snapshot(const TTempAppDir& dir)
{
    std::map<QString, std::string> files;
    for (const QString& name : QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden))
        files[name] = dir.Read(name);
    return files;
}

class Branding : public ::testing::Test {
protected:
    void SetUp() override
    {
        qApp->setStyleSheet(QString());
        QApplication::setWindowIcon(QIcon());
    }
    void TearDown() override
    {
        qApp->setStyleSheet(QString());
        QApplication::setWindowIcon(QIcon());
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Tarnwick"));
    }

    void Config(const std::string& settings) { Dir.Write("twconfig.dat", "[Settings]\r\n" + settings); }

    std::unique_ptr<TfrmMain> Start()
    {
        TMainOptions options;
        options.AppDir = Dir.Path();
        options.ArmStartupTimer = false;
        options.OpenURL = [this](const std::string& address) {
            Opened.push_back(address);
            return true;
        };
        options.OpenLink = [this](const std::string& address) {
            LinksOpened.push_back(address);
            return true;
        };
        return std::make_unique<TfrmMain>(options);
    }

    static QSize PictureSize(const QLabel& label) { return label.pixmap().size(); }

    TTempAppDir Dir;
    std::vector<std::string> Opened;
    std::vector<std::string> LinksOpened;
};

int Scripted(std::vector<int>& draws, int count)
{
    const int k = draws.front();
    draws.erase(draws.begin());
    EXPECT_LT(k, count);
    return k;
}

} // namespace

TEST(BrandingConfig, CandidatesInKeyOrder)
{
    const TProfileFile ini(std::string("[SETTINGS]\n"
                                       "appname=Reseller\n"
                                       "AfiliateID=id-7\n"
                                       "BannerPath2=C:\\b\\two.gif\n"
                                       "BannerURL1=http://one.example/\n"
                                       "BannerPath3=three.jpg\n"
                                       "BannerURL3=http://three.example/\n"
                                       "Link2URL=http://l2.example/\n"
                                       "Link3Name=name without address\n"
                                       "Link4URL=http://l4.example/\n"
                                       "Link4Name=Four\n"
                                       "IconPath=C:\\i\\x.ico\n"));
    const TBrandingConfig config = TBrandingConfig::Read(ini);
    EXPECT_EQ(config.AppName, "Reseller");
    EXPECT_EQ(config.AffiliateID, "id-7");
    EXPECT_EQ(config.IconPath, "C:\\i\\x.ico");
    ASSERT_EQ(config.Banners.size(), 2u);
    EXPECT_EQ(config.Banners[0].Path, "C:\\b\\two.gif");
    EXPECT_EQ(config.Banners[0].URL, "");
    EXPECT_EQ(config.Banners[1].Path, "three.jpg");
    EXPECT_EQ(config.Banners[1].URL, "http://three.example/");
    ASSERT_EQ(config.Links.size(), 2u);
    EXPECT_EQ(config.Links[0].URL, "http://l2.example/");
    EXPECT_EQ(config.Links[0].Name, "");
    EXPECT_EQ(config.Links[1].URL, "http://l4.example/");
    EXPECT_EQ(config.Links[1].Name, "Four");
}

TEST(BrandingConfig, ChoicesNumberingAndNames)
{
    const std::vector<TBannerCandidate> banners{{"a.gif", "u1"}, {"b.jpg", "u2"}};
    std::vector<int> draws{1};
    const auto banner = ChooseBanner(banners, [&](int count) { return Scripted(draws, count); });
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->Banner.Path, "b.jpg");
    EXPECT_EQ(banner->Number, 2);
    EXPECT_FALSE(ChooseBanner({}, [](int) -> int { throw std::logic_error("no draw without candidates"); }));

    // The second draw runs over the entries left after the first.
    const std::vector<TLinkCandidate> links{{"u1", "n1"}, {"u2", "n2"}, {"u3", "n3"}, {"u4", "n4"}};
    draws = {1, 1};
    TLinkChoice choice = ChooseLinks(links, [&](int count) { return Scripted(draws, count); });
    EXPECT_EQ(choice.First.URL, "u2");
    EXPECT_EQ(choice.Second.URL, "u3");
    EXPECT_EQ(choice.Second.Name, "n3");
    draws = {0};
    choice = ChooseLinks({{"only", ""}}, [&](int count) { return Scripted(draws, count); });
    EXPECT_EQ(choice.First.URL, "only");
    EXPECT_EQ(choice.Second.URL, "");
    for (int run = 0; run < 200; ++run) {
        const TLinkChoice random = ChooseLinks(links, DrawRandomIndex);
        EXPECT_NE(random.First.URL, random.Second.URL);
        EXPECT_FALSE(random.Second.URL.empty());
    }

    EXPECT_EQ(FileNamePart("C:\\banners\\big.gif"), "big.gif");
    EXPECT_EQ(FileNamePart("C:big.gif"), "big.gif");
    EXPECT_EQ(FileNamePart("big.gif"), "big.gif");
    EXPECT_EQ(FileNamePart("C:\\banners\\"), "");
    EXPECT_EQ(BannerDataFileName(3), "twimg3.dat");

    EXPECT_TRUE(BannerImage::IsAnimatedName("BIG.GIF"));
    EXPECT_TRUE(BannerImage::IsAnimatedName("x.gif.jpg"));
    EXPECT_FALSE(BannerImage::IsAnimatedName("gif.jpg"));
    EXPECT_EQ(BannerImage::PictureFormatFor("a.JPG"), "jpeg");
    EXPECT_EQ(BannerImage::PictureFormatFor("a.jpeg"), "jpeg");
    EXPECT_EQ(BannerImage::PictureFormatFor("a.Bmp"), "bmp");
    EXPECT_EQ(BannerImage::PictureFormatFor("a.ico"), "ico");
    EXPECT_EQ(BannerImage::PictureFormatFor("a.wmf"), "");
    EXPECT_EQ(BannerImage::PictureFormatFor("a.emf"), "");
    EXPECT_EQ(BannerImage::PictureFormatFor("noextension"), "");
}

TEST_F(Branding, WithoutConfigurationTheDesignStays)
{
    Dir.Write("twskin.dat", ShippedFile("twskin.dat"));
    Dir.Write("reseller.ico", ShippedFile("reseller.ico"));
    Dir.Write("twimg1.dat", ShippedFile("twimg1.dat"));
    const auto form = Start();
    EXPECT_EQ(form->windowTitle(), "Tarnwick");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Tarnwick");
    EXPECT_FALSE(form->panBanner->isHidden());
    EXPECT_EQ(form->panBanner->height(), 65);
    EXPECT_TRUE(PictureSize(*form->imgBanner).isEmpty());
    EXPECT_EQ(form->gifBanner->movie(), nullptr);
    for (TLinkLabel* label : {form->lblLink1URL, form->lblLink2URL}) {
        EXPECT_EQ(label->Caption(), "Google");
        EXPECT_EQ(label->Address(), "http://www.google.com/");
    }
    // The built-in skin stays; the skin and icon files are not looked at.
    EXPECT_EQ(qApp->styleSheet(), form->bsSkinData1.StyleSheet());
    EXPECT_NE(qApp->styleSheet().indexOf(QStringLiteral("panToolbar")), -1);
    EXPECT_TRUE(QApplication::windowIcon().isNull());
    EXPECT_EQ(form->imgBanner->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Branding, CaptionAffiliateAndTheVendorPages)
{
    Config("AppName=\r\n");
    {
        const auto form = Start();
        EXPECT_EQ(form->windowTitle(), "Tarnwick v1.01");
        form->btnMakeMoney->click();
        form->btnHelp->click();
        ASSERT_EQ(Opened.size(), 2u);
        EXPECT_EQ(Opened[0], AffiliateRootURL);
        EXPECT_EQ(Opened[1], HelpPageURL);
        EXPECT_EQ(Opened[1], "http://www.tarnwick.com/tarnwickhelp");
    }
    Opened.clear();
    Config("appname=\"Web Submitter\"\r\nAfiliateID=rs-77\r\n");
    const auto form = Start();
    EXPECT_EQ(form->windowTitle(), "Web Submitter v1.01");
    EXPECT_EQ(form->FAffiliateID, "rs-77");
    form->btnMakeMoney->click();
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0], std::string(AffiliateRootURL) + "rs-77");
    EXPECT_EQ(Opened[0].back(), '7');
    EXPECT_NE(Opened[0].find("/rs-77"), std::string::npos);
}

TEST_F(Branding, BannerNumberIsThePositionAmongConfiguredBanners)
{
    Config("BannerPath2=C:\\banners\\wide.bmp\r\nBannerURL2=http://banner.example/?a=1 b\r\n");
    Dir.Write("twimg1.dat", ImageBytes(120, 60, "BMP"));
    Dir.Write("twimg2.dat", ImageBytes(30, 20, "BMP"));
    // A stray file of the banner's own name is never read.
    Dir.Write("wide.bmp", ImageBytes(10, 10, "BMP"));
    const auto before = Snapshot(Dir);

    const auto form = Start();
    EXPECT_EQ(form->FBannerPath, "C:\\banners\\wide.bmp");
    EXPECT_EQ(form->FBannerURL, "http://banner.example/?a=1 b");
    EXPECT_FALSE(form->panBanner->isHidden());
    EXPECT_FALSE(form->imgBanner->isHidden());
    EXPECT_TRUE(form->gifBanner->isHidden());
    EXPECT_EQ(PictureSize(*form->imgBanner), QSize(120, 60));
    EXPECT_EQ(form->imgBanner->size(), QSize(120, 60));
    EXPECT_EQ(form->panBanner->height(), 70);
    EXPECT_EQ(form->imgBanner->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(form->gifBanner->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Snapshot(Dir), before);

    QTest::mouseClick(form->imgBanner, Qt::LeftButton);
    QTest::keyClick(form->imgBanner, Qt::Key_Return);
    EXPECT_EQ(Opened, (std::vector<std::string>{"http://banner.example/?a=1 b", "http://banner.example/?a=1 b"}));
}

TEST_F(Branding, AnyNameHoldingGifGoesToTheEndlessAnimation)
{
    for (const char* path : {"C:\\banners\\ANIM.GIF", "x.gif.jpg"}) {
        SCOPED_TRACE(path);
        Config(std::string("BannerPath1=") + path + "\r\n");
        Dir.Write("twimg1.dat", OnceGif.toStdString());
        const auto before = Snapshot(Dir);
        const auto form = Start();
        EXPECT_TRUE(form->imgBanner->isHidden());
        EXPECT_FALSE(form->gifBanner->isHidden());
        QMovie* movie = form->gifBanner->movie();
        ASSERT_NE(movie, nullptr);
        EXPECT_EQ(form->gifBanner->size(), QSize(4, 3));
        EXPECT_EQ(form->panBanner->height(), 13);
        // Without a click-through address the banner keeps the arrow and a click does nothing.
        EXPECT_EQ(form->gifBanner->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(form->gifBanner, Qt::LeftButton);
        EXPECT_TRUE(Opened.empty());
        // The file plays once on its own; the banner keeps playing.
        QSignalSpy frames(movie, &QMovie::frameChanged);
        EXPECT_TRUE(QTest::qWaitFor([&] { return frames.count() >= 7; }, 10000)) << frames.count();
        EXPECT_EQ(movie->state(), QMovie::Running);
        EXPECT_EQ(Snapshot(Dir), before);
    }
}

TEST_F(Branding, ShippedGifSizesThePanel)
{
    Config("BannerPath1=banner.gif\r\nBannerURL1=http://b.example/\r\n");
    Dir.Write("twimg1.dat", ShippedFile("twimg1.dat"));
    const auto form = Start();
    ASSERT_NE(form->gifBanner->movie(), nullptr);
    EXPECT_EQ(form->gifBanner->size(), QSize(468, 60));
    EXPECT_EQ(form->panBanner->height(), 70);
    QTest::keyClick(form->gifBanner, Qt::Key_Space);
    QTest::mouseClick(form->gifBanner, Qt::LeftButton);
    EXPECT_EQ(Opened, (std::vector<std::string>{"http://b.example/", "http://b.example/"}));
}

TEST_F(Branding, ABannerThatCannotBeShownHidesThePanelAndStartUpGoesOn)
{
    struct Case {
        const char* Path;
        std::string Data;
    };
    const std::vector<Case> cases{
        {"C:\\banners\\logo.wmf", "\xD7\xCD\xC6\x9A metafile records"},
        {"logo.emf", std::string(64, '\x01')},
        {"photo.bmp", ImageBytes(20, 20, "JPEG")}, // not of the type its name announces
        {"broken.gif", std::string("GIF89a\x04\x00\x03\x00 cut short", 20)},
        {"empty.jpg", ""},
    };
    const std::string skin = ShippedFile("twskin.dat");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        Config(std::string("BannerPath1=") + c.Path + "\r\nBannerURL1=http://b.example/\r\n"
               + "Link1URL=http://l.example/\r\nLink1Name=Still here\r\nIconPath=reseller.ico\r\n");
        Dir.Write("twimg1.dat", c.Data);
        Dir.Write("twskin.dat", skin);
        Dir.Write("reseller.ico", ShippedFile("reseller.ico"));
        QApplication::setWindowIcon(QIcon());
        const auto before = Snapshot(Dir);
        const auto form = Start();
        EXPECT_TRUE(form->panBanner->isHidden());
        EXPECT_TRUE(PictureSize(*form->imgBanner).isEmpty());
        EXPECT_EQ(form->gifBanner->movie(), nullptr);
        EXPECT_EQ(form->lblLink1URL->Caption(), "Still here");
        EXPECT_EQ(qApp->styleSheet(), QString::fromStdString(ShippedFile("skin.qss")));
        EXPECT_FALSE(QApplication::windowIcon().isNull());
        EXPECT_EQ(form->FProjects->Count(), 0);
        EXPECT_EQ(Snapshot(Dir), before);
    }
}

TEST_F(Branding, AMissingDataFileHidesThePanelWithoutFallingBack)
{
    Config("BannerPath1=one.bmp\r\nBannerPath2=two.bmp\r\n");
    // Whichever is drawn, its own data file is missing; the other's is not tried.
    Dir.Write("twimg3.dat", ImageBytes(50, 50, "BMP"));
    const auto form = Start();
    EXPECT_TRUE(form->panBanner->isHidden());
    EXPECT_TRUE(PictureSize(*form->imgBanner).isEmpty());

    Config("BannerURL1=http://no-banner.example/\r\n");
    const auto noPath = Start();
    EXPECT_TRUE(noPath->panBanner->isHidden());
    EXPECT_TRUE(noPath->FBannerURL.empty());
}

TEST_F(Branding, LinkLabelsShowDistinctCandidates)
{
    Config("");
    {
        const auto form = Start();
        for (TLinkLabel* label : {form->lblLink1URL, form->lblLink2URL}) {
            EXPECT_EQ(label->Caption(), "");
            EXPECT_EQ(label->Address(), "");
        }
        // No link configured: a click opens nothing.
        QTest::mouseClick(form->lblLink1URL, Qt::LeftButton);
        QTest::keyClick(form->lblLink2URL, Qt::Key_Return);
        EXPECT_TRUE(LinksOpened.empty());
    }
    Config("Link3URL=http://three.example/\r\n");
    {
        const auto form = Start();
        EXPECT_EQ(form->lblLink1URL->Address(), "http://three.example/");
        EXPECT_EQ(form->lblLink1URL->Caption(), "");
        EXPECT_EQ(form->FLink1URL, "http://three.example/");
        EXPECT_EQ(form->lblLink2URL->Address(), "");
        QTest::keyClick(form->lblLink1URL, Qt::Key_Return);
        EXPECT_EQ(LinksOpened, std::vector<std::string>{"http://three.example/"});
    }
    Config("Link1URL=http://a.example/x y\r\nLink1Name=A\r\nLink2URL=http://b.example/\r\nLink2Name=B\r\n");
    {
        const auto form = Start();
        EXPECT_EQ((std::set<std::string>{form->lblLink1URL->Caption(), form->lblLink2URL->Caption()}),
                  (std::set<std::string>{"A", "B"}));
        LinksOpened.clear();
        const std::string first = form->lblLink1URL->Address();
        QTest::mouseClick(form->lblLink1URL, Qt::LeftButton);
        EXPECT_EQ(LinksOpened, std::vector<std::string>{first});
    }
    Config("Link1URL=u1\r\nLink1Name=N1\r\nLink2URL=u2\r\nLink2Name=N2\r\n"
           "Link3URL=u3\r\nLink3Name=N3\r\nLink4URL=u4\r\nLink4Name=N4\r\n");
    std::set<std::string> seen;
    for (int run = 0; run < 6; ++run) {
        const auto form = Start();
        const std::string a = form->lblLink1URL->Address();
        const std::string b = form->lblLink2URL->Address();
        EXPECT_NE(a, b);
        EXPECT_EQ(form->lblLink1URL->Caption(), "N" + a.substr(1));
        EXPECT_EQ(form->lblLink2URL->Caption(), "N" + b.substr(1));
        seen.insert(a);
        seen.insert(b);
    }
    EXPECT_GE(seen.size(), 3u);
}

TEST_F(Branding, SkinAndIconFromTheResellersFiles)
{
    Config("IconPath=C:\\Program Files\\Reseller\\reseller.ico\r\n");
    Dir.Write("twskin.dat", ShippedFile("twskin.dat"));
    Dir.Write("reseller.ico", ShippedFile("reseller.ico"));
    {
        const auto form = Start();
        EXPECT_EQ(qApp->styleSheet(), QString::fromStdString(ShippedFile("skin.qss")));
        EXPECT_EQ(form->FIconPath, "C:\\Program Files\\Reseller\\reseller.ico");
        EXPECT_FALSE(QApplication::windowIcon().isNull());
        EXPECT_TRUE(QApplication::windowIcon().availableSizes().contains(QSize(32, 32)));
        EXPECT_FALSE(form->windowIcon().isNull());
    }

    // A damaged skin and an icon that is no picture change nothing.
    QApplication::setWindowIcon(QIcon());
    Dir.Write("twskin.dat", std::string("\x01\x00\x00\x00\xFF\xFF\xFF\x7F junk", 13));
    Dir.Write("reseller.ico", "not an icon");
    const auto form = Start();
    EXPECT_EQ(qApp->styleSheet(), form->bsSkinData1.StyleSheet());
    EXPECT_NE(qApp->styleSheet().indexOf(QStringLiteral("panToolbar")), -1);
    EXPECT_TRUE(QApplication::windowIcon().isNull());

    // No IconPath: the directory itself is no icon file.
    Config("AppName=X\r\n");
    const auto noIcon = Start();
    EXPECT_TRUE(QApplication::windowIcon().isNull());
}

TEST_F(Branding, TheShippedSampleBrandsTheWindow)
{
    for (const char* name : {"twconfig.dat", "twimg1.dat", "twimg2.dat", "twskin.dat", "reseller.ico"})
        Dir.Write(QString::fromLatin1(name), ShippedFile(name));
    const auto before = Snapshot(Dir);
    const auto form = Start();
    EXPECT_EQ(form->windowTitle(), "WebSubmit Pro v1.01");
    // Nothing is added to the title shown by the platform.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "WebSubmit Pro v1.01");
    EXPECT_EQ(form->FAffiliateID, "rs-1042");
    if (form->FBannerPath == "C:\\banners\\reseller.GIF") {
        EXPECT_EQ(form->FBannerURL, "http://reseller.example/offer");
        ASSERT_NE(form->gifBanner->movie(), nullptr);
        EXPECT_EQ(form->panBanner->height(), 70);
    } else {
        // BannerPath3 is the second configured banner: twimg2.dat.
        EXPECT_EQ(form->FBannerPath, "C:\\banners\\partners.jpg");
        EXPECT_EQ(form->FBannerURL, "");
        EXPECT_EQ(PictureSize(*form->imgBanner), QSize(400, 50));
        EXPECT_EQ(form->panBanner->height(), 60);
    }
    const std::set<std::string> captions{"Reseller Home", "Support Desk", "Our Blog"};
    EXPECT_TRUE(captions.count(form->lblLink1URL->Caption()));
    EXPECT_TRUE(captions.count(form->lblLink2URL->Caption()));
    EXPECT_NE(form->lblLink1URL->Caption(), form->lblLink2URL->Caption());
    EXPECT_EQ(qApp->styleSheet(), QString::fromStdString(ShippedFile("skin.qss")));
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(Snapshot(Dir), before);
}

TEST_F(Branding, InstalledBrandingServesWhateverTheDataFolderLacks)
{
    TTempAppDir shared;
    for (const char* name : {"twconfig.dat", "twimg1.dat", "twimg2.dat", "twskin.dat", "reseller.ico"})
        shared.Write(QString::fromLatin1(name), ShippedFile(name));
    TMainOptions options;
    options.AppDir = Dir.Path();
    options.SharedDir = shared.Path();
    options.ArmStartupTimer = false;
    {
        const TfrmMain form(options);
        EXPECT_EQ(form.windowTitle(), "WebSubmit Pro v1.01");
        EXPECT_FALSE(form.panBanner->isHidden());
        EXPECT_EQ(qApp->styleSheet(), QString::fromStdString(ShippedFile("skin.qss")));
        EXPECT_FALSE(QApplication::windowIcon().isNull());
    }
    // The data folder's own file comes first; the rest still comes from the installed set.
    qApp->setStyleSheet(QString());
    Config("AppName=Own Submitter\r\nBannerPath1=own.jpg\r\n");
    Dir.Write("twimg1.dat", ImageBytes(300, 40, "JPG"));
    const TfrmMain form(options);
    EXPECT_EQ(form.windowTitle(), "Own Submitter v1.01");
    EXPECT_EQ(PictureSize(*form.imgBanner), QSize(300, 40));
    EXPECT_EQ(qApp->styleSheet(), QString::fromStdString(ShippedFile("skin.qss")));
    EXPECT_TRUE(Dir.Exists("twconfig.dat"));
    EXPECT_FALSE(Dir.Exists("twskin.dat"));
}
