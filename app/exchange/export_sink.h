// Where an exporter's bytes go: a file written through a buffer, or memory for tests. A sink remembers the
// first failed write, so that a writer can go on producing and ask once at the end whether everything
// arrived; a file whose writing failed or was cancelled is removed, never left half-written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/file.h"

class ExportSink {
public:
    virtual ~ExportSink() = default;
    // Appends the bytes; after a failure further writes are dropped.
    virtual void Write(const void* bytes, std::size_t length) = 0;
    void Write(std::string_view text) { Write(text.data(), text.size()); }
    bool Failed() const { return failed_; }

protected:
    bool failed_ = false;
};

class MemoryExportSink : public ExportSink {
public:
    void Write(const void* bytes, std::size_t length) override
    {
        if (!failed_)
            bytes_.append(static_cast<const char*>(bytes), length);
    }
    using ExportSink::Write;
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

class FileExportSink : public ExportSink {
public:
    FileExportSink() = default;
    FileExportSink(const FileExportSink&) = delete;
    FileExportSink& operator=(const FileExportSink&) = delete;
    // Removes a file that was created and neither finished nor kept.
    ~FileExportSink() override;

    // Creates (or replaces) the file for writing, shared with no one; false when it cannot be created.
    bool Create(const std::string& path);
    void Write(const void* bytes, std::size_t length) override;
    using ExportSink::Write;
    // Writes what is buffered, flushes and closes; true when every byte reached the file. On false the file
    // is removed.
    bool Finish();
    // Closes and removes the file (Cancel, or a failure the writer found).
    void Abandon();
    const std::string& Path() const { return path_; }

private:
    void Drain();

    platform::File file_;
    std::string path_;
    std::string buffer_;
    std::uint64_t offset_ = 0;
    bool created_ = false;
};
