// Writes a report document in one pass, front to back, as the report run produces it. Every write is
// checked: after the first failure nothing more is written, the writer says so, and the run aborts and
// discards the document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"
#include "report/output/report_document.h"

class ReportDocumentWriter {
public:
    ReportDocumentWriter() = default;
    ReportDocumentWriter(const ReportDocumentWriter&) = delete;
    ReportDocumentWriter& operator=(const ReportDocumentWriter&) = delete;
    // A document not handed on with Release is deleted.
    ~ReportDocumentWriter();

    // Makes a new empty document in the temporary folder (name prefix "VES"). False, with the system's
    // error code in `systemError`, when none can be made.
    bool Create(std::uint32_t* systemError = nullptr);
    // The same at a path of the caller's choice, replacing a file there.
    bool CreateAt(const std::string& path, std::uint32_t* systemError = nullptr);

    bool IsOpen() const { return file_.IsOpen(); }
    const std::string& Path() const { return path_; }
    // A write has failed (or the document was never made): the run stops and discards it.
    bool Failed() const { return failed_; }
    // The system's error code of the failed write.
    std::uint32_t SystemError() const { return systemError_; }
    // The bytes written so far, those still held in the buffer included.
    std::uint64_t Size() const { return written_ + buffer_.size(); }

    // Each appends one record or piece and answers false when the document has failed.
    bool WriteHeader(const ReportDocumentHeader& header);
    bool WriteStyle(const ReportStyle& style);
    // A one-byte record: new line, new page, new paragraph, end of table, picture or chart, and the zero
    // bytes that end the body.
    bool WriteCode(std::uint8_t code);
    bool WriteTextRunHeader(const TextRunHeader& run);
    // Text without its terminating zero, and with it.
    bool WriteText(std::string_view text);
    bool WriteTextAndEnd(std::string_view text);
    bool WriteTable(const TableHeader& table);
    bool WriteCell(std::uint32_t background);
    // A text box or a sector takes its text; every other kind ignores it.
    bool WriteDrawing(const DrawingRecord& drawing, std::string_view text = {});
    // The header, the file type (at most four characters) and the image; caption and end follow apart.
    bool WritePicture(const PictureHeader& picture, std::string_view fileType, const std::uint8_t* image);
    bool WriteTitle(const TitleRecord& title);
    bool WriteIndexEntry(const IndexEntry& entry, std::string_view text);
    bool WriteChartHeader(const ChartHeader& chart);
    bool WriteChartPoint(const ChartPoint& point);
    bool WriteBytes(const void* bytes, std::size_t length);

    // Writes out what is held and closes the file, which stays until Release hands it on. False when any
    // write failed.
    bool Close();
    // Closes the file and deletes it.
    void Discard();
    // The closed document's path, which the caller now owns (the report window deletes it); the writer
    // forgets it.
    std::string Release();

private:
    bool Flush();
    bool Fail();

    static constexpr std::size_t BufferSize = 64 * 1024;

    platform::File file_;
    std::string path_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t written_ = 0;
    bool failed_ = true; // until a document is made
    std::uint32_t systemError_ = 0;
};
