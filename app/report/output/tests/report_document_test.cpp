#include "report/output/report_document.h"
#include "report/output/report_document_reader.h"
#include "report/output/report_document_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/little_endian.h"
#include "tests/support/test_folder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ReportDocuments : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const { return (folder_ / name).string(); }

    // A document written by `write` between the header with seven styles and the closing zero bytes.
    template <typename Write>
    Bytes Document(Write write)
    {
        ReportDocumentWriter writer;
        EXPECT_TRUE(writer.CreateAt(PathOf("doc.ves")));
        writer.WriteHeader(ReportDocumentHeader());
        for (int n = 0; n < ReportStyleCount; ++n) {
            ReportStyle style;
            std::strcpy(style.faceName, "Arial");
            style.size = static_cast<std::uint8_t>(10 + n);
            writer.WriteStyle(style);
        }
        write(writer);
        writer.WriteCode(0);
        writer.WriteCode(0);
        writer.WriteCode(0);
        EXPECT_TRUE(writer.Close());
        const std::string path = writer.Release();
        Bytes bytes = ReadAll(path);
        platform::RemoveFile(path);
        return bytes;
    }

    std::filesystem::path folder_ = test_support::ClaimTestFolder();
};

std::vector<ReportRecord> Records(const Bytes& bytes, bool* damaged = nullptr)
{
    ReportDocumentReader reader(bytes.data(), bytes.size());
    EXPECT_EQ(reader.Check(), ReportDocumentCheck::Valid);
    std::vector<ReportRecord> records;
    ReportRecord record;
    while (reader.Next(record))
        records.push_back(record);
    if (damaged != nullptr)
        *damaged = reader.Damaged();
    return records;
}

TEST_F(ReportDocuments, AnEmptyDocumentIsItsHeaderStylesAndThreeZeroBytes)
{
    const Bytes bytes = Document([](ReportDocumentWriter&) {});
    ASSERT_EQ(bytes.size(), 315u);
    EXPECT_EQ(bytes[0], 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 1), 7), std::string("VESRPT\0", 7));
    EXPECT_EQ(platform::GetU32(bytes.data() + 8), 10403u);
    EXPECT_EQ(bytes[46], 9);
    EXPECT_EQ(bytes[46 + 37], 10);
    EXPECT_EQ(bytes[46 + 6 * 38], 9);
    EXPECT_EQ(bytes[312], 0);

    ReportDocumentReader reader(bytes.data(), bytes.size());
    ASSERT_EQ(reader.Check(), ReportDocumentCheck::Valid);
    EXPECT_EQ(reader.BodyStart(), ReportDocumentBodyStart);
    EXPECT_EQ(reader.StyleRecords(), 7);
    EXPECT_STREQ(reader.Style(FontHeading4).faceName, "Arial");
    EXPECT_EQ(reader.Style(FontHeading4).size, 16);
    EXPECT_EQ(reader.Style(200).size, 10); // no such style: the normal one
    ReportRecord record;
    EXPECT_FALSE(reader.Next(record));
    EXPECT_EQ(record.kind, ReportRecordKind::End);
    EXPECT_FALSE(reader.Damaged());
}

TEST_F(ReportDocuments, TheHeaderFieldsStandAtTheirOffsets)
{
    ReportDocumentHeader header;
    header.graphics = 1;
    header.margins = 0;
    header.pageFormat = 1;
    header.orientation = 1;
    header.pageSize = 12;
    header.pageNumbering = 1;
    header.pageNumberAlignment = 2;
    header.personIndex = 3;
    header.multicolumnIndex = 4;
    header.sourceIndex = 5;
    std::uint8_t bytes[ReportDocumentHeaderSize] = {};
    ASSERT_EQ(EncodeDocumentHeader(header, bytes), 46u);
    EXPECT_EQ(platform::GetU32(bytes + 12), 1u);
    EXPECT_EQ(platform::GetU32(bytes + 16), 0u);
    EXPECT_EQ(platform::GetU32(bytes + 20), 1u);
    EXPECT_EQ(platform::GetU16(bytes + 24), 1u);
    EXPECT_EQ(platform::GetU16(bytes + 26), 12u);
    EXPECT_EQ(platform::GetU32(bytes + 28), 1u);
    EXPECT_EQ(platform::GetU16(bytes + 32), 2u);
    EXPECT_EQ(platform::GetU32(bytes + 34), 3u);
    EXPECT_EQ(platform::GetU32(bytes + 38), 4u);
    EXPECT_EQ(platform::GetU32(bytes + 42), 5u);
    ReportDocumentHeader read;
    DecodeDocumentHeader(bytes, read);
    EXPECT_EQ(read.pageSize, 12);
    EXPECT_EQ(read.sourceIndex, 5u);
    EXPECT_EQ(read.pageNumberAlignment, 2);
}

