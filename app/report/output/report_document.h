// The report document: what a report run writes and the report window, the page layout and the converters
// read. A flat stream of records, not yet laid out into pages: a 46-byte header, seven 38-byte style records,
// then the body of content records and text up to the first zero byte where a record code is expected (a
// completed run ends it with three zero bytes).
//
// This file is the one definition of the records' bytes: each record has a structure of its fields and an
// encoder and a decoder that read and write it field by field, little-endian. Lengths are tenths of a
// millimetre, type sizes points, colours 0x00BBGGRR with NoColor for none.
#pragma once

#include <cstddef>
#include <cstdint>

#include "report/language/collections.h"
#include "report/language/report_objects.h"

inline constexpr std::uint32_t ReportDocumentVersion = 10403;
inline constexpr std::uint32_t NoColor = 0xFFFFFFFF;

// The text styles, in the order of the style records and of every style number.
inline constexpr int ReportStyleCount = 7;
enum ReportStyleIndex : std::uint8_t {
    FontNormal,
    FontPicture,
    FontTitle,
    FontHeading1,
    FontHeading2,
    FontHeading3,
    FontHeading4,
};

// The first byte of each record. A byte of FirstTextByte or more where a code is expected begins text.
enum ReportRecordCode : std::uint8_t {
    RecordEnd = 0,
    RecordTable = 1,
    RecordDrawing = 2, // graphics reports only
    RecordCell = 3,
    RecordTextRun = 4,
    RecordDocumentHeader = 5, // only at the head of the file
    RecordPicture = 6,
    RecordPictureEnd = 7,
    RecordTitle = 8,
    RecordStyle = 9, // only in the style block
    RecordLineFeed = 10, // after a carriage return
    RecordNewLine = 11,
    RecordNewPage = 12,
    RecordCarriageReturn = 13,
    RecordNewParagraph = 14,
    RecordIndexEntry = 15,
    RecordTableEnd = 21,
    RecordParagraphText = 22,
    RecordChart = 23,
    RecordChartEnd = 24,
    RecordChartPoint = 25,
};
inline constexpr std::uint8_t FirstTextByte = 30;

inline constexpr std::size_t ReportDocumentHeaderSize = 46;
inline constexpr std::size_t ReportStyleRecordSize = 38;
inline constexpr std::size_t ReportDocumentBodyStart = ReportDocumentHeaderSize + ReportStyleCount * ReportStyleRecordSize;
inline constexpr std::size_t TextRunHeaderSize = 9;
inline constexpr std::size_t TableHeaderSize = 21;
inline constexpr std::size_t CellRecordSize = 5;
inline constexpr std::size_t PictureHeaderSize = 16;
inline constexpr std::size_t TitleRecordSize = 389;
inline constexpr std::size_t IndexEntryHeaderSize = 9;
inline constexpr std::size_t ChartHeaderSize = 22;
inline constexpr std::size_t ChartPointSize = 41;
inline constexpr std::size_t LargestRecordSize = TitleRecordSize;

inline constexpr int TableColumnCapacity = ReportTable::MaxColumns;
inline constexpr int ChartPointCapacity = Chart::MaxValues;
inline constexpr std::size_t ReportFaceNameSize = 32;
inline constexpr std::size_t TitleFieldSize = 128;
inline constexpr std::size_t ChartLabelSize = Chart::MaxLabel + 1;
inline constexpr std::uint32_t IndexEntryOwnPage = 0xFFFFFFFF; // the page the entry stands on

// Style bits of text runs, text boxes and sectors, added to the style's own.
enum ReportStyleBits : std::uint8_t { StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8 };

struct ReportDocumentHeader {
    std::uint32_t version = ReportDocumentVersion;
    std::uint32_t graphics = 0;   // a graphics report
    std::uint32_t margins = 1;    // 0: the report type switches margins off
    std::uint32_t pageFormat = 0; // 1: the report type chooses the page size and orientation
    std::uint16_t orientation = 0; // 0 portrait, other values landscape
    std::uint16_t pageSize = 0;    // 1 A0 .. 15 Tabloid, 16 unlimited
    std::uint32_t pageNumbering = 0;
    std::uint16_t pageNumberAlignment = 0; // 0 centre, 1 right, 2 left
    std::uint32_t personIndex = 0;
    std::uint32_t multicolumnIndex = 0;
    std::uint32_t sourceIndex = 0;
};

