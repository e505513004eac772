#include "report/output/report_document.h"

#include <cstring>

#include "platform/little_endian.h"
#include "report/output/text_fields.h"

using platform::GetI32;
using platform::GetU16;
using platform::GetU32;
using platform::PutI32;
using platform::PutU16;
using platform::PutU32;

namespace {

constexpr char DocumentMagic[7] = {'V', 'E', 'S', 'R', 'P', 'T', '\0'};

void PutMargins(std::uint8_t* out, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    PutI32(out, left);
    PutI32(out + 4, top);
    PutI32(out + 8, right);
    PutI32(out + 12, bottom);
}

// The margins and the text's look that text boxes and sectors share, from `at`: size, text colour, style
// bits, then four margins.
void PutFrameText(std::uint8_t* at, const DrawingRecord& d)
{
    at[0] = d.size;
    PutU32(at + 1, d.textColor);
    at[5] = d.styleBits;
    PutMargins(at + 6, d.leftMargin, d.topMargin, d.rightMargin, d.bottomMargin);
}

void GetFrameText(const std::uint8_t* at, DrawingRecord& d)
{
    d.size = at[0];
    d.textColor = GetU32(at + 1);
    d.styleBits = at[5];
    d.leftMargin = GetI32(at + 6);
    d.topMargin = GetI32(at + 10);
    d.rightMargin = GetI32(at + 14);
    d.bottomMargin = GetI32(at + 18);
}

constexpr ReportPageSize PageSizes[ReportPageSizeCount] = {
    {"A0", 8410, 11890, 0},    {"A1", 5940, 8410, 0},   {"A2", 4200, 5940, 0},      {"A3", 2970, 4200, 8},
    {"A4", 2100, 2970, 9},     {"A5", 1480, 2100, 11},  {"B1", 7070, 10000, 0},     {"B2", 5000, 7070, 0},
    {"B3", 3530, 5000, 0},     {"B4", 2500, 3530, 12},  {"B5", 1760, 2500, 13},     {"Letter", 2160, 2790, 1},
    {"Legal", 2160, 3560, 5},  {"Executive", 1900, 2540, 7}, {"Tabloid", 2790, 4320, 3}, {"Unlimited", 2100, 2970, 0},
};

} // namespace

std::size_t EncodeDocumentHeader(const ReportDocumentHeader& header, std::uint8_t* out)
{
    out[0] = RecordDocumentHeader;
    std::memcpy(out + 1, DocumentMagic, sizeof DocumentMagic);
    PutU32(out + 8, header.version);
    PutU32(out + 12, header.graphics);
    PutU32(out + 16, header.margins);
    PutU32(out + 20, header.pageFormat);
    PutU16(out + 24, header.orientation);
    PutU16(out + 26, header.pageSize);
    PutU32(out + 28, header.pageNumbering);
    PutU16(out + 32, header.pageNumberAlignment);
    PutU32(out + 34, header.personIndex);
    PutU32(out + 38, header.multicolumnIndex);
    PutU32(out + 42, header.sourceIndex);
    return ReportDocumentHeaderSize;
}

bool HasDocumentMagic(const std::uint8_t* in)
{
    return in[0] == RecordDocumentHeader && std::memcmp(in + 1, DocumentMagic, sizeof DocumentMagic) == 0;
}

void DecodeDocumentHeader(const std::uint8_t* in, ReportDocumentHeader& header)
{
    header.version = GetU32(in + 8);
    header.graphics = GetU32(in + 12);
    header.margins = GetU32(in + 16);
    header.pageFormat = GetU32(in + 20);
    header.orientation = GetU16(in + 24);
    header.pageSize = GetU16(in + 26);
    header.pageNumbering = GetU32(in + 28);
    header.pageNumberAlignment = GetU16(in + 32);
    header.personIndex = GetU32(in + 34);
    header.multicolumnIndex = GetU32(in + 38);
    header.sourceIndex = GetU32(in + 42);
}

std::size_t EncodeStyle(const ReportStyle& style, std::uint8_t* out)
{
    out[0] = RecordStyle;
    PutTextField(out + 1, style.faceName);
    out[33] = style.bold;
    out[34] = style.italic;
    out[35] = style.underline;
    out[36] = style.strikeOut;
    out[37] = style.size;
    return ReportStyleRecordSize;
}

void DecodeStyle(const std::uint8_t* in, ReportStyle& style)
{
    GetTextField(in + 1, style.faceName);
    style.bold = in[33];
    style.italic = in[34];
    style.underline = in[35];
    style.strikeOut = in[36];
    style.size = in[37];
}

std::size_t EncodeTextRunHeader(const TextRunHeader& run, std::uint8_t* out)
{
    out[0] = run.code;
    out[1] = run.alignment;
    out[2] = run.size;
    PutU32(out + 3, run.color);
    out[7] = run.styleBits;
    out[8] = run.style;
    return TextRunHeaderSize;
}

