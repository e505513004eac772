#include "report/language/expression_reader.h"

#include <cmath>
#include <cstring>
#include <new>

#include "core/event_type_cache.h"
#include "language/language_table.h"
#include "report/language/report_objects.h"
#include "report/language/report_run_context.h"

namespace {

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsNumberType(std::int32_t type)
{
    return type == ReportInteger || type == ReportLong || type == ReportReal;
}

// Wrapping arithmetic in the unsigned types, so that no overflow is undefined.
std::int32_t Wrap32(std::uint32_t value)
{
    return static_cast<std::int32_t>(value);
}

std::int64_t Wrap64(std::uint64_t value)
{
    return static_cast<std::int64_t>(value);
}

} // namespace

// Operand list

ReportValue* OperandList::Push(std::uint8_t code)
{
    if (count_ >= MaxOperands)
        return nullptr;
    ReportValue* operand = new (std::nothrow) ReportValue;
    if (operand == nullptr)
        return nullptr;
    operands_[count_] = operand;
    codes_[count_] = count_ == 0 ? 0 : code;
    ++count_;
    return operand;
}

void OperandList::Remove(int index)
{
    if (index < 0 || index >= count_)
        return;
    delete operands_[index];
    for (int i = index; i + 1 < count_; ++i) {
        operands_[i] = operands_[i + 1];
        codes_[i] = codes_[i + 1];
    }
    --count_;
    operands_[count_] = nullptr;
    codes_[count_] = 0;
}

void OperandList::Clear()
{
    for (int i = 0; i < count_; ++i) {
        delete operands_[i];
        operands_[i] = nullptr;
        codes_[i] = 0;
    }
    count_ = 0;
}

std::int32_t OperandList::Reduce(std::int32_t wanted)
{
    static const std::uint8_t passes[6][6] = {
        {OperatorPower},
        {OperatorMultiply, OperatorDivide},
        {OperatorAdd, OperatorSubtract},
        {OperatorEqual, OperatorNotEqual, OperatorGreater, OperatorGreaterEqual, OperatorLess, OperatorLessEqual},
        {OperatorBitAnd, OperatorBitOr, OperatorBitXor},
        {OperatorAnd, OperatorOr, OperatorXor},
    };
    for (const auto& pass : passes) {
        for (int i = 1; i < count_;) {
            std::uint8_t code = codes_[i];
            bool inPass = false;
            for (std::uint8_t member : pass)
                inPass = inPass || (member != 0 && member == code);
            if (!inPass) {
                ++i;
                continue;
            }
            if (std::int32_t error = Apply(code, i - 1, wanted))
                return error;
            Remove(i);
        }
    }
    return 0;
}

std::int32_t OperandList::Apply(std::uint8_t code, int left, std::int32_t wanted)
{
    switch (code) {
    case OperatorAdd:
        return Add(left, wanted);
    case OperatorSubtract:
    case OperatorMultiply:
    case OperatorDivide:
        return Arithmetic(code, left, wanted);
    case OperatorPower:
        return Power(left);
    case OperatorEqual:
    case OperatorNotEqual:
    case OperatorGreater:
    case OperatorGreaterEqual:
    case OperatorLess:
    case OperatorLessEqual:
        return Compare(code, left);
    case OperatorBitAnd:
    case OperatorBitOr:
    case OperatorBitXor:
        return Bitwise(code, left);
    default:
        return Logical(code, left);
    }
}

namespace {

// Both operands brought to the wanted type ("W"); 0, or error 7 when either cannot be, or error 3 when the
// operator does not work in that type.
std::int32_t ToWanted(ReportValue& a, ReportValue& b, std::int32_t wanted, bool textAllowed)
{
    if (!a.ConvertTo(wanted) || !b.ConvertTo(wanted))
        return ReportErrorConversion;
    if (!IsNumberType(wanted) && !(textAllowed && wanted == ReportString))
        return ReportErrorOperandType;
    return 0;
}

// The wider of two integer types: LONG when either is.
std::int32_t IntegerMix(std::int32_t a, std::int32_t b)
{
    return a == ReportLong || b == ReportLong ? ReportLong : ReportInteger;
}

} // namespace

