// Reseller files with absurd sizes or frame counts: refused from their
// headers, before any pixel is decoded.
#include "shell/BannerImage.h"
#include "toolkit/Skin.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QMovie>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QString BrandingDir = QDir::cleanPath(QStringLiteral(TARNWICK_TEST_DATA_DIR "/../shell/branding")) + '/';

void Put16(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

// A GIF whose logical screen is `width` x `height`, holding `frames` frames of
// one pixel each: a few bytes a frame, whatever the screen's size.
QByteArray Gif(int width, int height, int frames)
{
    QByteArray gif("GIF89a");
    Put16(gif, width);
    Put16(gif, height);
    gif.append("\x80\x00\x00", 3);                 // two-colour global table
    gif.append("\x00\x00\x00\xFF\xFF\xFF", 6);
    gif.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop for ever
    for (int f = 0; f < frames; ++f) {
        gif.append("\x21\xF9\x04\x00\x01\x00\x00\x00", 8); // 10 ms a frame
        gif.append('\x2C');
        Put16(gif, 0);
        Put16(gif, 0);
        Put16(gif, 1);
        Put16(gif, 1);
        gif.append('\x00');
        gif.append("\x02\x02\x44\x01\x00", 5);
    }
    gif.append('\x3B');
    return gif;
}

QByteArray Bmp(int width, int height)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "bmp");
    // The header's size fields, as a hostile file would set them.
    qToLittleEndian<qint32>(width, bytes.data() + 18);
    qToLittleEndian<qint32>(height, bytes.data() + 22);
    return bytes;
}

} // namespace

TEST(BoundedReaders, BannerAnimationsPastTheCapsAreRefusedAndFramesAreNotKept)
{
    QObject owner;
    // 5600 x 5600 pixels in a few hundred bytes: 125 MB a frame once decoded.
    EXPECT_EQ(BannerImage::OpenAnimation(Gif(5600, 5600, 2), &owner), nullptr);
    EXPECT_EQ(BannerImage::OpenAnimation(Gif(468, 60, BannerImage::MaxFrames + 1), &owner), nullptr);

    QMovie* movie = BannerImage::OpenAnimation(Gif(468, 60, 3), &owner);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->parent(), &owner);
    EXPECT_EQ(movie->frameCount(), 3);
    EXPECT_EQ(movie->cacheMode(), QMovie::CacheNone);
    EXPECT_EQ(movie->currentImage().size(), QSize(468, 60));
    // Frames are decoded again as the loop comes round.
    EXPECT_TRUE(movie->jumpToNextFrame());
    EXPECT_TRUE(movie->jumpToNextFrame());
    EXPECT_TRUE(movie->jumpToFrame(0));
    EXPECT_FALSE(movie->currentImage().isNull());
}

TEST(BoundedReaders, PicturesAndIconsPastTheCapsAreRefused)
{
    EXPECT_FALSE(BannerImage::DecodePicture(Bmp(4, 4), "bmp").isNull());
    EXPECT_TRUE(BannerImage::DecodePicture(Bmp(30000, 30000), "bmp").isNull());
    EXPECT_TRUE(BannerImage::DecodePicture(Bmp(BannerImage::MaxWidth + 1, 4), "bmp").isNull());

    const QByteArray ico = QByteArray::fromStdString(ReadFileBytes(BrandingDir + "reseller.ico"));
    EXPECT_FALSE(BannerImage::DecodeIcon(ico).isNull());
    // The same icon claiming more images than the cap: each directory entry
    // is repeated, pointing at the same pictures.
    const int count = qFromLittleEndian<quint16>(ico.constData() + 4);
    const int extra = BannerImage::MaxIconImages + 1 - count;
    QByteArray many = ico.left(6);
    qToLittleEndian<quint16>(BannerImage::MaxIconImages + 1, many.data() + 4);
    for (int n = 0; n < BannerImage::MaxIconImages + 1; ++n) {
        QByteArray entry = ico.mid(6 + 16 * (n % count), 16);
        qToLittleEndian<quint32>(qFromLittleEndian<quint32>(entry.constData() + 12) + 16 * extra, entry.data() + 12);
        many += entry;
    }
    many += ico.mid(6 + 16 * count);
    EXPECT_TRUE(BannerImage::DecodeIcon(many).isNull());

    // A file that never ends is read to the cap and no further.
    EXPECT_TRUE(BannerImage::LoadIcon(QStringLiteral("/dev/zero")).isNull());
    EXPECT_EQ(BannerImage::LoadAnimation(QStringLiteral("/dev/zero"), nullptr), nullptr);
    EXPECT_TRUE(BannerImage::LoadPicture(QStringLiteral("/dev/zero"), "banner.bmp").isNull());
    TSkinData skin;
    EXPECT_FALSE(skin.LoadCompressedSkinFile(QStringLiteral("/dev/zero")));
}
