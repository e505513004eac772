// Speed of the GEDCOM 5.5 export (with sources and repositories) of the databases imported from royal92.ged,
// pres2020.ged and a generated file of 100,000 persons, beside the leading open desktop program's command-line
// export of the same data (gramps -O NAME -e out.ged, its tree made beforehand from the same GEDCOM file and
// not timed). Goal: at least ten times faster than gramps.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "core/database.h"
#include "core/open_create.h"
#include "exchange/export_data.h"
#include "exchange/gedcom_import.h"
#include "exchange/gedcom_writer.h"
#include "exchange/import_data.h"
#include "exchange/import_log.h"
#include "language/language_table.h"
#include "tests/support/gedcom_generate.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool HasGramps()
{
    return std::system("command -v gramps >/dev/null 2>&1") == 0;
}

// gramps' export of a tree imported (untimed) from the GEDCOM file; seconds, or -1 when it failed.
double GrampsExport(const fs::path& folder, const std::string& gedcom)
{
    const std::string home = "HOME='" + (folder / "home").string() + "' ";
    fs::create_directories(folder / "home");
    const std::string tree = "vestrada_export_bench";
    if (std::system((home + "gramps -y -C " + tree + " -i '" + gedcom + "' >/dev/null 2>&1").c_str()) != 0)
        return -1;
    const auto start = Clock::now();
    const int result =
        std::system((home + "gramps -y -O " + tree + " -e '" + (folder / "gramps.ged").string() + "' >/dev/null 2>&1").c_str());
    const double seconds = Seconds(start);
    return result == 0 ? seconds : -1;
}

void Row(const char* name, const std::string& gedcom, bool withGramps)
{
    const fs::path folder = fs::temp_directory_path() / ("export_bench_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string input = (folder / "input.ged").string();
    std::ofstream(input, std::ios::binary).write(gedcom.data(), static_cast<std::streamsize>(gedcom.size()));
    std::unique_ptr<Database> database(CreateDatabase((folder / "bench.vdb").string().c_str(), true));
    ImportWizardData importBlock;
    ImportLog log;
    if (!database || !InitImportWizardData(importBlock, input.c_str())) {
        std::printf("%-18s import could not start\n", name);
        return;
    }
    log.Create(importBlock.logPath);
    importBlock.log = &log;
    if (!ImportGedcomFile(*database, importBlock)) {
        std::printf("%-18s import failed\n", name);
        return;
    }
    log.Close();
    ExportWizardData block;
    block.format = ExportFormatGedcom55;
    block.includeSources = 1;
    block.includeRepositories = 1;
    const std::string output = (folder / "export.ged").string();
    std::snprintf(block.outputPath, sizeof block.outputPath, "%s", output.c_str());
    const auto start = Clock::now();
    const bool written = ExportGedcomFile(*database, block);
    const double seconds = Seconds(start);
    const double megabytes = written ? static_cast<double>(fs::file_size(output)) / 1e6 : 0;
    const double gramps = withGramps ? GrampsExport(folder, input) : -1;
    char grampsText[32] = "not run";
    if (gramps >= 0)
        std::snprintf(grampsText, sizeof grampsText, "%.2f s", gramps);
    char ratio[32] = "";
    if (gramps > 0 && seconds > 0)
        std::snprintf(ratio, sizeof ratio, "%.1fx", gramps / seconds);
    std::printf("%-18s %9zu %9.3f s %8.1f MB %12s %8s %s\n", name, bench::CountPersons(gedcom), seconds, megabytes,
                grampsText, ratio, written ? "" : "EXPORT FAILED");
    database.reset();
    fs::remove_all(folder);
}

} // namespace

int main(int argc, char** argv)
{
    // gramps' import of the generated file (needed before its export can be timed) runs for well over ten
    // minutes here, so that row has gramps beside it only when asked for.
    const bool grampsLarge = argc > 1 && std::string(argv[1]) == "--gramps-large";
    std::unique_ptr<LanguageTable> language = LanguageTable::LoadFile(VESTRADA_ENGLISH);
    CurrentLanguageTable = language.get();
    const std::string folder = std::string(VESTRADA_TESTDATA) + "/gedcom/";
    const std::string royal = ReadFile(folder + "royal92.ged");
    const std::string presidents = ReadFile(folder + "pres2020.ged");
    if (royal.empty() || presidents.empty()) {
        std::fprintf(stderr, "export_bench: test files not found in %s\n", folder.c_str());
        return 1;
    }
    const bool gramps = HasGramps();
    std::printf("%-18s %9s %11s %11s %12s %8s\n", "database of", "persons", "export", "file", "gramps -e", "faster");
    Row("royal92.ged", royal, gramps);
    Row("pres2020.ged", presidents, gramps);
    Row("generated 100,000", bench::MakeLargeFile(royal, presidents, 100'000), gramps && grampsLarge);
    if (!gramps)
        std::printf("gramps is not installed: its export was not measured beside this one\n");
    else if (!grampsLarge)
        std::printf("gramps beside the generated file: export_bench --gramps-large\n");
    return 0;
}