std::int32_t OperandList::Add(int left, std::int32_t wanted)
{
    ReportValue& a = *operands_[left];
    ReportValue& b = *operands_[left + 1];
    std::int32_t ta = a.Type(), tb = b.Type();
    if (!(IsNumberType(ta) || ta == ReportString) || !(IsNumberType(tb) || tb == ReportString || tb == ReportBoolean))
        return ReportErrorOperandType;
    std::int32_t type;
    bool integers = (ta == ReportInteger || ta == ReportLong) && (tb == ReportInteger || tb == ReportLong);
    if (integers) {
        type = IntegerMix(ta, tb);
        if (!a.ConvertTo(type) || !b.ConvertTo(type))
            return ReportErrorConversion;
    } else if (ta == tb && (ta == ReportReal || ta == ReportString)) {
        type = ta;
    } else {
        if (std::int32_t error = ToWanted(a, b, wanted, true))
            return error;
        type = wanted;
    }
    switch (type) {
    case ReportInteger:
        a.SetInteger(Wrap32(static_cast<std::uint32_t>(a.Integer()) + static_cast<std::uint32_t>(b.Integer())));
        break;
    case ReportLong:
        a.SetLong(Wrap64(static_cast<std::uint64_t>(a.Long()) + static_cast<std::uint64_t>(b.Long())));
        break;
    case ReportReal:
        a.SetReal(a.Real() + b.Real());
        break;
    default:
        a.AppendString(b.TextOrEmpty());
        break;
    }
    return 0;
}

std::int32_t OperandList::Arithmetic(std::uint8_t code, int left, std::int32_t wanted)
{
    ReportValue& a = *operands_[left];
    ReportValue& b = *operands_[left + 1];
    std::int32_t ta = a.Type(), tb = b.Type();
    bool subtract = code == OperatorSubtract;
    if (!IsNumberType(ta) || !(IsNumberType(tb) || (subtract && tb == ReportBoolean)))
        return ReportErrorOperandType;
    std::int32_t type;
    if (ta == tb) {
        type = ta;
    } else if (subtract && (ta == ReportInteger || ta == ReportLong) && (tb == ReportInteger || tb == ReportLong)) {
        type = ReportLong;
        if (!a.ConvertTo(type) || !b.ConvertTo(type))
            return ReportErrorConversion;
    } else {
        if (std::int32_t error = ToWanted(a, b, wanted, false))
            return error;
        type = wanted;
    }
    switch (type) {
    case ReportInteger: {
        auto x = static_cast<std::uint32_t>(a.Integer()), y = static_cast<std::uint32_t>(b.Integer());
        if (code == OperatorSubtract)
            a.SetInteger(Wrap32(x - y));
        else if (code == OperatorMultiply)
            a.SetInteger(Wrap32(x * y));
        else if (b.Integer() == 0)
            return ReportErrorConversion;
        else if (b.Integer() == -1)
            a.SetInteger(Wrap32(0u - x)); // the most negative number wraps to itself
        else
            a.SetInteger(a.Integer() / b.Integer());
        break;
    }
    case ReportLong: {
        auto x = static_cast<std::uint64_t>(a.Long()), y = static_cast<std::uint64_t>(b.Long());
        if (code == OperatorSubtract)
            a.SetLong(Wrap64(x - y));
        else if (code == OperatorMultiply)
            a.SetLong(Wrap64(x * y));
        else if (b.Long() == 0)
            return ReportErrorConversion;
        else if (b.Long() == -1)
            a.SetLong(Wrap64(0u - x));
        else
            a.SetLong(a.Long() / b.Long());
        break;
    }
    default:
        if (code == OperatorSubtract)
            a.SetReal(a.Real() - b.Real());
        else if (code == OperatorMultiply)
            a.SetReal(a.Real() * b.Real());
        else
            a.SetReal(a.Real() / b.Real());
        break;
    }
    return 0;
}

