#include "gedcom/wexmor_writer.h"

#include "gedcom/gedcom_reader.h"

#include <cstdio>
#include <cstdlib>

namespace pendrax {

namespace {

// Output is handed to the host in pieces of about this size.
constexpr size_t kFlushSize = 64 * 1024;
constexpr size_t kPlaceLimit = 255;
constexpr size_t kNameLimit = 255;
constexpr size_t kDataDateLimit = 31;
constexpr size_t kBase64LineBytes = 54; // 72 characters of Base64

struct TypeEntry {
    Tag tag;
    const char* word;
    int code;
};

constexpr TypeEntry kEventTypes[] = {
    {Tag::BIRT, "birth", 1000},        {Tag::CHR, "baptism", 1001},       {Tag::DEAT, "death", 1002},
    {Tag::BURI, "burial", 1003},       {Tag::CREM, "cremation", 1004},    {Tag::ADOP, "adoption", 1005},
    {Tag::BAPM, "baptism", 1006},      {Tag::BARM, "confirmation", 1007}, {Tag::BASM, "confirmation", 1008},
    {Tag::BLES, "blessing", 1009},     {Tag::CHRA, "baptism", 1010},      {Tag::CONF, "confirmation", 1011},
    {Tag::FCOM, "other", 1012},        {Tag::ORDN, "ordination", 1013},   {Tag::NATU, "naturalization", 1014},
    {Tag::EMIG, "emigration", 1015},   {Tag::IMMI, "immigration", 1016},  {Tag::CENS, "census", 1017},
    {Tag::PROB, "other", 1018},        {Tag::WILL, "other", 1019},        {Tag::GRAD, "graduation", 1020},
    {Tag::RETI, "retirement", 1021},   {Tag::RESI, "residence", 1022},    {Tag::ANUL, "annulment", 1035},
    {Tag::DIV, "divorce", 1036},       {Tag::DIVF, "divorce", 1037},      {Tag::ENGA, "marriage", 1038},
    {Tag::MARR, "marriage", 1039},     {Tag::MARB, "marriage", 1040},     {Tag::MARC, "marriage", 1041},
    {Tag::MARL, "marriage", 1042},     {Tag::MARS, "marriage", 1043},     {Tag::BAPL, "baptism", 1044},
    {Tag::CONL, "confirmation", 1045}, {Tag::ENDL, "other", 1046},        {Tag::SLGC, "other", 1047},
    {Tag::SLGS, "marriage", 1048},
};

constexpr TypeEntry kAttributeTypes[] = {
    {Tag::CAST, "caste", 1023},      {Tag::DSCR, "physical", 1024},    {Tag::EDUC, "education", 1025},
    {Tag::IDNO, "idnumber", 1026},   {Tag::NATI, "nationality", 1027}, {Tag::NCHI, "other", 1028},
    {Tag::NMR, "other", 1029},       {Tag::OCCU, "work", 1030},        {Tag::PROP, "property", 1031},
    {Tag::RELI, "religion", 1032},   {Tag::SSN, "idnumber", 1033},     {Tag::TITL, "title", 1034},
    {Tag::UserEMAIL, "email", 1049}, {Tag::UserUID, "other", 1050},
};

// The class word and getText code of a tag; "other" and code 0 (or none) outside the table.
template <size_t N> TypeEntry LookUp(const TypeEntry (&table)[N], Tag tag, int missingCode)
{
    for (const TypeEntry& entry : table)
        if (entry.tag == tag)
            return entry;
    return TypeEntry{tag, "other", missingCode};
}

const char* CalendarWord(Calendar calendar)
{
    switch (calendar) {
    case Calendar::Hebrew:
        return "hebrew";
    case Calendar::French:
        return "french";
    case Calendar::Gregorian:
        return "gregorian";
    case Calendar::Julian:
        return "julian";
    default:
        return nullptr;
    }
}

std::string Join(std::string_view first, std::string_view second)
{
    std::string joined(first);
    if (!first.empty() && !second.empty())
        joined += "\r\n";
    return joined += second;
}

} // namespace

void AppendGedcomText(std::string& out, std::string_view text, bool gedcom)
{
    out.reserve(out.size() + text.size() + text.size() / 10 + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '@':
            out += c;
            // A doubled at sign of a GEDCOM text stands for one.
            if (gedcom && i + 1 < text.size() && text[i + 1] == '@')
                ++i;
            break;
        default:
            // Control characters other than tab and line ends are not allowed in XML: they become blanks.
            out += static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n' ? ' ' : c;
            break;
        }
    }
}

