// The assignment statement: a value to a variable or an array element, a member of an object, a method.

#include <cstring>
#include <string>

#include "core/calendar_date.h"
#include "records/media_record.h"
#include "records/timeline.h"
#include "report/language/collections.h"
#include "report/language/expression_reader.h"
#include "report/language/report_objects.h"
#include "report/language/report_run_context.h"
#include "report/output/report_document_writer.h"
#include "report/run/report_interpreter.h"

namespace {

constexpr std::size_t MaxNameLength = 32;

// Stores an INTEGER in a field of the width the object keeps, dropping the high bits as the field does.
template <class Field> void Store(Field& field, std::int32_t value)
{
    field = static_cast<Field>(static_cast<std::uint32_t>(value));
}

} // namespace

// The member part of a statement: the member's name matched as a prefix, its arguments and the right-hand
// side, each evaluated into a value of the type the member wants.
struct ReportInterpreter::MemberCall {
    ReportRunContext& context;
    const char* line;
    std::uint32_t member;   // where the member's name starts
    std::uint32_t rhs;      // where the right-hand side starts (the end of the line when there is none)
    std::uint32_t next = 0; // where the next argument starts
    ExpressionReader reader;

    MemberCall(ReportRunContext& context, const char* line, std::uint32_t member, std::uint32_t rhs)
        : context(context), line(line), member(member), rhs(rhs), reader(context)
    {
    }

    // Whether the member's name starts with `name`; the first argument then follows it.
    bool Is(const char* name)
    {
        std::size_t n = std::strlen(name);
        if (std::strncmp(line + member, name, n) != 0)
            return false;
        next = member + static_cast<std::uint32_t>(n);
        return true;
    }
    // The next argument; after it a comma must stand when `more` follow (error 1 otherwise).
    bool Argument(ReportValue& value, std::int32_t type, bool more = false)
    {
        reader.SetText(line, next);
        value.Reset(type);
        if (!reader.Evaluate(value))
            return false;
        if (more) {
            if (reader.Current() != ',') {
                context.state.errorNumber = ReportErrorSyntax;
                return false;
            }
            next = reader.Position() + 1;
        }
        return true;
    }
    bool Integer(std::int32_t& result, bool more = false)
    {
        ReportValue value;
        if (!Argument(value, ReportInteger, more))
            return false;
        result = value.Integer();
        return true;
    }
    // The right-hand side.
    bool Value(ReportValue& value, std::int32_t type)
    {
        reader.SetText(line, rhs);
        value.Reset(type);
        return reader.Evaluate(value) != 0;
    }
    bool IntegerValue(std::int32_t& result)
    {
        ReportValue value;
        if (!Value(value, ReportInteger))
            return false;
        result = value.Integer();
        return true;
    }
    // A column and a row, then the right-hand side as an INTEGER.
    bool CellInteger(std::uint16_t& column, std::uint16_t& row, std::int32_t& result)
    {
        std::int32_t c = 0, r = 0;
        if (!Integer(c, true) || !Integer(r) || !IntegerValue(result))
            return false;
        column = static_cast<std::uint16_t>(c);
        row = static_cast<std::uint16_t>(r);
        return true;
    }
    int Fail(std::int32_t error)
    {
        context.state.errorNumber = error;
        return 0;
    }
};

void ReportInterpreter::ExecuteStatement(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    std::size_t nameLength = 0;
    while (text[nameLength] != '\0' && std::strchr(" =.[", text[nameLength]) == nullptr)
        ++nameLength;
    if (nameLength > MaxNameLength) {
        Fail(ReportErrorSyntax);
        return;
    }
    std::string name(text, nameLength);

    std::int32_t index = 0;
    if (text[nameLength] == '[') {
        ReportValue value;
        if (!Evaluate(text, static_cast<std::uint32_t>(nameLength + 1), value, ReportInteger))
            return;
        index = value.Integer();
    }

    // The right-hand side: after the first "=" outside parentheses, from the end of the name.
    std::size_t rhs = nameLength;
    int depth = 0;
    while (text[rhs] != '\0' && !(text[rhs] == '=' && depth == 0)) {
        if (text[rhs] == '(')
            ++depth;
        else if (text[rhs] == ')')
            --depth;
        ++rhs;
    }
    if (text[rhs] == '=') {
        ++rhs;
        while (text[rhs] == ' ')
            ++rhs;
    }

    if (index == 0) {
        ReportValue* variable = context_->variables.Get(name.c_str());
        if (variable == nullptr) {
            Fail(ReportErrorNoVariable);
            return;
        }
        if (text[nameLength] != '.') {
            ExpressionReader reader(*context_);
            reader.SetText(text, static_cast<std::uint32_t>(rhs));
            reader.Evaluate(*variable);
            return;
        }
        AssignMember(*variable, text, static_cast<std::uint32_t>(nameLength + 1), static_cast<std::uint32_t>(rhs));
        return;
    }

    ArrayElements* array = context_->arrays.Get(name.c_str());
    if (array == nullptr) {
        Fail(ReportErrorNoVariable);
        return;
    }
    ReportValue element;
    if (!array->Get(index, element)) {
        Fail(ReportErrorRange);
        return;
    }
    ExpressionReader reader(*context_);
    reader.SetText(text, static_cast<std::uint32_t>(rhs));
    if (reader.Evaluate(element))
        array->Set(index, element);
}