// Each record's encoder and decoder run one description of its fields, so a field at a wrong offset would
// still read back as written: the bytes themselves are checked here, a table of fields per record.
struct StoredField {
    std::size_t at;
    int width; // 1, 2 or 4 bytes
    std::uint32_t value;
};

void ExpectFields(const std::uint8_t* bytes, std::initializer_list<StoredField> fields, const char* record)
{
    for (const StoredField& field : fields) {
        const std::uint32_t stored = field.width == 1   ? bytes[field.at]
                                     : field.width == 2 ? platform::GetU16(bytes + field.at)
                                                        : platform::GetU32(bytes + field.at);
        EXPECT_EQ(stored, field.value) << record << " at " << field.at;
    }
}

std::string TextAt(const std::uint8_t* bytes, std::size_t at)
{
    return reinterpret_cast<const char*>(bytes + at);
}

TEST(ReportDocumentRecords, TheFieldsOfEveryRecordStandAtTheirOffsets)
{
    std::uint8_t bytes[LargestRecordSize + 64];

    ReportStyle style;
    std::strcpy(style.faceName, "Tahoma");
    style.bold = 1;
    style.italic = 2;
    style.underline = 3;
    style.strikeOut = 4;
    style.size = 11;
    EncodeStyle(style, bytes);
    ExpectFields(bytes, {{0, 1, RecordStyle}, {33, 1, 1}, {34, 1, 2}, {35, 1, 3}, {36, 1, 4}, {37, 1, 11}}, "style");
    EXPECT_EQ(TextAt(bytes, 1), "Tahoma");

    TextRunHeader run;
    run.code = RecordParagraphText;
    run.alignment = ReportAlignRight;
    run.size = 9;
    run.color = 0x00102030;
    run.styleBits = StyleUnderline;
    run.style = FontHeading3;
    EncodeTextRunHeader(run, bytes);
    ExpectFields(bytes,
                 {{0, 1, RecordParagraphText}, {1, 1, ReportAlignRight}, {2, 1, 9}, {3, 4, 0x00102030},
                  {7, 1, StyleUnderline}, {8, 1, FontHeading3}},
                 "text run");

    TableHeader table;
    table.alignment = ReportAlignCentre;
    table.borderWidth = 2;
    table.columns = 2;
    table.leftMargin = -1;
    table.topMargin = 2;
    table.rightMargin = 3;
    table.bottomMargin = 4;
    table.widths[0] = 300;
    table.widths[1] = 700;
    EncodeTable(table, bytes);
    ExpectFields(bytes,
                 {{0, 1, RecordTable}, {1, 1, ReportAlignCentre}, {2, 1, 2}, {3, 2, 2}, {5, 4, 0xFFFFFFFF}, {9, 4, 2},
                  {13, 4, 3}, {17, 4, 4}, {21, 2, 300}, {23, 2, 700}},
                 "table");

    DrawingRecord line;
    line.kind = DrawLine;
    line.x = -5;
    line.y = 6;
    line.color = 0x00ABCDEF;
    EncodeDrawing(line, bytes);
    ExpectFields(bytes, {{0, 1, RecordDrawing}, {1, 1, DrawLine}, {2, 4, 0xFFFFFFFB}, {6, 4, 6}, {10, 4, 0x00ABCDEF}},
                 "line");

    DrawingRecord circle;
    circle.kind = DrawCircle;
    circle.radius = 77;
    circle.color = 0x00010203;
    EncodeDrawing(circle, bytes);
    ExpectFields(bytes, {{1, 1, DrawCircle}, {2, 2, 77}, {4, 4, 0x00010203}}, "circle");

    DrawingRecord rectangle;
    rectangle.kind = DrawRectangle;
    rectangle.width = 40;
    rectangle.height = 30;
    rectangle.color = 0x00040506;
    rectangle.shape = RectShadow;
    EncodeDrawing(rectangle, bytes);
    ExpectFields(bytes, {{1, 1, DrawRectangle}, {2, 2, 40}, {4, 2, 30}, {6, 4, 0x00040506}, {10, 1, RectShadow}},
                 "rectangle");

    DrawingRecord pen;
    pen.kind = DrawPenWidth;
    pen.penValue = 12;
    EncodeDrawing(pen, bytes);
    ExpectFields(bytes, {{1, 1, DrawPenWidth}, {2, 4, 12}}, "pen width");

    DrawingRecord box;
    box.kind = DrawTextBox;
    box.width = 300;
    box.height = 120;
    box.borderWidth = 3;
    box.borderColor = 0x00111111;
    box.background = 0x00222222;
    box.alignment = ReportAlignRight;
    box.angle = 900;
    box.size = 14;
    box.textColor = 0x00333333;
    box.styleBits = StyleBold;
    box.leftMargin = 5;
    box.topMargin = 6;
    box.rightMargin = 7;
    box.bottomMargin = 8;
    EncodeDrawing(box, bytes);
    ExpectFields(bytes,
                 {{1, 1, DrawTextBox}, {2, 2, 300}, {4, 2, 120}, {6, 1, 3}, {7, 4, 0x00111111}, {11, 4, 0x00222222},
                  {15, 1, ReportAlignRight}, {16, 2, 900}, {18, 1, 14}, {19, 4, 0x00333333}, {23, 1, StyleBold},
                  {24, 4, 5}, {28, 4, 6}, {32, 4, 7}, {36, 4, 8}},
                 "text box");

    DrawingRecord sector;
    sector.kind = DrawSector;
    sector.borderWidth = 2;
    sector.borderColor = 0x00444444;
    sector.background = 0x00555555;
    sector.alignment = ReportAlignLeft;
    sector.positionAngle = 450;
    sector.widthAngle = 300;
    sector.innerRadius = 100;
    sector.outerRadius = 500;
    sector.size = 8;
    sector.textColor = 0x00666666;
    sector.styleBits = StyleItalic;
    sector.leftMargin = 1;
    sector.topMargin = 2;
    sector.rightMargin = 3;
    sector.bottomMargin = 4;
    EncodeDrawing(sector, bytes);
    ExpectFields(bytes,
                 {{1, 1, DrawSector}, {2, 1, 2}, {3, 4, 0x00444444}, {7, 4, 0x00555555}, {11, 1, ReportAlignLeft},
                  {12, 2, 450}, {14, 2, 300}, {16, 2, 100}, {18, 2, 500}, {20, 1, 8}, {21, 4, 0x00666666},
                  {25, 1, StyleItalic}, {26, 4, 1}, {30, 4, 2}, {34, 4, 3}, {38, 4, 4}},
                 "sector");

    PictureHeader picture;
    picture.largestWidth = 400;
    picture.largestHeight = 250;
    picture.alignment = ReportAlignRight;
    picture.frameWidth = 2;
    picture.frameColor = 0x00777777;
    picture.resize = ResizeScale;
    picture.imageSize = 123456;
    EncodePictureHeader(picture, bytes);
    ExpectFields(bytes,
                 {{0, 1, RecordPicture}, {1, 2, 400}, {3, 2, 250}, {5, 1, ReportAlignRight}, {6, 1, 2},
                  {7, 4, 0x00777777}, {11, 1, ResizeScale}, {12, 4, 123456}},
                 "picture");

    TitleRecord title;
    title.color = 0x00888888;
    std::strcpy(title.title, "Family");
    std::strcpy(title.firstText, "first");
    std::strcpy(title.secondText, "second");
    EncodeTitle(title, bytes);
    ExpectFields(bytes, {{0, 1, RecordTitle}, {1, 4, 0x00888888}}, "title");
    EXPECT_EQ(TextAt(bytes, 5), "Family");
    EXPECT_EQ(TextAt(bytes, 5 + 128), "first");
    EXPECT_EQ(TextAt(bytes, 5 + 256), "second");

    EncodeIndexEntry(IndexEntry {3, 17}, bytes);
    ExpectFields(bytes, {{0, 1, RecordIndexEntry}, {1, 4, 3}, {5, 4, 17}}, "index entry");

    ChartHeader chart;
    chart.type = ChartTypeLine;
    chart.width = 900;
    chart.height = 600;
    chart.alignment = ReportAlignLeft;
    chart.border = 1;
    chart.borderColor = 0x00999999;
    chart.color = 0x00AAAAAA;
    chart.showValues = 1;
    chart.showLabels = 2;
    chart.showXGrid = 3;
    chart.showYGrid = 4;
    chart.fontSize = 10;
    chart.points = 5;
    EncodeChartHeader(chart, bytes);
    ExpectFields(bytes,
                 {{0, 1, RecordChart}, {1, 1, ChartTypeLine}, {2, 2, 900}, {4, 2, 600}, {6, 1, ReportAlignLeft},
                  {7, 1, 1}, {8, 4, 0x00999999}, {12, 4, 0x00AAAAAA}, {16, 1, 1}, {17, 1, 2}, {18, 1, 3}, {19, 1, 4},
                  {20, 1, 10}, {21, 1, 5}},
                 "chart");

    ChartPoint point;
    std::strcpy(point.label, "1900");
    point.value = -2.5;
    EncodeChartPoint(point, bytes);
    ExpectFields(bytes, {{0, 1, RecordChartPoint}}, "chart point");
    EXPECT_EQ(TextAt(bytes, 1), "1900");
    EXPECT_EQ(platform::GetU64(bytes + 1 + ChartLabelSize), 0xC004000000000000u); // -2.5 as an IEEE double
}

