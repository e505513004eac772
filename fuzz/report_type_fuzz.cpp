// Report-type files of every layout, damaged and cut. A file that loads must save in the current layout and
// load again to the same header and script.
#include "report/output/report_type.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

// Each fuzzing process reads and writes files of its own, so workers never share one.
const std::filesystem::path& ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("report_type_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "report_type_fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = (ScratchFolder() / "input.rpt").string();
    const std::string saved = (ScratchFolder() / "saved.rpt").string();
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out)
            Fail("cannot write the input file");
    }

    ReportType read;
    if (read.Open(input.c_str()) != ReportTypeLoadResult::Loaded)
        return 0;
    const ReportTypeHeader& header = read.Header();
    if (header.inputCount < 0 || header.inputCount > ReportTypeInputCapacity)
        Fail("an input count beyond the inputs loaded");
    if (strnlen(header.name, sizeof header.name) == sizeof header.name ||
        strnlen(header.helpText, sizeof header.helpText) == sizeof header.helpText)
        Fail("a text without its terminating zero");

    read.SaveAsPath(saved.c_str());
    if (!read.Save())
        Fail("a loaded report type cannot be saved");
    ReportType again;
    if (again.Open(saved.c_str()) != ReportTypeLoadResult::Loaded)
        Fail("a saved report type does not load");
    static std::uint8_t first[ReportTypeHeaderSize];
    static std::uint8_t second[ReportTypeHeaderSize];
    EncodeReportTypeHeader(read.Header(), first);
    EncodeReportTypeHeader(again.Header(), second);
    if (std::memcmp(first, second, sizeof first) != 0)
        Fail("the header changed when saved and read back");
    if (std::strcmp(read.Script(), again.Script()) != 0)
        Fail("the script changed when saved and read back");
    return 0;
}
