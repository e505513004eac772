#include "report/output/report_document_sections.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/temp_tree.h"
#include "platform/file.h"
#include "platform/little_endian.h"
#include "records/source_record.h"
#include "report/output/report_document_reader.h"
#include "tests/support/test_database.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

ReportSettings Settings()
{
    ReportSettings settings {};
    const char* faces[ReportFontCount] = {"Arial", "Arial Narrow", "Times New Roman", "Georgia", "Verdana", "Tahoma",
                                          "Courier New"};
    for (int n = 0; n < ReportFontCount; ++n) {
        std::strcpy(settings.Fonts[n].faceName, faces[n]);
        settings.Fonts[n].weight = n < 2 ? 400 : 700;
        settings.FontSizes[n] = 10 + n;
        settings.FontColors[n] = 0x00010101u * static_cast<std::uint32_t>(n + 1);
    }
    settings.PageNumbering = 1;
    settings.PageNumberAlignment = 2;
    settings.PersonIndex = 1;
    settings.MulticolumnIndex = 0;
    settings.SourceIndex = 1;
    return settings;
}

// What a writer put into a document, read back after it was closed.
class SectionsTest : public ::testing::Test {
protected:
    SectionsTest() { EXPECT_TRUE(writer_.CreateAt(path_.str())); }

    Bytes Written()
    {
        EXPECT_TRUE(writer_.Close());
        std::ifstream in(path_.str(), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    test_support::TempPath path_ {"report.ves"};
    ReportDocumentWriter writer_;
};

TEST_F(SectionsTest, TheHeaderTakesTheReportTypeAndTheSettings)
{
    ReportTypeHeader type;
    type.graphics = 1;
    type.noMargins = 1;
    type.pageSize = 13;
    type.orientation = 1;
    ASSERT_TRUE(WriteReportHeader(writer_, type, Settings()));
    const Bytes bytes = Written();
    ASSERT_EQ(bytes.size(), 46u + 7 * 38);

    ReportDocumentReader reader(bytes.data(), bytes.size());
    ASSERT_EQ(reader.Check(), ReportDocumentCheck::Valid);
    const ReportDocumentHeader& header = reader.Header();
    EXPECT_EQ(header.graphics, 1u);
    EXPECT_EQ(header.margins, 0u);
    EXPECT_EQ(header.pageFormat, 1u);
    EXPECT_EQ(header.orientation, 1);
    EXPECT_EQ(header.pageSize, 13);
    EXPECT_EQ(header.pageNumbering, 1u);
    EXPECT_EQ(header.pageNumberAlignment, 2);
    EXPECT_EQ(header.personIndex, 1u);
    EXPECT_EQ(header.multicolumnIndex, 0u);
    EXPECT_EQ(header.sourceIndex, 1u);
    ASSERT_EQ(reader.StyleRecords(), 7);
    EXPECT_STREQ(reader.Style(FontNormal).faceName, "Arial");
    EXPECT_EQ(reader.Style(FontNormal).bold, 0);
    EXPECT_EQ(reader.Style(FontNormal).size, 10);
    EXPECT_STREQ(reader.Style(FontTitle).faceName, "Times New Roman");
    EXPECT_EQ(reader.Style(FontTitle).bold, 1);
    EXPECT_STREQ(reader.Style(FontHeading4).faceName, "Courier New");
    EXPECT_EQ(reader.Style(FontHeading4).size, 16);
}

TEST_F(SectionsTest, AReportTypeWithoutAPageSizeFixesNoPage)
{
    ReportTypeHeader type;
    type.pageSize = 0;
    type.orientation = 1;
    const ReportDocumentHeader header = DocumentHeaderFor(type, Settings());
    EXPECT_EQ(header.pageFormat, 0u);
    EXPECT_EQ(header.orientation, 0);
    EXPECT_EQ(header.pageSize, 0);
    EXPECT_EQ(header.margins, 1u);
    EXPECT_EQ(header.graphics, 0u);
}

TEST_F(SectionsTest, AStyleTakesBoldFromTheWeightAndTheLowByteOfTheSize)
{
    LogFont font {};
    std::memset(font.faceName, 'F', sizeof font.faceName); // a face without its zero
    font.italic = 1;
    font.underline = 1;
    font.strikeOut = 1;
    const struct {
        std::int32_t weight;
        std::int32_t points;
        std::uint8_t bold;
        std::uint8_t size;
    } cases[] = {{699, 12, 0, 12}, {700, 12, 1, 12}, {900, 300, 1, 44}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        font.weight = c.weight;
        const ReportStyle style = StyleOf(font, c.points);
        EXPECT_EQ(style.bold, c.bold) << c.weight;
        EXPECT_EQ(style.size, c.size) << c.points;
        EXPECT_EQ(style.italic, 1);
        EXPECT_EQ(style.underline, 1);
        EXPECT_EQ(style.strikeOut, 1);
        EXPECT_EQ(std::string(style.faceName), std::string(31, 'F'));
    }
}

TEST_F(SectionsTest, TheTitleRecordWithAndWithoutTitlePage)
{
    DatabaseHeader database {};
    std::strcpy(database.title, "Family");
    std::strcpy(database.copyright, "All rights reserved");
    std::strcpy(database.ownerName, "Kari Nordmann");
    ReportSettings settings = Settings();

    settings.Titlepage = 0;
    ASSERT_TRUE(WriteReportTitle(writer_, "", settings, database)); // nothing for an empty title
    ASSERT_TRUE(WriteReportTitle(writer_, "Ancestors", settings, database));
    settings.Titlepage = 1;
    const std::string longTitle(200, 't');
    ASSERT_TRUE(WriteReportTitle(writer_, longTitle.c_str(), settings, database));
    const Bytes bytes = Written();
    ASSERT_EQ(bytes.size(), 2u * 389);
    EXPECT_EQ(bytes[0], 8);
    EXPECT_EQ(platform::GetU32(bytes.data() + 1), settings.FontColors[ReportFontTitle]);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 5)), "Ancestors");
    EXPECT_EQ(bytes[133], 0);
    EXPECT_EQ(bytes[261], 0);

    const std::uint8_t* second = bytes.data() + 389;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(second + 5)), std::string(127, 't'));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(second + 133)), "Kari Nordmann");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(second + 261)), "All rights reserved");
}

