// The output statements: breaks, printed text, the printing of report objects, index entries and the
// drawing commands of graphics reports. Each appends records at the end of the report document; a
// statement evaluates everything it needs before it writes, so a failed statement writes nothing.

#include <cctype>
#include <cstring>
#include <string>

#include "platform/little_endian.h"
#include "report/language/collections.h"
#include "report/language/expression_reader.h"
#include "report/language/report_host.h"
#include "report/language/report_objects.h"
#include "report/language/report_run_context.h"
#include "report/run/report_interpreter.h"
#include "report/run/report_output_file.h"

namespace {

// Record codes of the report document.
enum : std::uint8_t {
    RecordTable = 1,
    RecordDrawing = 2,
    RecordCell = 3,
    RecordTextRun = 4,
    RecordPicture = 6,
    RecordPictureEnd = 7,
    RecordNewLine = 11,
    RecordNewPage = 12,
    RecordNewParagraph = 14,
    RecordIndex = 15,
    RecordTableEnd = 21,
    RecordParagraph = 22,
    RecordChart = 23,
    RecordChartEnd = 24,
    RecordChartPoint = 25,
};

// Drawing kinds.
enum : std::uint8_t {
    DrawMove = 1,
    DrawTextBox = 2,
    DrawLine = 3,
    DrawCircle = 4,
    DrawRectangle = 5,
    DrawSector = 6,
};

constexpr std::uint32_t NoColour = 0xFFFFFFFF;
constexpr std::int32_t PictureStyle = 1;

// Little-endian fields appended to a record under construction.
class RecordBytes {
public:
    explicit RecordBytes(std::uint8_t code) { bytes_.push_back(static_cast<char>(code)); }
    RecordBytes& U8(std::uint32_t v)
    {
        bytes_.push_back(static_cast<char>(v & 0xFF));
        return *this;
    }
    RecordBytes& U16(std::uint32_t v) { return U8(v).U8(v >> 8); }
    RecordBytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    RecordBytes& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
    RecordBytes& Raw(const void* data, std::size_t length)
    {
        bytes_.append(static_cast<const char*>(data), length);
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Evaluates the comma-separated INTEGER arguments of a drawing statement from its first non-blank
// character. `required` arguments must be there (a missing comma after one of them is error 20); the
// others are read while a comma follows. The number read is answered, or -1 after a failure.
int DrawingArguments(ReportRunContext& context, const char* text, std::int32_t* values, int required, int most)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    ExpressionReader reader(context);
    reader.SetText(text, 0);
    int count = 0;
    while (count < most) {
        ReportValue value;
        value.Init(ReportInteger);
        if (!reader.Evaluate(value))
            return -1;
        values[count++] = value.Integer();
        if (count == most)
            break;
        if (reader.Current() != ',') {
            if (count < required) {
                context.state.errorNumber = ReportErrorNoComma;
                return -1;
            }
            break;
        }
        reader.SetPosition(reader.Position() + 1);
    }
    return count;
}

} // namespace

void ReportInterpreter::WriteByte(std::uint8_t code)
{
    document_->WriteByte(code);
}

void ReportInterpreter::WriteRunHeader(std::uint8_t code, std::uint8_t align, std::uint8_t size, std::uint32_t colour,
                                       std::uint8_t style, std::uint8_t font)
{
    RecordBytes record(code);
    record.U8(align).U8(size).U32(colour).U8(style).U8(font);
    document_->Write(record.Bytes().data(), record.Bytes().size());
}

void ReportInterpreter::WriteDrawing(std::uint8_t kind, const std::uint8_t* fields, std::size_t length)
{
    RecordBytes record(RecordDrawing);
    record.U8(kind).Raw(fields, length);
    document_->Write(record.Bytes().data(), record.Bytes().size());
}

void ReportInterpreter::NewPage()
{
    WriteByte(RecordNewPage);
}

void ReportInterpreter::NewLine()
{
    WriteByte(RecordNewLine);
}

void ReportInterpreter::NewParagraph()
{
    WriteByte(RecordNewParagraph);
}

void ReportInterpreter::WriteText(const char* text)
{
    document_->WriteText(text);
}

void ReportInterpreter::WriteTextLines(const char* text)
{
    if (text == nullptr)
        text = "";
    for (;;) {
        const char* end = std::strchr(text, '\r');
        if (end == nullptr) {
            WriteText(text);
            return;
        }
        std::string piece(text, static_cast<std::size_t>(end - text));
        WriteText(piece.c_str());
        WriteByte(RecordNewParagraph);
        text = end + 1;
        if (*text == '\n')
            ++text;
    }
}

void ReportInterpreter::Print(const char* text)
{
    if (context_->graphics) {
        Fail(ReportErrorGraphicsOnly);
        return;
    }
    static const struct {
        const char* prefix;
        std::uint8_t bit;
    } prefixes[] = {{"BOLD ", 1}, {"ITALIC ", 2}, {"UNDERLINE ", 4}, {"STRIKEOUT ", 8}};
    std::uint8_t style = 0;
    for (const auto& p : prefixes) {
        std::size_t n = std::strlen(p.prefix);
        bool match = true;
        for (std::size_t i = 0; i < n && match; ++i)
            match = std::toupper(static_cast<unsigned char>(text[i])) == p.prefix[i];
        if (match) {
            style |= p.bit;
            text += n;
        }
    }
    ReportValue value;
    if (!Evaluate(text, 0, value, ReportString))
        return;
    WriteRunHeader(RecordTextRun, ReportAlignLeft, 0, context_->Host().NormalFontColor(), style, 0);
    WriteTextLines(value.TextOrEmpty());
}

void ReportInterpreter::PrintParagraph(const ReportValue& value)
{
    if (context_->graphics) {
        Fail(ReportErrorGraphicsOnly);
        return;
    }
    const ReportParagraph* paragraph = value.Paragraph();
    if (paragraph == nullptr)
        return;
    WriteRunHeader(RecordParagraph, paragraph->align, 0, context_->Host().NormalFontColor(), paragraph->style,
                   paragraph->font);
    if (paragraph->Text() != nullptr)
        WriteTextLines(paragraph->Text());
    else
        WriteByte(RecordNewParagraph);
}

void ReportInterpreter::PrintPicture(const ReportValue& value)
{
    const ReportPicture* picture = value.Picture();
    if (picture == nullptr || !picture->HasImage() || picture->ImageSize() == 0)
        return;
    RecordBytes record(RecordPicture);
    record.U16(picture->maxWidth)
        .U16(picture->maxHeight)
        .U8(picture->align)
        .U8(picture->border)
        .U32(picture->borderColour)
        .U8(picture->resize)
        .U32(picture->ImageSize());
    document_->Write(record.Bytes().data(), record.Bytes().size());
    WriteText(picture->Extension());
    document_->Write(picture->Image(), picture->ImageSize());
    if (picture->Caption() != nullptr && picture->Caption()[0] != '\0') {
        const ReportHost& host = context_->Host();
        WriteRunHeader(RecordTextRun, ReportAlignLeft, static_cast<std::uint8_t>(host.PictureFontSize()),
                       host.PictureFontColor(), 0, PictureStyle);
        WriteText(picture->Caption());
    }
    WriteByte(RecordPictureEnd);
}

void ReportInterpreter::PrintTable(const ReportValue& value)
{
    if (context_->graphics) {
        Fail(ReportErrorGraphicsOnly);
        return;
    }
    const ReportTable* table = value.Table();
    if (table == nullptr || !table->Valid() || table->Columns() == 0 || table->Rows() == 0)
        return;
    RecordBytes record(RecordTable);
    record.U8(table->align)
        .U8(table->border)
        .U16(table->Columns())
        .I32(table->marginLeft)
        .I32(table->marginTop)
        .I32(table->marginRight)
        .I32(table->marginBottom);
    for (std::uint16_t column = 1; column <= table->Columns(); ++column)
        record.U16(table->ColumnWidth(column));
    document_->Write(record.Bytes().data(), record.Bytes().size());
    std::uint32_t colour = context_->Host().NormalFontColor();
    for (std::uint16_t row = 1; row <= table->Rows(); ++row) {
        for (std::uint16_t column = 1; column <= table->Columns(); ++column) {
            const ReportTable::Cell* cell = table->CellAt(column, row);
            RecordBytes cellRecord(RecordCell);
            cellRecord.I32(cell->background);
            document_->Write(cellRecord.Bytes().data(), cellRecord.Bytes().size());
            WriteRunHeader(RecordTextRun, cell->align, cell->fontSize, colour, cell->style, 0);
            WriteText(cell->value ? cell->value->TextOrEmpty() : "");
        }
    }
    WriteByte(RecordTableEnd);
}

void ReportInterpreter::PrintChart(const ReportValue& value)
{
    const Chart* chart = value.ChartObject();
    if (chart == nullptr)
        return;
    RecordBytes record(RecordChart);
    record.U8(static_cast<std::uint32_t>(chart->type))
        .U16(static_cast<std::uint32_t>(chart->width))
        .U16(static_cast<std::uint32_t>(chart->height))
        .U8(static_cast<std::uint32_t>(chart->align))
        .U8(static_cast<std::uint32_t>(chart->border))
        .U32(chart->borderColour)
        .U32(chart->colour)
        .U8(static_cast<std::uint32_t>(chart->showValues))
        .U8(static_cast<std::uint32_t>(chart->showLabels))
        .U8(static_cast<std::uint32_t>(chart->showXGrid))
        .U8(static_cast<std::uint32_t>(chart->showYGrid))
        .U8(static_cast<std::uint32_t>(chart->fontSize))
        .U8(static_cast<std::uint32_t>(chart->Count()));
    for (int i = 0; i < chart->Count(); ++i) {
        const Chart::Value& point = chart->At(i);
        char label[Chart::MaxLabel + 1] = {};
        std::strncpy(label, point.label, Chart::MaxLabel);
        std::uint8_t number[8];
        std::uint64_t bits = 0;
        std::memcpy(&bits, &point.value, sizeof bits);
        platform::PutU64(number, bits);
        record.U8(RecordChartPoint).Raw(label, sizeof label).Raw(number, sizeof number);
    }
    record.U8(RecordChartEnd);
    document_->Write(record.Bytes().data(), record.Bytes().size());
}

void ReportInterpreter::PrintTextBox(const ReportValue& value)
{
    if (!context_->graphics) {
        Fail(ReportErrorNotInGraphics);
        return;
    }
    const ReportTextBox* box = value.TextBox();
    if (box == nullptr || box->width == 0 || box->height == 0)
        return;
    RecordBytes record(RecordDrawing);
    record.U8(DrawTextBox)
        .U16(box->width)
        .U16(box->height)
        .U8(box->border)
        .U32(box->borderColour)
        .I32(box->backgroundColour)
        .U8(box->align)
        .U16(box->angle)
        .U8(box->fontSize)
        .U32(box->textColour)
        .U8(box->style)
        .I32(box->marginLeft)
        .I32(box->marginTop)
        .I32(box->marginRight)
        .I32(box->marginBottom);
    document_->Write(record.Bytes().data(), record.Bytes().size());
    WriteText(box->Text());
}

void ReportInterpreter::PrintSector(const ReportValue& value)
{
    if (!context_->graphics) {
        Fail(ReportErrorNotInGraphics);
        return;
    }
    const ReportSector* sector = value.Sector();
    if (sector == nullptr || sector->outerRadius == 0)
        return;
    RecordBytes record(RecordDrawing);
    record.U8(DrawSector)
        .U8(sector->border)
        .U32(sector->borderColour)
        .I32(sector->backgroundColour)
        .U8(sector->align)
        .U16(sector->positionAngle)
        .U16(sector->widthAngle)
        .U16(sector->innerRadius)
        .U16(sector->outerRadius)
        .U8(sector->fontSize)
        .U32(sector->textColour)
        .U8(sector->style)
        .I32(sector->marginLeft)
        .I32(sector->marginTop)
        .I32(sector->marginRight)
        .I32(sector->marginBottom);
    document_->Write(record.Bytes().data(), record.Bytes().size());
    WriteText(sector->Text());
}

void ReportInterpreter::AddIndex(const char* text)
{
    if (!context_->personIndex)
        return;
    ExpressionReader reader(*context_);
    reader.SetText(text, 0);
    ReportValue entry;
    entry.Init(ReportString);
    if (!reader.Evaluate(entry))
        return;
    if (reader.Current() != ',') {
        Fail(ReportErrorNoComma);
        return;
    }
    reader.SetPosition(reader.Position() + 1);
    ReportValue page;
    page.Init(ReportInteger);
    if (!reader.Evaluate(page))
        return;
    std::int32_t group = 0;
    if (reader.Current() == ',') {
        reader.SetPosition(reader.Position() + 1);
        ReportValue number;
        number.Init(ReportInteger);
        if (!reader.Evaluate(number))
            return;
        group = number.Integer();
    }
    RecordBytes record(RecordIndex);
    record.I32(group).I32(page.Integer());
    document_->Write(record.Bytes().data(), record.Bytes().size());
    WriteText(entry.TextOrEmpty());
}

void ReportInterpreter::Move(const char* text)
{
    if (!context_->graphics) {
        Fail(ReportErrorNotInGraphics);
        return;
    }
    std::int32_t v[2];
    if (DrawingArguments(*context_, text, v, 2, 2) < 0)
        return;
    RecordBytes record(RecordDrawing);
    record.U8(DrawMove).I32(v[0] < 0 ? 0 : v[0]).I32(v[1] < 0 ? 0 : v[1]);
    document_->Write(record.Bytes().data(), record.Bytes().size());
}

void ReportInterpreter::Draw(const char* text)
{
    if (!context_->graphics) {
        Fail(ReportErrorNotInGraphics);
        return;
    }
    std::int32_t v[3];
    int n = DrawingArguments(*context_, text, v, 2, 3);
    if (n < 0)
        return;
    RecordBytes record(RecordDrawing);
    record.U8(DrawLine).I32(v[0]).I32(v[1]).U32(n > 2 ? static_cast<std::uint32_t>(v[2]) : NoColour);
    document_->Write(record.Bytes().data(), record.Bytes().size());
}

void ReportInterpreter::Circle(const char* text)
{
    if (!context_->graphics) {
        Fail(ReportErrorNotInGraphics);
        return;
    }
    std::int32_t v[2];
    int n = DrawingArguments(*context_, text, v, 1, 2);
    if (n < 0)
        return;
    RecordBytes record(RecordDrawing);
    record.U8(DrawCircle).U16(static_cast<std::uint32_t>(v[0])).U32(n > 1 ? static_cast<std::uint32_t>(v[1]) : NoColour);
    document_->Write(record.Bytes().data(), record.Bytes().size());
}

void ReportInterpreter::Rectangle(const char* text)
{
    if (!context_->graphics) {
        Fail(ReportErrorNotInGraphics);
        return;
    }
    std::int32_t v[4];
    int n = DrawingArguments(*context_, text, v, 2, 4);
    if (n < 0)
        return;
    RecordBytes record(RecordDrawing);
    record.U8(DrawRectangle)
        .U16(static_cast<std::uint32_t>(v[0]))
        .U16(static_cast<std::uint32_t>(v[1]))
        .U32(n > 2 ? static_cast<std::uint32_t>(v[2]) : NoColour)
        .U8(n > 3 ? static_cast<std::uint32_t>(v[3]) : 0);
    document_->Write(record.Bytes().data(), record.Bytes().size());
}
