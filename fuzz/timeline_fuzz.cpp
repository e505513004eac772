// Timeline files as anyone may hand them to the program: damaged, cut, without line ends, with NULs and
// over-long lines. A file that loads must save and load again to the same timeline.
#include "records/timeline.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

// Each fuzzing process reads and writes files of its own, so workers never share one.
const std::filesystem::path& ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("timeline_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

bool SameEvents(const Timeline& a, const Timeline& b)
{
    if (a.Count() != b.Count())
        return false;
    for (std::size_t n = 0; n < a.Count(); ++n) {
        const TimelineEvent& x = a.Events()[n];
        const TimelineEvent& y = b.Events()[n];
        if (std::memcmp(&x.from, &y.from, sizeof x.from) != 0 || std::memcmp(&x.to, &y.to, sizeof x.to) != 0 ||
            std::strcmp(x.text, y.text) != 0)
            return false;
    }
    return true;
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "timeline_fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = (ScratchFolder() / "input.vtl").string();
    const std::string saved = (ScratchFolder() / "saved.vtl").string();
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out)
            Fail("cannot write the input file");
    }

    Timeline read;
    if (read.Load(input.c_str()) != TimelineLoadResult::Loaded)
        return 0;
    read.GetLatestDate();

    Timeline copy(read);
    copy.SetPath(saved.c_str());
    if (!copy.Save())
        Fail("a loaded timeline cannot be saved");
    Timeline again;
    if (again.Load(saved.c_str()) != TimelineLoadResult::Loaded)
        Fail("a saved timeline does not load");
    if (std::strcmp(again.Title(), read.Title()) != 0 || std::strcmp(again.Author(), read.Author()) != 0 ||
        std::strcmp(again.Description(), read.Description()) != 0)
        Fail("title, author or description changed when saved and read back");
    if (!SameEvents(read, again))
        Fail("the events changed when saved and read back");
    return 0;
}
