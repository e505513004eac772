// WexmorWriter: writes the record stores as a Wexmor 2.0 document, element by element, in the forms the
// Wexmor library reads.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

#include "gedcom/convert.h"
#include "gedcom/gedcom_records.h"

namespace pendrax {

// XML escaping of the five special characters.
std::string EscapeXml(std::string_view text);
// A text from the GEDCOM file: XML escaping, and a doubled at sign becomes one.
std::string EscapeGedcomText(std::string_view text);
// The same appended to out; with gedcom false the at signs stay as they are (EscapeXml).
void AppendGedcomText(std::string& out, std::string_view text, bool gedcom = true);
// RFC 4648 Base64 in lines of 72 characters, each full line but the last followed by CR LF.
std::string EncodeBase64(std::string_view bytes);
// One line of it: the Base64 of up to 54 bytes appended to out.
void AppendBase64Line(std::string& out, std::string_view bytes);
// A simple date's content: "yyyy-mm-dd" or "yyyy/yy-mm-dd"; the year without sign (the era says it).
std::string FormatSimpleDate(const SimpleDate& date, bool withTime);

class WexmorWriter {
public:
    // Reads the spilled records back as it writes them.
    WexmorWriter(RecordStore& store, const ConvertOptions& options, ConvertHost& host);
    void Write();

private:
    struct Counts {
        int repositories = 0, sources = 0, excerpts = 0, eventTypes = 0, persons = 0, assertions = 0, tasks = 0;
    };

    void Put(std::string_view text);
    void Flush();
    void Element(std::string_view name, std::string_view escapedContent);
    void TextElement(std::string_view name, std::string_view text);
    void TextElementIfAny(std::string_view name, std::string_view text);
    std::string IdRef(char letter, int number) const;

    void WriteHeader();
    int WriteRepositories();
    int WriteSources();
    int WriteExcerpts();
    int WriteEventTypes();
    int WritePersons();
    int WriteAssertions();
    int WritePersonAssertions(const Person& person, int personNumber);
    int WriteFamilyAssertions(const Family& family);
    int WriteTasks();
    void WriteTotals(const Counts& counts);

    void WriteDate(const GedcomDate& date);
    void WriteSimpleDate(std::string_view name, const SimpleDate& date, const char* modifier);
    void WriteChange(const SimpleDate& change);
    void WritePlace(std::string_view place);
    void WriteAddress(const Address& address);
    void WriteNotes(const std::vector<Note>& notes, std::string_view leading = {});
    std::string_view NoteText(const Note& note) const;
    void WriteExcerptRefs(const std::vector<int>& citations);
    void WritePersonalName(const Name& name);
    void WriteUnknownName();
    void WriteMediaLinks(const std::vector<MediaLink>& links);
    void WriteMediaRecord(const MediaObject& object);
    // The file of a media object: its copy's name when asked, its path and its bytes the first time.
    void WriteMediaFile(std::string_view path, int line, bool copy);
    void PutBase64(std::string_view bytes);
    void StartAssertion();

    RecordStore& store_;
    const ConvertOptions& options_;
    ConvertHost& host_;
    std::string buffer_;
    int assertionCounter_ = 0;
    struct MediaEntry {
        bool leftOut = false;            // not a file that may be read
        std::optional<std::string> copy; // the copy in the current folder
    };
    std::unordered_map<std::string, MediaEntry> mediaSeen_; // by path as the GEDCOM names it
};

} // namespace pendrax
