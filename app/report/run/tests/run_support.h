// Runs a script into a report document against a real database, with a user who accepts the inputs and
// answers the error box as the test says; the document's bytes are kept when the run hands it over.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/file.h"
#include "report/language/tests/test_host.h"
#include "report/run/report_run.h"
#include "tests/support/test_database.h"

namespace run_test {

class TestUi : public ReportRunUi, public ReportRunDialog {
public:
    bool AskInputs(ReportRun&) override { return acceptInputs; }
    int Generate(ReportRun& run) override
    {
        ++dialogs;
        GenerationSteps steps(run, *this);
        if (cancelAtStep == 0)
            steps.Cancel();
        int result = -1;
        for (int step = 1; (result = steps.Step()) < 0; ++step)
            if (step == cancelAtStep)
                steps.Cancel();
        return result;
    }
    void ShowFileError(const char* key, std::uint32_t) override { fileErrors.push_back(key); }
    void OpenReportWindow(const std::string& path) override
    {
        std::ifstream in(path, std::ios::binary);
        document.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        opened = true;
        platform::RemoveFile(path);
    }
    std::uint32_t CurrentRecord(int) override { return 0; }

    void ShowStatus(const char* text) override { statuses.push_back(text); }
    void ShowMessage(std::uint32_t flags, const char* text) override
    {
        messages.push_back(std::to_string(flags) + ":" + text);
    }
    void PumpMessages() override {}
    bool AskStopAfterError(const char* text) override
    {
        errors.push_back(text);
        return stopOnError;
    }

    bool acceptInputs = true;
    bool stopOnError = true;
    int cancelAtStep = -1; // the step after which Cancel is pressed; 0 before the first
    int dialogs = 0;
    bool opened = false;
    std::string document;
    std::vector<std::string> errors;
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
    std::vector<std::string> fileErrors;
};

// The run of one script on a database made for the test.
class ScriptRun {
public:
    ScriptRun() { host.texts = {{"REPORT_ERRORLINE", "Line"}, {"REPORT_ERRORABORT", "Stop?"}}; }

    // Runs the script; the answer of ReportRun::Run.
    std::int32_t Run(const std::string& script, bool graphics = false)
    {
        type.SetScript(script.c_str());
        type.Header().graphics = graphics ? 1 : 0;
        ReportRun run(database.get(), host, type);
        return run.Run(ui);
    }
    // The document after the start that every run writes (header, styles, title).
    std::string Body() const { return ui.document.substr(StartSize()); }
    // The number of bytes a run writes before the script's first output.
    std::size_t StartSize() const;

    // The texts of the text runs of the body, each run's pieces joined with "|" at each new paragraph.
    std::vector<std::string> Printed() const
    {
        std::vector<std::string> texts;
        std::string body = Body();
        std::size_t i = 0;
        while (i < body.size()) {
            auto code = static_cast<unsigned char>(body[i]);
            if (code != 4) {
                ++i;
                continue;
            }
            i += 9;
            std::string text;
            for (;;) {
                std::size_t end = body.find('\0', i);
                if (end == std::string::npos)
                    break;
                text += body.substr(i, end - i);
                i = end + 1;
                if (i < body.size() && body[i] == 14) {
                    text += "|";
                    ++i;
                    continue;
                }
                break;
            }
            texts.push_back(text);
        }
        return texts;
    }

    test_support::TestDatabase database{true};
    report_test::TestHost host;
    TestUi ui;
    ReportType type;
};

inline std::size_t ScriptRun::StartSize() const
{
    static const std::size_t size = [] {
        ScriptRun empty;
        empty.Run("");
        return empty.ui.document.size() - 3;
    }();
    return size;
}

// The script of lines written with "|" between them, as the run reads them: lines ended by CR LF.
inline std::string Script(const char* lines)
{
    std::string script;
    for (const char* c = lines; *c != '\0'; ++c) {
        if (*c == '|')
            script += "\r\n";
        else
            script += *c;
    }
    return script;
}

// What a run of the script shows: the printed texts joined with "," and after them each error box as
// " !line:key".
inline std::string Outcome(ScriptRun& run, const std::string& script)
{
    run.ui.stopOnError = false;
    run.Run(script);
    std::string outcome;
    for (const std::string& text : run.Printed())
        outcome += (outcome.empty() ? "" : ",") + text;
    for (const std::string& error : run.ui.errors) {
        // "Line N:\r\nKEY\r\nStop?"
        std::size_t colon = error.find(':');
        std::size_t keyEnd = error.find('\r', colon + 3);
        outcome += " !" + error.substr(5, colon - 5) + ":" + error.substr(colon + 3, keyEnd - colon - 3);
    }
    return outcome;
}

inline std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int v : values)
        bytes.push_back(static_cast<char>(v));
    return bytes;
}

} // namespace run_test