struct ReportStyle {
    char faceName[ReportFaceNameSize] = {};
    std::uint8_t bold = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t size = 0; // points
};

// The header of a text run (code 4) or of paragraph text (code 22); its text+NUL follows.
struct TextRunHeader {
    std::uint8_t code = RecordTextRun;
    std::uint8_t alignment = ReportAlignLeft;
    std::uint8_t size = 0; // 0: the style's size
    std::uint32_t color = 0;
    std::uint8_t styleBits = 0;
    std::uint8_t style = FontNormal;
};

// A table's header; one 16-bit width per column follows, then the cells, then code 21.
struct TableHeader {
    std::uint8_t alignment = ReportAlignLeft;
    std::uint8_t borderWidth = 0; // 0 draws no lines
    std::uint16_t columns = 1;    // 1 to 32
    std::int32_t leftMargin = 0;
    std::int32_t topMargin = 0;
    std::int32_t rightMargin = 0;
    std::int32_t bottomMargin = 0;
    std::uint16_t widths[TableColumnCapacity] = {};
};

enum DrawingKind : std::uint8_t {
    DrawMove = 1,
    DrawTextBox = 2,
    DrawLine = 3,
    DrawCircle = 4,
    DrawRectangle = 5,
    DrawSector = 6,
    DrawPenColor = 7,
    DrawPenWidth = 8,
    DrawPenStyle = 9,
};
enum RectangleShape : std::uint8_t { RectPlain = 0, RectRounded = 1, RectShadow = 2 };

// A drawing record (code 2) of any kind; the fields a kind does not have are left as they are. A text box
// and a sector are followed by their text+NUL.
struct DrawingRecord {
    std::uint8_t kind = DrawMove;
    std::int32_t x = 0; // move: the new pen position; line: the distance it runs
    std::int32_t y = 0;
    std::uint32_t color = NoColor; // line, circle, rectangle (NoColor: the current pen); the pen colour
    std::uint32_t penValue = 0;    // pen width, pen style
    std::uint16_t radius = 0;      // circle
    std::uint16_t width = 0;       // rectangle, text box
    std::uint16_t height = 0;
    std::uint8_t shape = RectPlain; // rectangle
    // Text box and sector.
    std::uint8_t borderWidth = 0;
    std::uint32_t borderColor = 0;
    std::uint32_t background = NoColor;
    std::uint8_t alignment = ReportAlignCentre;
    std::uint16_t angle = 0;         // text box: tenths of a degree
    std::uint16_t positionAngle = 0; // sector: tenths of a degree
    std::uint16_t widthAngle = 0;
    std::uint16_t innerRadius = 0;
    std::uint16_t outerRadius = 0;
    std::uint8_t size = 0; // 0: the normal style's size
    std::uint32_t textColor = 0;
    std::uint8_t styleBits = 0;
    std::int32_t leftMargin = 0;
    std::int32_t topMargin = 0;
    std::int32_t rightMargin = 0;
    std::int32_t bottomMargin = 0;
};

enum PictureResize : std::uint8_t { ResizeNone, ResizeReduce, ResizeAdjust, ResizeScale, ResizeStretch };

// A picture's header; its file type text+NUL and the image bytes follow, then an optional caption run, then
// code 7.
struct PictureHeader {
    std::uint16_t largestWidth = 0;
    std::uint16_t largestHeight = 0;
    std::uint8_t alignment = ReportAlignCentre;
    std::uint8_t frameWidth = 0;
    std::uint32_t frameColor = 0;
    std::uint8_t resize = ResizeNone;
    std::uint32_t imageSize = 0;
};

struct TitleRecord {
    std::uint32_t color = 0;
    char title[TitleFieldSize] = {};
    char firstText[TitleFieldSize] = {}; // of the title page
    char secondText[TitleFieldSize] = {};
};

// An index entry's header; its text+NUL follows.
struct IndexEntry {
    std::uint32_t group = 0;
    std::uint32_t page = IndexEntryOwnPage;
};