void ReportInterpreter::AssignMember(ReportValue& object, const char* line, std::uint32_t member, std::uint32_t rhs)
{
    MemberCall call(*context_, line, member, rhs);
    switch (object.Type()) {
    case ReportPictureType:
        return AssignPicture(object, call);
    case ReportTextBoxType:
    case ReportSectorType:
        return AssignFramedText(object, call);
    case ReportTableType:
        return AssignTable(object, call);
    case ReportStackType:
    case ReportSortListType:
    case ReportMapType:
    case ReportMapStringType:
        return AssignCollection(object, call);
    case ReportCalendar:
        return AssignCalendar(object, call);
    case ReportChart:
        return AssignChart(object, call);
    case ReportParagraphType:
        return AssignParagraph(object, call);
    case ReportTimeline:
        return AssignTimeline(call);
    case ReportSystemType:
        return AssignSystem(call);
    case ReportSettingsType:
        return AssignSettings(call);
    default:
        Fail(ReportErrorSyntax);
        return;
    }
}

void ReportInterpreter::AssignPicture(ReportValue& object, MemberCall& call)
{
    ReportPicture* picture = object.Picture();
    std::int32_t number = 0;
    if (!context_->graphics && call.Is("ALIGN")) {
        if (call.IntegerValue(number) && picture != nullptr)
            Store(picture->align, number);
    } else if (call.Is("BORDERCOLOR")) {
        if (call.IntegerValue(number) && picture != nullptr)
            Store(picture->borderColour, number);
    } else if (call.Is("BORDER")) {
        if (call.IntegerValue(number) && picture != nullptr)
            Store(picture->border, number);
    } else if (call.Is("SET(")) {
        ReportValue media;
        if (!call.Argument(media, ReportObject))
            return;
        const MediaRecord* record = media.GetMediaObject();
        if (record != nullptr && picture != nullptr)
            picture->SetFromMedia(*record);
    } else if (call.Is("MAXWIDTH")) {
        if (call.IntegerValue(number) && picture != nullptr)
            Store(picture->maxWidth, number);
    } else if (call.Is("MAXHEIGHT")) {
        if (call.IntegerValue(number) && picture != nullptr)
            Store(picture->maxHeight, number);
    } else if (call.Is("RESIZE")) {
        if (call.IntegerValue(number) && picture != nullptr)
            Store(picture->resize, number);
    } else if (call.Is("TEXT")) {
        ReportValue text;
        if (call.Value(text, ReportString) && picture != nullptr)
            picture->SetCaption(text.Text());
    } else if (call.Is("PRINT")) {
        PrintPicture(object);
    } else {
        Fail(ReportErrorSyntax);
    }
}