class CitedSourcesTest : public SectionsTest {
protected:
    std::int32_t AddSource(const char* shortTitle, const char* title, const char* author)
    {
        SourceRecord source(*database_);
        source.SetShortTitle(shortTitle);
        source.SetTitle(title);
        source.SetAuthor(author);
        EXPECT_TRUE(source.Save());
        return source.Id();
    }
    void Cite(std::int32_t id, const char* shortTitle) { tree_.InsertSource(id, shortTitle); }

    // The rows of the table as "short|title|author".
    std::vector<std::string> Rows(const Bytes& bytes)
    {
        std::vector<std::string> rows;
        ReportDocumentReader reader(bytes.data(), bytes.size());
        reader.Seek(0);
        ReportRecord record;
        std::vector<std::string> cells;
        while (reader.Next(record)) {
            if (record.kind == ReportRecordKind::TextRun)
                cells.emplace_back(record.text);
            if (cells.size() == 3) {
                rows.push_back(cells[0] + "|" + cells[1] + "|" + cells[2]);
                cells.clear();
            }
        }
        return rows;
    }

    test_support::TestDatabase database_;
    TempTree tree_;
};

TEST_F(CitedSourcesTest, NothingCitedWritesNothing)
{
    ASSERT_TRUE(WriteCitedSources(writer_, tree_, *database_, Settings()));
    EXPECT_TRUE(Written().empty());
}

TEST_F(CitedSourcesTest, OneRowPerSourceInShortTitleOrder)
{
    const std::int32_t census = AddSource("Census", "Census of 1900", "Bureau");
    const std::int32_t church = AddSource("church", "Church book", "Parish");
    const std::int32_t other = AddSource("Church", "Other church book", "");
    Cite(census, "Census");
    Cite(church, "church");
    Cite(church, "church");   // right after itself: no second row
    Cite(other, "Church");    // the same key, cited later: after it
    Cite(church, "church");   // after another source of the same key: a row again
    Cite(4711, "Aardvark");   // no such source: no row
    const ReportSettings settings = Settings();
    {
        auto transaction = test_support::Transaction(*database_);
        ASSERT_TRUE(WriteCitedSources(writer_, tree_, *database_, settings));
    }
    const Bytes bytes = Written();

    EXPECT_EQ(Rows(bytes), (std::vector<std::string> {"Census|Census of 1900|Bureau", "church|Church book|Parish",
                                                       "Church|Other church book|", "church|Church book|Parish"}));
    // A new page, then the table: left, no border, three columns of 250, 800 and 800.
    ASSERT_GE(bytes.size(), 28u);
    EXPECT_EQ(bytes[0], RecordNewPage);
    EXPECT_EQ(bytes[1], RecordTable);
    ReportDocumentReader reader(bytes.data(), bytes.size());
    reader.Seek(1);
    ReportRecord record;
    ASSERT_TRUE(reader.Next(record));
    ASSERT_EQ(record.kind, ReportRecordKind::Table);
    EXPECT_EQ(record.table.alignment, ReportAlignLeft);
    EXPECT_EQ(record.table.borderWidth, 0);
    EXPECT_EQ(record.table.columns, 3);
    EXPECT_EQ(record.table.widths[0], 250);
    EXPECT_EQ(record.table.widths[1], 800);
    EXPECT_EQ(record.table.widths[2], 800);
    // Each cell: no background, then a left run of the normal colour and style.
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.kind, ReportRecordKind::Cell);
    EXPECT_EQ(record.background, NoColor);
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.run.code, RecordTextRun);
    EXPECT_EQ(record.run.alignment, ReportAlignLeft);
    EXPECT_EQ(record.run.size, 0);
    EXPECT_EQ(record.run.color, settings.FontColors[ReportFontNormal]);
    EXPECT_EQ(record.run.styleBits, 0);
    EXPECT_EQ(record.run.style, FontNormal);
    EXPECT_EQ(bytes.back(), RecordTableEnd);
}

TEST_F(CitedSourcesTest, AFailingDiskFailsTheWriter)
{
    const std::string title(127, 'T');
    const std::int32_t ids[2] = {AddSource("One", title.c_str(), "A"), AddSource("Two", title.c_str(), "B")};
    // Keys in a scattered order and the two sources taking turns: hundreds of rows, more than the writer
    // holds back.
    for (int n = 0; n < 1000; ++n)
        Cite(ids[n % 2], std::to_string((n * 7919) % 1000).c_str());
    auto transaction = test_support::Transaction(*database_);
    platform::SetFileFault(platform::FileFaultMode::FailFromNth, 1);
    const bool written = WriteCitedSources(writer_, tree_, *database_, Settings());
    platform::SetFileFault(platform::FileFaultMode::Off, 0);
    EXPECT_FALSE(written);
    EXPECT_TRUE(writer_.Failed());
}

} // namespace