TEST_F(ReportDocuments, ABoldItalicRunIsItsHeaderAndText)
{
    const Bytes bytes = Document([](ReportDocumentWriter& writer) {
        TextRunHeader run;
        run.styleBits = StyleBold | StyleItalic;
        writer.WriteTextRunHeader(run);
        writer.WriteTextAndEnd("Hi");
    });
    const Bytes body(bytes.begin() + 312, bytes.end());
    EXPECT_EQ(body, (Bytes {0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x48, 0x69, 0x00, 0, 0, 0}));
}

TEST_F(ReportDocuments, EveryRecordReadsBackAsWritten)
{
    static const std::uint8_t image[] = {0x89, 'P', 'N', 'G', 0, 1, 2};
    const Bytes bytes = Document([](ReportDocumentWriter& writer) {
        TextRunHeader run;
        run.alignment = ReportAlignRight;
        run.size = 14;
        run.color = 0x00123456;
        run.style = FontHeading2;
        writer.WriteTextRunHeader(run);
        writer.WriteTextAndEnd("ab");
        writer.WriteCode(RecordNewParagraph);
        writer.WriteTextAndEnd("cd");

        TableHeader table;
        table.columns = 2;
        table.borderWidth = 1;
        table.leftMargin = -3;
        table.bottomMargin = 12;
        table.widths[0] = 250;
        table.widths[1] = 800;
        writer.WriteTable(table);
        writer.WriteCell(NoColor);
        writer.WriteTextRunHeader(TextRunHeader());
        writer.WriteCode(0); // a cell without a value
        writer.WriteCell(0x00FF0000);
        writer.WriteTextRunHeader(TextRunHeader());
        writer.WriteTextAndEnd("cell");
        writer.WriteCode(RecordTableEnd);

        DrawingRecord line;
        line.kind = DrawLine;
        line.x = -20;
        line.y = 35;
        line.color = 0x0000FF;
        writer.WriteDrawing(line);
        DrawingRecord box;
        box.kind = DrawTextBox;
        box.width = 300;
        box.height = 120;
        box.angle = 900;
        box.textColor = 0x00ABCDEF;
        box.bottomMargin = 7;
        writer.WriteDrawing(box, "boxed");
        DrawingRecord sector;
        sector.kind = DrawSector;
        sector.positionAngle = 450;
        sector.widthAngle = 300;
        sector.outerRadius = 500;
        sector.leftMargin = 4;
        writer.WriteDrawing(sector);

        PictureHeader picture;
        picture.largestWidth = 400;
        picture.resize = ResizeScale;
        picture.imageSize = sizeof image;
        writer.WritePicture(picture, "png", image);
        writer.WriteCode(RecordPictureEnd);

        TitleRecord title;
        title.color = 7;
        std::strcpy(title.title, "Family");
        std::strcpy(title.secondText, "rights");
        writer.WriteTitle(title);
        writer.WriteIndexEntry(IndexEntry {3, IndexEntryOwnPage}, "Smith");

        ChartHeader chart;
        chart.type = ChartTypeArea;
        chart.points = 1;
        chart.width = 900;
        writer.WriteChartHeader(chart);
        ChartPoint point;
        std::strcpy(point.label, "1900");
        point.value = -2.5;
        writer.WriteChartPoint(point);
        writer.WriteCode(RecordChartEnd);
        writer.WriteCode(RecordNewPage);
    });

    bool damaged = true;
    const std::vector<ReportRecord> r = Records(bytes, &damaged);
    EXPECT_FALSE(damaged);
    const std::vector<ReportRecordKind> kinds = {
        ReportRecordKind::TextRun,   ReportRecordKind::Layout,   ReportRecordKind::Text,
        ReportRecordKind::Table,     ReportRecordKind::Cell,     ReportRecordKind::TextRun,
        ReportRecordKind::Cell,      ReportRecordKind::TextRun,  ReportRecordKind::TableEnd,
        ReportRecordKind::Drawing,   ReportRecordKind::Drawing,  ReportRecordKind::Drawing,
        ReportRecordKind::Picture,   ReportRecordKind::PictureEnd, ReportRecordKind::Title,
        ReportRecordKind::IndexEntry, ReportRecordKind::Chart,   ReportRecordKind::ChartPoint,
        ReportRecordKind::ChartEnd,  ReportRecordKind::Layout,
    };
    ASSERT_EQ(r.size(), kinds.size());
    for (std::size_t n = 0; n < kinds.size(); ++n)
        EXPECT_EQ(r[n].kind, kinds[n]) << n;

    EXPECT_EQ(r[0].run.alignment, ReportAlignRight);
    EXPECT_EQ(r[0].run.size, 14);
    EXPECT_EQ(r[0].run.color, 0x00123456u);
    EXPECT_EQ(r[0].run.style, FontHeading2);
    EXPECT_EQ(r[0].text, "ab");
    EXPECT_EQ(r[1].code, RecordNewParagraph);
    EXPECT_EQ(r[2].text, "cd");
    EXPECT_EQ(r[3].table.columns, 2);
    EXPECT_EQ(r[3].table.borderWidth, 1);
    EXPECT_EQ(r[3].table.leftMargin, -3);
    EXPECT_EQ(r[3].table.bottomMargin, 12);
    EXPECT_EQ(r[3].table.widths[1], 800);
    EXPECT_EQ(r[4].background, NoColor);
    EXPECT_EQ(r[5].text, "");
    EXPECT_EQ(r[6].background, 0x00FF0000u);
    EXPECT_EQ(r[7].text, "cell");
    EXPECT_EQ(r[9].drawing.kind, DrawLine);
    EXPECT_EQ(r[9].drawing.x, -20);
    EXPECT_EQ(r[9].drawing.y, 35);
    EXPECT_EQ(r[9].drawing.color, 0x0000FFu);
    EXPECT_EQ(r[10].drawing.angle, 900);
    EXPECT_EQ(r[10].drawing.height, 120);
    EXPECT_EQ(r[10].drawing.textColor, 0x00ABCDEFu);
    EXPECT_EQ(r[10].drawing.bottomMargin, 7);
    EXPECT_EQ(r[10].text, "boxed");
    EXPECT_EQ(r[11].drawing.positionAngle, 450);
    EXPECT_EQ(r[11].drawing.outerRadius, 500);
    EXPECT_EQ(r[11].drawing.leftMargin, 4);
    EXPECT_EQ(r[11].text, "");
    EXPECT_EQ(r[12].picture.largestWidth, 400);
    EXPECT_EQ(r[12].picture.resize, ResizeScale);
    EXPECT_EQ(r[12].text, "png");
    ASSERT_EQ(r[12].picture.imageSize, sizeof image);
    EXPECT_EQ(std::memcmp(r[12].image, image, sizeof image), 0);
    EXPECT_EQ(r[14].title.color, 7u);
    EXPECT_STREQ(r[14].title.title, "Family");
    EXPECT_STREQ(r[14].title.firstText, "");
    EXPECT_STREQ(r[14].title.secondText, "rights");
    EXPECT_EQ(r[15].index.group, 3u);
    EXPECT_EQ(r[15].index.page, IndexEntryOwnPage);
    EXPECT_EQ(r[15].text, "Smith");
    EXPECT_EQ(r[16].chart.type, ChartTypeArea);
    EXPECT_EQ(r[16].chart.width, 900);
    EXPECT_STREQ(r[17].point.label, "1900");
    EXPECT_EQ(r[17].point.value, -2.5);
    EXPECT_EQ(r[19].code, RecordNewPage);
}

