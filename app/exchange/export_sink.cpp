#include "exchange/export_sink.h"

namespace {

constexpr std::size_t BufferSize = 256 * 1024;

} // namespace

FileExportSink::~FileExportSink()
{
    if (created_)
        Abandon();
}

bool FileExportSink::Create(const std::string& path)
{
    platform::FileOpenOptions options;
    options.access = platform::FileAccess::ReadWrite;
    options.share = platform::FileShare::None;
    options.disposition = platform::FileDisposition::CreateAlways;
    file_ = platform::File::Open(path, options);
    if (!file_.IsOpen())
        return false;
    path_ = path;
    created_ = true;
    failed_ = false;
    offset_ = 0;
    buffer_.clear();
    buffer_.reserve(BufferSize);
    return true;
}

void FileExportSink::Write(const void* bytes, std::size_t length)
{
    if (failed_ || !created_)
        return;
    buffer_.append(static_cast<const char*>(bytes), length);
    if (buffer_.size() >= BufferSize)
        Drain();
}

void FileExportSink::Drain()
{
    if (buffer_.empty() || failed_)
        return;
    if (!file_.WriteAt(offset_, buffer_.data(), buffer_.size()))
        failed_ = true;
    else
        offset_ += buffer_.size();
    buffer_.clear();
}

bool FileExportSink::Finish()
{
    if (!created_)
        return false;
    Drain();
    if (!failed_ && !file_.Flush())
        failed_ = true;
    file_.Close();
    if (failed_) {
        platform::RemoveFile(path_);
        created_ = false;
        return false;
    }
    created_ = false;
    return true;
}

void FileExportSink::Abandon()
{
    if (!created_)
        return;
    file_.Close();
    platform::RemoveFile(path_);
    buffer_.clear();
    created_ = false;
}
