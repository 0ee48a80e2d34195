// twskin.dat of any bytes: a sheet within its cap, or nothing.
#include "FuzzSupport.h"

#include "toolkit/Skin.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     static_cast<qsizetype>(size));
    const std::optional<QString> sheet = CompressedSkin::Unpack(bytes);
    if (sheet)
        FUZZ_CHECK(!sheet->isEmpty() && sheet->size() <= CompressedSkin::MaxSheetBytes);
    return 0;
}