TEST_F(ReportDocuments, RecordsHaveTheirLengths)
{
    std::uint8_t bytes[LargestRecordSize + 64];
    EXPECT_EQ(EncodeTitle(TitleRecord(), bytes), 389u);
    EXPECT_EQ(EncodeChartHeader(ChartHeader(), bytes), 22u);
    EXPECT_EQ(EncodeChartPoint(ChartPoint(), bytes), 41u);
    EXPECT_EQ(EncodePictureHeader(PictureHeader(), bytes), 16u);
    EXPECT_EQ(EncodeIndexEntry(IndexEntry(), bytes), 9u);
    EXPECT_EQ(EncodeCell(NoColor, bytes), 5u);
    TableHeader table;
    table.columns = 3;
    EXPECT_EQ(EncodeTable(table, bytes), 27u);
    const struct {
        DrawingKind kind;
        std::size_t size;
    } drawings[] = {{DrawMove, 10},     {DrawTextBox, 40}, {DrawLine, 14},     {DrawCircle, 8},    {DrawRectangle, 11},
                    {DrawSector, 42},   {DrawPenColor, 6}, {DrawPenWidth, 6},  {DrawPenStyle, 6}};
    for (const auto& d : drawings) {
        DrawingRecord drawing;
        drawing.kind = d.kind;
        EXPECT_EQ(EncodeDrawing(drawing, bytes), d.size) << int(d.kind);
        EXPECT_EQ(bytes[0], RecordDrawing);
        EXPECT_EQ(bytes[1], d.kind);
    }
    EXPECT_EQ(DrawingRecordSize(0), 0u);
    EXPECT_EQ(DrawingRecordSize(10), 0u);
    // A chart without points is its header and the end of the chart.
    const ChartHeader empty;
    EXPECT_EQ(EncodeChartHeader(empty, bytes), ChartHeaderSize);
    EXPECT_EQ(bytes[21], 0);
}

