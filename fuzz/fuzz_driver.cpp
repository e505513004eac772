// Stand-alone driver for the fuzz targets when they are not built with libFuzzer: runs every seed file
// (or every file of a seed folder) once, then a fixed number of mutations of them (bit flips, byte changes,
// cuts, duplicated and removed runs) from a fixed seed, so that a failure repeats exactly.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Run(const Bytes& input)
{
    // A copy of exactly the input's size, so that a read past its end is caught by the sanitizer.
    auto* copy = static_cast<uint8_t*>(std::malloc(input.size() ? input.size() : 1));
    if (!input.empty())
        std::memcpy(copy, input.data(), input.size());
    LLVMFuzzerTestOneInput(copy, input.size());
    std::free(copy);
}

Bytes Mutate(const Bytes& seed, std::mt19937& random)
{
    Bytes out = seed;
    int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i) {
        size_t size = out.size();
        switch (random() % 6) {
        case 0: // flip a bit
            if (size)
                out[random() % size] ^= static_cast<uint8_t>(1u << (random() % 8));
            break;
        case 1: // any byte
            if (size)
                out[random() % size] = static_cast<uint8_t>(random());
            break;
        case 2: // cut the tail
            if (size)
                out.resize(random() % size);
            break;
        case 3: { // remove a run
            if (size < 2)
                break;
            size_t at = random() % size;
            size_t len = 1 + random() % std::min<size_t>(64, size - at);
            out.erase(out.begin() + at, out.begin() + at + len);
            break;
        }
        case 4: { // repeat a run
            if (!size)
                break;
            size_t at = random() % size;
            size_t len = 1 + random() % std::min<size_t>(64, size - at);
            Bytes run(out.begin() + at, out.begin() + at + len);
            out.insert(out.begin() + random() % (size + 1), run.begin(), run.end());
            break;
        }
        case 5: { // an interesting byte
            static const uint8_t interesting[] = {0, 0xFF, 0x7F, 0x80, '<', '>', '/', '"', '@', '\n', '\r', ' ', '0'};
            if (size)
                out[random() % size] = interesting[random() % sizeof interesting];
            break;
        }
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    long iterations = 1000;
    std::vector<Bytes> seeds;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--iterations=", 13) == 0) {
            iterations = std::strtol(argv[i] + 13, nullptr, 10);
            continue;
        }
        std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file())
                    seeds.push_back(ReadWholeFile(entry.path()));
        } else {
            seeds.push_back(ReadWholeFile(path));
        }
    }
    if (seeds.empty())
        seeds.push_back(Bytes());

    for (const Bytes& seed : seeds)
        Run(seed);
    std::mt19937 random(20261210);
    for (long i = 0; i < iterations; ++i)
        Run(Mutate(seeds[random() % seeds.size()], random));
    std::printf("fuzz: %zu seeds, %ld mutations, no failure\n", seeds.size(), iterations);
    return 0;
}
