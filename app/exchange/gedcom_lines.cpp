#include "exchange/gedcom_lines.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/event_type_tables.h"
#include "core/date_format.h"
#include "exchange/export_sink.h"

namespace {

// The ANSEL form of each Latin-1 byte from 0x80 up. Letters with a diacritic are the non-spacing mark
// followed by the base letter; the degree sign and the two C-cedillas take the codes that the GEDCOM
// reader turns back into the same characters.
using AnselTable = std::array<const char*, 128>;

constexpr AnselTable MakeAnselTable()
{
    AnselTable table {};
    for (auto& entry : table)
        entry = " ";
    struct Entry {
        unsigned char latin;
        const char* ansel;
    };
    constexpr Entry entries[] = {
        // Special characters with an ANSEL code.
        {0xA1, "\xC6"}, {0xA3, "\xB9"}, {0xA9, "\xC3"}, {0xB0, "\xC0"}, {0xB4, "\xA7"}, {0xB7, "\xA8"},
        {0xBF, "\xC5"}, {0xC6, "\xA5"}, {0xD0, "\xA3"}, {0xD8, "\xA2"}, {0xDE, "\xA4"}, {0xDF, "\xCF"},
        {0xE6, "\xB5"}, {0xF0, "\xBA"}, {0xF8, "\xB2"}, {0xFE, "\xB4"},
        // Characters spelled in ASCII.
        {0xA2, "c"}, {0xA6, "|"}, {0xAB, "<<"}, {0xAE, "(R)"}, {0xB1, "+-"}, {0xB5, "u"}, {0xBB, ">>"},
        {0xBC, "1/4"}, {0xBD, "1/2"}, {0xBE, "3/4"}, {0xD7, "x"}, {0xF7, "-"},
        // Letters: the mark (grave E1, acute E2, circumflex E3, tilde E4, diaeresis E8, ring EA, cedilla
        // F0), then the base letter.
        {0xC0, "\xE1" "A"}, {0xC1, "\xE2" "A"}, {0xC2, "\xE3" "A"}, {0xC3, "\xE4" "A"}, {0xC4, "\xE8" "A"},
        {0xC5, "\xEA" "A"}, {0xC7, "\xF0" "C"}, {0xC8, "\xE1" "E"}, {0xC9, "\xE2" "E"}, {0xCA, "\xE3" "E"},
        {0xCB, "\xE8" "E"}, {0xCC, "\xE1" "I"}, {0xCD, "\xE2" "I"}, {0xCE, "\xE3" "I"}, {0xCF, "\xE8" "I"},
        {0xD1, "\xE4" "N"}, {0xD2, "\xE1" "O"}, {0xD3, "\xE2" "O"}, {0xD4, "\xE3" "O"}, {0xD5, "\xE4" "O"},
        {0xD6, "\xE8" "O"}, {0xD9, "\xE1" "U"}, {0xDA, "\xE2" "U"}, {0xDB, "\xE3" "U"}, {0xDC, "\xE8" "U"},
        {0xDD, "\xE2" "Y"}, {0xE0, "\xE1" "a"}, {0xE1, "\xE2" "a"}, {0xE2, "\xE3" "a"}, {0xE3, "\xE4" "a"},
        {0xE4, "\xE8" "a"}, {0xE5, "\xEA" "a"}, {0xE7, "\xF0" "c"}, {0xE8, "\xE1" "e"}, {0xE9, "\xE2" "e"},
        {0xEA, "\xE3" "e"}, {0xEB, "\xE8" "e"}, {0xEC, "\xE1" "i"}, {0xED, "\xE2" "i"}, {0xEE, "\xE3" "i"},
        {0xEF, "\xE8" "i"}, {0xF1, "\xE4" "n"}, {0xF2, "\xE1" "o"}, {0xF3, "\xE2" "o"}, {0xF4, "\xE3" "o"},
        {0xF5, "\xE4" "o"}, {0xF6, "\xE8" "o"}, {0xF9, "\xE1" "u"}, {0xFA, "\xE2" "u"}, {0xFB, "\xE3" "u"},
        {0xFC, "\xE8" "u"}, {0xFD, "\xE2" "y"}, {0xFF, "\xE8" "y"},
    };
    for (const Entry& entry : entries)
        table[entry.latin - 0x80] = entry.ansel;
    return table;
}

constexpr AnselTable Ansel = MakeAnselTable();

constexpr const char* GregorianMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                           "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr const char* FrenchMonths[] = {"VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT", "GERM",
                                        "FLOR", "PRAI", "MESS", "THER", "FRUC", "COMP"};