TEST_F(ReportDocuments, TheHeaderDecidesWhetherADocumentIsRead)
{
    const Bytes sound = Document([](ReportDocumentWriter&) {});
    Bytes badMagic = sound;
    badMagic[7] = 'X';
    Bytes badCode = sound;
    badCode[0] = 4;
    Bytes badVersion = sound;
    platform::PutU32(badVersion.data() + 8, 10402);
    const struct {
        const char* what;
        Bytes bytes;
        ReportDocumentCheck check;
    } cases[] = {
        {"sound", sound, ReportDocumentCheck::Valid},
        {"magic", badMagic, ReportDocumentCheck::UnknownFormat},
        {"first byte", badCode, ReportDocumentCheck::UnknownFormat},
        {"version", badVersion, ReportDocumentCheck::InvalidVersion},
        {"cut header", Bytes(sound.begin(), sound.begin() + 45), ReportDocumentCheck::UnknownFormat},
        {"empty", Bytes(), ReportDocumentCheck::UnknownFormat},
    };
    for (const auto& c : cases) {
        ReportDocumentReader reader(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(reader.Check(), c.check) << c.what;
    }
    EXPECT_STREQ(ReportDocumentCheckMessageKey(ReportDocumentCheck::UnknownFormat), "REPORT_UNKNOWNFORMAT");
    EXPECT_STREQ(ReportDocumentCheckMessageKey(ReportDocumentCheck::InvalidVersion), "REPORT_INVALIDVERSION");
    EXPECT_EQ(ReportDocumentCheckMessageKey(ReportDocumentCheck::Valid), nullptr);
}

TEST_F(ReportDocuments, AStyleBlockOfAnotherLengthIsRead)
{
    Bytes bytes = Document([](ReportDocumentWriter& writer) { writer.WriteCode(RecordNewLine); });
    // Two styles fewer: the body starts earlier and the missing styles are empty.
    Bytes fewer(bytes.begin(), bytes.begin() + 46 + 5 * 38);
    fewer.insert(fewer.end(), bytes.begin() + 312, bytes.end());
    ReportDocumentReader reader(fewer.data(), fewer.size());
    ASSERT_EQ(reader.Check(), ReportDocumentCheck::Valid);
    EXPECT_EQ(reader.StyleRecords(), 5);
    EXPECT_EQ(reader.BodyStart(), 46u + 5 * 38);
    EXPECT_EQ(reader.Style(FontHeading4).size, 0);
    ReportRecord record;
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.code, RecordNewLine);

    // An eighth style is passed over.
    Bytes more(bytes.begin(), bytes.begin() + 312);
    more.insert(more.end(), bytes.begin() + 46, bytes.begin() + 46 + 38);
    more.insert(more.end(), bytes.begin() + 312, bytes.end());
    ReportDocumentReader longer(more.data(), more.size());
    ASSERT_EQ(longer.Check(), ReportDocumentCheck::Valid);
    EXPECT_EQ(longer.StyleRecords(), 8);
    EXPECT_EQ(longer.Style(FontNormal).size, 10);
    ASSERT_TRUE(longer.Next(record));
    EXPECT_EQ(record.code, RecordNewLine);
}

