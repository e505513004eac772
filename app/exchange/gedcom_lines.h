// The text forms of the GEDCOM writers: Windows Latin-1 to ANSEL, the GEDCOM form of dates, the 6-bit
// encoding of BLOB data, and the line writer that puts levels, tags, values, pointers, notes cut into
// CONT and CONC lines, BLOB lines and DATE lines into a sink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/date_value.h"
#include "exchange/export_data.h"

class ExportSink;

// The tags the writers name, as numbers of the GEDCOM tag table (core/event_type_tables.h).
enum GedcomTagCode : int {
    GedcomHead = 0,
    GedcomSour = 1,
    GedcomDest = 2,
    GedcomDate = 3,
    GedcomChar = 4,
    GedcomFile = 5,
    GedcomSubm = 6,
    GedcomName = 7,
    GedcomAddr = 8,
    GedcomCont = 9,
    GedcomPhon = 10,
    GedcomIndi = 13,
    GedcomTitl = 14,
    GedcomSex = 15,
    GedcomBirt = 17,
    GedcomPlac = 18,
    GedcomChr = 19,
    GedcomDeat = 20,
    GedcomBuri = 21,
    GedcomFams = 22,
    GedcomFamc = 23,
    GedcomNote = 24,
    GedcomFam = 25,
    GedcomHusb = 26,
    GedcomWife = 27,
    GedcomChil = 28,
    GedcomMarr = 29,
    GedcomDiv = 30,
    GedcomTrlr = 31,
    GedcomQuay = 47,
    GedcomConc = 66,
    GedcomVers = 70,
    GedcomData = 88,
    GedcomGedc = 89,
    GedcomForm = 90,
    GedcomAuth = 98,
    GedcomAbbr = 99,
    GedcomPubl = 100,
    GedcomText = 101,
    GedcomPage = 104,
    GedcomEven = 105,
    GedcomObje = 106,
    GedcomType = 116,
    GedcomRepo = 117,
    GedcomCaln = 118,
    GedcomBlob = 119,
    GedcomEmail = 124,
    GedcomFax = 125,
    GedcomWww = 126,
    GedcomFact = 127,
};

// The tag's text; "" outside the table.
const char* GedcomTag(int code);

// The ANSEL form of Latin-1 text, NUL-terminated in `out` and never longer than size - 1 bytes: a
// character whose form does not fit is dropped with everything after it. Returns `out`.
char* ConvertToAnsel(char* out, std::size_t size, const char* text);
// The same, unbounded.
void AppendAnsel(std::string& out, std::string_view text);

// Appends the GEDCOM text of one date ("@#DGREGORIAN@ 05 MAR 1790", "MAY 1850", "@#DJULIAN@ 1700/01") to
// the text already in `buffer` (at most size - 1 characters in all). Returns `buffer`.
char* AppendGedcomDate(const DateValue& date, char* buffer, std::size_t size);
// The value of the DATE line of a range ("ABT ...", "FROM ... TO ...", a phrase in parentheses), or ""
// when no DATE line is written. A Hijri date is written in `hijriPicture` between parentheses.
std::string GedcomDateText(const DateRange& range, const char* hijriPicture);

// The 6-bit BLOB encoding of the data: four characters for every three bytes, the bytes missing from the
// last group taken as 0xFF.
std::string EncodeBlob(const std::uint8_t* data, std::size_t size);

// Writes GEDCOM lines into a sink: "level tag value" and CR LF. Values are converted to ANSEL when that
// character set was chosen; tags, pointers and record heads are ASCII and never converted.
class GedcomLineWriter {
public:
    GedcomLineWriter(ExportSink& sink, std::uint8_t characterSet) : sink_(&sink), characterSet_(characterSet) {}

    ExportSink& Sink() { return *sink_; }
    bool Ansel() const { return characterSet_ == GedcomCharsetAnsel; }

    void WriteLevelTag(int level, int tag);
    void WriteLineEnd();
    // "level tag" and, when `value` is not empty, a blank and the value (cut at 255 characters after any
    // conversion); a line break inside the value becomes a blank, so that a value never starts a line.
    void WriteLine(int level, const char* tag, std::string_view value = {});
    void WriteLine(int level, int tag, std::string_view value = {}) { WriteLine(level, GedcomTag(tag), value); }
    // "0 @<prefix><id>@ <tag>".
    void WriteRecordHead(int tag, const char* prefix, std::int64_t id);
    // "level tag @<prefix><id>@".
    void WritePointerLine(int level, int tag, const char* prefix, std::int64_t id);
    // A text of any length: its first line under `tag`, then CONT lines at level + 1 for every line break
    // and CONC lines for every 72 characters of a longer line. A CR LF pair, a lone CR and a lone LF each
    // count as one break; a break at the very end adds no line.
    void WriteNoteText(int level, int tag, std::string_view text);
    // BLOB data as CONT lines of 72 encoded characters at `level`.
    void WriteBlobData(int level, const std::uint8_t* data, std::size_t size);
    // The DATE line of a range, or nothing.
    void WriteDateLine(int level, const DateRange& range, const char* hijriPicture);

private:
    void AppendLevelTag(int level, const char* tag);
    void Flush();

    ExportSink* sink_;
    std::uint8_t characterSet_;
    std::string line_;
};
