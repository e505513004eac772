// A hostile report script: run into a document, at most a few thousand steps, errors answered with "go on",
// in a text report or a graphics report by the first byte. Nothing may crash or read outside its line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "report/run/report_run.h"
#include "fuzz/report_fuzz_host.h"

namespace {

class FuzzUi : public ReportRunUi, public ReportRunDialog {
public:
    bool AskInputs(ReportRun&) override { return true; }
    int Generate(ReportRun& run) override
    {
        GenerationSteps steps(run, *this);
        int result = -1;
        for (int step = 0; (result = steps.Step()) < 0; ++step)
            if (step == 3000)
                steps.Cancel();
        return result;
    }
    void ShowFileError(const char*, std::uint32_t) override {}
    void OpenReportWindow(const std::string& path) override { platform::RemoveFile(path); }
    std::uint32_t CurrentRecord(int) override { return 0; }
    void ShowStatus(const char*) override {}
    void ShowMessage(std::uint32_t, const char*) override {}
    void PumpMessages() override {}
    bool AskStopAfterError(const char*) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string script(reinterpret_cast<const char*>(data) + 1, size - 1);
    script = script.c_str(); // the script ends at its first zero byte, as a loaded one does
    ReportType type;
    if (!type.SetScript(script.c_str()))
        return 0;
    type.Header().graphics = data[0] & 1;
    FuzzReportHost host;
    FuzzUi ui;
    ReportRun run(nullptr, host, type);
    run.Run(ui);
    return 0;
}