TEST_F(ReportDocuments, ADocumentCutAnywhereIsReadNoFurtherThanItsEnd)
{
    static const std::uint8_t image[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const Bytes whole = Document([](ReportDocumentWriter& writer) {
        writer.WriteTextRunHeader(TextRunHeader());
        writer.WriteTextAndEnd("text");
        TableHeader table;
        table.columns = 3;
        writer.WriteTable(table);
        DrawingRecord box;
        box.kind = DrawTextBox;
        writer.WriteDrawing(box, "in a box");
        PictureHeader picture;
        picture.imageSize = sizeof image;
        writer.WritePicture(picture, "jpg", image);
        writer.WriteTitle(TitleRecord());
        writer.WriteIndexEntry(IndexEntry(), "entry");
        writer.WriteChartHeader(ChartHeader());
        writer.WriteChartPoint(ChartPoint());
    });
    const std::size_t records = Records(whole).size();
    // Each cut is copied to a buffer of its own length, so that the sanitizer sees any read past it.
    for (std::size_t length = ReportDocumentBodyStart; length < whole.size() - 3; ++length) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        bool damaged = false;
        const std::size_t read = Records(cut, &damaged).size();
        EXPECT_LE(read, records) << length;
    }
    // A picture whose image would run past the end ends the body as damaged.
    Bytes lying = whole;
    bool damaged = false;
    std::vector<ReportRecord> all = Records(whole);
    for (const ReportRecord& record : all)
        if (record.kind == ReportRecordKind::Picture)
            platform::PutU32(lying.data() + record.offset + 12, 0x7FFFFFFF);
    const std::vector<ReportRecord> before = Records(lying, &damaged);
    EXPECT_TRUE(damaged);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before.back().kind, ReportRecordKind::Drawing);
}