std::int32_t OperandList::Power(int left)
{
    ReportValue& a = *operands_[left];
    ReportValue& b = *operands_[left + 1];
    std::int32_t ta = a.Type(), tb = b.Type();
    if (!IsNumberType(ta) || !IsNumberType(tb))
        return ReportErrorOperandType;
    std::int32_t type = ta == ReportReal || tb == ReportReal ? ReportReal : IntegerMix(ta, tb);
    if (!a.ConvertTo(type))
        return ReportErrorConversion;
    auto asDouble = [](const ReportValue& v) {
        switch (v.Type()) {
        case ReportInteger:
            return static_cast<double>(v.Integer());
        case ReportLong:
            return static_cast<double>(v.Long());
        default:
            return v.Real();
        }
    };
    double power = std::pow(asDouble(a), asDouble(b));
    switch (type) {
    case ReportInteger:
        a.SetInteger(Wrap32(static_cast<std::uint32_t>(static_cast<std::uint64_t>(TruncateReal(power)))));
        break;
    case ReportLong:
        a.SetLong(TruncateReal(power));
        break;
    default:
        a.SetReal(power);
        break;
    }
    return 0;
}

std::int32_t OperandList::Compare(std::uint8_t code, int left)
{
    ReportValue& a = *operands_[left];
    ReportValue& b = *operands_[left + 1];
    for (ReportValue* v : {&a, &b}) {
        std::int32_t t = v->Type();
        if ((t >= ReportRepository && t <= ReportObject) || t == ReportCalendar) {
            if (!v->ConvertTo(ReportInteger))
                return ReportErrorOperandType;
        }
    }
    auto comparable = [](std::int32_t t) { return t == ReportBoolean || IsNumberType(t) || t == ReportString; };
    if (!comparable(a.Type()) || !comparable(b.Type()))
        return ReportErrorOperandType;
    if (a.Type() != b.Type() && !b.ConvertTo(a.Type()))
        return ReportErrorComparison;
    int order;
    switch (a.Type()) {
    case ReportBoolean:
    case ReportInteger:
        order = a.Integer() < b.Integer() ? -1 : a.Integer() > b.Integer() ? 1 : 0;
        break;
    case ReportLong:
        order = a.Long() < b.Long() ? -1 : a.Long() > b.Long() ? 1 : 0;
        break;
    case ReportReal:
        // NaN is neither less, greater nor equal: only <> holds.
        order = a.Real() < b.Real() ? -1 : a.Real() > b.Real() ? 1 : a.Real() == b.Real() ? 0 : 2;
        break;
    default: {
        int c = std::strcmp(a.TextOrEmpty(), b.TextOrEmpty());
        order = c < 0 ? -1 : c > 0 ? 1 : 0;
        break;
    }
    }
    bool holds;
    switch (code) {
    case OperatorEqual:
        holds = order == 0;
        break;
    case OperatorNotEqual:
        holds = order != 0;
        break;
    case OperatorGreater:
        holds = order == 1;
        break;
    case OperatorGreaterEqual:
        holds = order == 1 || order == 0;
        break;
    case OperatorLess:
        holds = order == -1;
        break;
    default:
        holds = order == -1 || order == 0;
        break;
    }
    a.Reset(ReportBoolean);
    a.SetBoolean(holds ? 1 : 0);
    return 0;
}

std::int32_t OperandList::Bitwise(std::uint8_t code, int left)
{
    ReportValue& a = *operands_[left];
    ReportValue& b = *operands_[left + 1];
    auto bitwise = [](std::int32_t t) { return t == ReportBoolean || t == ReportInteger || t == ReportLong; };
    if (!bitwise(a.Type()) || !bitwise(b.Type()))
        return ReportErrorOperandType;
    if (a.Type() != b.Type() && !b.ConvertTo(a.Type()))
        return ReportErrorComparison;
    auto combine = [code](auto x, auto y) {
        return code == OperatorBitAnd ? x & y : code == OperatorBitOr ? x | y : x ^ y;
    };
    if (a.Type() == ReportLong)
        a.SetLong(combine(a.Long(), b.Long()));
    else if (a.Type() == ReportInteger)
        a.SetInteger(combine(a.Integer(), b.Integer()));
    else
        a.SetBoolean(combine(a.Boolean(), b.Boolean()));
    return 0;
}