void DecodeTextRunHeader(const std::uint8_t* in, TextRunHeader& run)
{
    run.code = in[0];
    run.alignment = in[1];
    run.size = in[2];
    run.color = GetU32(in + 3);
    run.styleBits = in[7];
    run.style = in[8];
}

std::size_t EncodeTable(const TableHeader& table, std::uint8_t* out)
{
    const std::uint16_t columns = table.columns > TableColumnCapacity ? TableColumnCapacity : table.columns;
    out[0] = RecordTable;
    out[1] = table.alignment;
    out[2] = table.borderWidth;
    PutU16(out + 3, columns);
    PutMargins(out + 5, table.leftMargin, table.topMargin, table.rightMargin, table.bottomMargin);
    for (std::uint16_t n = 0; n < columns; ++n)
        PutU16(out + TableHeaderSize + 2 * n, table.widths[n]);
    return TableRecordSize(columns);
}

void DecodeTableHeader(const std::uint8_t* in, TableHeader& table)
{
    table.alignment = in[1];
    table.borderWidth = in[2];
    table.columns = GetU16(in + 3);
    table.leftMargin = GetI32(in + 5);
    table.topMargin = GetI32(in + 9);
    table.rightMargin = GetI32(in + 13);
    table.bottomMargin = GetI32(in + 17);
}

void DecodeTableWidths(const std::uint8_t* in, TableHeader& table)
{
    const std::uint16_t kept = table.columns > TableColumnCapacity ? TableColumnCapacity : table.columns;
    for (std::uint16_t n = 0; n < kept; ++n)
        table.widths[n] = GetU16(in + TableHeaderSize + 2 * n);
}

std::size_t EncodeCell(std::uint32_t background, std::uint8_t* out)
{
    out[0] = RecordCell;
    PutU32(out + 1, background);
    return CellRecordSize;
}

std::uint32_t DecodeCell(const std::uint8_t* in)
{
    return GetU32(in + 1);
}

std::size_t DrawingRecordSize(std::uint8_t kind)
{
    switch (kind) {
    case DrawMove:
        return 10;
    case DrawTextBox:
        return 40;
    case DrawLine:
        return 14;
    case DrawCircle:
        return 8;
    case DrawRectangle:
        return 11;
    case DrawSector:
        return 42;
    case DrawPenColor:
    case DrawPenWidth:
    case DrawPenStyle:
        return 6;
    default:
        return 0;
    }
}

std::size_t EncodeDrawing(const DrawingRecord& d, std::uint8_t* out)
{
    const std::size_t size = DrawingRecordSize(d.kind);
    std::memset(out, 0, size);
    out[0] = RecordDrawing;
    out[1] = d.kind;
    switch (d.kind) {
    case DrawMove:
        PutI32(out + 2, d.x);
        PutI32(out + 6, d.y);
        break;
    case DrawLine:
        PutI32(out + 2, d.x);
        PutI32(out + 6, d.y);
        PutU32(out + 10, d.color);
        break;
    case DrawCircle:
        PutU16(out + 2, d.radius);
        PutU32(out + 4, d.color);
        break;
    case DrawRectangle:
        PutU16(out + 2, d.width);
        PutU16(out + 4, d.height);
        PutU32(out + 6, d.color);
        out[10] = d.shape;
        break;
    case DrawPenColor:
        PutU32(out + 2, d.color);
        break;
    case DrawPenWidth:
    case DrawPenStyle:
        PutU32(out + 2, d.penValue);
        break;
    case DrawTextBox:
        PutU16(out + 2, d.width);
        PutU16(out + 4, d.height);
        out[6] = d.borderWidth;
        PutU32(out + 7, d.borderColor);
        PutU32(out + 11, d.background);
        out[15] = d.alignment;
        PutU16(out + 16, d.angle);
        PutFrameText(out + 18, d);
        break;
    case DrawSector:
        out[2] = d.borderWidth;
        PutU32(out + 3, d.borderColor);
        PutU32(out + 7, d.background);
        out[11] = d.alignment;
        PutU16(out + 12, d.positionAngle);
        PutU16(out + 14, d.widthAngle);
        PutU16(out + 16, d.innerRadius);
        PutU16(out + 18, d.outerRadius);
        PutFrameText(out + 20, d);
        break;
    default:
        break;
    }
    return size;
}