TEST_F(ReportDocuments, BytesThatMeanNothingAreSkippedOneAtATime)
{
    const Bytes bytes = Document([](ReportDocumentWriter& writer) {
        const std::uint8_t stray[] = {5, 9, 16, 20, 26, 29, 2, 77};
        writer.WriteBytes(stray, sizeof stray); // the last two: a drawing of no known kind
        writer.WriteCode(RecordNewPage);
    });
    const std::vector<ReportRecord> r = Records(bytes);
    ASSERT_EQ(r.size(), 9u);
    for (std::size_t n = 0; n < 6; ++n)
        EXPECT_EQ(r[n].kind, ReportRecordKind::Unknown) << n;
    EXPECT_EQ(r[6].kind, ReportRecordKind::Unknown);
    EXPECT_EQ(r[7].kind, ReportRecordKind::Text); // 77 is 'M'
    EXPECT_EQ(r[8].code, RecordNewPage);
}

TEST_F(ReportDocuments, AFailedWriteFailsTheDocumentAndDiscardDeletesIt)
{
    ReportDocumentWriter writer;
    ASSERT_TRUE(writer.CreateAt(PathOf("failing.ves")));
    writer.WriteHeader(ReportDocumentHeader());
    platform::SetFileFault(platform::FileFaultMode::FailFromNth, 1);
    // The writer holds bytes back; the failure shows when they go to the file.
    const std::string text(100000, 'x');
    const bool written = writer.WriteText(text);
    const bool closed = writer.Close();
    platform::SetFileFault(platform::FileFaultMode::Off, 0);
    EXPECT_FALSE(written);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(writer.Failed());
    EXPECT_FALSE(writer.WriteCode(0));
    writer.Discard();
    EXPECT_FALSE(platform::FileExists(PathOf("failing.ves")));

    // A document that cannot be made says why.
    ReportDocumentWriter nowhere;
    std::uint32_t error = 0;
    EXPECT_FALSE(nowhere.CreateAt(PathOf("no folder/x.ves"), &error));
    EXPECT_NE(error, 0u);
    EXPECT_TRUE(nowhere.Failed());
}

