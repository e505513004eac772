#include "report/output/report_document.h"

#include <cstring>

#include "report/output/record_fields.h"

// Each record's layout is written once, as a function over a codec (record_fields.h): the encoder runs it
// with a FieldWriter on the const record, the decoder with a FieldReader on the record to fill. The code in
// byte 0 is written by the encoder and not read back, except a text run's, which is one of its fields.

namespace {

constexpr char DocumentMagic[7] = {'V', 'E', 'S', 'R', 'P', 'T', '\0'};

template <class Codec, class Record> void DocumentHeaderFields(const Codec& codec, Record& header)
{
    codec.U32(8, header.version);
    codec.U32(12, header.graphics);
    codec.U32(16, header.margins);
    codec.U32(20, header.pageFormat);
    codec.U16(24, header.orientation);
    codec.U16(26, header.pageSize);
    codec.U32(28, header.pageNumbering);
    codec.U16(32, header.pageNumberAlignment);
    codec.U32(34, header.personIndex);
    codec.U32(38, header.multicolumnIndex);
    codec.U32(42, header.sourceIndex);
}

template <class Codec, class Record> void StyleFields(const Codec& codec, Record& style)
{
    codec.Text(1, style.faceName);
    codec.U8(33, style.bold);
    codec.U8(34, style.italic);
    codec.U8(35, style.underline);
    codec.U8(36, style.strikeOut);
    codec.U8(37, style.size);
}

// A text run's code tells a run from paragraph text, so it is a field of its own.
template <class Codec, class Record> void TextRunFields(const Codec& codec, Record& run)
{
    codec.U8(0, run.code);
    codec.U8(1, run.alignment);
    codec.U8(2, run.size);
    codec.U32(3, run.color);
    codec.U8(7, run.styleBits);
    codec.U8(8, run.style);
}

// Four margins of a table, a text box or a sector: left, top, right, bottom.
template <class Codec, class Record> void MarginFields(const Codec& codec, Record& framed)
{
    codec.I32(0, framed.leftMargin);
    codec.I32(4, framed.topMargin);
    codec.I32(8, framed.rightMargin);
    codec.I32(12, framed.bottomMargin);
}

template <class Codec, class Record> void TableHeaderFields(const Codec& codec, Record& table)
{
    codec.U8(1, table.alignment);
    codec.U8(2, table.borderWidth);
    codec.U16(3, table.columns);
    MarginFields(codec.At(5), table);
}

// The columns a table keeps of those its header counts.
std::uint16_t KeptColumns(const TableHeader& table)
{
    return table.columns > TableColumnCapacity ? TableColumnCapacity : table.columns;
}

template <class Codec, class Record> void TableWidthFields(const Codec& codec, Record& table)
{
    const std::uint16_t kept = KeptColumns(table);
    for (std::uint16_t n = 0; n < kept; ++n)
        codec.U16(TableHeaderSize + 2 * n, table.widths[n]);
}

// The text's look and the margins that text boxes and sectors share: size, text colour, style bits, then
// the four margins.
template <class Codec, class Record> void FrameTextFields(const Codec& codec, Record& d)
{
    codec.U8(0, d.size);
    codec.U32(1, d.textColor);
    codec.U8(5, d.styleBits);
    MarginFields(codec.At(6), d);
}

// The kind comes first, and the fields that follow are the kind's.
template <class Codec, class Record> void DrawingFields(const Codec& codec, Record& d)
{
    codec.U8(1, d.kind);
    switch (d.kind) {
    case DrawMove:
        codec.I32(2, d.x);
        codec.I32(6, d.y);
        break;
    case DrawLine:
        codec.I32(2, d.x);
        codec.I32(6, d.y);
        codec.U32(10, d.color);
        break;
    case DrawCircle:
        codec.U16(2, d.radius);
        codec.U32(4, d.color);
        break;
    case DrawRectangle:
        codec.U16(2, d.width);
        codec.U16(4, d.height);
        codec.U32(6, d.color);
        codec.U8(10, d.shape);
        break;
    case DrawPenColor:
        codec.U32(2, d.color);
        break;
    case DrawPenWidth:
    case DrawPenStyle:
        codec.U32(2, d.penValue);
        break;
    case DrawTextBox:
        codec.U16(2, d.width);
        codec.U16(4, d.height);
        codec.U8(6, d.borderWidth);
        codec.U32(7, d.borderColor);
        codec.U32(11, d.background);
        codec.U8(15, d.alignment);
        codec.U16(16, d.angle);
        FrameTextFields(codec.At(18), d);
        break;
    case DrawSector:
        codec.U8(2, d.borderWidth);
        codec.U32(3, d.borderColor);
        codec.U32(7, d.background);
        codec.U8(11, d.alignment);
        codec.U16(12, d.positionAngle);
        codec.U16(14, d.widthAngle);
        codec.U16(16, d.innerRadius);
        codec.U16(18, d.outerRadius);
        FrameTextFields(codec.At(20), d);
        break;
    default:
        break;
    }
}

template <class Codec, class Record> void PictureHeaderFields(const Codec& codec, Record& picture)
{
    codec.U16(1, picture.largestWidth);
    codec.U16(3, picture.largestHeight);
    codec.U8(5, picture.alignment);
    codec.U8(6, picture.frameWidth);
    codec.U32(7, picture.frameColor);
    codec.U8(11, picture.resize);
    codec.U32(12, picture.imageSize);
}

template <class Codec, class Record> void TitleFields(const Codec& codec, Record& title)
{
    codec.U32(1, title.color);
    codec.Text(5, title.title);
    codec.Text(5 + TitleFieldSize, title.firstText);
    codec.Text(5 + 2 * TitleFieldSize, title.secondText);
}

template <class Codec, class Record> void IndexEntryFields(const Codec& codec, Record& entry)
{
    codec.U32(1, entry.group);
    codec.U32(5, entry.page);
}

template <class Codec, class Record> void ChartHeaderFields(const Codec& codec, Record& chart)
{
    codec.U8(1, chart.type);
    codec.U16(2, chart.width);
    codec.U16(4, chart.height);
    codec.U8(6, chart.alignment);
    codec.U8(7, chart.border);
    codec.U32(8, chart.borderColor);
    codec.U32(12, chart.color);
    codec.U8(16, chart.showValues);
    codec.U8(17, chart.showLabels);
    codec.U8(18, chart.showXGrid);
    codec.U8(19, chart.showYGrid);
    codec.U8(20, chart.fontSize);
    codec.U8(21, chart.points);
}

template <class Codec, class Record> void ChartPointFields(const Codec& codec, Record& point)
{
    codec.Text(1, point.label);
    codec.Real(1 + ChartLabelSize, point.value);
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
    DocumentHeaderFields(FieldWriter(out), header);
    return ReportDocumentHeaderSize;
}

bool HasDocumentMagic(const std::uint8_t* in)
{
    return in[0] == RecordDocumentHeader && std::memcmp(in + 1, DocumentMagic, sizeof DocumentMagic) == 0;
}

void DecodeDocumentHeader(const std::uint8_t* in, ReportDocumentHeader& header)
{
    DocumentHeaderFields(FieldReader(in), header);
}

std::size_t EncodeStyle(const ReportStyle& style, std::uint8_t* out)
{
    out[0] = RecordStyle;
    StyleFields(FieldWriter(out), style);
    return ReportStyleRecordSize;
}

void DecodeStyle(const std::uint8_t* in, ReportStyle& style)
{
    StyleFields(FieldReader(in), style);
}

std::size_t EncodeTextRunHeader(const TextRunHeader& run, std::uint8_t* out)
{
    TextRunFields(FieldWriter(out), run);
    return TextRunHeaderSize;
}

void DecodeTextRunHeader(const std::uint8_t* in, TextRunHeader& run)
{
    TextRunFields(FieldReader(in), run);
}

std::size_t EncodeTable(const TableHeader& table, std::uint8_t* out)
{
    // A header counting more columns than a table holds is written with the columns it keeps.
    TableHeader kept = table;
    kept.columns = KeptColumns(table);
    out[0] = RecordTable;
    const FieldWriter writer(out);
    TableHeaderFields(writer, kept);
    TableWidthFields(writer, kept);
    return TableRecordSize(kept.columns);
}

void DecodeTableHeader(const std::uint8_t* in, TableHeader& table)
{
    TableHeaderFields(FieldReader(in), table);
}

void DecodeTableWidths(const std::uint8_t* in, TableHeader& table)
{
    TableWidthFields(FieldReader(in), table);
}

std::size_t EncodeCell(std::uint32_t background, std::uint8_t* out)
{
    out[0] = RecordCell;
    platform::PutU32(out + 1, background);
    return CellRecordSize;
}

std::uint32_t DecodeCell(const std::uint8_t* in)
{
    return platform::GetU32(in + 1);
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
    DrawingFields(FieldWriter(out), d);
    return size;
}

void DecodeDrawing(const std::uint8_t* in, DrawingRecord& d)
{
    DrawingFields(FieldReader(in), d);
}

std::size_t EncodePictureHeader(const PictureHeader& picture, std::uint8_t* out)
{
    out[0] = RecordPicture;
    PictureHeaderFields(FieldWriter(out), picture);
    return PictureHeaderSize;
}

void DecodePictureHeader(const std::uint8_t* in, PictureHeader& picture)
{
    PictureHeaderFields(FieldReader(in), picture);
}

std::size_t EncodeTitle(const TitleRecord& title, std::uint8_t* out)
{
    out[0] = RecordTitle;
    TitleFields(FieldWriter(out), title);
    return TitleRecordSize;
}

void DecodeTitle(const std::uint8_t* in, TitleRecord& title)
{
    TitleFields(FieldReader(in), title);
}

std::size_t EncodeIndexEntry(const IndexEntry& entry, std::uint8_t* out)
{
    out[0] = RecordIndexEntry;
    IndexEntryFields(FieldWriter(out), entry);
    return IndexEntryHeaderSize;
}

void DecodeIndexEntry(const std::uint8_t* in, IndexEntry& entry)
{
    IndexEntryFields(FieldReader(in), entry);
}

std::size_t EncodeChartHeader(const ChartHeader& chart, std::uint8_t* out)
{
    out[0] = RecordChart;
    ChartHeaderFields(FieldWriter(out), chart);
    return ChartHeaderSize;
}

void DecodeChartHeader(const std::uint8_t* in, ChartHeader& chart)
{
    ChartHeaderFields(FieldReader(in), chart);
}

std::size_t EncodeChartPoint(const ChartPoint& point, std::uint8_t* out)
{
    out[0] = RecordChartPoint;
    ChartPointFields(FieldWriter(out), point);
    return ChartPointSize;
}

void DecodeChartPoint(const std::uint8_t* in, ChartPoint& point)
{
    ChartPointFields(FieldReader(in), point);
}

const ReportPageSize* FindReportPageSize(std::uint32_t number)
{
    if (number < 1 || number > ReportPageSizeCount)
        return nullptr;
    return &PageSizes[number - 1];
}
