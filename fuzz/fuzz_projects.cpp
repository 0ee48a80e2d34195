// Projects.dat as a user's editor or a damaged disk may leave it: loading never
// fails, and what is saved reads back as the same projects.
#include "FuzzSupport.h"

#include "store/TDProjects.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TDProjects projects;
    projects.LoadFromText(AsText(data, size));
    const std::string saved = projects.ToText();
    TDProjects again;
    again.LoadFromText(saved);
    FUZZ_CHECK(again.Count() == projects.Count());
    FUZZ_CHECK(again.ToText() == saved);
    return 0;
}
