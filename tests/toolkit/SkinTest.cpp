#include "toolkit/Skin.h"

#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

QByteArray Header(qint32 format, quint32 length)
{
    QByteArray header(8, '\0');
    qToLittleEndian<qint32>(format, header.data());
    qToLittleEndian<quint32>(length, header.data() + 4);
    return header;
}

QByteArray Deflate(const QByteArray& plain)
{
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    QByteArray out(static_cast<qsizetype>(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(plain.constData()),
              static_cast<uLong>(plain.size()), 9);
    out.resize(static_cast<qsizetype>(size));
    return out;
}

QByteArray Skin(const QByteArray& sheet, qint32 format = 1)
{
    const QByteArray stream = Deflate(sheet);
    return Header(format, static_cast<quint32>(stream.size())) + stream;
}

const QByteArray Sheet = "QPushButton { color: #123456; }";

class SkinData : public ::testing::Test {
protected:
    void SetUp() override { qApp->setStyleSheet(QString()); }
    void TearDown() override { qApp->setStyleSheet(QString()); }
};

} // namespace

TEST(CompressedSkin, UnpacksTheStyleSheet)
{
    EXPECT_EQ(CompressedSkin::Unpack(Skin(Sheet)), QString::fromLatin1(Sheet));
    // Formats up to 3 hold a skin; bytes after the declared stream are ignored.
    EXPECT_EQ(CompressedSkin::Unpack(Skin(Sheet, 3) + "trailing"), QString::fromLatin1(Sheet));
    EXPECT_EQ(CompressedSkin::Unpack(Skin(Sheet, 0)), QString::fromLatin1(Sheet));
    EXPECT_EQ(CompressedSkin::Unpack(Skin("QLabel { color: #00ff00; } /* gr\xC3\xBC\xC3\x9F */")),
              QStringLiteral("QLabel { color: #00ff00; } /* gr\u00FC\u00DF */"));
}

TEST(CompressedSkin, DamagedFilesHoldNoSkin)
{
    const QByteArray good = Skin(Sheet);
    const QByteArray stream = good.mid(8);

    EXPECT_FALSE(CompressedSkin::Unpack(Skin(Sheet, 4)));
    EXPECT_FALSE(CompressedSkin::Unpack(Skin(Sheet, 0x7FFFFFFF)));
    EXPECT_FALSE(CompressedSkin::Unpack(QByteArray()));
    EXPECT_FALSE(CompressedSkin::Unpack(good.left(7)));
    // A length past the end of the file, huge or by one byte.
    EXPECT_FALSE(CompressedSkin::Unpack(Header(1, 0xFFFFFFFFu) + stream));
    EXPECT_FALSE(CompressedSkin::Unpack(Header(1, static_cast<quint32>(stream.size() + 1)) + stream));
    // A declared length that cuts the stream short.
    EXPECT_FALSE(CompressedSkin::Unpack(Header(1, static_cast<quint32>(stream.size() - 5)) + stream));
    // A broken stream: not zlib at all, or damaged inside.
    EXPECT_FALSE(CompressedSkin::Unpack(Header(1, 16) + QByteArray(16, 'x')));
    QByteArray damaged = good;
    damaged[12] = static_cast<char>(damaged[12] ^ 0x55);
    damaged[13] = static_cast<char>(damaged[13] ^ 0x55);
    EXPECT_FALSE(CompressedSkin::Unpack(damaged));
    // Empty sheets, binary junk and text that is not UTF-8.
    EXPECT_FALSE(CompressedSkin::Unpack(Skin("")));
    EXPECT_FALSE(CompressedSkin::Unpack(Skin(QByteArray("a\0b", 3))));
    EXPECT_FALSE(CompressedSkin::Unpack(Skin("QLabel { color: red; } /* \xFF\xFE */")));
    // A small stream that would inflate without end is refused.
    EXPECT_FALSE(CompressedSkin::Unpack(Skin(QByteArray(CompressedSkin::MaxSheetBytes + 1, ' '))));
}

TEST_F(SkinData, BuiltInSkinIsTheShippedSheet)
{
    TSkinData skin;
    ASSERT_TRUE(skin.LoadBuiltInSkin());
    const QString source =
        QString::fromUtf8(ReadFileBytes(QDir::cleanPath(QStringLiteral(TARNWICK_TEST_DATA_DIR "/../../src/toolkit/skins/main.qss"))));
    EXPECT_EQ(skin.StyleSheet(), source) << "main.skn is out of date: repack it from main.qss";
    EXPECT_EQ(qApp->styleSheet(), source);
}

TEST_F(SkinData, ASkinFileReplacesTheSkinOnlyWhenItHoldsOne)
{
    TTempAppDir dir;
    TSkinData skin;
    ASSERT_TRUE(skin.LoadBuiltInSkin());
    const QString builtIn = qApp->styleSheet();

    dir.Write("broken.dat", (Header(1, 0xFFFFFFF0u) + "junk").toStdString());
    EXPECT_FALSE(skin.LoadCompressedSkinFile(dir.File("broken.dat")));
    EXPECT_FALSE(skin.LoadCompressedSkinFile(dir.File("missing.dat")));
    EXPECT_FALSE(skin.LoadCompressedSkinFile(dir.Path()));
    EXPECT_EQ(qApp->styleSheet(), builtIn);
    EXPECT_EQ(skin.StyleSheet(), builtIn);

    dir.Write("twskin.dat", Skin(Sheet).toStdString());
    EXPECT_TRUE(skin.LoadCompressedSkinFile(dir.File("twskin.dat")));
    EXPECT_EQ(qApp->styleSheet(), QString::fromLatin1(Sheet));
}
