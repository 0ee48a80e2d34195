// `tarnwick-db import` of CSV: a refused file appends nothing, and what is
// accepted survives an export and a second import unchanged.
#include "FuzzSupport.h"

#include "store/DirectoriesCsv.h"
#include "store/TDDirectories.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TDDirectories directories;
    try {
        DirectoriesFromCsv(AsText(data, size), directories);
    } catch (const TImportError&) {
        FUZZ_CHECK(directories.Count() == 0);
        return 0;
    }
    TDDirectories again;
    try {
        DirectoriesFromCsv(DirectoriesToCsv(directories), again);
    } catch (const TImportError&) {
        FUZZ_CHECK(!"an exported database is refused on import");
    }
    FUZZ_CHECK(again.ToText() == directories.ToText());
    return 0;
}