std::string EscapeXml(std::string_view text)
{
    std::string out;
    AppendGedcomText(out, text, false);
    return out;
}

std::string EscapeGedcomText(std::string_view text)
{
    std::string out;
    AppendGedcomText(out, text, true);
    return out;
}

void AppendBase64Line(std::string& out, std::string_view bytes)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<uint8_t>(bytes[i]) << 16;
        size_t count = std::min<size_t>(3, bytes.size() - i);
        if (count > 1)
            group |= static_cast<uint8_t>(bytes[i + 1]) << 8;
        if (count > 2)
            group |= static_cast<uint8_t>(bytes[i + 2]);
        out += alphabet[(group >> 18) & 63];
        out += alphabet[(group >> 12) & 63];
        out += count > 1 ? alphabet[(group >> 6) & 63] : '=';
        out += count > 2 ? alphabet[group & 63] : '=';
    }
}

std::string EncodeBase64(std::string_view bytes)
{
    std::string lines;
    lines.reserve(bytes.size() / 3 * 4 + bytes.size() / kBase64LineBytes * 2 + 4);
    for (size_t i = 0; i < bytes.size(); i += kBase64LineBytes) {
        if (i)
            lines += "\r\n";
        AppendBase64Line(lines, bytes.substr(i, kBase64LineBytes));
    }
    return lines;
}

std::string FormatSimpleDate(const SimpleDate& date, bool withTime)
{
    char text[96];
    int year = std::abs(date.year);
    int length = date.secondYear >= 0 ? std::snprintf(text, sizeof text, "%04i/%02i-%02i-%02i", year, date.secondYear,
                                                      date.month, date.day)
                                      : std::snprintf(text, sizeof text, "%04i-%02i-%02i", year, date.month, date.day);
    if (withTime && date.hour >= 0) {
        if (date.second >= 0)
            std::snprintf(text + length, sizeof text - length, "T%02i:%02i:%02i", date.hour, date.minute, date.second);
        else
            std::snprintf(text + length, sizeof text - length, "T%02i:%02i", date.hour, date.minute);
    }
    std::string formatted(text);
    if (formatted.size() > 31)
        formatted.resize(31);
    return formatted;
}

WexmorWriter::WexmorWriter(RecordStore& store, const ConvertOptions& options, ConvertHost& host)
    : store_(store), options_(options), host_(host)
{
}

void WexmorWriter::Put(std::string_view text)
{
    buffer_ += text;
    if (buffer_.size() >= kFlushSize)
        Flush();
}

void WexmorWriter::Flush()
{
    if (!buffer_.empty())
        host_.WriteOutput(buffer_);
    buffer_.clear();
}

void WexmorWriter::Element(std::string_view name, std::string_view escapedContent)
{
    Put("<");
    Put(name);
    Put(">");
    Put(escapedContent);
    Put("</");
    Put(name);
    Put(">");
}

void WexmorWriter::TextElement(std::string_view name, std::string_view text)
{
    Put("<");
    Put(name);
    Put(">");
    AppendGedcomText(buffer_, text);
    Put("</");
    Put(name);
    Put(">");
}

void WexmorWriter::TextElementIfAny(std::string_view name, std::string_view text)
{
    if (!text.empty())
        TextElement(name, text);
}

std::string WexmorWriter::IdRef(char letter, int number) const
{
    return letter + std::to_string(number);
}

