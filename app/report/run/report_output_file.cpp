#include "report/run/report_output_file.h"

#include <cstring>

bool ReportOutputFile::Create(const std::string& path, std::uint32_t& systemError)
{
    platform::FileOpenOptions options;
    options.access = platform::FileAccess::ReadWrite;
    options.share = platform::FileShare::None;
    options.disposition = platform::FileDisposition::CreateAlways;
    file_ = platform::File::Open(path, options);
    path_ = path;
    size_ = 0;
    failed_ = false;
    systemError_ = 0;
    if (!file_.IsOpen()) {
        systemError = platform::LastSystemError();
        return false;
    }
    return true;
}

bool ReportOutputFile::Write(const void* data, std::size_t length)
{
    if (failed_)
        return false;
    if (!file_.IsOpen() || !file_.WriteAt(size_, data, length)) {
        systemError_ = file_.IsOpen() ? platform::LastSystemError() : 0;
        failed_ = true;
        return false;
    }
    size_ += length;
    return true;
}

bool ReportOutputFile::WriteText(const char* text)
{
    if (text == nullptr)
        text = "";
    return Write(text, std::strlen(text) + 1);
}