TEST_F(ReportDocuments, ATemporaryDocumentIsDeletedUnlessHandedOn)
{
    std::string kept;
    std::string dropped;
    {
        ReportDocumentWriter writer;
        ASSERT_TRUE(writer.Create());
        EXPECT_NE(writer.Path().find("VES"), std::string::npos);
        writer.WriteHeader(ReportDocumentHeader());
        ASSERT_TRUE(writer.Close());
        kept = writer.Release();
        ReportDocumentWriter other;
        ASSERT_TRUE(other.Create());
        dropped = other.Path();
        EXPECT_EQ(other.Size(), 0u);
    }
    EXPECT_TRUE(platform::FileExists(kept));
    EXPECT_FALSE(platform::FileExists(dropped));

    ReportDocumentFile file;
    ASSERT_TRUE(file.Open(kept));
    ASSERT_EQ(file.Size(), ReportDocumentHeaderSize);
    ReportDocumentReader reader(file.Data(), file.Size());
    EXPECT_EQ(reader.Check(), ReportDocumentCheck::Valid);
    EXPECT_EQ(reader.StyleRecords(), 0);
    platform::RemoveFile(kept);
}

TEST_F(ReportDocuments, PageSizesByNumber)
{
    EXPECT_EQ(FindReportPageSize(0), nullptr);
    EXPECT_EQ(FindReportPageSize(17), nullptr);
    const ReportPageSize* a4 = FindReportPageSize(5);
    ASSERT_NE(a4, nullptr);
    EXPECT_STREQ(a4->name, "A4");
    EXPECT_EQ(a4->width, 2100);
    EXPECT_EQ(a4->height, 2970);
    EXPECT_EQ(a4->paperCode, 9);
    EXPECT_STREQ(FindReportPageSize(16)->name, "Unlimited");
    EXPECT_EQ(FindReportPageSize(12)->paperCode, 1);
}

} // namespace
