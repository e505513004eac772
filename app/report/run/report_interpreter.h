// The interpreter of one generation dialog: runs a script line by its first word. Every statement is one
// of its operations and takes the text after its keyword; failures are reported only through the run
// context's error number. Loops, subroutines and conditional blocks move the context's current line and
// scan the script text for their closing line; the step that follows adds 1 to the current line.
#pragma once

#include <cstdint>
#include <string>

#include "report/language/report_value.h"

class ExpressionReader;
class ReportDocumentWriter;
class ReportRunContext;
class ScriptLabels;
class ScriptLines;

// Error numbers of the statements.
inline constexpr std::int32_t ReportErrorNoVariable = 2;
inline constexpr std::int32_t ReportErrorNoEndIf = 4;
inline constexpr std::int32_t ReportErrorNoParenthesis = 5;
inline constexpr std::int32_t ReportErrorNoLabel = 6;
inline constexpr std::int32_t ReportErrorNoComma = 20;
inline constexpr std::int32_t ReportErrorStackFull = 22;
inline constexpr std::int32_t ReportErrorStackEmpty = 23;
inline constexpr std::int32_t ReportErrorUntilWithoutRepeat = 32;
inline constexpr std::int32_t ReportErrorReturnInRepeat = 34;
inline constexpr std::int32_t ReportErrorReturnInWhile = 35;
inline constexpr std::int32_t ReportErrorWendWithoutWhile = 36;
inline constexpr std::int32_t ReportErrorNoThen = 42;
inline constexpr std::int32_t ReportErrorNoForVariable = 45;
inline constexpr std::int32_t ReportErrorForNotInteger = 46;
inline constexpr std::int32_t ReportErrorNextWithoutFor = 47;
inline constexpr std::int32_t ReportErrorReturnInFor = 48;
inline constexpr std::int32_t ReportErrorGraphicsOnly = 49;
inline constexpr std::int32_t ReportErrorNotInGraphics = 50;

// What the statements and the steps ask of the generation dialog.
class ReportRunDialog {
public:
    virtual ~ReportRunDialog() = default;
    // MESSAGE: replaces the text of the dialog's status line.
    virtual void ShowStatus(const char* text) = 0;
    // MSGBOX: a message box owned by the dialog with an empty caption; `flags` are the Win32 styles.
    virtual void ShowMessage(std::uint32_t flags, const char* text) = 0;
    // Between two lines: lets every waiting message of the thread through.
    virtual void PumpMessages() = 0;
    // The error box of a run-time error (Yes and No); true when the user chose to stop.
    virtual bool AskStopAfterError(const char* text) = 0;
};

class ReportInterpreter {
public:
    // Everything given must outlive the interpreter; `dialog` may be null (MESSAGE and MSGBOX then show
    // nothing).
    ReportInterpreter(ReportRunContext& context, const ScriptLines& lines, const ScriptLabels& labels,
                      ReportDocumentWriter& document, ReportRunDialog* dialog);
    ReportInterpreter(const ReportInterpreter&) = delete;
    ReportInterpreter& operator=(const ReportInterpreter&) = delete;
    ~ReportInterpreter();

    // Runs one line of the script (its text up to the CR), its leading blanks and tabs skipped.
    void RunLine(const char* line);
    // END has run: the next step finishes the run.
    bool Ended() const { return ended_; }

    // Control flow
    int Goto(const char* text);
    void Gosub(const char* text);
    void Return();
    void Repeat();
    void Until(const char* text);
    void While(const char* text);
    void Wend();
    void For(const char* text);
    void Next();
    void If(const char* text);
    void SkipToEndIf();

    // Every line no keyword claims: assignment, a member of an object, a method call.
    void ExecuteStatement(const char* text);

    // Output
    void NewPage();
    void NewLine();
    void NewParagraph();
    void Print(const char* text);
    void AddIndex(const char* text);
    void Move(const char* text);
    void Draw(const char* text);
    void Circle(const char* text);
    void Rectangle(const char* text);
    void WriteText(const char* text);
    void WriteTextLines(const char* text);
    void PrintPicture(const ReportValue& value);
    void PrintTable(const ReportValue& value);
    void PrintChart(const ReportValue& value);
    void PrintTextBox(const ReportValue& value);
    void PrintSector(const ReportValue& value);
    void PrintParagraph(const ReportValue& value);

    void Message(const char* text);
    void MsgBox(const char* text);

private:
    struct MemberCall;

    // Sets the run's error number; answers 0 for the caller to return.
    int Fail(std::int32_t error);
    // The line `index` with its leading blanks and tabs skipped; null beyond the script.
    const char* LineStart(std::int32_t index) const;
    // From the line after the current one, counts lines that start with `opener` (+1) and `closer` (-1)
    // from 1; at 0 the current line moves to that closer and the answer is true. False at the end of the
    // script, the current line unchanged.
    bool ScanToClosing(const char* opener, const char* closer);
    // An expression of the wanted type from `position` of `text`; false with the evaluator's error.
    bool Evaluate(const char* text, std::uint32_t position, ReportValue& value, std::int32_t wanted);

    void AssignMember(ReportValue& object, const char* line, std::uint32_t member, std::uint32_t rhs);
    void AssignPicture(ReportValue& object, MemberCall& call);
    void AssignFramedText(ReportValue& object, MemberCall& call);
    void AssignTable(ReportValue& object, MemberCall& call);
    void AssignCollection(ReportValue& object, MemberCall& call);
    void AssignCalendar(ReportValue& object, MemberCall& call);
    void AssignChart(ReportValue& object, MemberCall& call);
    void AssignParagraph(ReportValue& object, MemberCall& call);
    void AssignTimeline(MemberCall& call);
    void AssignSystem(MemberCall& call);
    void AssignSettings(MemberCall& call);

    // Output helpers
    void WriteByte(std::uint8_t code);
    void WriteRunHeader(std::uint8_t code, std::uint8_t align, std::uint8_t size, std::uint32_t colour,
                        std::uint8_t style, std::uint8_t font);

    ReportRunContext* context_;
    const ScriptLines* lines_;
    const ScriptLabels* labels_;
    ReportDocumentWriter* document_;
    ReportRunDialog* dialog_;
    bool ended_ = false;
};
