#include "gedcom/gedcom_reader.h"

#include "platform/codepage.h"

#include <cstdio>

namespace pendrax {

namespace {

constexpr size_t kSkippedLineShown = 80;
constexpr size_t kCaretLineLimit = 63;

bool IsBreak(char16_t unit)
{
    return unit == '\r' || unit == '\n';
}

bool IsBlank(char16_t unit)
{
    return unit == ' ' || unit == '\t';
}

} // namespace

GedcomReader::GedcomReader(std::span<const uint8_t> input, const ConvertOptions& options, ConvertHost& host)
    : input_(input), options_(options), host_(host)
{
    if (input.size() >= 3 && input[0] == 0xEF && input[1] == 0xBB && input[2] == 0xBF) {
        charSet_ = CharSet::Utf8;
        lineEnd_ = 3;
    } else if (input.size() >= 2 && input[0] == 0xFF && input[1] == 0xFE) {
        charSet_ = CharSet::Utf16Le;
        lineEnd_ = 1;
    } else if (input.size() >= 2 && input[0] == 0xFE && input[1] == 0xFF) {
        charSet_ = CharSet::Utf16Be;
        lineEnd_ = 1;
    }
    byteOrderMark_ = lineEnd_ != 0;
    lineStart_ = lineEnd_;
}

void GedcomReader::SetCharSet(CharSet charSet)
{
    if (!IsUtf16())
        charSet_ = charSet;
}

char16_t GedcomReader::Unit(size_t index) const
{
    if (charSet_ == CharSet::Utf16Le)
        return static_cast<char16_t>(input_[2 * index] | (input_[2 * index + 1] << 8));
    if (charSet_ == CharSet::Utf16Be)
        return static_cast<char16_t>((input_[2 * index] << 8) | input_[2 * index + 1]);
    return input_[index];
}

void GedcomReader::ConvertLine(size_t start, size_t end)
{
    const char* bytes = reinterpret_cast<const char*>(input_.data());
    std::string_view raw = IsUtf16() ? std::string_view() : std::string_view(bytes + start, end - start);
    switch (charSet_) {
    case CharSet::Ansi:
        line_.assign(raw);
        break;
    case CharSet::IbmPc:
        IbmPcToCp1252(raw, line_);
        break;
    case CharSet::Utf8:
        line_ = platform::Utf8ToCp1252(raw);
        break;
    case CharSet::Utf16Le:
    case CharSet::Utf16Be: {
        std::u16string units;
        units.reserve(end - start);
        for (size_t i = start; i < end; ++i)
            units += Unit(i);
        line_ = platform::Utf16ToCp1252(units);
        break;
    }
    case CharSet::Ansel:
    default:
        AnselToCp1252(raw, line_);
        break;
    }
    // The line is a C string to the rest of the system: it ends at a NUL.
    if (size_t nul = line_.find('\0'); nul != std::string::npos)
        line_.resize(nul);
    // Never more than the line buffer holds, whatever the conversion made of the input.
    if (line_.size() > kMaxLineLength)
        line_.resize(kMaxLineLength);
}

template <typename UnitAt> bool GedcomReader::FindLine(size_t count, UnitAt unitAt, size_t& start, size_t& end) const
{
    start = lineEnd_;
    // Line breaks, and lines of nothing but blanks and tabs, are passed by.
    for (;;) {
        while (start < count && IsBreak(unitAt(start)))
            ++start;
        size_t scan = start;
        while (scan < count && IsBlank(unitAt(scan)))
            ++scan;
        if (scan >= count)
            return false;
        if (!IsBreak(unitAt(scan)))
            break;
        start = scan;
    }
    end = start;
    while (end < count && !IsBreak(unitAt(end)))
        ++end;
    return true;
}

bool GedcomReader::ReadLine()
{
    size_t count = UnitCount();
    const uint8_t* bytes = input_.data();
    for (;;) {
        ++lineNumber_;
        size_t start = 0, end = 0;
        // One scanner per unit size, so that the loop over the bytes asks nothing else.
        auto wide = [this](size_t i) { return Unit(i); };
        auto narrow = [bytes](size_t i) { return char16_t(bytes[i]); };
        bool found = IsUtf16() ? FindLine(count, wide, start, end) : FindLine(count, narrow, start, end);
        if (!found) {
            line_.clear();
            position_ = 0;
            LogError(LogEndOfInput, true);
            return false;
        }
        lineStart_ = start;
        lineEnd_ = end;
        position_ = 0;
        // Lines longer than the standard allows occur in real files: such a line is logged and read cut to
        // its first 255 bytes, rather than ending the whole reading.
        bool tooLong = end - start > kMaxLineLength;
        ConvertLine(start, tooLong ? start + kMaxLineLength : end);
        if (tooLong)
            LogError(LogBadLine, true);
        if (ParseLevel())
            return true;
        // A line without its level is logged and passed by: one bad line never costs the whole file.
        LogError(LogBadLine, true);
    }
}

bool GedcomReader::ParseLevel()
{
    // Blanks or tabs may stand before the level; the level has one or two digits and is followed by blanks
    // or tabs.
    size_t at = 0;
    while (at < line_.size() && IsBlank(static_cast<unsigned char>(line_[at])))
        ++at;
    size_t digits = at;
    int level = 0;
    while (at < line_.size() && line_[at] >= '0' && line_[at] <= '9' && at - digits < 3)
        level = level * 10 + (line_[at++] - '0');
    if (at == digits || at - digits > 2)
        return false;
    size_t separator = at;
    while (at < line_.size() && IsBlank(static_cast<unsigned char>(line_[at])))
        ++at;
    if (at == separator || at >= line_.size())
        return false;
    level_ = level;
    fieldStart_ = at;
    position_ = at;
    return true;
}

bool GedcomReader::ReadXref(std::string& target)
{
    // position_ stands on the opening '@'; the cross-reference runs to the next one on the line.
    size_t close = line_.find('@', position_ + 1);
    if (close == std::string::npos || close == position_ + 1) {
        LogError(LogBadXref, true);
        return false;
    }
    target.assign(line_, position_ + 1, close - position_ - 1);
    position_ = close + 1;
    return true;
}

bool GedcomReader::ParseTag()
{
    for (;;) {
        Parse parsed = ParseFields();
        if (parsed != Parse::Malformed)
            return parsed == Parse::Done;
        // The line is logged; it goes with its subordinate lines, which would mean nothing without it.
        if (!SkipSubordinates())
            return false;
    }
}

GedcomReader::Parse GedcomReader::ParseFields()
{
    for (;;) {
        tag_ = Tag::None;
        xref_.clear();
        pointer_.clear();
        position_ = fieldStart_;
        if (At(position_) == '@') {
            if (!ReadXref(xref_))
                return Parse::Malformed;
            if (At(position_) != ' ' && At(position_) != '\t') {
                LogError(LogBadLine, true);
                return Parse::Malformed;
            }
            while (At(position_) == ' ' || At(position_) == '\t')
                ++position_;
        }
        bool userDefined = At(position_) == '_';
        size_t tagStart = position_ + (userDefined ? 1 : 0);
        size_t tagEnd = tagStart;
        while (At(tagEnd) != '\0' && At(tagEnd) != ' ' && At(tagEnd) != '\t')
            ++tagEnd;
        // Tags are compared as five characters padded with blanks; a longer word is no known tag.
        tagField_.assign(5, ' ');
        for (size_t i = 0; i < 5 && tagStart + i < tagEnd; ++i)
            tagField_[i] = line_[tagStart + i];
        bool tooLong = tagEnd - tagStart > 5;

        if (userDefined) {
            Tag known = options_.readExtensions && !tooLong ? FindUserTag(tagField_) : Tag::None;
            if (known == Tag::None) {
                LogError(options_.readExtensions ? LogUnknownTag : LogUserTagNotRead, true);
                if (!SkipSubordinates())
                    return Parse::InputEnded;
                continue;
            }
            tag_ = known;
        } else {
            tag_ = tooLong ? Tag::None : FindStandardTag(tagField_);
            if (tag_ == Tag::None) {
                LogError(LogUnknownTag, true);
                // A record of an unknown kind goes whole: its lines belong to no record before it.
                if (!(level_ == 0 ? SkipSubordinates() : ReadLine()))
                    return Parse::InputEnded;
                continue;
            }
        }
        position_ = tagEnd;
        if (At(position_) == '\t')
            ++position_;
        while (At(position_) == ' ')
            ++position_;
        // "@#" starts a calendar escape of a date, not a pointer.
        if (At(position_) == '@' && At(position_ + 1) != '@' && At(position_ + 1) != '#') {
            if (!ReadXref(pointer_))
                return Parse::Malformed;
            if (At(position_) != '\0' && At(position_) != ' ') {
                LogError(LogBadLine, true);
                return Parse::Malformed;
            }
            if (At(position_) == ' ')
                ++position_;
        }
        return Parse::Done;
    }
}

std::string_view GedcomReader::Value() const
{
    if (position_ >= line_.size())
        return {};
    return std::string_view(line_).substr(position_);
}

bool GedcomReader::SkipSubordinates()
{
    int level = level_;
    if (!ReadLine())
        return false;
    if (level_ <= level)
        return true;
    Log("The following lines were skipped:\r\n");
    while (level_ > level) {
        Log(std::string_view(line_).substr(0, kSkippedLineShown));
        Log("\r\n");
        if (!ReadLine())
            return false;
    }
    Log("\r\n");
    return true;
}

bool GedcomReader::SkipUnexpected()
{
    position_ = fieldStart_;
    LogError(LogUnexpectedTag, true);
    return SkipSubtree();
}

bool LogEntryHeader(ConvertHost& host, const ConvertOptions& options, int code, int lineNumber)
{
    if (code == LogNotConverted && options.logLevel >= 1)
        return false;
    std::string text = host.Text(code);
    char header[64];
    std::snprintf(header, sizeof header,
                  code == LogNotConverted ? "\r\nLine %i: " : "\r\nError on line %i: ", lineNumber);
    host.WriteLog(header);
    host.WriteLog(text);
    host.WriteLog("\r\n");
    return true;
}

void LogLine(ConvertHost& host, const ConvertOptions& options, int code, int lineNumber, std::string_view shown)
{
    if (!LogEntryHeader(host, options, code, lineNumber))
        return;
    host.WriteLog(shown);
    host.WriteLog("\r\n");
}

void GedcomReader::LogAt(int code, int lineNumber, std::string_view shown)
{
    LogLine(host_, options_, code, lineNumber, shown);
}

void GedcomReader::LogError(int code, bool withLine)
{
    if (lineNumber_ == lastLogLine_)
        return;
    lastLogLine_ = lineNumber_;
    if (code == LogUnknownTag && options_.logLevel >= 2) {
        std::string_view tag(tagField_);
        if (tag == "NUMB " || tag == "LVG  " || tag == "ILLE ")
            return;
    }
    if (!LogEntryHeader(host_, options_, code, lineNumber_) || !withLine)
        return;
    Log(line_);
    std::string caret = "\r\n";
    caret.append(std::min(position_, kCaretLineLimit), ' ');
    caret += "^\r\n";
    if (caret.size() > kCaretLineLimit)
        caret.resize(kCaretLineLimit);
    Log(caret);
}

} // namespace pendrax
