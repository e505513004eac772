#include "report/run/report_run.h"

#include <cstdio>
#include <cstring>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "language/language_table.h"
#include "report/language/expression_reader.h"
#include "report/language/report_host.h"
#include "settings/settings.h"

namespace {

constexpr const char* TempPrefix = "VES";
constexpr std::size_t ErrorTextSize = 256; // at most 255 characters

} // namespace

ReportRun::ReportRun(Database* database, const ReportHost& host, const ReportRunSource& source)
    : database_(database), host_(&host), source_(source)
{
}

ReportRun::~ReportRun() = default;

bool ReportRun::PrepareRun(ReportRunUi& ui)
{
    context_ = std::make_unique<ReportRunContext>(*host_, database_);
    context_->graphics = source_.graphics;
    std::snprintf(context_->title, sizeof context_->title, "%s", source_.titleTemplate);
    auto cancel = [&] {
        output_.Close();
        if (!output_.Path().empty())
            platform::RemoveFile(output_.Path());
        scratch_.Close();
        context_.reset();
        return false;
    };
    if (!ui.AskInputs(*this))
        return cancel();

    lines_.Build(source_.script);
    labels_.Build(lines_);
    context_->state = ReportRunState{};
    context_->stopLine = -1;

    // The scratch file serves the run's own temporary needs and is deleted when it closes.
    scratch_ = platform::TempFile::Create(TempPrefix);
    if (!scratch_.IsOpen()) {
        ui.ShowFileError(LanguageKey("REPORT_ERRORTEMPFILE"), platform::LastSystemError());
        return cancel();
    }
    std::string path = platform::NewTemporaryPath(TempPrefix);
    std::uint32_t systemError = 0;
    if (path.empty() || !output_.Create(path, systemError)) {
        if (path.empty())
            systemError = platform::LastSystemError();
        else
            platform::RemoveFile(path);
        ui.ShowFileError(LanguageKey("REPORT_ERRORCREATE"), systemError);
        return cancel();
    }

    context_->eventTypes = std::make_unique<EventTypeCache>();
    if (database_ != nullptr)
        context_->eventTypes->Load(*database_);
    context_->personIndex = CurrentSettings.report.PersonIndex != 0;
    if (CurrentSettings.report.SourceIndex != 0)
        context_->citedSources = std::make_unique<TempTree>();
    context_->branchTaken = true;
    context_->depth = 0;

    if (ReportValue* value = context_->variables.Add("DATABASE", ReportDatabase, 0, 0, 0, *host_))
        value->SetDatabase(database_);
    context_->variables.Add("SYSTEM", ReportSystemType, 0, 0, 0, *host_);
    context_->variables.Add("SETTINGS", ReportSettingsType, 0, 0, 0, *host_);
    headerWritten_ = false;
    prepared_ = true;
    return true;
}

int ReportRun::ContinueRun(ReportRunUi& ui)
{
    if (!prepared_)
        return GenerationCancelled;
    int result = GenerationCancelled;
    {
        // Each generation dialog runs in a read-write transaction of its own, committed also after a
        // cancelled or aborted run.
        std::unique_ptr<EngineTransaction> transaction;
        if (database_ != nullptr)
            transaction = std::make_unique<EngineTransaction>(database_->file, TLV_READWRITE);
        result = ui.Generate(*this);
    }
    if (output_.Failed()) {
        context_->deleteOutput = true;
        ui.ShowFileError(LanguageKey("REPORT_ERRORWRITE"), output_.SystemError());
        return GenerationCancelled;
    }
    return result;
}

std::int32_t ReportRun::FinishRun(ReportRunUi& ui)
{
    if (!prepared_)
        return 0;
    scratch_.Close();
    output_.WriteByte(0);
    bool failed = output_.Failed();
    output_.Close();
    if (failed && !context_->deleteOutput)
        ui.ShowFileError(LanguageKey("REPORT_ERRORWRITE"), output_.SystemError());
    if (context_->deleteOutput || failed)
        platform::RemoveFile(output_.Path());
    else
        ui.OpenReportWindow(output_.Path());
    std::int32_t result = context_->state.errorNumber != 0 ? context_->state.currentLine : 0;
    context_.reset();
    prepared_ = false;
    debugging = false;
    return result;
}

std::int32_t ReportRun::Run(ReportRunUi& ui)
{
    if (!PrepareRun(ui))
        return 0;
    debugMode = DebugPlainRun;
    ContinueRun(ui);
    return FinishRun(ui);
}

void ReportRun::WriteDocumentStart()
{
    if (headerWritten_)
        return;
    headerWritten_ = true;
}

void ReportRun::WriteDocumentEnd()
{
    const std::uint8_t end[2] = {0, 0};
    output_.Write(end, sizeof end);
}

// The generation dialog's steps

GenerationSteps::GenerationSteps(ReportRun& run, ReportRunDialog& dialog)
    : run_(&run), dialog_(&dialog), interpreter_(run.Context(), run.lines_, run.labels_, run.output_, &dialog),
      depthAtOpen_(run.Context().depth)
{
    // Only the run's first dialog writes the start: a paused run can resume at line 0 again.
    run.WriteDocumentStart();
}

int GenerationSteps::Step()
{
    ReportRunContext& context = run_->Context();
    const char* line = run_->lines_.Line(context.state.currentLine);
    if (abort_ || run_->output_.Failed()) {
        context.deleteOutput = true;
        return GenerationCancelled;
    }
    if (line != nullptr && !interpreter_.Ended()) {
        if (run_->debugging) {
            std::int32_t current = context.state.currentLine;
            std::uint32_t mode = run_->debugMode;
            bool pause = (mode == DebugRunToCursor && current == context.stopLine) ||
                         (mode == DebugStepInto && lineRun_) ||
                         (mode == DebugStepOver && context.depth <= depthAtOpen_ && lineRun_) ||
                         (mode == DebugRunToBreakpoint && context.breakpoints != nullptr &&
                          context.breakpoints[current] != 0);
            if (pause) {
                context.deleteOutput = false;
                return GenerationPaused;
            }
            if (mode == DebugRun)
                run_->debugMode = DebugRunToBreakpoint;
        }
        lineRun_ = true;
        interpreter_.RunLine(line);
        ++context.state.currentLine;
        dialog_->PumpMessages();
        if (context.state.errorNumber != 0) {
            if (dialog_->AskStopAfterError(FormatReportRunError(context).c_str()))
                abort_ = true;
            else
                context.state.errorNumber = 0;
        }
        return -1;
    }
    run_->WriteDocumentEnd();
    context.deleteOutput = false;
    return GenerationEnded;
}

std::string FormatReportRunError(const ReportRunContext& context)
{
    const ReportHost& host = context.Host();
    std::int32_t error = context.state.errorNumber;
    const char* key = ReportErrorKey(error);
    std::string fallback = "REPORT_ERROR" + std::to_string(error);
    const char* text = key != nullptr ? host.LanguageText(key) : fallback.c_str();
    char message[ErrorTextSize];
    std::snprintf(message, sizeof message, "%s %i:\r\n%s\r\n%s", host.LanguageText(LanguageKey("REPORT_ERRORLINE")),
                  static_cast<int>(context.state.currentLine), text,
                  host.LanguageText(LanguageKey("REPORT_ERRORABORT")));
    return message;
}
