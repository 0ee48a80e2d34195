// twconfig.dat and the update site's version file: any bytes read as some
// configuration, values within their cap.
#include "FuzzSupport.h"

#include "store/ProfileStrings.h"
#include "shell/BrandingConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TProfileFile ini(AsText(data, size));
    const TBrandingConfig config = TBrandingConfig::Read(ini);
    FUZZ_CHECK(config.Banners.size() <= 3 && config.Links.size() <= 4);
    FUZZ_CHECK(config.AppName.size() <= TProfileFile::MaxValueLength);
    FUZZ_CHECK(ini.ReadString("APPLICATION", "Version").size() <= TProfileFile::MaxValueLength);
    // The first line names a section and a key to look up as well.
    const std::string_view text = AsText(data, size);
    const std::string_view first = text.substr(0, text.find('\n'));
    const auto equals = first.find('=');
    if (equals != std::string_view::npos)
        FUZZ_CHECK(ini.ReadString(first.substr(0, equals), first.substr(equals + 1)).size()
                   <= TProfileFile::MaxValueLength);
    return 0;
}
