// The output statements: breaks, printed text, the printing of report objects, index entries and the
// drawing commands of graphics reports. Each appends records at the end of the report document; a
// statement evaluates everything it needs before it writes, so a failed statement writes nothing.

#include <cctype>
#include <cstring>
#include <string>

#include "report/language/collections.h"
#include "report/language/expression_reader.h"
#include "report/language/report_host.h"
#include "report/language/report_objects.h"
#include "report/language/report_run_context.h"
#include "report/output/report_document_writer.h"
#include "report/run/report_interpreter.h"

namespace {

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
    document_->WriteCode(code);
}

void ReportInterpreter::WriteRunHeader(std::uint8_t code, std::uint8_t align, std::uint8_t size, std::uint32_t colour,
                                       std::uint8_t style, std::uint8_t font)
{
    TextRunHeader run;
    run.code = code;
    run.alignment = align;
    run.size = size;
    run.color = colour;
    run.styleBits = style;
    run.style = font;
    document_->WriteTextRunHeader(run);
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
    document_->WriteTextAndEnd(text != nullptr ? text : "");
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
        document_->WriteTextAndEnd(std::string_view(text, static_cast<std::size_t>(end - text)));
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
    } prefixes[] = {{"BOLD ", StyleBold}, {"ITALIC ", StyleItalic}, {"UNDERLINE ", StyleUnderline},
                    {"STRIKEOUT ", StyleStrikeOut}};
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
    // Evaluated before anything is written, so a failed PRINT writes nothing.
    ReportValue value;
    if (!Evaluate(text, 0, value, ReportString))
        return;
    WriteRunHeader(RecordTextRun, ReportAlignLeft, 0, context_->Host().NormalFontColor(), style, FontNormal);
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
    WriteRunHeader(RecordParagraphText, paragraph->align, 0, context_->Host().NormalFontColor(), paragraph->style,
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
    PictureHeader header;
    header.largestWidth = picture->maxWidth;
    header.largestHeight = picture->maxHeight;
    header.alignment = picture->align;
    header.frameWidth = picture->border;
    header.frameColor = picture->borderColour;
    header.resize = picture->resize;
    header.imageSize = picture->ImageSize();
    document_->WritePicture(header, picture->Extension(), picture->Image());
    if (picture->Caption() != nullptr && picture->Caption()[0] != '\0') {
        // The caption in the picture text style, at its size and colour.
        const ReportHost& host = context_->Host();
        WriteRunHeader(RecordTextRun, ReportAlignLeft, static_cast<std::uint8_t>(host.PictureFontSize()),
                       host.PictureFontColor(), 0, FontPicture);
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
    TableHeader header;
    header.alignment = table->align;
    header.borderWidth = table->border;
    header.columns = table->Columns();
    header.leftMargin = table->marginLeft;
    header.topMargin = table->marginTop;
    header.rightMargin = table->marginRight;
    header.bottomMargin = table->marginBottom;
    for (std::uint16_t column = 1; column <= table->Columns(); ++column)
        header.widths[column - 1] = table->ColumnWidth(column);
    document_->WriteTable(header);
    std::uint32_t colour = context_->Host().NormalFontColor();
    for (std::uint16_t row = 1; row <= table->Rows(); ++row) {
        for (std::uint16_t column = 1; column <= table->Columns(); ++column) {
            const ReportTable::Cell* cell = table->CellAt(column, row);
            document_->WriteCell(static_cast<std::uint32_t>(cell->background));
            WriteRunHeader(RecordTextRun, cell->align, cell->fontSize, colour, cell->style, FontNormal);
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
    ChartHeader header;
    header.type = static_cast<std::uint8_t>(chart->type);
    header.width = static_cast<std::uint16_t>(chart->width);
    header.height = static_cast<std::uint16_t>(chart->height);
    header.alignment = static_cast<std::uint8_t>(chart->align);
    header.border = static_cast<std::uint8_t>(chart->border);
    header.borderColor = chart->borderColour;
    header.color = chart->colour;
    header.showValues = static_cast<std::uint8_t>(chart->showValues);
    header.showLabels = static_cast<std::uint8_t>(chart->showLabels);
    header.showXGrid = static_cast<std::uint8_t>(chart->showXGrid);
    header.showYGrid = static_cast<std::uint8_t>(chart->showYGrid);
    header.fontSize = static_cast<std::uint8_t>(chart->fontSize);
    header.points = static_cast<std::uint8_t>(chart->Count());
    document_->WriteChartHeader(header);
    for (int i = 0; i < chart->Count(); ++i) {
        ChartPoint point;
        std::strncpy(point.label, chart->At(i).label, Chart::MaxLabel);
        point.value = chart->At(i).value;
        document_->WriteChartPoint(point);
    }
    WriteByte(RecordChartEnd);
}

namespace {

// The fields text boxes and sectors share.
void FillFramed(DrawingRecord& drawing, const ReportFramedText& framed)
{
    drawing.borderWidth = framed.border;
    drawing.borderColor = framed.borderColour;
    drawing.background = static_cast<std::uint32_t>(framed.backgroundColour);
    drawing.alignment = framed.align;
    drawing.size = framed.fontSize;
    drawing.textColor = framed.textColour;
    drawing.styleBits = framed.style;
    drawing.leftMargin = framed.marginLeft;
    drawing.topMargin = framed.marginTop;
    drawing.rightMargin = framed.marginRight;
    drawing.bottomMargin = framed.marginBottom;
}

std::string_view TextOf(const ReportFramedText& framed)
{
    return framed.Text() != nullptr ? framed.Text() : "";
}

} // namespace

void ReportInterpreter::PrintTextBox(const ReportValue& value)
{
    if (!context_->graphics) {
        Fail(ReportErrorNotInGraphics);
        return;
    }
    const ReportTextBox* box = value.TextBox();
    if (box == nullptr || box->width == 0 || box->height == 0)
        return;
    DrawingRecord drawing;
    drawing.kind = DrawTextBox;
    drawing.width = box->width;
    drawing.height = box->height;
    drawing.angle = box->angle;
    FillFramed(drawing, *box);
    document_->WriteDrawing(drawing, TextOf(*box));
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
    DrawingRecord drawing;
    drawing.kind = DrawSector;
    drawing.positionAngle = sector->positionAngle;
    drawing.widthAngle = sector->widthAngle;
    drawing.innerRadius = sector->innerRadius;
    drawing.outerRadius = sector->outerRadius;
    FillFramed(drawing, *sector);
    document_->WriteDrawing(drawing, TextOf(*sector));
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
    IndexEntry index;
    index.page = static_cast<std::uint32_t>(page.Integer());
    if (reader.Current() == ',') {
        reader.SetPosition(reader.Position() + 1);
        ReportValue group;
        group.Init(ReportInteger);
        if (!reader.Evaluate(group))
            return;
        index.group = static_cast<std::uint32_t>(group.Integer());
    }
    document_->WriteIndexEntry(index, entry.TextOrEmpty());
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
    DrawingRecord drawing;
    drawing.kind = DrawMove;
    drawing.x = v[0] < 0 ? 0 : v[0];
    drawing.y = v[1] < 0 ? 0 : v[1];
    document_->WriteDrawing(drawing);
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
    DrawingRecord drawing;
    drawing.kind = DrawLine;
    drawing.x = v[0];
    drawing.y = v[1];
    drawing.color = n > 2 ? static_cast<std::uint32_t>(v[2]) : NoColor;
    document_->WriteDrawing(drawing);
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
    DrawingRecord drawing;
    drawing.kind = DrawCircle;
    drawing.radius = static_cast<std::uint16_t>(v[0]);
    drawing.color = n > 1 ? static_cast<std::uint32_t>(v[1]) : NoColor;
    document_->WriteDrawing(drawing);
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
    DrawingRecord drawing;
    drawing.kind = DrawRectangle;
    drawing.width = static_cast<std::uint16_t>(v[0]);
    drawing.height = static_cast<std::uint16_t>(v[1]);
    drawing.color = n > 2 ? static_cast<std::uint32_t>(v[2]) : NoColor;
    drawing.shape = n > 3 ? static_cast<std::uint8_t>(v[3]) : static_cast<std::uint8_t>(RectPlain);
    document_->WriteDrawing(drawing);
}
