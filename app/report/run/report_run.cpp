#include "report/run/report_run.h"

#include <cstdio>
#include <cstring>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "language/language_table.h"
#include "report/language/expression_reader.h"
#include "report/language/report_host.h"
#include "report/output/report_document_sections.h"
#include "settings/settings.h"

namespace {

constexpr const char* TempPrefix = "VES";
constexpr std::size_t ErrorTextSize = 256; // at most 255 characters

} // namespace

ReportRun::ReportRun(Database* database, const ReportHost& host, const ReportType& type)
    : database_(database), host_(&host), type_(&type)
{
}

ReportRun::~ReportRun() = default;

bool ReportRun::PrepareRun(ReportRunUi& ui)
{
    context_ = std::make_unique<ReportRunContext>(*host_, database_);
    const ReportTypeHeader& header = type_->Header();
    context_->graphics = header.graphics != 0;
    std::snprintf(context_->title, sizeof context_->title, "%s", header.reportTitle);
    AddInputVariables(ui);
    auto cancel = [&] {
        output_.Discard();
        scratch_.Close();
        context_.reset();
        return false;
    };
    if (!ui.AskInputs(*this))
        return cancel();
    context_->ExpandTitle();

    lines_.Build(type_->Script());
    labels_.Build(lines_);
    context_->state = ReportRunState{};
    context_->stopLine = -1;

    // The scratch file serves the run's own temporary needs and is deleted when it closes.
    scratch_ = platform::TempFile::Create(TempPrefix);
    if (!scratch_.IsOpen()) {
        ui.ShowFileError(LanguageKey("REPORT_ERRORTEMPFILE"), platform::LastSystemError());
        return cancel();
    }
    std::uint32_t systemError = 0;
    if (!output_.Create(&systemError)) {
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
    output_.WriteCode(RecordEnd);
    bool failed = !output_.Close();
    if (failed && !context_->deleteOutput)
        ui.ShowFileError(LanguageKey("REPORT_ERRORWRITE"), output_.SystemError());
    if (context_->deleteOutput || failed)
        output_.Discard();
    else
        ui.OpenReportWindow(output_.Release());
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
    const ReportSettings& settings = CurrentSettings.report;
    WriteReportHeader(output_, type_->Header(), settings);
    if (settings.IncludeTitle != 0 && database_ != nullptr)
        WriteReportTitle(output_, context_->title, settings, database_->header);
}

void ReportRun::WriteDocumentEnd()
{
    if (context_->citedSources && database_ != nullptr)
        WriteCitedSources(output_, *context_->citedSources, *database_, CurrentSettings.report);
    output_.WriteCode(RecordEnd);
    output_.WriteCode(RecordEnd);
}

void ReportRun::AddInputVariables(ReportRunUi& ui)
{
    const ReportTypeHeader& header = type_->Header();
    for (int i = 0; i < header.inputCount && i < ReportTypeInputCapacity; ++i) {
        const ReportTypeInput& input = header.inputs[i];
        std::int32_t type = ReportEmpty;
        int currentKind = 0;
        switch (input.kind) {
        case InputPerson:
            type = ReportPerson;
            break;
        case InputSource:
            type = ReportSource;
            break;
        case InputRepository:
            type = ReportRepository;
            break;
        case InputResearch:
            type = ReportObjective;
            break;
        case InputFlag:
            type = ReportBoolean;
            break;
        case InputCurrentPerson:
            type = ReportPerson;
            currentKind = 7;
            break;
        case InputCurrentSource:
            type = ReportSource;
            currentKind = 4;
            break;
        case InputCurrentRepository:
            type = ReportRepository;
            currentKind = 20;
            break;
        case InputCurrentResearch:
            type = ReportObjective;
            currentKind = 22;
            break;
        case InputString:
            type = ReportString;
            break;
        case InputInteger:
        case InputColor:
        case InputSmallInteger:
        case InputSelect:
        case InputNameType:
        case InputPlaceType:
        case InputCalendarAll:
        case InputCalendarCalculable:
        case InputChartType:
            type = ReportInteger;
            break;
        case InputPlace:
            type = ReportPlace;
            break;
        case InputTimeline:
            type = ReportTimeline;
            break;
        case InputAttachment:
            type = ReportObject;
            break;
        default:
            continue; // no variable: the later ones move up in the title's numbering
        }
        char name[ReportTypeVariableNameSize + 1] = {};
        std::memcpy(name, input.variableName, ReportTypeVariableNameSize);
        ReportValue* value = context_->variables.Add(name, type, 0, 0, 0, *host_);
        if (value == nullptr)
            continue;
        if (type == ReportBoolean)
            value->SetBoolean(static_cast<std::int32_t>(input.initialValue));
        else if (type == ReportInteger)
            value->SetInteger(static_cast<std::int32_t>(input.initialValue));
        else if (type == ReportString)
            value->SetString("");
        else if (currentKind != 0)
            if (std::uint32_t id = ui.CurrentRecord(currentKind); id != 0)
                value->SetRecord(id, database_);
    }
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
