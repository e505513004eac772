#include "report/run/report_interpreter.h"

#include <cstring>
#include <string>

#include "report/language/expression_reader.h"
#include "report/language/report_run_context.h"
#include "report/language/variables.h"
#include "report/run/script_lines.h"

namespace {

bool StartsWith(const char* text, const char* prefix)
{
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

const char* SkipBlanks(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    return text;
}

// Whether `word` stands anywhere in the text before its CR.
bool LineContains(const char* text, const char* word)
{
    std::size_t n = std::strlen(word);
    for (const char* p = text; *p != '\0' && *p != '\r'; ++p)
        if (std::strncmp(p, word, n) == 0)
            return true;
    return false;
}

enum class Statement {
    AddIndex,
    Circle,
    Draw,
    EndIf,
    ElseIf,
    Else,
    End,
    For,
    Goto,
    Gosub,
    If,
    Move,
    Message,
    MsgBox,
    Next,
    NewLine,
    NewPar,
    NewPage,
    Print,
    Repeat,
    Return,
    Rectangle,
    Until,
    While,
    Wend,
};

// The statement keywords in the order in which a line is matched against them. A keyword with a blank
// needs the blank; the others match whatever follows. Declarations (variables.h) are matched after them:
// no line can start with both a declaration keyword and one of these.
const struct {
    const char* keyword;
    Statement statement;
} Keywords[] = {
    {"ADDINDEX ", Statement::AddIndex}, {"CIRCLE ", Statement::Circle},      {"DRAW ", Statement::Draw},
    {"ENDIF", Statement::EndIf},        {"ELSEIF", Statement::ElseIf},       {"ELSE", Statement::Else},
    {"END", Statement::End},            {"FOR ", Statement::For},            {"GOTO ", Statement::Goto},
    {"GOSUB ", Statement::Gosub},       {"IF ", Statement::If},              {"MOVE ", Statement::Move},
    {"MESSAGE ", Statement::Message},   {"MSGBOX ", Statement::MsgBox},      {"NEXT", Statement::Next},
    {"NEWLINE", Statement::NewLine},    {"NEWPAR", Statement::NewPar},       {"NEWPAGE", Statement::NewPage},
    {"PRINT ", Statement::Print},       {"REPEAT", Statement::Repeat},       {"RETURN", Statement::Return},
    {"RECTANGLE ", Statement::Rectangle}, {"UNTIL ", Statement::Until},      {"WHILE ", Statement::While},
    {"WEND", Statement::Wend},
};

constexpr std::size_t MaxNameLength = 32;

} // namespace

ReportInterpreter::ReportInterpreter(ReportRunContext& context, const ScriptLines& lines,
                                     const ScriptLabels& labels, ReportDocumentWriter& document,
                                     ReportRunDialog* dialog)
    : context_(&context), lines_(&lines), labels_(&labels), document_(&document), dialog_(dialog)
{
}

ReportInterpreter::~ReportInterpreter() = default;

int ReportInterpreter::Fail(std::int32_t error)
{
    context_->state.errorNumber = error;
    return 0;
}

const char* ReportInterpreter::LineStart(std::int32_t index) const
{
    const char* line = lines_->Line(index);
    return line != nullptr ? SkipBlanks(line) : nullptr;
}

bool ReportInterpreter::Evaluate(const char* text, std::uint32_t position, ReportValue& value, std::int32_t wanted)
{
    ExpressionReader reader(*context_);
    reader.SetText(text, position);
    value.Reset(wanted);
    return reader.Evaluate(value) != 0;
}

void ReportInterpreter::RunLine(const char* line)
{
    // Statements read their own line only: the copy ends at the CR.
    std::size_t length = 0;
    while (line[length] != '\0' && line[length] != '\r')
        ++length;
    std::string own(line, length);
    const char* text = SkipBlanks(own.c_str());
    char first = text[0];
    if (first == '\0' || first == '\'' || first == ':')
        return;

    for (const auto& entry : Keywords) {
        if (entry.keyword[0] != first || !StartsWith(text, entry.keyword))
            continue;
        const char* rest = text + std::strlen(entry.keyword);
        switch (entry.statement) {
        case Statement::AddIndex:
            return AddIndex(rest);
        case Statement::Circle:
            return Circle(rest);
        case Statement::Draw:
            return Draw(rest);
        case Statement::EndIf:
            context_->branchTaken = true;
            return;
        case Statement::ElseIf:
            if (context_->branchTaken)
                return SkipToEndIf();
            return If(rest);
        case Statement::Else:
            return SkipToEndIf();
        case Statement::End:
            ended_ = true;
            return;
        case Statement::For:
            return For(rest);
        case Statement::Goto:
            Goto(rest);
            return;
        case Statement::Gosub:
            return Gosub(rest);
        case Statement::If:
            return If(rest - 1); // from the blank after IF
        case Statement::Move:
            return Move(rest);
        case Statement::Message:
            return Message(rest);
        case Statement::MsgBox:
            return MsgBox(rest);
        case Statement::Next:
            return Next();
        case Statement::NewLine:
            return NewLine();
        case Statement::NewPar:
            return NewParagraph();
        case Statement::NewPage:
            return NewPage();
        case Statement::Print:
            return Print(rest);
        case Statement::Repeat:
            return Repeat();
        case Statement::Return:
            return Return();
        case Statement::Rectangle:
            return Rectangle(rest);
        case Statement::Until:
            return Until(rest);
        case Statement::While:
            return While(rest);
        case Statement::Wend:
            return Wend();
        }
    }
    std::size_t keywordLength = 0;
    if (std::int32_t type = DeclarationKeyword(text, keywordLength); type != 0) {
        DeclareVariable(*context_, text + keywordLength, type);
        return;
    }
    ExecuteStatement(text);
}

// Control flow

bool ReportInterpreter::ScanToClosing(const char* opener, const char* closer)
{
    int count = 1;
    for (std::int32_t i = context_->state.currentLine + 1;; ++i) {
        const char* line = LineStart(i);
        if (line == nullptr)
            return false;
        if (StartsWith(line, opener))
            ++count;
        else if (StartsWith(line, closer))
            --count;
        if (count == 0) {
            context_->state.currentLine = i;
            return true;
        }
    }
}

int ReportInterpreter::Goto(const char* text)
{
    char name[ScriptLabels::NameSize];
    ReadLabelName(SkipBlanks(text), name);
    std::int32_t line = labels_->Find(name);
    if (line < 0)
        return Fail(ReportErrorNoLabel);
    context_->state.currentLine = line;
    return 1;
}

void ReportInterpreter::Gosub(const char* text)
{
    if (context_->depth >= ReportRunContext::ControlDepth) {
        Fail(ReportErrorStackFull);
        return;
    }
    std::int32_t line = context_->state.currentLine;
    if (Goto(text))
        context_->Push(line, ControlGosub);
}

void ReportInterpreter::Return()
{
    if (context_->depth == 0) {
        Fail(ReportErrorStackEmpty);
        return;
    }
    switch (context_->Innermost().kind) {
    case ControlRepeat:
        Fail(ReportErrorReturnInRepeat);
        return;
    case ControlWhile:
        Fail(ReportErrorReturnInWhile);
        return;
    case ControlFor:
        Fail(ReportErrorReturnInFor);
        return;
    default:
        break;
    }
    std::int32_t line = context_->Innermost().line;
    context_->Pop();
    context_->state.currentLine = line;
}

void ReportInterpreter::Repeat()
{
    if (!context_->Push(context_->state.currentLine, ControlRepeat))
        Fail(ReportErrorStackFull);
}

void ReportInterpreter::Until(const char* text)
{
    if (context_->depth == 0 || context_->Innermost().kind != ControlRepeat) {
        Fail(ReportErrorUntilWithoutRepeat);
        return;
    }
    ReportValue condition;
    if (!Evaluate(text, 0, condition, ReportBoolean))
        return;
    if (condition.Boolean() != 0)
        context_->Pop();
    else
        context_->state.currentLine = context_->Innermost().line;
}

void ReportInterpreter::While(const char* text)
{
    if (context_->depth >= ReportRunContext::ControlDepth) {
        Fail(ReportErrorStackFull);
        return;
    }
    ReportValue condition;
    if (!Evaluate(text, 0, condition, ReportBoolean))
        return;
    std::int32_t line = context_->state.currentLine;
    // A later pass finds its own WHILE entry on top.
    bool open = context_->InnermostIs(ControlWhile, line - 1);
    if (condition.Boolean() != 0) {
        if (!open)
            context_->Push(line - 1, ControlWhile);
        return;
    }
    if (!ScanToClosing("WHILE ", "WEND")) {
        context_->state.currentLine = line;
        Fail(ReportErrorReturnInWhile);
    }
    if (open)
        context_->Pop();
}

void ReportInterpreter::Wend()
{
    if (context_->depth == 0 || context_->Innermost().kind != ControlWhile) {
        Fail(ReportErrorWendWithoutWhile);
        return;
    }
    context_->state.currentLine = context_->Innermost().line;
}

void ReportInterpreter::For(const char* text)
{
    if (context_->depth >= ReportRunContext::ControlDepth) {
        Fail(ReportErrorStackFull);
        return;
    }
    std::size_t nameLength = 0;
    while (text[nameLength] != '\0' && text[nameLength] != ' ' && text[nameLength] != '=')
        ++nameLength;
    if (nameLength > MaxNameLength) {
        Fail(ReportErrorSyntax);
        return;
    }
    std::string name(text, nameLength);
    const char* equals = SkipBlanks(text + nameLength);
    if (*equals != '=') {
        Fail(ReportErrorSyntax);
        return;
    }
    ExpressionReader reader(*context_);
    reader.SetText(text, static_cast<std::uint32_t>(equals + 1 - text));
    ReportValue first;
    first.Init(ReportInteger);
    if (!reader.Evaluate(first) || std::strncmp(reader.Text() + reader.Position(), "TO ", 3) != 0) {
        Fail(ReportErrorSyntax);
        return;
    }
    reader.SetPosition(reader.Position() + 3);
    ReportValue last;
    last.Init(ReportInteger);
    if (!reader.Evaluate(last)) {
        Fail(ReportErrorSyntax);
        return;
    }
    ReportValue* variable = context_->variables.Get(name.c_str());
    if (variable == nullptr) {
        Fail(ReportErrorNoForVariable);
        return;
    }
    if (variable->Type() != ReportInteger) {
        Fail(ReportErrorForNotInteger);
        return;
    }
    std::int32_t line = context_->state.currentLine;
    if (context_->InnermostIs(ControlFor, line - 1)) {
        variable->SetInteger(static_cast<std::int32_t>(static_cast<std::uint32_t>(variable->Integer()) + 1u));
    } else {
        context_->Push(line - 1, ControlFor);
        variable->SetInteger(first.Integer());
    }
    if (variable->Integer() <= last.Integer())
        return;
    if (!ScanToClosing("FOR ", "NEXT")) {
        context_->state.currentLine = line;
        Fail(ReportErrorReturnInFor);
    }
    if (context_->InnermostIs(ControlFor, line - 1))
        context_->Pop();
}

void ReportInterpreter::Next()
{
    if (context_->depth == 0 || context_->Innermost().kind != ControlFor) {
        Fail(ReportErrorNextWithoutFor);
        return;
    }
    context_->state.currentLine = context_->Innermost().line;
}

void ReportInterpreter::If(const char* text)
{
    const char* open = SkipBlanks(text);
    if (*open != '(') {
        Fail(ReportErrorNoParenthesis);
        return;
    }
    ExpressionReader reader(*context_);
    reader.SetText(text, static_cast<std::uint32_t>(open + 1 - text));
    ReportValue condition;
    condition.Init(ReportBoolean);
    if (!reader.Evaluate(condition))
        return;
    const char* rest = text + reader.Position();
    if (condition.Boolean() != 0) {
        context_->branchTaken = true;
        rest = SkipBlanks(rest);
        if (StartsWith(rest, "GOTO "))
            Goto(rest + 5);
        else if (!StartsWith(rest, "THEN"))
            Fail(ReportErrorNoThen);
        return;
    }
    if (!LineContains(rest, "THEN")) {
        if (!LineContains(rest, "GOTO"))
            Fail(ReportErrorNoThen);
        return;
    }
    context_->branchTaken = false;
    int count = 1;
    for (std::int32_t i = context_->state.currentLine + 1;; ++i) {
        const char* line = LineStart(i);
        if (line == nullptr) {
            Fail(ReportErrorNoEndIf);
            return;
        }
        if (StartsWith(line, "IF "))
            ++count;
        else if (StartsWith(line, "ENDIF"))
            --count;
        if (count == 0) {
            context_->branchTaken = true;
            context_->state.currentLine = i;
            return;
        }
        if (count == 1 && StartsWith(line, "ELSE")) {
            // An ELSEIF runs next and tests its own condition; after an ELSE its branch runs.
            context_->state.currentLine = StartsWith(line, "ELSEIF") ? i - 1 : i;
            return;
        }
    }
}

void ReportInterpreter::SkipToEndIf()
{
    if (!ScanToClosing("IF ", "ENDIF"))
        Fail(ReportErrorNoEndIf);
    context_->branchTaken = true;
}

// MESSAGE, MSGBOX

void ReportInterpreter::Message(const char* text)
{
    ReportValue value;
    if (!Evaluate(text, 0, value, ReportString))
        return;
    if (dialog_ != nullptr)
        dialog_->ShowStatus(value.TextOrEmpty());
}

void ReportInterpreter::MsgBox(const char* text)
{
    ExpressionReader reader(*context_);
    reader.SetText(text, 0);
    ReportValue flags;
    flags.Init(ReportInteger);
    if (!reader.Evaluate(flags) || reader.Current() != ',') {
        Fail(ReportErrorSyntax);
        return;
    }
    reader.SetPosition(reader.Position() + 1);
    ReportValue message;
    message.Init(ReportString);
    if (!reader.Evaluate(message)) {
        Fail(ReportErrorSyntax);
        return;
    }
    if (dialog_ != nullptr)
        dialog_->ShowMessage(static_cast<std::uint32_t>(flags.Integer()), message.TextOrEmpty());
}
