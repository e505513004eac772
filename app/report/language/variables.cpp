#include "report/language/variables.h"

#include <cstring>
#include <new>

#include "report/language/expression_reader.h"
#include "report/language/named_constants.h"
#include "report/language/report_run_context.h"

// Arrays

std::unique_ptr<ArrayElements> ArrayElements::Create(std::int32_t elementType, std::int32_t size)
{
    std::size_t width;
    switch (elementType) {
    case ReportBoolean:
        width = 1;
        break;
    case ReportInteger:
        width = 4;
        break;
    case ReportReal:
    case ReportLong:
        width = 8;
        break;
    default:
        return nullptr;
    }
    if (size < 1 || static_cast<std::size_t>(size) > static_cast<std::size_t>(-1) / width)
        return nullptr;
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size) * width]());
    if (!bytes)
        return nullptr;
    return std::unique_ptr<ArrayElements>(new (std::nothrow) ArrayElements(elementType, size, std::move(bytes)));
}

std::size_t ArrayElements::Width() const
{
    return type_ == ReportBoolean ? 1 : type_ == ReportInteger ? 4 : 8;
}

bool ArrayElements::Get(std::int32_t index, ReportValue& out) const
{
    if (index < 1 || index > size_)
        return false;
    const std::uint8_t* element = bytes_.get() + static_cast<std::size_t>(index - 1) * Width();
    out.Reset(type_);
    switch (type_) {
    case ReportBoolean:
        out.SetBoolean(element[0]);
        break;
    case ReportInteger: {
        std::int32_t v;
        std::memcpy(&v, element, sizeof v);
        out.SetInteger(v);
        break;
    }
    case ReportReal: {
        double v;
        std::memcpy(&v, element, sizeof v);
        out.SetReal(v);
        break;
    }
    case ReportLong: {
        std::int64_t v;
        std::memcpy(&v, element, sizeof v);
        out.SetLong(v);
        break;
    }
    }
    return true;
}

bool ArrayElements::Set(std::int32_t index, const ReportValue& value)
{
    if (index < 1 || index > size_ || value.Type() != type_)
        return false;
    std::uint8_t* element = bytes_.get() + static_cast<std::size_t>(index - 1) * Width();
    switch (type_) {
    case ReportBoolean:
        element[0] = static_cast<std::uint8_t>(value.Boolean());
        break;
    case ReportInteger: {
        std::int32_t v = value.Integer();
        std::memcpy(element, &v, sizeof v);
        break;
    }
    case ReportReal: {
        double v = value.Real();
        std::memcpy(element, &v, sizeof v);
        break;
    }
    case ReportLong: {
        std::int64_t v = value.Long();
        std::memcpy(element, &v, sizeof v);
        break;
    }
    }
    return true;
}

// The tables

template <class Entry> int VariableSlots<Entry>::Find(const char* name, std::int32_t level) const
{
    for (int i = count_ - 1; i >= 0; --i)
        if ((level == -1 || levels_[i] == level) && std::strcmp(names_[i], name) == 0)
            return i;
    return -1;
}

template <class Entry> Entry* VariableSlots<Entry>::Get(const char* name) const
{
    int index = Find(name, -1);
    return index < 0 ? nullptr : entries_[index].get();
}

template <class Entry> void VariableSlots<Entry>::RemoveAt(int index)
{
    if (index < 0 || index >= count_)
        return;
    entries_[index].reset();
    for (int i = index; i + 1 < count_; ++i) {
        entries_[i] = std::move(entries_[i + 1]);
        std::memcpy(names_[i], names_[i + 1], sizeof names_[i]);
        levels_[i] = levels_[i + 1];
    }
    --count_;
}

template <class Entry> void VariableSlots<Entry>::Remove(const char* name, std::int32_t level)
{
    RemoveAt(Find(name, level));
}

template <class Entry> void VariableSlots<Entry>::DropLevel(std::int32_t level)
{
    while (count_ > 0 && levels_[count_ - 1] >= level)
        RemoveAt(count_ - 1);
}

template <class Entry> void VariableSlots<Entry>::FreeAll()
{
    while (count_ > 0)
        RemoveAt(count_ - 1);
}

template <class Entry>
Entry* VariableSlots<Entry>::Append(const char* name, std::int32_t level, std::unique_ptr<Entry> entry)
{
    if (count_ >= MaxEntries || !entry)
        return nullptr;
    std::memset(names_[count_], 0, sizeof names_[count_]);
    std::strncpy(names_[count_], name, NameSize);
    levels_[count_] = level;
    entries_[count_] = std::move(entry);
    return entries_[count_++].get();
}