constexpr const char* HebrewMonths[] = {"TSH", "CSH", "KSL", "TVT", "SHV", "ADR", "ADS",
                                        "NSN", "IYR", "SVN", "TMZ", "AAV", "ELL"};

const char* MonthCode(int calendar, int month)
{
    if (calendar == CalendarFrench)
        return month >= 1 && month <= 13 ? FrenchMonths[month - 1] : nullptr;
    if (calendar == CalendarHebrew)
        return month >= 1 && month <= 13 ? HebrewMonths[month - 1] : nullptr;
    return month >= 1 && month <= 12 ? GregorianMonths[month - 1] : nullptr;
}

const char* CalendarEscape(int calendar)
{
    switch (calendar) {
    case CalendarGregorian:
        return "@#DGREGORIAN@ ";
    case CalendarJulian:
        return "@#DJULIAN@ ";
    case CalendarHebrew:
        return "@#DHEBREW@ ";
    case CalendarFrench:
        return "@#DFRENCH R@ ";
    default:
        return "";
    }
}

void AppendBounded(char* buffer, std::size_t size, const char* text)
{
    const std::size_t used = std::strlen(buffer);
    if (used + 1 >= size)
        return;
    std::snprintf(buffer + used, size - used, "%s", text);
}

std::string DateOf(const DateValue& date)
{
    char text[64] = "";
    return AppendGedcomDate(date, text, sizeof text);
}

constexpr char BlobAlphabet[] = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
static_assert(sizeof BlobAlphabet == 65, "64 characters");

constexpr std::size_t NotePieceLength = 72;
constexpr std::size_t BlobLineLength = 72;
constexpr std::size_t ValueLimit = 255;

} // namespace

const char* GedcomTag(int code)
{
    const char* tag = GedcomTagText(code);
    return tag != nullptr ? tag : "";
}

char* ConvertToAnsel(char* out, std::size_t size, const char* text)
{
    if (size == 0)
        return out;
    std::size_t used = 0;
    for (const unsigned char* from = reinterpret_cast<const unsigned char*>(text); *from != 0; ++from) {
        char single[2] = {static_cast<char>(*from), 0};
        const char* form = *from < 0x80 ? single : Ansel[*from - 0x80];
        const std::size_t length = std::strlen(form);
        if (used + length > size - 1)
            break;
        std::memcpy(out + used, form, length);
        used += length;
    }
    out[used] = '\0';
    return out;
}

void AppendAnsel(std::string& out, std::string_view text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out += c;
        else
            out += Ansel[byte - 0x80];
    }
}

char* AppendGedcomDate(const DateValue& date, char* buffer, std::size_t size)
{
    char piece[16];
    AppendBounded(buffer, size, CalendarEscape(date.calendar));
    if (date.day != 0 && date.month != 0) {
        std::snprintf(piece, sizeof piece, "%02u ", static_cast<unsigned>(date.day));
        AppendBounded(buffer, size, piece);
    }
    if (date.month != 0) {
        if (const char* month = MonthCode(date.calendar, date.month)) {
            AppendBounded(buffer, size, month);
            AppendBounded(buffer, size, " ");
        }
    }
    const int year = date.Year();
    std::snprintf(piece, sizeof piece, "%04u", static_cast<unsigned>(std::abs(year)));
    AppendBounded(buffer, size, piece);
    if (date.alternateYear <= 127) {
        std::snprintf(piece, sizeof piece, "/%02u", static_cast<unsigned>(date.alternateYear));
        AppendBounded(buffer, size, piece);
    }
    if (year < 0)
        AppendBounded(buffer, size, " B.C.");
    return buffer;
}

std::string GedcomDateText(const DateRange& range, const char* hijriPicture)
{
    constexpr std::size_t Limit = 127;
    std::string text;
    if (range.type == DateRangeText) {
        const std::string_view phrase = range.Text();
        if (phrase.empty())
            return text;
        text = "(" + std::string(phrase) + ")";
    } else if (range.dates.first.calendar == CalendarHijri) {
        char shown[128] = "";
        FormatDateRange(shown, sizeof shown, range, hijriPicture != nullptr ? hijriPicture : "", false, false);
        text = "(" + std::string(shown) + ")";
    } else if (range.dates.first.Year() == 0) {
        return text;
    } else {
        const std::string first = DateOf(range.dates.first);
        switch (range.type) {
        case DateRangeFrom:
            text = "FROM " + first;
            break;
        case DateRangeTo:
            text = "TO " + first;
            break;
        case DateRangeFromTo:
            text = "FROM " + first + " TO " + DateOf(range.dates.second);
            break;
        case DateRangeBetween:
            text = "BET " + first + " AND " + DateOf(range.dates.second);
            break;
        default:
            switch (range.dates.first.modifier) {
            case DateModifierAbout:
                text = "ABT ";
                break;
            case DateModifierAfter:
                text = "AFT ";
                break;
            case DateModifierBefore:
                text = "BEF ";
                break;
            case DateModifierEstimated:
                text = "EST ";
                break;
            default:
                break;
            }
            text += first;
        }
    }
    if (text.size() > Limit)
        text.resize(Limit);
    return text;
}