std::int32_t OperandList::Logical(std::uint8_t code, int left)
{
    ReportValue& a = *operands_[left];
    ReportValue& b = *operands_[left + 1];
    if (!a.ConvertTo(ReportBoolean) || !b.ConvertTo(ReportBoolean))
        return ReportErrorComparison;
    bool x = a.Boolean() != 0, y = b.Boolean() != 0;
    bool result = code == OperatorAnd ? x && y : code == OperatorOr ? x || y : x != y;
    a.SetBoolean(result ? 1 : 0);
    return 0;
}

// The reader

ExpressionReader::ExpressionReader(ReportRunContext& context) : context_(&context) {}

int ExpressionReader::Fail(std::int32_t error)
{
    context_->state.errorNumber = error;
    return 0;
}

void ExpressionReader::SetText(const char* text, std::uint32_t position)
{
    std::size_t length = 0;
    if (text != nullptr)
        while (text[length] != '\0' && text[length] != '\r' && length < TextSize)
            ++length;
    overlong_ = length > TextSize - 1;
    if (overlong_)
        length = TextSize - 1;
    if (length != 0)
        std::memcpy(text_, text, length);
    text_[length] = '\0';
    position_ = position < length ? position : static_cast<std::uint32_t>(length);
}

void ExpressionReader::SkipBlanks()
{
    while (text_[position_] == ' ')
        ++position_;
}

void ExpressionReader::SkipWhitespace()
{
    while (text_[position_] == ' ' || text_[position_] == '\t')
        ++position_;
}

std::uint8_t ExpressionReader::ScanOperator()
{
    SkipWhitespace();
    const char* at = text_ + position_;
    static const struct {
        const char* token;
        std::uint8_t code;
    } tokens[] = {
        {"AND ", OperatorAnd},    {"OR ", OperatorOr},          {"XOR ", OperatorXor},     {"!=", OperatorNotEqual},
        {"<>", OperatorNotEqual}, {">=", OperatorGreaterEqual}, {"<=", OperatorLessEqual}, {"**", OperatorPower},
        {"+", OperatorAdd},       {"-", OperatorSubtract},      {"*", OperatorMultiply},   {"/", OperatorDivide},
        {"=", OperatorEqual},     {"&", OperatorBitAnd},        {"|", OperatorBitOr},      {"^", OperatorBitXor},
        {">", OperatorGreater},   {"<", OperatorLess},
    };
    if (*at == '\0')
        return OperatorNone;
    for (const auto& t : tokens) {
        std::size_t n = std::strlen(t.token);
        if (std::strncmp(at, t.token, n) == 0) {
            position_ += static_cast<std::uint32_t>(n);
            return t.code;
        }
    }
    return OperatorNone;
}

int ExpressionReader::ReadVariable(char (&name)[NameSize], std::int32_t& index)
{
    SkipWhitespace();
    std::size_t length = 0;
    while (IsLetter(text_[position_]) || IsDigit(text_[position_])) {
        if (length == NameSize - 1)
            return 0;
        name[length++] = text_[position_++];
    }
    name[length] = '\0';
    if (length == 0)
        return 0;
    index = 0;
    if (text_[position_] == '[') {
        ++position_;
        ReportValue value;
        value.Init(ReportInteger);
        if (!Evaluate(value))
            return 0;
        index = value.Integer();
    }
    SkipBlanks();
    return 1;
}

