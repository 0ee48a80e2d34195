// Banner and icon data of any bytes. The first byte picks the decoder: an
// animation played through its frames, a picture of one of the types a
// banner's name may announce, or an icon. Whatever decodes stays within the caps.
#include "FuzzSupport.h"

#include "shell/BannerImage.h"

#include <QGuiApplication>
#include <QMovie>

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    static const char* const formats[] = {"gif", "png", "bmp", "jpeg", "ico"};
    const unsigned pick = data[0] % 7;
    if (pick == 0) {
        QObject owner;
        if (QMovie* movie = BannerImage::OpenAnimation(bytes, &owner)) {
            FUZZ_CHECK(BannerImage::WithinCaps(movie->currentImage().size()));
            for (int frame = 0; frame < 64 && movie->jumpToNextFrame(); ++frame)
                FUZZ_CHECK(movie->currentImage().isNull() || BannerImage::WithinCaps(movie->currentImage().size()));
        }
    } else if (pick <= 5) {
        const QImage image = BannerImage::DecodePicture(bytes, formats[pick - 1]);
        FUZZ_CHECK(image.isNull() || BannerImage::WithinCaps(image.size()));
    } else {
        const QIcon icon = BannerImage::DecodeIcon(bytes);
        for (const QSize s : icon.availableSizes())
            FUZZ_CHECK(s.width() <= BannerImage::MaxIconSide && s.height() <= BannerImage::MaxIconSide);
    }
    return 0;
}