template class VariableSlots<ReportValue>;
template class VariableSlots<ArrayElements>;

ReportValue* VariableTable::Add(const char* name, std::int32_t type, std::int32_t level, std::uint16_t dim1,
                                std::uint16_t dim2, const ReportHost& host)
{
    if (Count() >= MaxEntries)
        return nullptr;
    std::unique_ptr<ReportValue> value(new (std::nothrow) ReportValue);
    if (value)
        value->Construct(type, dim1, dim2, host);
    return Append(name, level, std::move(value));
}

ArrayElements* ArrayVariableTable::Add(const char* name, std::int32_t elementType, std::int32_t level,
                                       std::int32_t size)
{
    if (Count() >= MaxEntries)
        return nullptr;
    return Append(name, level, ArrayElements::Create(elementType, size));
}

// Declarations

namespace {

const char* const ReservedWords[] = {
    "ADDINDEX",   "ADDRESS",     "ALIAS",    "AND",    "ATTRIBUTE", "ATTRIBUTETYPE", "BOOLEAN",      "CALENDAR",
    "CHART",      "CIRCLE",      "DATABASE", "DATE",   "DETAIL",    "DRAW",          "ELSE",         "ELSEIF",
    "END",        "ENDIF",       "FOR",      "EVENT",  "EVENTTYPE", "EXCERPT",       "GOSUB",        "GOTO",
    "IF",         "INFORMATION", "INTEGER",  "LALPHA", "LONG",      "LROMAN",        "MAP",          "MAPSTRING",
    "MAX",        "MESSAGE",     "MIN",      "MOVE",   "NAME",      "NEXT",          "NOTE",         "OBJECTIVE",
    "OR",         "PERSON",      "PLACE",    "PRINT",  "REAL",      "RECTANGLE",     "RELATIONSHIP", "REPEAT",
    "REPOSITORY", "REPREF",      "RETURN",   "RGB",    "SORTLIST",  "SOUNDEX",       "SOURCE",       "STACK",
    "STRING",     "SYSTEM",      "TABLE",    "TASK",   "TEXTBOX",   "THEN",          "UALPHA",       "UNTIL",
    "UROMAN",     "WEND",        "WHILE",    "XOR",
};
static_assert(sizeof ReservedWords / sizeof ReservedWords[0] == 68);

const struct {
    const char* keyword; // with its blank
    std::int32_t type;
} DeclarationKeywords[] = {
    {"BOOLEAN ", 1},   {"INTEGER ", 2},    {"STRING ", 3},     {"REAL ", 4},      {"LONG ", 5},     {"REPOSITORY ", 11},
    {"SOURCE ", 12},   {"PERSON ", 13},    {"OBJECTIVE ", 14}, {"TASK ", 15},     {"DETAIL ", 16},  {"REPREF ", 17},
    {"EXCERPT ", 18},  {"ATTRIBUTE ", 19}, {"EVENT ", 20},     {"OBJECT ", 21},   {"PERIOD ", 25},  {"TABLE ", 50},
    {"STACK ", 51},    {"SORTLIST ", 52},  {"MAP ", 53},       {"TEXTBOX ", 54},  {"PICTURE ", 55}, {"MAPSTRING ", 56},
    {"CALENDAR ", 57}, {"PARAGRAPH ", 58}, {"CHART ", 59},     {"TIMELINE ", 60}, {"SECTOR ", 61},
};

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLineEnd(char c)
{
    return c == '\0' || c == '\r';
}

constexpr std::int32_t ErrorNameTooLong = 17;
constexpr std::int32_t ErrorNameStart = 18;
constexpr std::int32_t ErrorTableFull = 24;
constexpr std::int32_t ErrorAfterName = 39;
constexpr std::int32_t ErrorReservedName = 40;
constexpr std::int32_t ErrorGraphicsOnly = 49;
constexpr std::int32_t ErrorNotInGraphics = 50;
constexpr std::int32_t ErrorNoInitialValue = 51;

// An INTEGER expression from the reader's position.
bool EvaluateInteger(ExpressionReader& reader, std::int32_t& result)
{
    ReportValue value;
    value.Init(ReportInteger);
    if (!reader.Evaluate(value))
        return false;
    result = value.Integer();
    return true;
}

} // namespace

bool IsReservedWord(const char* word)
{
    for (const char* reserved : ReservedWords)
        if (std::strcmp(word, reserved) == 0)
            return true;
    return false;
}

