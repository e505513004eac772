// A report run: the state of one run of a report type's script into a report document, and the steps of
// the generation dialog that runs it one line at a time. The run is portable; the windows (the inputs
// dialog, the generation dialog, the error box, the report window) are reached through ReportRunUi, and
// the generation dialog drives GenerationSteps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "report/language/report_run_context.h"
#include "report/run/report_interpreter.h"
#include "report/output/report_document_writer.h"
#include "report/output/report_type.h"
#include "report/run/script_lines.h"

class Database;
class ReportHost;
class ReportRun;

// The step modes of the debugger, set before each resume.
enum ReportDebugMode : std::uint32_t {
    DebugPlainRun = 0,
    DebugStepOver = 1,
    DebugStepInto = 2,
    DebugRunToCursor = 3,
    DebugRun = 4,
    DebugRunToBreakpoint = 5,
};

// How a generation dialog ended.
enum GenerationResult : int {
    GenerationEnded = 0,     // end of the script or END
    GenerationCancelled = 1, // cancelled, or stopped after an error or a failed write
    GenerationPaused = 2,    // the debugger pauses before the current line
};

// What the run asks of the windows around it.
class ReportRunUi {
public:
    virtual ~ReportRunUi() = default;
    // The inputs dialog on the run's context; false when the user cancelled.
    virtual bool AskInputs(ReportRun& run) = 0;
    // The generation dialog, modal, stepping the run until it ends; a GenerationResult.
    virtual int Generate(ReportRun& run) = 0;
    // A file of the run could not be made or written: the language text of `key` and the system's error.
    virtual void ShowFileError(const char* key, std::uint32_t systemError) = 0;
    // Hands the finished document to a new report window, which deletes the file when it closes.
    virtual void OpenReportWindow(const std::string& path) = 0;
    // The id of the record of a kind (7 person, 4 source, 20 repository, 22 objective) that a window shows
    // now; 0 when none.
    virtual std::uint32_t CurrentRecord(int kind) = 0;
};

class ReportRun {
public:
    // The report type must stay loaded and unchanged while the run lives.
    ReportRun(Database* database, const ReportHost& host, const ReportType& type);
    ReportRun(const ReportRun&) = delete;
    ReportRun& operator=(const ReportRun&) = delete;
    ~ReportRun();

    // Makes the run ready: the inputs, the title, the line and label tables, the scratch file and the
    // document. False when the user cancelled the inputs or a file could not be made (the user was told).
    bool PrepareRun(ReportRunUi& ui);
    // One generation dialog inside a read-write transaction: a GenerationResult.
    int ContinueRun(ReportRunUi& ui);
    // Closes the files; deletes the document of a cancelled or aborted run, else hands it to a report
    // window. The 1-based line of a run-time error the user stopped at, else 0.
    std::int32_t FinishRun(ReportRunUi& ui);
    // A plain run from start to finish: FinishRun's answer, or 0 when the preparation was cancelled.
    std::int32_t Run(ReportRunUi& ui);

    ReportRunContext& Context() { return *context_; }
    const ScriptLines& Lines() const { return lines_; }
    const ScriptLabels& Labels() const { return labels_; }
    ReportDocumentWriter& Output() { return output_; }
    bool Prepared() const { return prepared_; }

    // The debugger's state: a run held open between resumes, and the step mode of the next resume.
    bool debugging = false;
    std::uint32_t debugMode = DebugPlainRun;

private:
    friend class GenerationSteps;
    // One variable per input of the report type, in input order.
    void AddInputVariables(ReportRunUi& ui);
    // The header, the style records and the title, once per run.
    void WriteDocumentStart();
    // The cited sources and the two closing zero bytes.
    void WriteDocumentEnd();

    Database* database_;
    const ReportHost* host_;
    const ReportType* type_;
    std::unique_ptr<ReportRunContext> context_;
    ScriptLines lines_;
    ScriptLabels labels_;
    ReportDocumentWriter output_;
    platform::TempFile scratch_;
    bool prepared_ = false;
    bool headerWritten_ = false;
};

// The stepping of one generation dialog: the dialog calls Step once per WM_RUNSTEP until it answers a
// result. Between steps the dialog lets the waiting messages through (through the dialog interface).
class GenerationSteps {
public:
    // Opening the dialog: writes the start of the document on the run's first dialog.
    GenerationSteps(ReportRun& run, ReportRunDialog& dialog);

    // The step: runs the current line, or ends. -1 to go on (post the next step), else a GenerationResult.
    int Step();
    // Cancel: the next step ends the run.
    void Cancel() { abort_ = true; }
    ReportInterpreter& Interpreter() { return interpreter_; }

private:
    ReportRun* run_;
    ReportRunDialog* dialog_;
    ReportInterpreter interpreter_;
    bool abort_ = false;
    bool lineRun_ = false;
    std::int32_t depthAtOpen_;
};

// The text of the error box of a run-time error: the line (already advanced past the failing line, so its
// 1-based number), the error's text and the question whether to stop.
std::string FormatReportRunError(const ReportRunContext& context);
