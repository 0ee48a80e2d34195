// Packs a Qt style sheet into the compressed skin layout that the program
// reads from twskin.dat: little-endian int32 format number 1, little-endian
// uint32 length, then the zlib stream of the sheet.
//
//   packskin SHEET.qss OUTPUT.dat

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void PutLittleEndian(std::vector<unsigned char>& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: packskin SHEET.qss OUTPUT.dat\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "packskin: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string sheet((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    uLongf size = compressBound(static_cast<uLong>(sheet.size()));
    std::vector<unsigned char> stream(size);
    if (compress2(stream.data(), &size, reinterpret_cast<const Bytef*>(sheet.data()),
                  static_cast<uLong>(sheet.size()), Z_BEST_COMPRESSION)
        != Z_OK) {
        std::fprintf(stderr, "packskin: compression failed\n");
        return 1;
    }
    std::vector<unsigned char> packed;
    PutLittleEndian(packed, 1);
    PutLittleEndian(packed, static_cast<std::uint32_t>(size));
    packed.insert(packed.end(), stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(size));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "packskin: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