void DecodeDrawing(const std::uint8_t* in, DrawingRecord& d)
{
    d.kind = in[1];
    switch (d.kind) {
    case DrawMove:
        d.x = GetI32(in + 2);
        d.y = GetI32(in + 6);
        break;
    case DrawLine:
        d.x = GetI32(in + 2);
        d.y = GetI32(in + 6);
        d.color = GetU32(in + 10);
        break;
    case DrawCircle:
        d.radius = GetU16(in + 2);
        d.color = GetU32(in + 4);
        break;
    case DrawRectangle:
        d.width = GetU16(in + 2);
        d.height = GetU16(in + 4);
        d.color = GetU32(in + 6);
        d.shape = in[10];
        break;
    case DrawPenColor:
        d.color = GetU32(in + 2);
        break;
    case DrawPenWidth:
    case DrawPenStyle:
        d.penValue = GetU32(in + 2);
        break;
    case DrawTextBox:
        d.width = GetU16(in + 2);
        d.height = GetU16(in + 4);
        d.borderWidth = in[6];
        d.borderColor = GetU32(in + 7);
        d.background = GetU32(in + 11);
        d.alignment = in[15];
        d.angle = GetU16(in + 16);
        GetFrameText(in + 18, d);
        break;
    case DrawSector:
        d.borderWidth = in[2];
        d.borderColor = GetU32(in + 3);
        d.background = GetU32(in + 7);
        d.alignment = in[11];
        d.positionAngle = GetU16(in + 12);
        d.widthAngle = GetU16(in + 14);
        d.innerRadius = GetU16(in + 16);
        d.outerRadius = GetU16(in + 18);
        GetFrameText(in + 20, d);
        break;
    default:
        break;
    }
}

std::size_t EncodePictureHeader(const PictureHeader& picture, std::uint8_t* out)
{
    out[0] = RecordPicture;
    PutU16(out + 1, picture.largestWidth);
    PutU16(out + 3, picture.largestHeight);
    out[5] = picture.alignment;
    out[6] = picture.frameWidth;
    PutU32(out + 7, picture.frameColor);
    out[11] = picture.resize;
    PutU32(out + 12, picture.imageSize);
    return PictureHeaderSize;
}

void DecodePictureHeader(const std::uint8_t* in, PictureHeader& picture)
{
    picture.largestWidth = GetU16(in + 1);
    picture.largestHeight = GetU16(in + 3);
    picture.alignment = in[5];
    picture.frameWidth = in[6];
    picture.frameColor = GetU32(in + 7);
    picture.resize = in[11];
    picture.imageSize = GetU32(in + 12);
}

std::size_t EncodeTitle(const TitleRecord& title, std::uint8_t* out)
{
    out[0] = RecordTitle;
    PutU32(out + 1, title.color);
    PutTextField(out + 5, title.title);
    PutTextField(out + 5 + TitleFieldSize, title.firstText);
    PutTextField(out + 5 + 2 * TitleFieldSize, title.secondText);
    return TitleRecordSize;
}

void DecodeTitle(const std::uint8_t* in, TitleRecord& title)
{
    title.color = GetU32(in + 1);
    GetTextField(in + 5, title.title);
    GetTextField(in + 5 + TitleFieldSize, title.firstText);
    GetTextField(in + 5 + 2 * TitleFieldSize, title.secondText);
}

std::size_t EncodeIndexEntry(const IndexEntry& entry, std::uint8_t* out)
{
    out[0] = RecordIndexEntry;
    PutU32(out + 1, entry.group);
    PutU32(out + 5, entry.page);
    return IndexEntryHeaderSize;
}

void DecodeIndexEntry(const std::uint8_t* in, IndexEntry& entry)
{
    entry.group = GetU32(in + 1);
    entry.page = GetU32(in + 5);
}

std::size_t EncodeChartHeader(const ChartHeader& chart, std::uint8_t* out)
{
    out[0] = RecordChart;
    out[1] = chart.type;
    PutU16(out + 2, chart.width);
    PutU16(out + 4, chart.height);
    out[6] = chart.alignment;
    out[7] = chart.border;
    PutU32(out + 8, chart.borderColor);
    PutU32(out + 12, chart.color);
    out[16] = chart.showValues;
    out[17] = chart.showLabels;
    out[18] = chart.showXGrid;
    out[19] = chart.showYGrid;
    out[20] = chart.fontSize;
    out[21] = chart.points;
    return ChartHeaderSize;
}

void DecodeChartHeader(const std::uint8_t* in, ChartHeader& chart)
{
    chart.type = in[1];
    chart.width = GetU16(in + 2);
    chart.height = GetU16(in + 4);
    chart.alignment = in[6];
    chart.border = in[7];
    chart.borderColor = GetU32(in + 8);
    chart.color = GetU32(in + 12);
    chart.showValues = in[16];
    chart.showLabels = in[17];
    chart.showXGrid = in[18];
    chart.showYGrid = in[19];
    chart.fontSize = in[20];
    chart.points = in[21];
}

std::size_t EncodeChartPoint(const ChartPoint& point, std::uint8_t* out)
{
    out[0] = RecordChartPoint;
    PutTextField(out + 1, point.label);
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof point.value);
    std::memcpy(&bits, &point.value, sizeof bits);
    platform::PutU64(out + 1 + ChartLabelSize, bits);
    return ChartPointSize;
}

void DecodeChartPoint(const std::uint8_t* in, ChartPoint& point)
{
    GetTextField(in + 1, point.label);
    const std::uint64_t bits = platform::GetU64(in + 1 + ChartLabelSize);
    std::memcpy(&point.value, &bits, sizeof bits);
}

const ReportPageSize* FindReportPageSize(std::uint32_t number)
{
    if (number < 1 || number > ReportPageSizeCount)
        return nullptr;
    return &PageSizes[number - 1];
}