std::string EncodeBlob(const std::uint8_t* data, std::size_t size)
{
    std::string encoded;
    encoded.reserve((size + 2) / 3 * 4);
    for (std::size_t i = 0; i < size; i += 3) {
        const unsigned b0 = data[i];
        const unsigned b1 = i + 1 < size ? data[i + 1] : 0xFF;
        const unsigned b2 = i + 2 < size ? data[i + 2] : 0xFF;
        encoded += BlobAlphabet[b0 >> 2];
        encoded += BlobAlphabet[((b0 & 0x03) << 4) | (b1 >> 4)];
        encoded += BlobAlphabet[((b1 & 0x0F) << 2) | (b2 >> 6)];
        encoded += BlobAlphabet[b2 & 0x3F];
    }
    return encoded;
}

void GedcomLineWriter::AppendLevelTag(int level, const char* tag)
{
    char number[16];
    const int length = std::snprintf(number, sizeof number, "%i ", level);
    line_.append(number, static_cast<std::size_t>(length));
    line_ += tag;
}

void GedcomLineWriter::Flush()
{
    sink_->Write(line_.data(), line_.size());
    line_.clear();
}

void GedcomLineWriter::WriteLevelTag(int level, int tag)
{
    AppendLevelTag(level, GedcomTag(tag));
    Flush();
}

void GedcomLineWriter::WriteLineEnd()
{
    sink_->Write("\r\n", 2);
}

void GedcomLineWriter::WriteLine(int level, const char* tag, std::string_view value)
{
    AppendLevelTag(level, tag);
    if (!value.empty()) {
        line_ += ' ';
        const std::size_t start = line_.size();
        if (Ansel())
            AppendAnsel(line_, value);
        else
            line_.append(value);
        if (line_.size() - start > ValueLimit)
            line_.resize(start + ValueLimit);
        for (std::size_t i = start; i < line_.size(); ++i)
            if (line_[i] == '\r' || line_[i] == '\n')
                line_[i] = ' ';
    }
    line_ += "\r\n";
    Flush();
}

void GedcomLineWriter::WriteRecordHead(int tag, const char* prefix, std::int64_t id)
{
    char text[48];
    std::snprintf(text, sizeof text, "0 @%s%lld@ %s\r\n", prefix, static_cast<long long>(id), GedcomTag(tag));
    sink_->Write(std::string_view(text));
}

void GedcomLineWriter::WritePointerLine(int level, int tag, const char* prefix, std::int64_t id)
{
    char text[48];
    std::snprintf(text, sizeof text, "%i %s @%s%lld@\r\n", level, GedcomTag(tag), prefix, static_cast<long long>(id));
    sink_->Write(std::string_view(text));
}

void GedcomLineWriter::WriteNoteText(int level, int tag, std::string_view text)
{
    std::size_t position = 0;
    bool first = true;
    bool afterBreak = false;
    do {
        std::size_t end = text.find_first_of("\r\n", position);
        if (end == std::string_view::npos)
            end = text.size();
        end = std::min(end, position + NotePieceLength);
        const std::string_view piece = text.substr(position, end - position);
        if (first)
            WriteLine(level, tag, piece);
        else
            WriteLine(level + 1, afterBreak ? GedcomCont : GedcomConc, piece);
        first = false;
        position = end;
        afterBreak = false;
        if (position < text.size() && (text[position] == '\r' || text[position] == '\n')) {
            afterBreak = true;
            const bool pair = text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n';
            position += pair ? 2 : 1;
        }
    } while (position < text.size());
}

void GedcomLineWriter::WriteBlobData(int level, const std::uint8_t* data, std::size_t size)
{
    const std::string encoded = EncodeBlob(data, size);
    for (std::size_t i = 0; i < encoded.size(); i += BlobLineLength)
        WriteLine(level, GedcomCont, std::string_view(encoded).substr(i, BlobLineLength));
}

void GedcomLineWriter::WriteDateLine(int level, const DateRange& range, const char* hijriPicture)
{
    const std::string text = GedcomDateText(range, hijriPicture);
    if (!text.empty())
        WriteLine(level, GedcomDate, text);
}