int ExpressionReader::Evaluate(ReportValue& target)
{
    if (overlong_)
        return Fail(ReportErrorSyntax);
    const std::int32_t wanted = target.Type();
    OperandList list;
    for (;;) {
        std::uint8_t infix = OperatorNone;
        if (list.Count() > 0) {
            infix = ScanOperator();
            if (infix == OperatorNone)
                return Fail(ReportErrorSyntax);
        }
        std::uint8_t sign = ScanOperator();
        if (sign != OperatorNone && sign != OperatorAdd && sign != OperatorSubtract)
            return Fail(ReportErrorSyntax);
        ReportValue* operand = list.Push(infix);
        if (operand == nullptr)
            return Fail(ReportErrorSyntax); // a 31st operand
        SkipBlanks();
        if (!ReadOperand(*operand, wanted))
            return 0;
        if (sign == OperatorSubtract) {
            switch (operand->Type()) {
            case ReportInteger:
                operand->SetInteger(Wrap32(0u - static_cast<std::uint32_t>(operand->Integer())));
                break;
            case ReportLong:
                operand->SetLong(Wrap64(0u - static_cast<std::uint64_t>(operand->Long())));
                break;
            case ReportReal:
                operand->SetReal(-operand->Real());
                break;
            default:
                return Fail(ReportErrorOperandType);
            }
        }
        SkipWhitespace();
        char c = text_[position_];
        if (c == '\0' || c == '\r' || c == ')' || c == ']' || c == ',' ||
            std::strncmp(text_ + position_, "TO ", 3) == 0)
            break;
    }
    if (text_[position_] == ')' || text_[position_] == ']')
        ++position_;

    std::int32_t error = list.Reduce(wanted);
    context_->state.errorNumber = error;
    if (error != 0)
        return 0;
    ReportValue& result = list[0];
    if (!result.ConvertTo(wanted))
        return Fail(ReportErrorConversion);
    if (wanted == result.Type())
        target.CopyFrom(result);
    context_->state.errorNumber = 0;
    return 1;
}

int ExpressionReader::ReadOperand(ReportValue& operand, std::int32_t wanted)
{
    char c = text_[position_];
    if (c == '"') {
        std::uint32_t start = ++position_;
        while (text_[position_] != '"') {
            if (text_[position_] == '\0' || text_[position_] == '\r')
                return Fail(ReportErrorOpenString);
            ++position_;
        }
        operand.Init(ReportString);
        operand.SetStringN(text_ + start, position_ - start);
        ++position_;
        return 1;
    }
    if (c == '(') {
        ++position_;
        operand.Reset(wanted);
        return Evaluate(operand);
    }
    if (IsDigit(c) || c == '.')
        return ReadNumber(operand, wanted);

    context_->state.errorNumber = 0;
    if (EvaluateBuiltin(operand))
        return 1;
    if (context_->state.errorNumber != 0)
        return 0;
    return ReadVariableOperand(operand);
}

int ExpressionReader::ReadNumber(ReportValue& operand, std::int32_t wanted)
{
    std::uint32_t start = position_;
    bool point = false;
    while (IsDigit(text_[position_]) || text_[position_] == '.') {
        point = point || text_[position_] == '.';
        ++position_;
    }
    if (point || wanted == ReportReal) {
        operand.Init(ReportReal);
        char literal[TextSize];
        std::memcpy(literal, text_ + start, position_ - start);
        literal[position_ - start] = '\0';
        operand.SetReal(LeadingReal(literal));
    } else {
        std::uint64_t value = 0;
        for (std::uint32_t i = start; i < position_; ++i)
            value = value * 10 + static_cast<std::uint64_t>(text_[i] - '0');
        operand.Init(ReportLong);
        operand.SetLong(Wrap64(value));
    }
    return 1;
}

int ExpressionReader::ReadVariableOperand(ReportValue& operand)
{
    char name[NameSize];
    std::int32_t index = 0;
    if (!ReadVariable(name, index))
        return Fail(ReportErrorSyntax); // a failed index too: it keeps no error of its own
    if (index == 0) {
        ReportValue* variable = context_->variables.Get(name);
        if (variable == nullptr)
            return Fail(ReportErrorSyntax);
        switch (variable->Type()) {
        case ReportBoolean:
        case ReportInteger:
        case ReportLong:
        case ReportReal:
        case ReportString:
            operand.CopyFrom(*variable);
            return 1;
        case ReportDatabase:
        case ReportRepository:
        case ReportSource:
        case ReportPerson:
        case ReportObjective:
        case ReportTask:
        case ReportDetail:
        case ReportRepRef:
        case ReportExcerpt:
        case ReportAttribute:
        case ReportEvent:
        case ReportObject:
        case ReportPlace:
        case ReportPeriod:
        case ReportDate:
        case ReportStackType:
        case ReportSortListType:
        case ReportMapType:
        case ReportMapStringType:
        case ReportCalendar:
        case ReportParagraphType:
        case ReportChart:
        case ReportTimeline:
        case ReportPictureType:
        case ReportSystemType:
        case ReportSettingsType:
            return EvaluateVariableChain(*variable, operand);
        default:
            return Fail(ReportErrorSyntax);
        }
    }
    ArrayElements* array = context_->arrays.Get(name);
    ReportValue element;
    if (array == nullptr || !array->Get(index, element))
        return Fail(ReportErrorSyntax);
    operand.CopyFrom(element);
    return 1;
}

