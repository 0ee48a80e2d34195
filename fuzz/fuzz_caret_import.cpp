// `tarnwick-db import` of caret text: refused as a whole or loaded, and the
// loaded directories are written back as caret text that reads the same.
#include "FuzzSupport.h"

#include "store/DirectoriesCsv.h"
#include "store/TDDirectories.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = AsText(data, size);
    TDDirectories directories;
    try {
        CheckCaretText(text);
        directories.LoadFromText(text);
    } catch (const TImportError&) {
        FUZZ_CHECK(directories.Count() == 0);
        return 0;
    }
    const std::string saved = directories.ToText();
    TDDirectories again;
    again.LoadFromText(saved);
    FUZZ_CHECK(again.Count() == directories.Count());
    FUZZ_CHECK(again.ToText() == saved);
    return 0;
}
