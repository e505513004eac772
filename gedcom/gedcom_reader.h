// GedcomReader: splits the GEDCOM input into lines, converts each into Windows-1252, parses level,
// cross-reference, tag and pointer, and writes the conversion log.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "gedcom/charset.h"
#include "gedcom/convert.h"
#include "gedcom/gedcom_tags.h"
#include "gedcom/log_codes.h"

namespace pendrax {

// One entry of the conversion log about the line of that number: the header with the caller's text for the
// code, then the line as shown. Nothing when the log level leaves the code out.
void LogLine(ConvertHost& host, const ConvertOptions& options, int code, int lineNumber, std::string_view shown);
// The header and text of an entry alone; false when the log level leaves the code out.
bool LogEntryHeader(ConvertHost& host, const ConvertOptions& options, int code, int lineNumber);

class GedcomReader {
public:
    // A line holds at most this many bytes (or 16-bit units) of input.
    static constexpr size_t kMaxLineLength = 255;

    GedcomReader(std::span<const uint8_t> input, const ConvertOptions& options, ConvertHost& host);

    // Reads, converts and checks the next line and parses its level; a line longer than kMaxLineLength is
    // logged and cut.
    bool ReadLine();
    // Parses the current line's cross-reference, tag and pointer; passes over unknown tags by itself.
    bool ParseTag();
    // ReadLine and ParseTag: the next line, ready for a record reader.
    bool Next() { return ReadLine() && ParseTag(); }
    // Reads past every line deeper than the current one, listing them in the log; the line that
    // follows is left read but not parsed.
    bool SkipSubordinates();
    // SkipSubordinates, then parses the line that follows.
    bool SkipSubtree() { return SkipSubordinates() && ParseTag(); }
    // Logs the current line as unexpected (code 5) and skips it with its subordinate lines.
    bool SkipUnexpected();
    // Logs the current line as not converted (code 100) and moves on, alone or with its subordinate lines.
    bool NotConverted()
    {
        LogError(LogNotConverted, true);
        return Next();
    }
    bool NotConvertedSubtree()
    {
        LogError(LogNotConverted, true);
        return SkipSubtree();
    }
    // One log entry; only the first entry of an input line is written.
    void LogError(int code, bool withLine);
    // A log entry about an earlier line, found once the whole file is read: its number and the text shown.
    void LogAt(int code, int lineNumber, std::string_view shown);

    int Level() const { return level_; }
    Tag CurrentTag() const { return tag_; }
    std::string_view Value() const;
    const std::string& Xref() const { return xref_; }
    const std::string& Pointer() const { return pointer_; }
    const std::string& Line() const { return line_; }
    int LineNumber() const { return lineNumber_; }
    // Offset in bytes of the start of the current line, and the input's size: the progress of the reading.
    uint64_t LinePosition() const { return static_cast<uint64_t>(lineStart_) * UnitSize(); }
    uint64_t InputSize() const { return input_.size(); }

    CharSet GetCharSet() const { return charSet_; }
    bool HasByteOrderMark() const { return byteOrderMark_; }
    std::span<const uint8_t> Input() const { return input_; }
    // The set named by the header; a UTF-16 input stays UTF-16 whatever the header says.
    void SetCharSet(CharSet charSet);
    const ConvertOptions& Options() const { return options_; }
    ConvertHost& Host() { return host_; }

private:
    size_t UnitSize() const { return IsUtf16() ? 2 : 1; }
    bool IsUtf16() const { return charSet_ == CharSet::Utf16Le || charSet_ == CharSet::Utf16Be; }
    size_t UnitCount() const { return input_.size() / UnitSize(); }
    char16_t Unit(size_t index) const;
    void ConvertLine(size_t start, size_t end);
    // The next line that holds more than blanks: its start and end; false at the end of the input.
    template <typename UnitAt> bool FindLine(size_t count, UnitAt unitAt, size_t& start, size_t& end) const;
    char At(size_t index) const { return index < line_.size() ? line_[index] : '\0'; }
    bool ReadXref(std::string& target);
    bool ParseLevel();
    // ParseTag up to the first malformed line (logged), which the caller skips.
    enum class Parse { Done, Malformed, InputEnded };
    Parse ParseFields();
    void Log(std::string_view text) { host_.WriteLog(text); }

    std::span<const uint8_t> input_;
    const ConvertOptions& options_;
    ConvertHost& host_;
    CharSet charSet_ = CharSet::Ansel;
    bool byteOrderMark_ = false;
    std::string line_;
    size_t lineStart_ = 0;
    size_t lineEnd_ = 0;
    int lineNumber_ = 0;
    size_t position_ = 0;
    size_t fieldStart_ = 0; // where the fields after the level begin
    int level_ = 0;
    std::string tagField_;
    Tag tag_ = Tag::None;
    std::string xref_;
    std::string pointer_;
    int lastLogLine_ = 0;
};

} // namespace pendrax
