// Directories.dat of any bytes: the header and the code are checked, what
// decrypts is loaded, and a database saved again reads back intact.
#include "FuzzSupport.h"

#include "store/TDDirectories.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TDDirectories directories;
    directories.LoadEncrypted(AsText(data, size));
    // Deriving the key dominates each run: the save is checked only when
    // something was loaded.
    if (directories.Count() == 0)
        return 0;
    const std::string encrypted = directories.ToEncrypted();
    TDDirectories again;
    FUZZ_CHECK(again.LoadEncrypted(encrypted) == TDatabaseState::Intact);
    FUZZ_CHECK(again.ToText() == directories.ToText());
    return 0;
}
