// The one reader of report documents that the report window, the page layout and the converters share. It
// walks the body record by record and never reads past the bytes it was given: a record cut short by the
// end of the document ends the body like a code 0, and the reader tells that it was damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"
#include "report/output/report_document.h"

enum class ReportDocumentCheck {
    Valid,
    UnknownFormat,  // REPORT_UNKNOWNFORMAT: no report document header
    InvalidVersion, // REPORT_INVALIDVERSION: a version other than 10403
};
// The language key of the message that tells the user why a document was refused; null when valid.
const char* ReportDocumentCheckMessageKey(ReportDocumentCheck check);

enum class ReportRecordKind {
    End,    // a code 0, the end of the document, or a record cut short
    Text,   // characters (bytes of FirstTextByte or more) continuing the last run, with their zero
    TextRun,       // code 4: run header and text
    ParagraphText, // code 22: run header and text
    Table,         // code 1: header and widths
    Cell,          // code 3: background; its run follows
    TableEnd,      // code 21
    Drawing,       // code 2: the record, and the text of a text box or sector
    Picture,       // code 6: header, file type (text) and image bytes
    PictureEnd,    // code 7
    Title,         // code 8
    IndexEntry,    // code 15: entry and text
    Chart,         // code 23
    ChartPoint,    // code 25
    ChartEnd,      // code 24
    Layout,        // a one-byte code: 10 line feed, 11 new line, 12 new page, 13 carriage return, 14 paragraph
    Unknown,       // a byte that means nothing here (5, 9, 16 to 20, 26 to 29, an unknown drawing): skipped
};

// One record of the body. Only the fields of its kind are set; texts and image bytes point into the
// document and live as long as it does.
struct ReportRecord {
    ReportRecordKind kind = ReportRecordKind::End;
    std::uint8_t code = 0;
    std::size_t offset = 0; // where the record begins
    std::string_view text;  // the text without its zero; a picture's file type
    TextRunHeader run;
    TableHeader table;
    std::uint32_t background = NoColor; // a cell's
    DrawingRecord drawing;
    PictureHeader picture;
    const std::uint8_t* image = nullptr; // picture.imageSize bytes
    TitleRecord title;
    IndexEntry index;
    ChartHeader chart;
    ChartPoint point;
};

class ReportDocumentReader {
public:
    // Reads the `size` bytes at `data`, which stay valid and unchanged while the reader lives.
    ReportDocumentReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // Checks the header and reads the style block (every style record from offset 46, seven in a sound
    // document); the body then starts behind it. Styles the document lacks stay empty.
    ReportDocumentCheck Check();
    const ReportDocumentHeader& Header() const { return header_; }
    // The style of a style index; style 0 for an index beyond the seven.
    const ReportStyle& Style(std::uint8_t index) const;
    int StyleRecords() const { return styleRecords_; }

    // The next record of the body; false, with an End record, at its end.
    bool Next(ReportRecord& record);
    // Where the next record begins, to come back to with Seek (a page's start, say).
    std::size_t Position() const { return position_; }
    void Seek(std::size_t position);
    std::size_t BodyStart() const { return bodyStart_; }
    // The body ended in a record cut short by the end of the document.
    bool Damaged() const { return damaged_; }

private:
    bool Has(std::size_t length) const { return length <= size_ - position_; }
    // The text+NUL at the position: false when its zero is missing.
    bool TakeText(std::string_view& text);
    bool End(ReportRecord& record, bool damaged);

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    std::size_t bodyStart_ = 0;
    bool damaged_ = false;
    ReportDocumentHeader header_;
    ReportStyle styles_[ReportStyleCount];
    int styleRecords_ = 0;
};

// A report document file opened for reading: its bytes in a read-only mapping, or read into memory where
// the whole file cannot be mapped in one view.
class ReportDocumentFile {
public:
    // False when the file cannot be opened or read.
    bool Open(const std::string& path);
    const std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }

private:
    platform::File file_;
    std::vector<std::uint8_t> copy_;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};