// The entry into the property chain of an object variable. With no point behind the name the object itself
// is the operand; otherwise the evaluator of the variable's type reads the chain.
int ExpressionReader::EvaluateVariableChain(ReportValue& variable, ReportValue& operand)
{
    if (IsReportRecordType(variable.Type()))
        variable.LoadRecord(variable.Type() == ReportPerson ? context_->eventTypes.get() : nullptr);
    if (text_[position_] != '.') {
        switch (variable.Type()) {
        case ReportDate:
        case ReportCalendar:
        case ReportTimeline:
            operand.CopyFrom(variable);
            break;
        case ReportChart:
            operand.Reset(ReportChart);
            operand.SetChart();
            break;
        default:
            if (IsReportRecordType(variable.Type())) {
                operand.Reset(variable.Type());
                operand.SetRecord(variable.RecordLoaded() ? variable.RecordId() : 0, variable.OwnerDatabase());
            }
            break;
        }
        return 1;
    }
    switch (variable.Type()) {
    case ReportDatabase:
        return EvaluateDatabase(variable.OwnerDatabase(), operand);
    case ReportRepository:
        return EvaluateRepository(variable.GetRepository(), operand);
    case ReportSource:
        return EvaluateSource(variable.GetSource(), operand);
    case ReportPerson:
        return EvaluatePerson(variable.GetPerson(context_->eventTypes.get()), operand);
    case ReportObjective:
        return EvaluateObjective(variable.GetObjective(), operand);
    case ReportTask:
        return EvaluateTask(variable.GetTask(), operand);
    case ReportDetail:
        return EvaluateDetail(variable.GetDetail(), operand);
    case ReportRepRef:
        return EvaluateRepositoryRef(variable.GetRepRef(), operand);
    case ReportExcerpt:
        return EvaluateExcerpt(variable.GetExcerpt(), operand);
    case ReportAttribute:
        return EvaluateAttribute(variable.GetAttribute(), nullptr, operand);
    case ReportEvent:
        return EvaluateEvent(variable.GetEvent(), nullptr, operand);
    case ReportObject:
        return EvaluateObject(variable.GetMediaObject(), operand);
    case ReportPlace:
        return EvaluatePlace(variable.GetPlace(), operand);
    case ReportPeriod: {
        ReportPeriodBlock* block = variable.GetPeriod();
        return EvaluatePeriod(block != nullptr ? &block->range : nullptr, operand);
    }
    case ReportDate:
        return EvaluateDate(variable.GetDate(), operand);
    case ReportStackType:
        return EvaluateStack(variable.Stack(), operand);
    case ReportSortListType:
        return EvaluateSortList(variable.SortList(), operand);
    case ReportMapType:
        return EvaluateMap(variable.Map(), operand);
    case ReportMapStringType:
        return EvaluateMapString(variable.MapString(), operand);
    case ReportCalendar:
        return EvaluateCalendar(variable.Calendar(), operand);
    case ReportParagraphType:
        return EvaluateParagraph(variable.Paragraph(), operand);
    case ReportChart:
        return EvaluateChart(variable.ChartObject(), operand);
    case ReportTimeline:
        return EvaluateTimeline(variable.TimelineObject(), operand);
    case ReportPictureType:
        return EvaluatePicture(variable.Picture(), operand);
    case ReportSystemType:
        return EvaluateSystem(variable.System(), operand);
    case ReportSettingsType:
        return EvaluateSettings(operand);
    default:
        return Fail(ReportErrorSyntax);
    }
}

