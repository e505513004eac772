#include "exchange/import_log.h"

#include <cstring>

bool ImportLog::Create(const char* path)
{
    platform::FileOpenOptions options;
    options.access = platform::FileAccess::ReadWrite;
    options.share = platform::FileShare::None;
    options.disposition = platform::FileDisposition::CreateAlways;
    file_ = platform::File::Open(path ? path : "", options);
    return file_.IsOpen();
}

void ImportLog::Close()
{
    Flush();
    file_.Close();
}

void ImportLog::Write(std::string_view text)
{
    if (!file_.IsOpen())
        return;
    held_ += text;
    if (held_.size() >= 64 * 1024)
        Flush();
}

void ImportLog::Flush()
{
    if (!file_.IsOpen() || held_.empty())
        return;
    const std::int64_t end = file_.Size();
    if (end >= 0)
        file_.WriteAt(static_cast<std::uint64_t>(end), held_.data(), held_.size());
    held_.clear();
}

std::string SubstituteText(std::string_view format, std::initializer_list<std::string_view> values)
{
    std::string out;
    out.reserve(format.size() + 32);
    const std::string_view* next = values.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        std::size_t j = i + 1;
        while (j < format.size() && std::strchr("-+ #0123456789.hlLqjzt", format[j]) != nullptr)
            ++j;
        if (j < format.size() && std::strchr("diusS", format[j]) != nullptr && next != values.end()) {
            out += *next++;
            i = j + 1;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}