void WexmorWriter::Write()
{
    Put("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
    Put("<wexmor xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xsi:noNamespaceSchemaLocation=\"wexmor20.xsd\">");
    Put("<file><version>200</version><level>3</level></file>");
    WriteHeader();
    Counts counts;
    counts.repositories = WriteRepositories();
    counts.sources = WriteSources();
    counts.excerpts = WriteExcerpts();
    counts.eventTypes = WriteEventTypes();
    counts.persons = WritePersons();
    counts.assertions = WriteAssertions();
    counts.tasks = WriteTasks();
    WriteTotals(counts);
    Put("</wexmor>");
    Flush();
}

void WexmorWriter::WriteHeader()
{
    const Header& header = store_.header;
    Put("<header>");
    TextElement("exportingsystem", !header.product.empty()  ? header.product
                                   : !header.system.empty() ? header.system
                                                            : std::string("Unknown"));
    TextElement("version", header.version.empty() ? std::string("Unknown") : header.version);
    Element("exported", FormatSimpleDate(header.date, true));
    if (!header.submitter.empty()) {
        for (const Submitter& submitter : store_.submitters) {
            if (submitter.xref != header.submitter)
                continue;
            Put("<owner>");
            TextElement("name", submitter.name);
            WriteAddress(submitter.address);
            TextElementIfAny("email", !submitter.email.empty() ? std::string_view(submitter.email)
                                                               : submitter.address.email.view());
            Put("</owner>");
            break;
        }
    }
    Put("</header>");
}

int WexmorWriter::WriteRepositories()
{
    int number = 0;
    for (const Repository& repository : store_.repositories) {
        Put("<repository id=\"" + IdRef('R', ++number) + "\">");
        TextElement("name", repository.name);
        WriteAddress(repository.address);
        TextElementIfAny("email", repository.address.email);
        TextElementIfAny("uri", repository.address.web);
        WriteNotes(repository.notes);
        WriteChange(repository.change);
        Put("</repository>");
    }
    return number;
}

int WexmorWriter::WriteSources()
{
    int number = 0;
    for (const Source& source : store_.sources) {
        Put("<source id=\"" + IdRef('S', ++number) + "\">");
        TextElement("author", source.author);
        TextElement("title", source.title);
        TextElement("shorttitle", source.shortTitle);
        TextElementIfAny("published", source.published);
        if (int repository = store_.repositoryXrefs.Find(source.repository.pointer);
            !source.repository.pointer.empty() && repository != 0) {
            Put("<repositoryref ref=\"" + IdRef('R', repository) + "\">");
            TextElementIfAny("callnumber", source.repository.callNumber);
            WriteNotes(source.repository.notes);
            Put("</repositoryref>");
        }
        TextElementIfAny("text", source.text);
        WriteMediaLinks(source.media);
        WriteNotes(source.notes);
        WriteChange(source.change);
        Put("</source>");
    }
    // A citation that names no source record gets a source of its own, numbered on in the citations' order.
    store_.citations.ForEach<Citation>(store_.recordTexts, [&](const Citation& citation) {
        if (!citation.pointer.empty())
            return;
        Put("<source id=\"" + IdRef('S', ++number) + "\">");
        Put("<author></author>");
        TextElement("title", citation.sourceText);
        Put("<shorttitle></shorttitle>");
        WriteNotes(citation.notes);
        Put("</source>");
    });
    return number;
}

int WexmorWriter::WriteExcerpts()
{
    int number = 0;
    int madeUpSource = static_cast<int>(store_.sources.size()); // the last made-up source met
    store_.citations.ForEach<Citation>(store_.recordTexts, [&](const Citation& citation) {
        Put("<excerpt id=\"" + IdRef('X', number + 1) + "\">");
        std::string date(citation.dataDate.view().substr(0, kDataDateLimit));
        if (!date.empty() && date.front() == '(')
            date.erase(0, 1);
        if (!date.empty() && date.back() == ')')
            date.pop_back();
        if (!date.empty() || !citation.dataText.empty())
            TextElement("text", date.empty() ? citation.dataText.str() : date + ":\r\n" + citation.dataText.str());
        int source;
        if (!citation.pointer.empty()) {
            if (!citation.quality.empty()) {
                const char* quality = citation.quality == "3"   ? "98"
                                      : citation.quality == "2" ? "95"
                                      : citation.quality == "1" ? "90"
                                                                : "80";
                Element("quality", quality);
            }
            source = store_.sourceXrefs.Find(citation.pointer);
        } else {
            source = ++madeUpSource;
        }
        TextElementIfAny("page", citation.page);
        Element("sourceref", IdRef('S', source));
        WriteNotes(citation.notes);
        Put("</excerpt>");
        ++number;
    });
    return number;
}

int WexmorWriter::WriteEventTypes()
{
    int number = 0;
    for (const EventType& type : store_.eventTypes) {
        TypeEntry entry = LookUp(kEventTypes, type.tag, -1);
        Put("<eventtype id=\"" + IdRef('E', ++number) + "\" class=\"" + entry.word + "\">");
        int code = type.descriptionCode >= 0 ? type.descriptionCode : entry.code;
        if (!type.typeText.empty())
            TextElement("description", type.typeText);
        else
            Element("description", code >= 0 ? EscapeXml(host_.Text(code)) : std::string());
        Element("gedcomtag", std::string(TagName(type.tag)));
        Element("roles", type.eventClass == 2 ? "2" : "1");
        Put("</eventtype>");
    }
    return number;
}

int WexmorWriter::WritePersons()
{
    int number = 0;
    store_.persons.ForEach<Person>(store_.recordTexts, [&](const Person& person) {
        const char* sex = person.sex == 1 ? "male" : person.sex == 2 ? "female" : "unknown";
        Put("<person id=\"" + IdRef('P', ++number) + "\" sex=\"" + sex + "\">");
        if (person.names.empty())
            WriteUnknownName();
        else
            WritePersonalName(person.names.front());
        WriteExcerptRefs(person.extras->citations);
        WriteMediaLinks(person.extras->media);
        TextElementIfAny("note", person.extras->text);
        WriteChange(person.extras->change);
        Put("</person>");
    });
    return number;
}

void WexmorWriter::StartAssertion()
{
    Put("<assertion id=\"" + IdRef('A', ++assertionCounter_) + "\">");
}

int WexmorWriter::WriteAssertions()
{
    int count = 0;
    int personNumber = 0;
    store_.persons.ForEach<Person>(
        store_.recordTexts, [&](const Person& person) { count += WritePersonAssertions(person, ++personNumber); });
    store_.families.ForEach<Family>(store_.recordTexts,
                                    [&](const Family& family) { count += WriteFamilyAssertions(family); });
    return count;
}

int WexmorWriter::WritePersonAssertions(const Person& person, int personNumber)
{
    int count = 0;
    const std::string personRef = IdRef('P', personNumber);
    for (size_t i = 0; i < person.names.size(); ++i) {
        const Name& name = person.names[i];
        bool hasNote = false;
        for (const Note& note : name.notes)
            hasNote = hasNote || !NoteText(note).empty() || !note.pointer.empty();
        if (i == 0 && name.citations.empty() && !hasNote)
            continue;
        StartAssertion();
        Put("<alias negative=\"false\">");
        WritePersonalName(name);
        Element("personref", personRef);
        Put("</alias>");
        WriteExcerptRefs(name.citations);
        WriteNotes(name.notes);
        Put("</assertion>");
        ++count;
    }
    for (const Attribute& attribute : person.extras->attributes) {
        TypeEntry entry = LookUp(kAttributeTypes, attribute.tag, 0);
        StartAssertion();
        Put("<attribute>");
        if (!attribute.details->typeText.empty())
            TextElement("description", attribute.details->typeText);
        else
            Element("description", EscapeXml(host_.Text(entry.code)));
        Element("textclass", entry.word);
        TextElement("text", attribute.value);
        Element("personref", personRef);
        WriteDate(attribute.date);
        WritePlace(attribute.place);
        WriteAddress(attribute.details->address);
        Put("</attribute>");
        WriteExcerptRefs(attribute.citations);
        WriteNotes(attribute.details->notes);
        Put("</assertion>");
        ++count;
    }
    for (const Event& event : person.events) {
        StartAssertion();
        Put("<event type=\"" + IdRef('E', event.typeNumber) + "\">");
        Element("principal", personRef);
        WriteDate(event.date);
        WritePlace(event.place);
        WriteAddress(event.details->address);
        Put("</event>");
        WriteExcerptRefs(event.citations);
        WriteNotes(event.details->notes, event.details->extras);
        Put("</assertion>");
        ++count;
    }
    for (const Note& note : person.extras->notes) {
        StartAssertion();
        Put("<info>");
        TextElement("text", NoteText(note));
        Element("personref", personRef);
        Put("</info>");
        WriteExcerptRefs(note.citations);
        Put("</assertion>");
        ++count;
    }
    return count;
}

int WexmorWriter::WriteFamilyAssertions(const Family& family)
{
    static const char* const kRelationWords[] = {"biological", "adoptive", "foster", "other"};
    int husband = family.husband.person;
    int wife = family.wife.person;
    if (husband == 0 && wife == 0)
        return 0;
    int count = 0;
    auto principals = [&](const char* element) {
        if (husband)
            Element(element, IdRef('P', husband));
        if (wife)
            Element(element, IdRef('P', wife));
    };
    for (const FamilyLink& child : family.children) {
        StartAssertion();
        Put("<relationship negative=\"false\"><relation>");
        Put(kRelationWords[static_cast<int>(child.relation)]);
        Put("</relation>");
        if (husband)
            Element("father", IdRef('P', husband));
        if (wife)
            Element("mother", IdRef('P', wife));
        Element("child", IdRef('P', child.person));
        Put("</relationship>");
        WriteExcerptRefs(family.citations);
        Put("</assertion>");
        ++count;
    }
    if (family.couple) {
        // A couple with nothing else to say stays a couple: one event of the family type, without a date.
        StartAssertion();
        Put("<event type=\"" + IdRef('E', family.coupleType) + "\">");
        principals("principal");
        Put("</event>");
        WriteExcerptRefs(family.citations);
        for (const Note& note : family.notes)
            WriteExcerptRefs(note.citations);
        WriteNotes(family.notes);
        Put("</assertion>");
        return count + 1;
    }
    for (const Event& event : family.events) {
        StartAssertion();
        Put("<event type=\"" + IdRef('E', event.typeNumber) + "\">");
        principals("principal");
        WriteDate(event.date);
        WritePlace(event.place);
        WriteAddress(event.details->address);
        Put("</event>");
        WriteExcerptRefs(family.citations);
        WriteExcerptRefs(event.citations);
        WriteNotes(event.details->notes, event.details->extras);
        Put("</assertion>");
        ++count;
    }
    for (const Note& note : family.notes) {
        StartAssertion();
        Put("<info>");
        TextElement("text", NoteText(note));
        principals("personref");
        Put("</info>");
        WriteExcerptRefs(note.citations);
        Put("</assertion>");
        ++count;
    }
    return count;
}

int WexmorWriter::WriteTasks()
{
    int number = 0;
    for (const Task& task : store_.tasks) {
        // Task ids are plain numbers: the reader takes no letter here.
        Put("<task id=\"" + std::to_string(++number) + "\">");
        TextElement("title", task.title);
        std::string problem;
        for (const Note& note : task.notes)
            problem = Join(problem, NoteText(note));
        TextElement("problem", problem);
        if (int person = task.personXref.empty() ? 0 : store_.personXrefs.Find(task.personXref))
            Element("personref", IdRef('P', person));
        Put("<status>new</status>");
        if (task.date.kind == DateKind::Text)
            TextElementIfAny("statusdate", task.date.text);
        else if (task.date.kind != DateKind::None)
            Element("statusdate", FormatSimpleDate(task.date.first, true));
        Put("</task>");
    }
    return number;
}

void WexmorWriter::WriteTotals(const Counts& counts)
{
    auto total = [&](const char* name, int count) { Element(name, std::to_string(count)); };
    Put("<total>");
    total("repositories", counts.repositories);
    total("sources", counts.sources);
    total("excerpts", counts.excerpts);
    total("eventtypes", counts.eventTypes);
    total("persons", counts.persons);
    total("assertions", counts.assertions);
    total("objectives", 0);
    total("tasks", counts.tasks);
    Put("</total>");
}

void WexmorWriter::WriteSimpleDate(std::string_view name, const SimpleDate& date, const char* modifier)
{
    Put("<");
    Put(name);
    if (const char* calendar = CalendarWord(date.calendar)) {
        Put(" cal=\"");
        Put(calendar);
        Put("\"");
    }
    if (modifier) {
        Put(" mod=\"");
        Put(modifier);
        Put("\"");
    }
    if (date.year < 0)
        Put(" era=\"before\"");
    Put(">");
    Put(FormatSimpleDate(date, false));
    Put("</");
    Put(name);
    Put(">");
}

void WexmorWriter::WriteDate(const GedcomDate& date)
{
    if (date.kind == DateKind::None)
        return;
    Put("<date>");
    switch (date.kind) {
    case DateKind::Text:
        TextElement("text", date.text);
        break;
    case DateKind::Exact:
        WriteSimpleDate("exact", date.first, nullptr);
        break;
    case DateKind::About:
        WriteSimpleDate("exact", date.first, "about");
        break;
    case DateKind::Estimated:
        WriteSimpleDate("exact", date.first, "estimated");
        break;
    case DateKind::Before:
        WriteSimpleDate("exact", date.first, "before");
        break;
    case DateKind::After:
        WriteSimpleDate("exact", date.first, "after");
        break;
    case DateKind::From:
        WriteSimpleDate("from", date.first, nullptr);
        break;
    case DateKind::To:
        WriteSimpleDate("to", date.first, nullptr);
        break;
    case DateKind::FromTo:
        WriteSimpleDate("from", date.first, nullptr);
        WriteSimpleDate("to", date.second, nullptr);
        break;
    case DateKind::Between:
        WriteSimpleDate("begin", date.first, nullptr);
        WriteSimpleDate("end", date.second, nullptr);
        break;
    default:
        break;
    }
    Put("</date>");
}

void WexmorWriter::WriteChange(const SimpleDate& change)
{
    // The reader takes a change date as plain text.
    if (change.year != 0)
        Element("change", FormatSimpleDate(change, true));
}

void WexmorWriter::WritePlace(std::string_view place)
{
    if (place.empty())
        return;
    Put("<place>");
    std::string_view rest = place.substr(0, kPlaceLimit);
    for (;;) {
        size_t comma = rest.find(',');
        std::string_view part = rest.substr(0, comma);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        if (!part.empty())
            TextElement("pnp", part);
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    Put("</place>");
}

void WexmorWriter::WriteAddress(const Address& address)
{
    if (address.lines.empty() && address.phone.empty() && address.fax.empty())
        return;
    Put("<address>");
    for (const Text& line : address.lines) {
        TextElement("ap", line);
        Put("<lf/>");
    }
    TextElementIfAny("phone", address.phone);
    TextElementIfAny("fax", address.fax);
    Put("</address>");
}

std::string_view WexmorWriter::NoteText(const Note& note) const
{
    if (note.pointer.empty())
        return note.text;
    int record = store_.noteXrefs.Find(note.pointer);
    return record ? std::string_view(store_.notes[record - 1].text) : std::string_view();
}

void WexmorWriter::WriteNotes(const std::vector<Note>& notes, std::string_view leading)
{
    std::string text(leading);
    for (const Note& note : notes)
        text = Join(text, NoteText(note));
    TextElementIfAny("note", text);
}

void WexmorWriter::WriteExcerptRefs(const std::vector<int>& citations)
{
    for (int citation : citations)
        Element("excerptref", IdRef('X', citation));
}

void WexmorWriter::WriteUnknownName()
{
    Put("<personalname><np tp=\"unkw\">Unknown</np></personalname>");
}

void WexmorWriter::WritePersonalName(const Name& name)
{
    auto part = [&](const char* type, std::string_view text) {
        if (text.empty())
            return;
        Put("<np tp=\"");
        Put(type);
        Put("\">");
        AppendGedcomText(buffer_, text);
        Put("</np>");
    };
    Put("<personalname>");
    if (options_.structuredNames) {
        const NameParts& parts = *name.parts;
        part("pref", parts.prefix);
        part("givn", parts.given);
        part("nick", parts.nickname);
        part("art", parts.surnamePrefix);
        part("surn", parts.surname);
        part("sufx", parts.suffix);
    } else {
        std::string_view value = std::string_view(name.value).substr(0, kNameLimit);
        size_t first = value.find('/');
        part(options_.givenNameFirst ? "givn" : "unkw", value.substr(0, first));
        if (first != std::string_view::npos) {
            std::string_view rest = value.substr(first + 1);
            size_t second = rest.find('/');
            part("surn", rest.substr(0, second));
            if (second != std::string_view::npos)
                part("unkw", rest.substr(second + 1));
        }
    }
    Put("</personalname>");
}

void WexmorWriter::PutBase64(std::string_view bytes)
{
    // Line by line into the output: a large file is never held twice over as text.
    for (size_t i = 0; i < bytes.size(); i += kBase64LineBytes) {
        if (i)
            buffer_ += "\r\n";
        AppendBase64Line(buffer_, bytes.substr(i, kBase64LineBytes));
        if (buffer_.size() >= kFlushSize)
            Flush();
    }
}

void WexmorWriter::WriteMediaFile(std::string_view pathView, int line, bool copy)
{
    if (pathView.empty())
        return;
    const std::string path(pathView);
    MediaFiles& media = host_.Media();
    auto [entry, first] = mediaSeen_.try_emplace(path);
    MediaEntry& seen = entry->second;
    if (first) {
        // The file is looked at, logged and read once, however many links name it.
        MediaStatus status = media.Inspect(path);
        std::string shown = "FILE " + path;
        if (status.kind == MediaStatus::NotRegular) {
            LogLine(host_, options_, LogMediaNotRegular, line, shown);
            seen.leftOut = true;
            return;
        }
        if (status.kind == MediaStatus::Regular && status.size > kMediaEmbedLimit) {
            LogLine(host_, options_, LogMediaTooLarge, line, shown);
        } else if (status.kind == MediaStatus::Regular) {
            if (copy)
                seen.copy = media.CopyToCurrentFolder(path);
            if (seen.copy)
                Element("externalfile", EscapeXml(*seen.copy));
            TextElement("originalfile", path);
            if (auto bytes = media.Read(path)) {
                Put("<bin>");
                PutBase64(*bytes);
                Put("</bin>");
            }
            return;
        }
    }
    if (seen.leftOut)
        return;
    // Embedded before, too large or missing: linked by its name.
    if (seen.copy)
        Element("externalfile", EscapeXml(*seen.copy));
    TextElement("originalfile", path);
}

void WexmorWriter::WriteMediaRecord(const MediaObject& object)
{
    Put("<object>");
    WriteMediaFile(object.file, object.fileLine, options_.copyObjectFiles == 1);
    TextElement("title", object.title);
    WriteNotes(object.notes);
    Put("</object>");
}

void WexmorWriter::WriteMediaLinks(const std::vector<MediaLink>& links)
{
    for (const MediaLink& link : links) {
        if (!link.pointer.empty()) {
            // A link to a record the file lacks has nothing to show: the reader would refuse an empty object.
            if (int record = store_.objectXrefs.Find(link.pointer))
                WriteMediaRecord(store_.objects[record - 1]);
            continue;
        }
        Put("<object>");
        if (options_.copyObjectFiles == 0)
            WriteMediaFile(link.file, link.fileLine, false);
        else
            TextElementIfAny("externalfile", link.file);
        TextElement("title", link.title);
        WriteNotes(link.notes);
        Put("</object>");
    }
}

} // namespace pendrax
