// The exported files read by a real peer: the GEDCOM import of gramps' command line (Debian's package, which
// scripts/setup installs), each file into a fresh family tree with a home folder of the test's own. The test
// fails on anything gramps reports about the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "exchange/export_data.h"
#include "exchange/gedcom_writer.h"
#include "exchange/tests/gedcom_test_support.h"
#include "exchange/tests/import_test_support.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using namespace import_test;
using test_support::ScopedLanguage;
using test_support::TempPath;
using test_support::TestDatabase;

bool HasGramps()
{
#ifdef _WIN32
    return false;
#else
    return std::system("command -v gramps >/dev/null 2>&1") == 0;
#endif
}

std::size_t CountOf(const std::string& text, const std::string& piece)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
        ++count;
    return count;
}

// What gramps holds against the file: "" when nothing, else its report. Two kinds of entries are not the
// file's fault: gramps 5.1 does not know the GEDC structure's FORM line, which GEDCOM 5.5 requires, and it
// reports media links to files that are not on this disk (the test data's links name files that never
// came with it). Nor is a citation of an information note: GEDCOM 5.5 lets a NOTE carry SOUR lines, which
// gramps knows but does not keep.
std::string GrampsComplaints(const std::string& folder, const std::string& file, int tree)
{
    const std::string output = folder + "gramps" + std::to_string(tree) + ".txt";
    const std::string command = "HOME='" + folder + "home' gramps -y -C tree" + std::to_string(tree) + " -i '" + file +
                                "' >'" + output + "' 2>&1";
    const int result = std::system(command.c_str());
    const std::string text = ReadWholeFile(output);
    if (result != 0 || text.find("Opened successfully!") == std::string::npos ||
        text.find("Cleaning up.") == std::string::npos)
        return "gramps did not finish the import: " + text;
    const std::string heading = "GEDCOM import report: ";
    const std::size_t at = text.find(heading);
    if (at == std::string::npos)
        return std::string();
    const std::string report = text.substr(at, text.find("Cleaning up.", at) - at);
    const long errors = std::strtol(report.c_str() + heading.size(), nullptr, 10);
    static const std::regex noteCitation("Tag recognized but not supported +Line +[0-9]+: 2 SOUR @S[0-9]+@");
    const auto citations = std::distance(std::sregex_iterator(report.begin(), report.end(), noteCitation),
                                         std::sregex_iterator());
    const std::size_t excused = CountOf(report, "2 FORM LINEAGE-LINKED") + CountOf(report, "Could not import ") +
                                static_cast<std::size_t>(citations);
    return errors > static_cast<long>(excused) ? report : std::string();
}

TEST(GedcomPeer, GrampsReadsTheExportedFilesWithoutComplaint)
{
    if (!HasGramps())
        GTEST_SKIP() << "gramps is not installed (scripts/setup installs it)";
    ScopedLanguage language(ScopedLanguage::Master());
    TempPath place("x", "vestrada_gedcom_peer_");
    const std::string folder(ImportFolderOf(place.str()));
    int tree = 0;
    // GEDCOM files marked ANSI hold Windows text, whose bytes 0x80 to 0x9F gramps reads as control
    // characters: files with such characters (the torture test's notes) are written as ANSEL here.
    const struct {
        const char* name;
        std::uint8_t charset;
    } inputs[] = {{"TGC55C.ged", GedcomCharsetAnsel}, {"kennedy.ged", GedcomCharsetAnsi},
                  {"555SAMPLE.GED", GedcomCharsetAnsi}, {"bronte.ged", GedcomCharsetAnsi}};
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.name);
        TestDatabase database(true, (std::string(input.name) + ".vdb").c_str());
        GedcomRun run(*database, (TestDataFolder() / input.name).string(), folder + input.name + ".log");
        ASSERT_TRUE(run.stored) << run.Log();
        for (const std::uint32_t format : {ExportFormatGedcom55, ExportFormatGedcom551, ExportFormatGedcom4}) {
            ExportWizardData block;
            block.format = format;
            block.gedcomCharacterSet = input.charset;
            block.includeSources = block.includeRepositories = block.includeObjects = 1;
            const std::string file = folder + input.name + "." + std::to_string(format) + ".ged";
            std::snprintf(block.outputPath, sizeof block.outputPath, "%s", file.c_str());
            ASSERT_TRUE(ExportGedcomFile(*database, block));
            EXPECT_EQ(GrampsComplaints(folder, file, ++tree), "") << "format " << format;
        }
    }
}

} // namespace
