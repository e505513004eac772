// Speed and memory of the GEDCOM converter, side by side with the goals it is held to: royal92.ged within
// 50 ms, a file of 100,000 persons within 500 ms, and a peak memory of at most three times the input. The large
// file is made from royal92.ged and pres2020.ged, copied with renumbered cross-references; a file of a tenth of
// the size shows whether the time grows with the input only.
//
// Each file is converted in a run of its own (this program started again with --measure and the file), so
// that the peak memory of the process is that of one conversion: the input mapped as the DLL maps it, the
// record stores, and the output handed on in pieces.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/gedcom_generate.h"
#include "gedcom/convert.h"

namespace {

using bench::CountPersons;
using bench::MakeLargeFile;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class NoFiles : public pendrax::MediaFiles {
public:
    std::optional<std::string> Read(const std::string&) override { return std::nullopt; }
    std::optional<std::string> CopyToCurrentFolder(const std::string&) override { return std::nullopt; }
    std::optional<std::string> WriteTemporary(const std::string&, std::string_view) override { return std::nullopt; }
};

class CountingHost : public pendrax::ConvertHost {
public:
    // The input read so far leaves memory as the DLL lets it leave its working set.
    void InputRead(uint64_t offset) override
    {
        constexpr uint64_t kStep = 4 << 20;
        uint64_t end = std::min<uint64_t>(offset, input.size()) / kStep * kStep;
        if (end <= released)
            return;
        madvise(const_cast<uint8_t*>(input.data()) + released, end - released, MADV_DONTNEED);
        released = end;
    }
    std::span<const uint8_t> input;
    uint64_t released = 0;
    std::string Text(int32_t code) override { return "text"; }
    void WriteLog(std::string_view bytes) override { logBytes += bytes.size(); }
    bool Progress(int) override { return true; }
    bool CreateOutput() override { return true; }
    void WriteOutput(std::string_view bytes) override { outputBytes += bytes.size(); }
    pendrax::MediaFiles& Media() override { return files; }
    size_t logBytes = 0, outputBytes = 0;
    NoFiles files;
};

struct Figures {
    double milliseconds = 0;
    double peakMegabytes = 0;
};

// The child run: maps the file, converts it `repeats` times and prints the best time and the peak memory.
int MeasureFile(const char* path, int repeats)
{
    int descriptor = open(path, O_RDONLY);
    if (descriptor < 0)
        return 1;
    struct stat info {};
    fstat(descriptor, &info);
    size_t size = static_cast<size_t>(info.st_size);
    void* view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (view == MAP_FAILED)
        return 1;
    pendrax::ConvertOptions options;
    options.readExtensions = true;
    options.defaultGregorian = true;
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        CountingHost host;
        host.input = std::span(static_cast<const uint8_t*>(view), size);
        auto start = std::chrono::steady_clock::now();
        pendrax::Convert(host.input, options, host);
        std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    munmap(view, size);
    close(descriptor);
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%f %f\n", best, usage.ru_maxrss / 1024.0); // ru_maxrss is in kilobytes
    return 0;
}

// One child run: its best time and its peak memory.
Figures RunChild(const std::string& self, const std::string& file, int repeats)
{
    std::string command = "'" + self + "' --measure '" + file + "' " + std::to_string(repeats);
    Figures figures;
    if (FILE* child = popen(command.c_str(), "r")) {
        if (std::fscanf(child, "%lf %lf", &figures.milliseconds, &figures.peakMegabytes) != 2)
            figures = {};
        pclose(child);
    }
    return figures;
}

Figures Measure(const std::string& self, const std::string& gedcom, int repeats)
{
    std::filesystem::path file = std::filesystem::temp_directory_path() / ("gedcom_bench_" + std::to_string(getpid()));
    std::ofstream(file, std::ios::binary).write(gedcom.data(), static_cast<std::streamsize>(gedcom.size()));
    // The peak memory is that of a single conversion; the time the best of several in another run.
    Figures figures = RunChild(self, file.string(), repeats);
    figures.peakMegabytes = RunChild(self, file.string(), 1).peakMegabytes;
    std::filesystem::remove(file);
    return figures;
}

void Row(const std::string& self, const char* name, const std::string& gedcom, int repeats, const char* goal)
{
    Figures figures = Measure(self, gedcom, repeats);
    double megabytes = gedcom.size() / 1e6;
    size_t persons = CountPersons(gedcom);
    double peak = figures.peakMegabytes * 1.048576; // MiB to MB, as the input is counted
    std::printf("%-20s %7.2f MB %8zu persons %8.1f ms %7.1f MB/s %9.0f persons/s %8.1f MB peak %5.2fx   %s\n", name,
                megabytes, persons, figures.milliseconds, megabytes / (figures.milliseconds / 1000),
                persons / (figures.milliseconds / 1000), peak, peak / megabytes, goal);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--measure") == 0)
        return MeasureFile(argv[2], std::atoi(argv[3]));
    std::string self = std::filesystem::canonical("/proc/self/exe").string();
    std::string folder = std::string(VESTRADA_TESTDATA) + "/gedcom/";
    std::string royal = ReadFile(folder + "royal92.ged");
    std::string presidents = ReadFile(folder + "pres2020.ged");
    if (royal.empty() || presidents.empty()) {
        std::fprintf(stderr, "gedcom_bench: test files not found in %s\n", folder.c_str());
        return 1;
    }
    std::string tenThousand = MakeLargeFile(royal, presidents, 10'000);
    std::string hundredThousand = MakeLargeFile(royal, presidents, 100'000);
    std::printf("%-20s %10s %16s %11s %12s %19s %13s %6s   %s\n", "input", "size", "persons", "time", "speed", "",
                "memory", "", "goal");
    Row(self, "royal92.ged", royal, 5, "under 50 ms");
    Row(self, "pres2020.ged", presidents, 5, "");
    Row(self, "generated 10,000", tenThousand, 3, "(scaling check)");
    Row(self, "generated 100,000", hundredThousand, 3, "under 500 ms, peak at most 3x the input");
    return 0;
}