namespace {

// A property that takes an INTEGER; the setter does nothing when the value holds no object.
struct IntegerMember {
    const char* name;
    void (*set)(ReportValue& object, std::int32_t number);
};

ReportFramedText* Framed(ReportValue& object)
{
    if (ReportTextBox* box = object.TextBox())
        return box;
    return object.Sector();
}

// The INTEGER properties of text boxes, of sectors and of both, in the order in which they are matched.
const IntegerMember TextBoxMembers[] = {
    {"WIDTH", [](ReportValue& v, std::int32_t n) { if (auto* o = v.TextBox()) Store(o->width, n); }},
    {"HEIGHT", [](ReportValue& v, std::int32_t n) { if (auto* o = v.TextBox()) Store(o->height, n); }},
    {"ANGLE", [](ReportValue& v, std::int32_t n) { if (auto* o = v.TextBox()) Store(o->angle, n); }},
};

const IntegerMember SectorMembers[] = {
    {"POSITIONANGLE", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Sector()) Store(o->positionAngle, n); }},
    {"WIDTHANGLE", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Sector()) Store(o->widthAngle, n); }},
    {"INNERRADIUS", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Sector()) Store(o->innerRadius, n); }},
    {"OUTERRADIUS", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Sector()) Store(o->outerRadius, n); }},
};

const IntegerMember FramedMembers[] = {
    {"BORDERCOLOR", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) Store(o->borderColour, n); }},
    {"BORDER", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) Store(o->border, n); }},
    {"FONTSIZE", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) Store(o->fontSize, n); }},
    {"STYLE", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) Store(o->style, n); }},
    {"ALIGN", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) Store(o->align, n); }},
    {"TEXTCOLOR", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) Store(o->textColour, n); }},
    {"BACKGROUNDCOLOR", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) o->backgroundColour = n; }},
    {"MARGINTOP", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) o->marginTop = n; }},
    {"MARGINBOTTOM", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) o->marginBottom = n; }},
    {"MARGINLEFT", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) o->marginLeft = n; }},
    {"MARGINRIGHT", [](ReportValue& v, std::int32_t n) { if (auto* o = Framed(v)) o->marginRight = n; }},
};

const IntegerMember TableMembers[] = {
    {"ALIGN", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Table()) Store(o->align, n); }},
    {"BORDER", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Table()) Store(o->border, n); }},
    {"MARGINTOP", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Table()) o->marginTop = n; }},
    {"MARGINBOTTOM", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Table()) o->marginBottom = n; }},
    {"MARGINLEFT", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Table()) o->marginLeft = n; }},
    {"MARGINRIGHT", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Table()) o->marginRight = n; }},
};

const IntegerMember ChartMembers[] = {
    {"COLOR", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) Store(o->colour, n); }},
    {"BORDERCOLOR", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) Store(o->borderColour, n); }},
    {"BORDER", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) o->border = n & 0xFF; }},
    {"WIDTH", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) o->width = n & 0xFFFF; }},
    {"HEIGHT", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) o->height = n & 0xFFFF; }},
    {"FONTSIZE", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) o->fontSize = n; }},
    {"TYPE", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) o->type = n; }},
    {"MARGINTOP", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) o->marginTop = n; }},
    {"MARGINBOTTOM", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) o->marginBottom = n; }},
    {"MARGINLEFT", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) o->marginLeft = n; }},
    {"MARGINRIGHT", [](ReportValue& v, std::int32_t n) { if (auto* o = v.ChartObject()) o->marginRight = n; }},
};

const IntegerMember ParagraphMembers[] = {
    {"ALIGN", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Paragraph()) Store(o->align, n); }},
    {"STYLE", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Paragraph()) Store(o->style, n); }},
    {"FONT", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Paragraph()) Store(o->font, n); }},
    {"COLOR", [](ReportValue& v, std::int32_t n) { if (auto* o = v.Paragraph()) o->colour = n; }},
};

// Matches the member against a table of INTEGER properties and assigns the right-hand side to the first
// that matches; false when none does.
template <class Call, std::size_t N>
bool AssignInteger(const IntegerMember (&members)[N], ReportValue& object, Call& call)
{
    for (const IntegerMember& member : members) {
        if (!call.Is(member.name))
            continue;
        std::int32_t number = 0;
        if (call.IntegerValue(number))
            member.set(object, number);
        return true;
    }
    return false;
}

} // namespace

void ReportInterpreter::AssignFramedText(ReportValue& object, MemberCall& call)
{
    bool textBox = object.Type() == ReportTextBoxType;
    if (call.Is("VALUE")) {
        ReportValue text;
        if (call.Value(text, ReportString))
            if (ReportFramedText* framed = Framed(object))
                framed->SetText(text.Text());
    } else if (call.Is("PRINT")) {
        if (textBox)
            PrintTextBox(object);
        else
            PrintSector(object);
    } else {
        // No name of one table begins another's, so the type's own members can go first.
        bool matched = textBox ? AssignInteger(TextBoxMembers, object, call) : AssignInteger(SectorMembers, object, call);
        if (!matched && !AssignInteger(FramedMembers, object, call))
            Fail(ReportErrorSyntax);
    }
}