enum ChartType : std::uint8_t { ChartTypeLine = 0, ChartTypeBar = 1, ChartTypeArea = 2 };

// A chart's header; its points follow, then code 24.
struct ChartHeader {
    std::uint8_t type = ChartTypeBar;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t alignment = ReportAlignCentre;
    std::uint8_t border = 0;
    std::uint32_t borderColor = 0;
    std::uint32_t color = 0;
    std::uint8_t showValues = 0;
    std::uint8_t showLabels = 0;
    std::uint8_t showXGrid = 0;
    std::uint8_t showYGrid = 0;
    std::uint8_t fontSize = 0;
    std::uint8_t points = 0; // 0 to 32
};

struct ChartPoint {
    char label[ChartLabelSize] = {};
    double value = 0;
};

// The encoders write the whole record, code included, into `out` (room for LargestRecordSize bytes, or
// for the table's widths) and answer its length. The decoders read a record of which at least its length
// in bytes lies at `in` (the table: its header and widths, TableRecordSize); texts come out terminated.
std::size_t EncodeDocumentHeader(const ReportDocumentHeader& header, std::uint8_t* out);
// Byte 0 is 5 and bytes 1 to 7 are "VESRPT" and a zero: the first 8 bytes of a report document.
bool HasDocumentMagic(const std::uint8_t* in);
void DecodeDocumentHeader(const std::uint8_t* in, ReportDocumentHeader& header);
std::size_t EncodeStyle(const ReportStyle& style, std::uint8_t* out);
void DecodeStyle(const std::uint8_t* in, ReportStyle& style);
std::size_t EncodeTextRunHeader(const TextRunHeader& run, std::uint8_t* out);
void DecodeTextRunHeader(const std::uint8_t* in, TextRunHeader& run);
// A table's header with its widths: TableHeaderSize + 2 x columns bytes.
inline constexpr std::size_t TableRecordSize(std::uint16_t columns)
{
    return TableHeaderSize + 2 * static_cast<std::size_t>(columns);
}
std::size_t EncodeTable(const TableHeader& table, std::uint8_t* out);
// The header only; the widths with DecodeTableWidths once their bytes are known to be there.
void DecodeTableHeader(const std::uint8_t* in, TableHeader& table);
void DecodeTableWidths(const std::uint8_t* in, TableHeader& table);
std::size_t EncodeCell(std::uint32_t background, std::uint8_t* out);
std::uint32_t DecodeCell(const std::uint8_t* in);
// The drawing record's length by its kind, text not counted; 0 for no known kind.
std::size_t DrawingRecordSize(std::uint8_t kind);
std::size_t EncodeDrawing(const DrawingRecord& drawing, std::uint8_t* out);
void DecodeDrawing(const std::uint8_t* in, DrawingRecord& drawing);
std::size_t EncodePictureHeader(const PictureHeader& picture, std::uint8_t* out);
void DecodePictureHeader(const std::uint8_t* in, PictureHeader& picture);
std::size_t EncodeTitle(const TitleRecord& title, std::uint8_t* out);
void DecodeTitle(const std::uint8_t* in, TitleRecord& title);
std::size_t EncodeIndexEntry(const IndexEntry& entry, std::uint8_t* out);
void DecodeIndexEntry(const std::uint8_t* in, IndexEntry& entry);
std::size_t EncodeChartHeader(const ChartHeader& chart, std::uint8_t* out);
void DecodeChartHeader(const std::uint8_t* in, ChartHeader& chart);
std::size_t EncodeChartPoint(const ChartPoint& point, std::uint8_t* out);
void DecodeChartPoint(const std::uint8_t* in, ChartPoint& point);

// Page sizes of the header's page size numbers 1 to 16, portrait (landscape swaps them), with the printer
// paper code asked for (0: none, the size is given as a custom paper).
struct ReportPageSize {
    const char* name;
    std::uint16_t width;
    std::uint16_t height;
    std::uint16_t paperCode;
};
inline constexpr int ReportPageSizeCount = 16;
// Size number 1 to 16; null for any other.
const ReportPageSize* FindReportPageSize(std::uint32_t number);
