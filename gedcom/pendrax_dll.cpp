// Pendrax.dll: ConvertFile adapts the caller's parameter block, files, log handle and progress window to the
// portable converter.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <span>
#include <string>
#include <string_view>

#include "gedcom/convert.h"
#include "gedcom/log_codes.h"
#include "gedcom/pendrax.h"

namespace {

// The input file opened without sharing and mapped read-only as a whole.
class MappedInput {
public:
    bool Open(const char* path)
    {
        if (!path)
            return false;
        // Others may read the file meanwhile (a viewer, a second import).
        file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
        if (file_ == INVALID_HANDLE_VALUE)
            return false;
        LARGE_INTEGER size{};
        // A file of zero bytes cannot be mapped; it reads as empty input.
        if (GetFileSizeEx(file_, &size) && size.QuadPart > 0 &&
            static_cast<unsigned long long>(size.QuadPart) <= SIZE_MAX) {
            mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
            if (mapping_)
                view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
            if (view_)
                size_ = static_cast<size_t>(size.QuadPart);
        }
        return true;
    }
    void Close()
    {
        if (view_)
            UnmapViewOfFile(view_);
        if (mapping_)
            CloseHandle(mapping_);
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
        view_ = nullptr;
        released_ = 0;
        mapping_ = nullptr;
        file_ = INVALID_HANDLE_VALUE;
        size_ = 0;
    }
    ~MappedInput() { Close(); }
    std::span<const uint8_t> Bytes() const { return {static_cast<const uint8_t*>(view_), size_}; }
    // The pages before offset leave the working set: unlocking pages that are not locked trims them, and
    // they would be read again from the file if ever touched.
    void Release(uint64_t offset)
    {
        constexpr uint64_t kStep = 4 << 20;
        uint64_t end = std::min<uint64_t>(offset, size_) / kStep * kStep;
        if (!view_ || end <= released_)
            return;
        VirtualUnlock(static_cast<uint8_t*>(view_) + released_, static_cast<SIZE_T>(end - released_));
        released_ = end;
    }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    HANDLE mapping_ = nullptr;
    void* view_ = nullptr;
    size_t size_ = 0;
    uint64_t released_ = 0;
};

void WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return; // writes are not checked further: a full disk shows in the import
        bytes.remove_prefix(written);
    }
}

class DllHost : public pendrax::ConvertHost {
public:
    DllHost(const ConvertParams& params, HWND dialog, MappedInput& input)
        : params_(params), dialog_(dialog), input_(input),
          media_(pendrax::FolderOf(params.inputPath ? params.inputPath : ""))
    {
    }
    ~DllHost() override
    {
        FlushLog();
        if (output_ != INVALID_HANDLE_VALUE)
            CloseHandle(output_);
    }

    std::string Text(int32_t code) override
    {
        const char* text = params_.getText ? params_.getText(code) : nullptr;
        return text ? text : "";
    }
    // A message comes in several pieces, and a file may give thousands of messages: they are gathered and
    // written in large writes, the last before the conversion returns to its caller, who writes on.
    void WriteLog(std::string_view bytes) override
    {
        log_ += bytes;
        if (log_.size() >= kLogFlushSize)
            FlushLog();
    }
    bool Progress(int percent) override
    {
        if (!dialog_)
            return true;
        return SendMessageA(dialog_, ConvertProgressMessage, 0, static_cast<LPARAM>(percent)) != 0;
    }
    void InputRead(uint64_t offset) override { input_.Release(offset); }
    bool CreateOutput() override
    {
        // The reading is over: the input is closed before the output is made, as it may be the same file.
        input_.Close();
        if (!params_.outputPath)
            return false;
        output_ =
            CreateFileA(params_.outputPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return output_ != INVALID_HANDLE_VALUE;
    }
    void WriteOutput(std::string_view bytes) override { WriteAll(output_, bytes); }
    void DiscardOutput() override
    {
        if (output_ == INVALID_HANDLE_VALUE)
            return;
        CloseHandle(output_);
        output_ = INVALID_HANDLE_VALUE;
        DeleteFileA(params_.outputPath);
    }
    pendrax::MediaFiles& Media() override { return media_; }

private:
    static constexpr size_t kLogFlushSize = 64 * 1024;

    void FlushLog()
    {
        HANDLE log = static_cast<HANDLE>(params_.logFile);
        if (log && log != INVALID_HANDLE_VALUE)
            WriteAll(log, log_);
        log_.clear();
    }

    const ConvertParams& params_;
    HWND dialog_;
    MappedInput& input_;
    HANDLE output_ = INVALID_HANDLE_VALUE;
    std::string log_;
    pendrax::SystemMediaFiles media_;
};

pendrax::ConvertOptions OptionsOf(const ConvertParams& params)
{
    pendrax::ConvertOptions options;
    options.logLevel = params.logLevel;
    options.givenNameFirst = params.givenNameFirst != 0;
    options.structuredNames = params.structuredNames != 0;
    options.defaultGregorian = params.defaultGregorian != 0;
    options.keepUnreadDates = params.keepUnreadDates != 0;
    options.aliasAsName = params.aliasAsName != 0;
    options.readExtensions = params.readExtensions != 0;
    options.copyObjectFiles = params.copyObjectFiles;
    options.eventExtras = params.eventExtras;
    options.personNumbers = params.personNumbers;
    return options;
}

} // namespace

extern "C" int32_t PENDRAX_CALL ConvertFile(const ConvertParams* params, void* dialog)
{
    if (!params)
        return CONVERT_READ_FAILED;
    try {
        MappedInput input;
        DllHost host(*params, static_cast<HWND>(dialog), input);
        if (!input.Open(params->inputPath)) {
            host.WriteLog(host.Text(pendrax::LogInputNotOpened));
            return CONVERT_READ_FAILED;
        }
        return pendrax::Convert(input.Bytes(), OptionsOf(*params), host);
    } catch (const std::bad_alloc&) {
        // Memory ran out: the conversion did not run to its end.
        return CONVERT_READ_FAILED;
    } catch (...) {
        return CONVERT_READ_FAILED;
    }
}