void ReportInterpreter::AssignTable(ReportValue& object, MemberCall& call)
{
    ReportTable* table = object.Table();
    std::uint16_t column = 0, row = 0;
    std::int32_t number = 0;
    if (call.Is("WIDTH(")) {
        std::int32_t c = 0;
        if (call.Integer(c) && call.IntegerValue(number) && table != nullptr)
            table->SetColumnWidth(static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(number));
    } else if (call.Is("VALUE(")) {
        std::int32_t c = 0, r = 0;
        ReportValue text;
        if (call.Integer(c, true) && call.Integer(r) && call.Value(text, ReportString) && table != nullptr)
            table->SetCellText(static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(r), text.Text());
    } else if (call.Is("FONTSIZE(")) {
        if (call.CellInteger(column, row, number) && table != nullptr)
            table->SetCellFontSize(column, row, static_cast<std::uint8_t>(number));
    } else if (call.Is("STYLE(")) {
        if (call.CellInteger(column, row, number) && table != nullptr)
            table->SetCellStyle(column, row, static_cast<std::uint8_t>(number));
    } else if (call.Is("CELLALIGN(")) {
        if (call.CellInteger(column, row, number) && table != nullptr)
            table->SetCellAlign(column, row, static_cast<std::uint8_t>(number));
    } else if (call.Is("BACKGROUNDCOLOR(")) {
        if (call.CellInteger(column, row, number) && table != nullptr)
            table->SetCellBackground(column, row, number);
    } else if (call.Is("PRINT")) {
        PrintTable(object);
    } else if (!AssignInteger(TableMembers, object, call)) {
        Fail(ReportErrorSyntax);
    }
}

void ReportInterpreter::AssignCollection(ReportValue& object, MemberCall& call)
{
    std::int32_t number = 0, key = 0;
    switch (object.Type()) {
    case ReportStackType:
        if (!call.Is("INSERT("))
            break;
        if (call.Integer(number) && object.Stack() != nullptr)
            object.Stack()->Push(static_cast<std::uint32_t>(number));
        return;
    case ReportSortListType:
        if (call.Is("INSERT(")) {
            ReportValue text;
            if (call.Argument(text, ReportString, true) && call.Integer(number) && object.SortList() != nullptr)
                object.SortList()->Insert(text.TextOrEmpty(), static_cast<std::uint32_t>(number));
            return;
        }
        if (call.Is("DATA(")) {
            std::int32_t entry = 0;
            if (!call.Integer(entry))
                return;
            ReportSortList* list = object.SortList();
            if (list == nullptr || entry < 1 || entry > list->Count()) {
                Fail(ReportErrorRange);
                return;
            }
            if (call.IntegerValue(number))
                list->SetData(entry, static_cast<std::uint32_t>(number));
            return;
        }
        break;
    case ReportMapType:
        if (!call.Is("INSERT("))
            break;
        if (call.Integer(key, true) && call.Integer(number) && object.Map() != nullptr)
            object.Map()->Insert(key, static_cast<std::uint32_t>(number));
        return;
    case ReportMapStringType:
        if (!call.Is("INSERT(")) {
            break;
        } else {
            ReportValue text;
            if (call.Integer(key, true) && call.Argument(text, ReportString) && object.MapString() != nullptr)
                object.MapString()->Insert(key, text.TextOrEmpty());
        }
        return;
    default:
        break;
    }
    Fail(ReportErrorSyntax);
}

void ReportInterpreter::AssignCalendar(ReportValue& object, MemberCall& call)
{
    // The INTEGER members: methods take their argument, properties the right-hand side.
    static const struct {
        const char* name;
        bool method;
        void (CalendarDate::*apply)(int);
    } members[] = {
        {"ADDDAYS(", true, &CalendarDate::AddDays},     {"ADDMONTHS(", true, &CalendarDate::AddMonths},
        {"ADDYEARS(", true, &CalendarDate::AddYears},   {"YEAR", false, &CalendarDate::SetYear},
        {"MONTH", false, &CalendarDate::SetMonth},      {"DAY", false, &CalendarDate::SetDay},
        {"CALENDAR", false, &CalendarDate::SetCalendar},
    };
    CalendarDate* date = object.Calendar();
    for (const auto& member : members) {
        if (!call.Is(member.name))
            continue;
        std::int32_t number = 0;
        bool evaluated = member.method ? call.Integer(number) : call.IntegerValue(number);
        if (evaluated && date != nullptr)
            (date->*member.apply)(number);
        return;
    }
    if (call.Is("DATE")) {
        ReportValue value;
        if (call.Value(value, ReportDate) && date != nullptr && value.GetDate() != nullptr)
            date->SetFromDateValue(*value.GetDate());
        return;
    }
    Fail(ReportErrorSyntax);
}

