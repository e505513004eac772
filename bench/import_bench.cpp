// Speed and memory of the whole GEDCOM import (conversion, then the Wexmor import into a new database) of
// royal92.ged, pres2020.ged and generated files of 10,000 and 100,000 persons, beside the floor: the same
// rows, table by table, written by the engine alone in one transaction into a new database. Goals: the
// database write (the Wexmor import) within three times the floor; memory bounded as the file grows; and
// royal92.ged at least ten times faster than the leading open desktop program's command-line import,
// which runs beside it when it is installed (gramps -y -C NAME -i FILE).
//
// Each file is imported in a run of its own (this program started again with --measure and the file), so
// that the peak memory of the process is that of one import.
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/process_memory.h"
#include "tests/support/gedcom_generate.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/open_create.h"
#include "exchange/gedcom_import.h"
#include "exchange/import_data.h"
#include "exchange/import_log.h"
#include "exchange/wexmor_import.h"
#include "language/language_table.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

unsigned long ProcessId()
{
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

std::string ThisProgram(const char* argument0)
{
#ifdef _WIN32
    (void)argument0;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
#else
    (void)argument0;
    return fs::canonical("/proc/self/exe").string();
#endif
}

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes every live row of `source` again, table by table, into a new database in one transaction; the
// seconds it took and the rows written.
double WriteFloor(Database& source, const std::string& path, long& rows)
{
    std::unique_ptr<Database> floor(CreateDatabase(path.c_str(), false));
    if (!floor)
        return -1;
    // Every table's rows, one after another at the table's row length.
    std::vector<std::vector<unsigned char>> tables(TableCount);
    std::vector<std::size_t> lengths(TableCount, 0);
    {
        EngineTransaction reading(source.file, TLV_READ);
        for (int table = 0; table < TableCount; ++table) {
            const std::int32_t id = source.TableId(static_cast<TableNumber>(table));
            TableDefinition definition {};
            if (id == 0 || table == TableMain2 || tlvGetTable(id, &definition, source.file) != 0)
                continue;
            for (int column = 1; column <= definition.columnCount; ++column) {
                ColumnInfo info {};
                if (tlvGetColumn(id, column, &info, source.file) != 0)
                    continue;
                const std::size_t element = info.type == 1 ? 1 : info.type == 5 || info.type == 9 ? 4 : 8;
                lengths[table] = std::max<std::size_t>(lengths[table], info.offset + element * info.count);
            }
            lengths[table] = std::min<std::size_t>(lengths[table], TLV_MAX_RECORD_LENGTH);
            const std::int32_t highest = tlvNumberOfRecords(id, source.file);
            std::vector<unsigned char> row(TLV_MAX_RECORD_LENGTH);
            for (std::int32_t record = 1; record <= highest; ++record)
                if (tlvReadRecord(id, record, row.data(), source.file) == 0)
                    tables[table].insert(tables[table].end(), row.begin(), row.begin() + lengths[table]);
        }
    }
    rows = 0;
    const auto start = Clock::now();
    EngineTransaction writing(floor->file, TLV_READWRITE);
    for (int table = 0; table < TableCount; ++table) {
        const std::int32_t id = floor->TableId(static_cast<TableNumber>(table));
        std::vector<unsigned char> row(TLV_MAX_RECORD_LENGTH);
        for (std::size_t at = 0; lengths[table] > 0 && at < tables[table].size(); at += lengths[table]) {
            std::copy_n(tables[table].begin() + static_cast<std::ptrdiff_t>(at), lengths[table], row.begin());
            const std::int32_t record = tlvNewID(id, floor->file);
            if (record <= 0 || tlvWriteRecord(id, record, row.data(), floor->file) != 0)
                return -1;
            ++rows;
        }
    }
    if (writing.End(true) != 0)
        return -1;
    return Seconds(start);
}

// The child run: imports the file into a new database and prints the conversion's and the database
// write's seconds, the persons stored, the floor's seconds and rows and the peak memory (in MB).
int MeasureFile(const char* path)
{
    bench::PeakMemoryMeter meter;
    const auto megabytes = [](long kb) { return kb < 0 ? -1.0 : kb * 1024.0 / 1e6; };
    std::unique_ptr<LanguageTable> language = LanguageTable::LoadFile(VESTRADA_ENGLISH);
    CurrentLanguageTable = language.get();
    const fs::path folder = fs::temp_directory_path() / ("import_bench_" + std::to_string(ProcessId()));
    fs::create_directories(folder);
    const std::string databasePath = (folder / "import.vdb").string();
    std::unique_ptr<Database> database(CreateDatabase(databasePath.c_str(), true));
    if (!database)
        return 1;
    ImportWizardData block;
    if (!InitImportWizardData(block, path))
        return 1;
    ImportLog log;
    log.Create((folder / "import.log").string().c_str());
    block.log = &log;
    const auto start = Clock::now();
    GedcomImport import(block);
    if (!import.Prepare() || import.Convert(nullptr, {}) != CONVERT_OK)
        return 1;
    const double conversion = Seconds(start);
    const bench::PeakMemory conversionPeak = meter.Peak();
    const bool writePeakApart = meter.Restart();
    const auto writeStart = Clock::now();
    const bool stored = ImportWexmorFile(*database, import.ConvertedBlock());
    const double write = Seconds(writeStart);
    const bench::PeakMemory writePeak = meter.Peak();
    const bench::PeakMemory peak = {
        writePeakApart ? std::max(conversionPeak.residentKb, writePeak.residentKb) : writePeak.residentKb,
        writePeakApart ? std::max(conversionPeak.privateKb, writePeak.privateKb) : writePeak.privateKb};
    log.Close();
    long persons = 0;
    {
        EngineTransaction reading(database->file, TLV_READ);
        std::vector<unsigned char> row(TLV_MAX_RECORD_LENGTH);
        const std::int32_t table = database->TableId(TablePerson);
        for (std::int32_t id = 1; id <= tlvNumberOfRecords(table, database->file); ++id)
            persons += tlvReadRecord(table, id, row.data(), database->file) == 0;
    }
    long rows = 0;
    const double floor = stored ? WriteFloor(*database, (folder / "floor.vdb").string(), rows) : -1;
    if (!stored)
        std::fprintf(stderr, "import stopped: %s\n", ReadFile((folder / "import.log").string()).c_str());
    database.reset();
    const double databaseMegabytes = static_cast<double>(fs::file_size(databasePath)) / 1e6;
    fs::remove_all(folder);
    std::printf("%f %f %ld %f %ld %f %d %f %f %f %f\n", conversion, write, persons, floor, rows,
                megabytes(peak.residentKb), stored ? 1 : 0, databaseMegabytes, megabytes(conversionPeak.residentKb),
                writePeakApart ? megabytes(writePeak.residentKb) : -1.0, megabytes(peak.privateKb));
    return 0;
}

struct Figures {
    double conversion = 0, write = 0, floor = 0, peak = 0, databaseMegabytes = 0, conversionPeak = 0, writePeak = -1,
           privatePeak = -1;
    long persons = 0, rows = 0;
    int stored = 0;
};

Figures RunChild(const std::string& self, const std::string& file)
{
    Figures figures;
#ifdef _WIN32
    const std::string command = "\"\"" + self + "\" --measure \"" + file + "\"\"";
    FILE* child = _popen(command.c_str(), "r");
#else
    const std::string command = "'" + self + "' --measure '" + file + "'";
    FILE* child = popen(command.c_str(), "r");
#endif
    if (child != nullptr) {
        if (std::fscanf(child, "%lf %lf %ld %lf %ld %lf %d %lf %lf %lf %lf", &figures.conversion, &figures.write,
                        &figures.persons, &figures.floor, &figures.rows, &figures.peak, &figures.stored,
                        &figures.databaseMegabytes, &figures.conversionPeak, &figures.writePeak,
                        &figures.privatePeak) != 11)
            figures = {};
#ifdef _WIN32
        _pclose(child);
#else
        pclose(child);
#endif
    }
    return figures;
}

void Row(const std::string& self, const char* name, const std::string& gedcom, bool keepFile = false,
         std::string* kept = nullptr)
{
    const fs::path file = fs::temp_directory_path() / ("import_bench_input_" + std::to_string(ProcessId()) + ".ged");
    std::ofstream(file, std::ios::binary).write(gedcom.data(), static_cast<std::streamsize>(gedcom.size()));
    const Figures f = RunChild(self, file.string());
    const double total = f.conversion + f.write;
    const auto shown = [](double megabytes) {
        char text[32] = "-";
        if (megabytes >= 0)
            std::snprintf(text, sizeof text, "%.1f MB", megabytes);
        return std::string(text);
    };
    std::printf("%-18s %8zu %9ld %8.2f s %8.2f s %8.2f s %9.0f/s %8.2f s %8ld %6.2fx %11s %11s %11s %11s "
                "%8.1f MB %s\n",
                name, bench::CountPersons(gedcom), f.persons, f.conversion, f.write, total,
                total > 0 ? f.persons / total : 0.0, f.floor, f.rows, f.floor > 0 ? f.write / f.floor : 0.0,
                shown(f.conversionPeak).c_str(), shown(f.writePeak).c_str(), shown(f.peak).c_str(),
                shown(f.privatePeak).c_str(), f.databaseMegabytes,
                f.stored ? "" : "STOPPED (see stderr)");
    if (keepFile && kept)
        *kept = file.string();
    else
        fs::remove(file);
}

// The leading open program's command-line import of the same file, when it is installed; seconds or -1.
double Gramps(const std::string& file)
{
#ifdef _WIN32
    (void)file;
    return -1;
#endif
    if (std::system("command -v gramps >/dev/null 2>&1") != 0)
        return -1;
    const std::string tree = "vestrada_bench_" + std::to_string(ProcessId());
    const auto start = Clock::now();
    const std::string command = "gramps -y -C " + tree + " -i '" + file + "' >/dev/null 2>&1";
    const int result = std::system(command.c_str());
    const double seconds = Seconds(start);
    std::system(("gramps -y -r " + tree + " >/dev/null 2>&1").c_str());
    return result == 0 ? seconds : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--measure") == 0)
        return MeasureFile(argv[2]);
    const std::string self = ThisProgram(argv[0]);
    const std::string folder = std::string(VESTRADA_TESTDATA) + "/gedcom/";
    const std::string royal = ReadFile(folder + "royal92.ged");
    const std::string presidents = ReadFile(folder + "pres2020.ged");
    if (royal.empty() || presidents.empty()) {
        std::fprintf(stderr, "import_bench: test files not found in %s\n", folder.c_str());
        return 1;
    }
    // --generate PERSONS FILE writes a generated file, to measure one import with other tools (heaptrack,
    // --measure FILE).
    if (argc == 4 && std::strcmp(argv[1], "--generate") == 0) {
        const std::string gedcom = bench::MakeLargeFile(royal, presidents, std::strtoul(argv[2], nullptr, 10));
        std::ofstream(argv[3], std::ios::binary).write(gedcom.data(), static_cast<std::streamsize>(gedcom.size()));
        return 0;
    }
    std::printf("%-18s %8s %9s %10s %10s %10s %11s %10s %8s %7s %11s %11s %11s %11s %11s\n", "input", "persons",
                "stored", "convert", "db write", "total", "persons", "floor", "rows", "write/", "peak of", "peak of",
                "peak of", "private", "database");
    std::printf("%-18s %8s %9s %10s %10s %10s %11s %10s %8s %7s %11s %11s %11s %11s %11s\n", "", "in file", "", "",
                "", "", "per second", "", "", "floor", "conversion", "db write", "import", "of import", "file");
    Row(self, "royal92.ged", royal);
    Row(self, "pres2020.ged", presidents);
    Row(self, "generated 10,000", bench::MakeLargeFile(royal, presidents, 10'000));
    Row(self, "generated 100,000", bench::MakeLargeFile(royal, presidents, 100'000));
    const double gramps = Gramps(folder + "royal92.ged");
    if (gramps >= 0)
        std::printf("gramps -y -C NAME -i royal92.ged: %.2f s\n", gramps);
#ifdef _WIN32
    else
        std::printf("gramps runs beside the native benchmark only: compare with its figure there\n");
#else
    else
        std::printf("gramps is not installed: its import of royal92.ged was not measured beside this one\n");
#endif
    return 0;
}