std::int32_t DeclarationKeyword(const char* line, std::size_t& length)
{
    for (const auto& entry : DeclarationKeywords) {
        std::size_t n = std::strlen(entry.keyword);
        if (std::strncmp(line, entry.keyword, n) == 0) {
            length = n;
            return entry.type;
        }
    }
    length = 0;
    return 0;
}

int DeclareVariable(ReportRunContext& context, const char* text, std::int32_t type)
{
    ExpressionReader reader(context);
    context.state.errorNumber = 0;
    if ((type == ReportTableType || type == ReportParagraphType) && context.graphics)
        return reader.Fail(ErrorGraphicsOnly);
    if ((type == ReportTextBoxType || type == ReportSectorType) && !context.graphics)
        return reader.Fail(ErrorNotInGraphics);
    reader.SetText(text, 0);
    if (reader.Overlong())
        return reader.Fail(ReportErrorSyntax);
    const char* line = reader.Text();
    auto skipBlanks = [&] {
        while (line[reader.Position()] == ' ' || line[reader.Position()] == '\t')
            reader.SetPosition(reader.Position() + 1);
    };

    for (;;) {
        skipBlanks();
        if (IsLineEnd(reader.Current()))
            return 1;

        // The name
        if (!IsLetter(reader.Current()))
            return reader.Fail(ErrorNameStart);
        char name[ExpressionReader::NameSize] = {};
        std::size_t length = 0;
        while (IsLetter(reader.Current()) || IsDigit(reader.Current())) {
            if (length == ExpressionReader::NameSize - 1)
                return reader.Fail(ErrorNameTooLong);
            name[length++] = reader.Current();
            reader.SetPosition(reader.Position() + 1);
        }
        if (IsReservedWord(name) || IsNamedConstant(name))
            return reader.Fail(ErrorReservedName);
        context.variables.Remove(name, context.depth);
        context.arrays.Remove(name, context.depth);

        if (reader.Current() == '[') {
            if (type != ReportBoolean && type != ReportInteger && type != ReportLong && type != ReportReal)
                return reader.Fail(ReportErrorSyntax);
            reader.SetPosition(reader.Position() + 1);
            std::int32_t size;
            if (!EvaluateInteger(reader, size))
                return 0;
            if (line[reader.Position() - 1] != ']')
                return reader.Fail(ReportErrorSyntax);
            if (context.arrays.Count() >= ArrayVariableTable::MaxEntries)
                return reader.Fail(ErrorTableFull);
            // A size below 1, or one that cannot be allocated, declares nothing.
            if (context.arrays.Add(name, type, context.depth, size) == nullptr)
                return reader.Fail(ReportErrorSyntax);
        } else {
            std::int32_t columns = 0;
            std::int32_t rows = 0;
            bool parenthesis = reader.Current() == '(';
            if (parenthesis != (type == ReportTableType))
                return reader.Fail(ReportErrorSyntax);
            if (parenthesis) {
                reader.SetPosition(reader.Position() + 1);
                if (!EvaluateInteger(reader, columns))
                    return 0;
                if (reader.Current() == ',') {
                    reader.SetPosition(reader.Position() + 1);
                    if (!EvaluateInteger(reader, rows))
                        return 0;
                }
                if (line[reader.Position() - 1] != ')')
                    return reader.Fail(ReportErrorSyntax);
            }
            ReportValue* value = context.variables.Add(name, type, context.depth, static_cast<std::uint16_t>(columns),
                                                       static_cast<std::uint16_t>(rows), context.Host());
            if (value == nullptr)
                return reader.Fail(ErrorTableFull);

            skipBlanks();
            if (reader.Current() == '=') {
                if (type != ReportString && type != ReportInteger && type != ReportReal && type != ReportBoolean)
                    return reader.Fail(ErrorNoInitialValue);
                reader.SetPosition(reader.Position() + 1);
                ReportValue initial;
                initial.Init(type);
                if (!reader.Evaluate(initial))
                    return 0;
                switch (type) {
                case ReportString:
                    value->SetString(initial.TextOrEmpty());
                    break;
                case ReportInteger:
                    value->SetInteger(initial.Integer());
                    break;
                case ReportReal:
                    value->SetReal(initial.Real());
                    break;
                case ReportBoolean:
                    value->SetBoolean(initial.Boolean());
                    break;
                }
            }
        }

        skipBlanks();
        if (reader.Current() == ',') {
            reader.SetPosition(reader.Position() + 1);
            continue;
        }
        if (IsLineEnd(reader.Current()))
            return 1;
        return reader.Fail(ErrorAfterName);
    }
}