void ReportInterpreter::AssignChart(ReportValue& object, MemberCall& call)
{
    Chart* chart = object.ChartObject();
    static const char* const switches[] = {"SHOWVALUES", "SHOWLABELS", "SHOWXGRID", "SHOWYGRID"};
    if (call.Is("ADDPOINT(")) {
        ReportValue label, value;
        if (call.Argument(label, ReportString, true) && call.Argument(value, ReportReal) && chart != nullptr)
            chart->AddValue(label.TextOrEmpty(), value.Real());
        return;
    }
    if (!context_->graphics && call.Is("ALIGN")) {
        std::int32_t number = 0;
        if (call.IntegerValue(number) && chart != nullptr)
            chart->align = number & 0xFF;
        return;
    }
    if (call.Is("PRINT")) {
        PrintChart(object);
        return;
    }
    for (int i = 0; i < 4; ++i) {
        if (!call.Is(switches[i]))
            continue;
        ReportValue flag;
        if (call.Value(flag, ReportBoolean) && chart != nullptr) {
            std::int32_t* fields[] = {&chart->showValues, &chart->showLabels, &chart->showXGrid, &chart->showYGrid};
            *fields[i] = flag.Boolean();
        }
        return;
    }
    if (!AssignInteger(ChartMembers, object, call))
        Fail(ReportErrorSyntax);
}

void ReportInterpreter::AssignParagraph(ReportValue& object, MemberCall& call)
{
    ReportParagraph* paragraph = object.Paragraph();
    ReportValue text;
    if (call.Is("TEXT")) {
        if (call.Value(text, ReportString) && paragraph != nullptr)
            paragraph->SetText(text.Text());
    } else if (call.Is("ADDTEXT(")) {
        if (call.Argument(text, ReportString) && paragraph != nullptr)
            paragraph->AppendText(text.TextOrEmpty());
    } else if (call.Is("PRINT")) {
        PrintParagraph(object);
    } else if (!AssignInteger(ParagraphMembers, object, call)) {
        Fail(ReportErrorSyntax);
    }
}

// The merge and the limits of a timeline take their value and change nothing; any other member is taken
// without an error.
void ReportInterpreter::AssignTimeline(MemberCall& call)
{
    ReportValue value;
    if (call.Is("MERGE"))
        call.Argument(value, ReportInteger);
    else if (call.Is("LOWLIMIT") || call.Is("HIGHLIMIT"))
        call.Value(value, ReportDate);
}

void ReportInterpreter::AssignSystem(MemberCall& call)
{
    static const struct {
        const char* name;
        std::uint8_t kind;
    } pens[] = {{"GRAPHICS.PENCOLOR", DrawPenColor}, {"GRAPHICS.PENWIDTH", DrawPenWidth},
                {"GRAPHICS.PENSTYLE", DrawPenStyle}};
    for (const auto& pen : pens) {
        if (!call.Is(pen.name))
            continue;
        if (!context_->graphics) {
            Fail(ReportErrorNotInGraphics);
            return;
        }
        std::int32_t number = 0;
        if (!call.IntegerValue(number))
            return;
        DrawingRecord drawing;
        drawing.kind = pen.kind;
        drawing.color = static_cast<std::uint32_t>(number);
        drawing.penValue = static_cast<std::uint32_t>(number);
        document_->WriteDrawing(drawing);
        return;
    }
    Fail(ReportErrorSyntax);
}

void ReportInterpreter::AssignSettings(MemberCall& call)
{
    if (!call.Is("SHOWID")) {
        Fail(ReportErrorSyntax);
        return;
    }
    ReportValue flag;
    if (call.Value(flag, ReportBoolean))
        context_->showIds = flag.Boolean() != 0;
}