const char* ReportErrorKey(std::int32_t error)
{
    switch (error) {
    case 1:
        return LanguageKey("REPORT_ERROR1");
    case 2:
        return LanguageKey("REPORT_ERROR2");
    case 3:
        return LanguageKey("REPORT_ERROR3");
    case 4:
        return LanguageKey("REPORT_ERROR4");
    case 5:
        return LanguageKey("REPORT_ERROR5");
    case 6:
        return LanguageKey("REPORT_ERROR6");
    case 7:
        return LanguageKey("REPORT_ERROR7");
    case 10:
        return LanguageKey("REPORT_ERROR10");
    case 12:
        return LanguageKey("REPORT_ERROR12");
    case 16:
        return LanguageKey("REPORT_ERROR16");
    case 17:
        return LanguageKey("REPORT_ERROR17");
    case 18:
        return LanguageKey("REPORT_ERROR18");
    case 20:
        return LanguageKey("REPORT_ERROR20");
    case 22:
        return LanguageKey("REPORT_ERROR22");
    case 23:
        return LanguageKey("REPORT_ERROR23");
    case 24:
        return LanguageKey("REPORT_ERROR24");
    case 28:
        return LanguageKey("REPORT_ERROR28");
    case 32:
        return LanguageKey("REPORT_ERROR32");
    case 34:
        return LanguageKey("REPORT_ERROR34");
    case 35:
        return LanguageKey("REPORT_ERROR35");
    case 36:
        return LanguageKey("REPORT_ERROR36");
    case 39:
        return LanguageKey("REPORT_ERROR39");
    case 40:
        return LanguageKey("REPORT_ERROR40");
    case 42:
        return LanguageKey("REPORT_ERROR42");
    case 45:
        return LanguageKey("REPORT_ERROR45");
    case 46:
        return LanguageKey("REPORT_ERROR46");
    case 47:
        return LanguageKey("REPORT_ERROR47");
    case 48:
        return LanguageKey("REPORT_ERROR48");
    case 49:
        return LanguageKey("REPORT_ERROR49");
    case 50:
        return LanguageKey("REPORT_ERROR50");
    case 51:
        return LanguageKey("REPORT_ERROR51");
    case 14:
        return LanguageKey("REPORT_ERROR14");
    case 15:
        return LanguageKey("REPORT_ERROR15");
    case 21:
        return LanguageKey("REPORT_ERROR21");
    case 25:
        return LanguageKey("REPORT_ERROR25");
    case 26:
        return LanguageKey("REPORT_ERROR26");
    case 27:
        return LanguageKey("REPORT_ERROR27");
    case 29:
        return LanguageKey("REPORT_ERROR29");
    case 31:
        return LanguageKey("REPORT_ERROR31");
    case 100:
        return LanguageKey("REPORT_ERROR100");
    case 101:
        return LanguageKey("REPORT_ERROR101");
    case 102:
        return LanguageKey("REPORT_ERROR102");
    case 103:
        return LanguageKey("REPORT_ERROR103");
    case 104:
        return LanguageKey("REPORT_ERROR104");
    case 105:
        return LanguageKey("REPORT_ERROR105");
    case 107:
        return LanguageKey("REPORT_ERROR107");
    case 110:
        return LanguageKey("REPORT_ERROR110");
    case 111:
        return LanguageKey("REPORT_ERROR111");
    case 112:
        return LanguageKey("REPORT_ERROR112");
    case 114:
        return LanguageKey("REPORT_ERROR114");
    case 115:
        return LanguageKey("REPORT_ERROR115");
    case 116:
        return LanguageKey("REPORT_ERROR116");
    case 117:
        return LanguageKey("REPORT_ERROR117");
    case 118:
        return LanguageKey("REPORT_ERROR118");
    case 119:
        return LanguageKey("REPORT_ERROR119");
    case 120:
        return LanguageKey("REPORT_ERROR120");
    case 121:
        return LanguageKey("REPORT_ERROR121");
    case 122:
        return LanguageKey("REPORT_ERROR122");
    case 123:
        return LanguageKey("REPORT_ERROR123");
    case 124:
        return LanguageKey("REPORT_ERROR124");
    case 125:
        return LanguageKey("REPORT_ERROR125");
    default:
        return nullptr;
    }
}
