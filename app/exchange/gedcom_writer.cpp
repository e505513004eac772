#include "exchange/gedcom_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/address_record.h"
#include "core/assertion_link.h"
#include "core/database.h"
#include "core/event_type.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "core/record_query.h"
#include "exchange/export_data.h"
#include "exchange/import_data.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"
#include "persons/name_assertion.h"
#include "persons/person_record.h"
#include "persons/relationship.h"
#include "platform/file.h"
#include "platform/local_time.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"
#include "records/media_record.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "settings/settings.h"

namespace {

// A fixed-size text field of a row, up to its first NUL and never past the field, cut at `limit`.
std::string_view FieldText(const char* field, std::size_t size, std::size_t limit = 0xFFFF)
{
    const void* end = std::memchr(field, 0, size);
    const std::size_t length = end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : size;
    return std::string_view(field, std::min(length, limit));
}

template <std::size_t N>
std::string_view FieldText(const char (&field)[N], std::size_t limit = 0xFFFF)
{
    return FieldText(field, N, limit);
}

// The GEDCOM certainty of an excerpt's quality grade; -1 for an unknown grade.
int Certainty(std::uint8_t quality)
{
    switch (quality) {
    case ExcerptQualityVeryGood:
        return 3;
    case ExcerptQualityGood:
        return 2;
    case ExcerptQualityQuestionable:
        return 1;
    case ExcerptQualityPoor:
        return 0;
    default:
        return -1;
    }
}

// The letter of SEX for a person's sex.
const char* GedcomSexLetter(std::uint8_t sex)
{
    return sex == SexMale ? "M" : sex == SexFemale ? "F" : "U";
}

// Reads `id` into a typed assertion and loads its type; false when the assertion or its type is missing.
template <class Assertion>
bool ReadWithType(Assertion& assertion, std::int32_t id)
{
    if (assertion.Read(id) != 0 || assertion.Id() == 0)
        return false;
    assertion.LoadType();
    return assertion.Type() != nullptr;
}

// The stored file name of a media object cut down to a name that can only lie in the output's folder:
// its last path component, without characters Windows refuses in a name, never "." or "..".
std::string SafeMediaFileName(std::string_view stored)
{
    std::string name(ExportFileNameOf(stored));
    name.erase(std::remove_if(name.begin(), name.end(),
                              [](char c) {
                                  const auto byte = static_cast<unsigned char>(c);
                                  return byte < 0x20 || std::strchr("<>:\"/\\|?*", c) != nullptr;
                              }),
               name.end());
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    while (!name.empty() && name.front() == ' ')
        name.erase(name.begin());
    return name;
}

} // namespace

// ---- The GEDCOM 5.5 writer --------------------------------------------------------------------------------

GedcomWriter::GedcomWriter(Database& database, const ExportWizardData& options, ExportSink& sink)
    : database_(database), options_(options), lines_(sink, options.gedcomCharacterSet)
{
}

GedcomWriter::~GedcomWriter() = default;

const char* GedcomWriter::HijriPicture() const
{
    return ScreenDatePicture();
}

std::int32_t GedcomWriter::HighestId(TableNumber table) const
{
    return std::max(tlvNumberOfRecords(database_.TableId(table), database_.file), 0);
}

GedcomRecordCounts GedcomWriter::Counts()
{
    GedcomRecordCounts counts;
    counts.persons = HighestId(TablePerson);
    counts.media = options_.gedcomAttachments == GedcomAttachmentsInternal ? HighestId(TableMedia) : 0;
    counts.repositories = HighestId(TableRepository);
    counts.sources = HighestId(TableSource);
    return counts;
}

void GedcomWriter::WriteHeaderDate()
{
    const platform::LocalTime now = platform::CurrentLocalTime();
    DateValue today = EmptyDateValue();
    today.day = static_cast<std::uint8_t>(now.day);
    today.month = static_cast<std::uint8_t>(now.month);
    today.SetYear(now.year);
    char text[32] = "";
    lines_.WriteLine(1, GedcomDate, AppendGedcomDate(today, text, sizeof text));
}

void GedcomWriter::WriteCharacterSet()
{
    lines_.WriteLine(1, GedcomChar, lines_.Ansel() ? "ANSEL" : "ANSI");
}

void GedcomWriter::WriteLineageLinkedHeader(const char* version)
{
    lines_.WriteLine(0, GedcomHead);
    lines_.WriteLine(1, GedcomSour, GedcomProductName);
    lines_.WriteLine(2, GedcomVers, GedcomProductVersion);
    WriteHeaderDate();
    if (database_.header.ownerName[0] != '\0')
        lines_.WritePointerLine(1, GedcomSubm, "U", 1);
    lines_.WriteLine(1, GedcomGedc);
    lines_.WriteLine(2, GedcomVers, version);
    lines_.WriteLine(2, GedcomForm, "LINEAGE-LINKED");
    WriteCharacterSet();
}

void GedcomWriter::WriteHeader()
{
    WriteLineageLinkedHeader("5.5");
}

void GedcomWriter::WriteSubmitter()
{
    // "U" rather than "S": the sources are "S" records, and source 1 would collide with the submitter.
    const DatabaseHeader& header = database_.header;
    if (header.ownerName[0] == '\0')
        return;
    constexpr std::size_t Limit = 127;
    lines_.WriteRecordHead(GedcomSubm, "U", 1);
    lines_.WriteLine(1, GedcomName, FieldText(header.ownerName, Limit));
    // The owner's address is written only under its first line.
    const std::string_view line1 = FieldText(header.ownerAddress1, Limit);
    if (!line1.empty()) {
        lines_.WriteLine(1, GedcomAddr, line1);
        WriteOptionalLine(2, GedcomCont, FieldText(header.ownerAddress2, Limit));
        WriteOptionalLine(2, GedcomCont, FieldText(header.ownerCity, Limit));
    }
    WriteOptionalLine(1, GedcomPhon, FieldText(header.ownerPhone, Limit));
}

void GedcomWriter::WriteTrailer()
{
    lines_.WriteLevelTag(0, GedcomTrlr);
    lines_.WriteLineEnd();
}

void GedcomWriter::WriteNameLine(int level, const NameRecord& name)
{
    char text[128] = "";
    name.FormatEditText(text, sizeof text);
    lines_.WriteLine(level, GedcomName, text);
}

void GedcomWriter::WriteNoteById(int level, int tag, std::int32_t noteId)
{
    if (noteId == 0)
        return;
    NoteText note(noteId, database_);
    if (note.Text() != nullptr)
        lines_.WriteNoteText(level, tag, note.Text());
}

void GedcomWriter::WritePlaceLine(int level, std::int32_t placeId)
{
    if (placeId == 0)
        return;
    PlaceRecord place(database_);
    if (place.Read(placeId) != 0)
        return;
    char text[256] = "";
    place.Format(text, sizeof text);
    lines_.WriteLine(level, GedcomPlac, text);
}

void GedcomWriter::WriteFixedLine(int level, int tag, std::string_view value)
{
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%i %s ", level, GedcomTag(tag));
    std::string line = prefix;
    if (lines_.Ansel())
        AppendAnsel(line, value);
    else
        line.append(value);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    line += "\r\n";
    lines_.Sink().Write(line);
}

bool GedcomWriter::ReadAddress(std::int32_t addressId, AddressRecord& address)
{
    return addressId != 0 && address.Read(addressId) != 0;
}

void GedcomWriter::WriteAddressLines(int level, const AddressRow& row)
{
    const std::string_view line1 = FieldText(row.line1), line2 = FieldText(row.line2);
    const std::string_view city = FieldText(row.city), country = FieldText(row.country);
    if (line1.empty() && line2.empty() && city.empty() && country.empty())
        return;
    lines_.WriteLine(level, GedcomAddr, line1);
    lines_.WriteLine(level + 1, GedcomCont, line2);
    lines_.WriteLine(level + 1, GedcomCont, city);
    WriteOptionalLine(level + 1, GedcomCont, country);
}

void GedcomWriter::WriteOptionalLine(int level, int tag, std::string_view value)
{
    if (!value.empty())
        lines_.WriteLine(level, tag, value);
}

void GedcomWriter::WriteAddress(int level, std::int32_t addressId)
{
    AddressRecord address(database_);
    if (!ReadAddress(addressId, address))
        return;
    WriteAddressLines(level, address.row);
    WriteOptionalLine(level, GedcomPhon, FieldText(address.row.phone));
}

void GedcomWriter::WriteCitation(int level, RecordList<ExcerptRef>& references)
{
    if (options_.includeSources == 0)
        return;
    for (std::size_t i = 0; i < references.Count(); ++i) {
        ExcerptRecord excerpt(database_);
        if (excerpt.Read(references[i].row.excerptId) != 0 || excerpt.row.sourceId == 0 ||
            !SourceExists(excerpt.row.sourceId))
            continue;
        lines_.WritePointerLine(level, GedcomSour, "S", excerpt.row.sourceId);
        WriteOptionalLine(level + 1, GedcomPage, FieldText(excerpt.row.page));
        if (excerpt.row.textId != 0) {
            NoteText text(excerpt.row.textId, database_);
            if (text.Text() != nullptr && text.Text()[0] != '\0') {
                lines_.WriteLine(level + 1, GedcomData);
                lines_.WriteNoteText(level + 2, GedcomText, text.Text());
            }
        }
        const int certainty = Certainty(excerpt.row.quality);
        if (certainty >= 0)
            lines_.WriteLine(level + 1, GedcomQuay, std::to_string(certainty));
        WriteNoteById(level + 1, GedcomNote, excerpt.row.noteId);
    }
}

std::string GedcomWriter::WriteExternalMedia(MediaRecord& media)
{
    // A link without data (a URL, a file kept elsewhere) is named as stored: nothing is written for it.
    if (!media.HasData() || media.DataSize() == 0)
        return media.FileName();
    const std::string name = SafeMediaFileName(media.FileName());
    if (name.empty() || name == "." || name == "..")
        return std::string();
    const std::string folder(ImportFolderOf(options_.outputPath));
    const std::string path = folder + name;
    if (platform::FileExists(path))
        return name;
    platform::FileOpenOptions open;
    open.access = platform::FileAccess::ReadWrite;
    open.disposition = platform::FileDisposition::CreateAlways;
    platform::File file = platform::File::Open(path, open);
    // A media file that cannot be written does not stop the export: the GEDCOM file still names it.
    if (file.IsOpen() && !file.WriteAt(0, media.Data(), media.DataSize())) {
        file.Close();
        platform::RemoveFile(path);
    }
    return name;
}

void GedcomWriter::WriteObjectLink(int level, RecordList<MediaRecord>& media)
{
    if (options_.includeObjects == 0)
        return;
    for (std::size_t i = 0; i < media.Count(); ++i) {
        MediaRecord& object = media[i];
        if (LinksInternalMedia()) {
            lines_.WritePointerLine(level, GedcomObje, "O", object.Id());
            continue;
        }
        const std::string name = WriteExternalMedia(object);
        if (name.empty())
            continue;
        lines_.WriteLine(level, GedcomObje);
        WriteObjectFileLines(level + 1, object, name);
        WriteNoteById(level + 1, GedcomNote, object.NoteId());
    }
}

bool GedcomWriter::LinksInternalMedia() const
{
    return options_.gedcomAttachments == GedcomAttachmentsInternal;
}

void GedcomWriter::WriteObjectFileLines(int level, MediaRecord& object, const std::string& name)
{
    lines_.WriteLine(level, GedcomForm, object.GetFileExtension());
    WriteOptionalLine(level, GedcomTitl, object.Description());
    lines_.WriteLine(level, GedcomFile, name);
}

void GedcomWriter::WriteNameAssertion(std::int32_t id)
{
    NameAssertion assertion(database_);
    assertion.ReadAndLoad(id);
    if (assertion.Id() == 0 || assertion.Name() == nullptr)
        return;
    WriteNameLine(1, *assertion.Name());
    assertion.LoadExcerptRefs();
    WriteCitation(2, assertion.ExcerptRefs());
    WriteNoteById(2, GedcomNote, assertion.row.noteId);
}

void GedcomWriter::WriteAssertionDetails(TypedAssertion& assertion, const unsigned char* date, std::int32_t placeId,
                                         std::int32_t addressId, std::int32_t noteId)
{
    lines_.WriteDateLine(2, LoadDateRange(date), HijriPicture());
    WritePlaceLine(2, placeId);
    WriteAddress(2, addressId);
    assertion.LoadExcerptRefs();
    WriteCitation(2, assertion.ExcerptRefs());
    WriteNoteById(2, GedcomNote, noteId);
}

int GedcomWriter::AttributeTag(std::int32_t typeTag) const
{
    return typeTag < 0 || typeTag >= GedcomTagCount || typeTag == GedcomFact ? -1 : typeTag;
}

void GedcomWriter::WriteAttributeAssertion(std::int32_t id)
{
    AttributeAssertion attribute(database_);
    if (!ReadWithType(attribute, id))
        return;
    const EventType& type = *attribute.Type();
    const int tag = AttributeTag(type.row.gedcomTag);
    if (tag < 0)
        return;
    if (type.row.attributeKind == AttributeKindFlag && attribute.row.value == 0)
        return;
    char value[256] = "";
    attribute.GetValueText(value, sizeof value);
    lines_.WriteLine(1, tag, value);
    // A FACT names its type in a TYPE line.
    if (tag == GedcomFact)
        lines_.WriteLine(2, GedcomType, FieldText(type.row.name));
    WriteAssertionDetails(attribute, attribute.row.date, attribute.row.placeId, attribute.row.addressId,
                          attribute.row.noteId);
}

void GedcomWriter::WriteEventTag(int level, const EventType& type)
{
    // A type without a tag is written as a generic event named by its type rather than dropped.
    const std::int32_t typeTag = type.row.gedcomTag;
    if (typeTag == GedcomEven || typeTag < 0 || typeTag >= GedcomTagCount) {
        char typeName[EventTypeNameSize + 1] = "";
        std::snprintf(typeName, sizeof typeName, "%.*s", static_cast<int>(EventTypeNameSize), type.row.name);
        lines_.WriteLine(level, GedcomEven);
        lines_.WriteLine(level + 1, GedcomType, typeName);
    } else {
        lines_.WriteLine(level, typeTag);
    }
}

void GedcomWriter::WriteEvent(EventAssertion& event)
{
    WriteEventTag(1, *event.Type());
    WriteAssertionDetails(event, event.row.date, event.row.placeId, event.row.addressId, event.row.noteId);
}

std::uint8_t GedcomWriter::SexOf(std::int32_t personId)
{
    const auto found = sexes_.find(personId);
    if (found != sexes_.end())
        return found->second;
    PersonRecord person(database_);
    person.Read(personId);
    const std::uint8_t sex = person.Id() != 0 ? person.row.sex : static_cast<std::uint8_t>(SexUnknown);
    sexes_.emplace(personId, sex);
    return sex;
}

void GedcomWriter::WritePersonEvents(std::int32_t personId, std::int32_t eventId)
{
    EventAssertion event(database_);
    if (!ReadWithType(event, eventId))
        return;
    if (event.Type()->row.principals == 2) {
        // The couple: the principals of the event (witnesses take no part in the family), by their sex.
        event.LoadLinks();
        std::int32_t husband = 0, wife = 0;
        for (std::size_t i = 0; i < event.Links().Count(); ++i) {
            const AssertionLink& link = event.Links()[i];
            if (link.row.kind != AssertionEvent || link.row.roleId != 0)
                continue;
            // Each takes the side of their sex; a second partner of the same sex, or one of unknown sex,
            // takes the side still free, so that neither partner of such a couple is lost.
            const std::int32_t partner = link.row.personId;
            const std::uint8_t sex = SexOf(partner);
            std::int32_t& own = sex == SexFemale ? wife : husband;
            std::int32_t& other = sex == SexFemale ? husband : wife;
            if (own == 0)
                own = partner;
            else if (other == 0)
                other = partner;
        }
        GedcomFamily& family = GetFamily(husband, wife);
        if (!family.HasEvent(eventId))
            family.AddEvent(eventId);
        if (personId == family.husband && personId != 0 && !family.husbandLinked) {
            lines_.WritePointerLine(1, GedcomFams, "F", family.number);
            family.husbandLinked = true;
        } else if (personId == family.wife && personId != 0 && !family.wifeLinked) {
            lines_.WritePointerLine(1, GedcomFams, "F", family.number);
            family.wifeLinked = true;
        }
        return;
    }
    WriteEvent(event);
}

void GedcomWriter::WriteInfoAssertion(std::int32_t id)
{
    InfoAssertion info(database_);
    if (info.Read(id) != 0 || info.Id() == 0)
        return;
    NoteText text(info.row.textId, database_);
    lines_.WriteNoteText(1, GedcomNote, text.Text() != nullptr ? text.Text() : "");
    info.LoadExcerptRefs();
    WriteCitation(2, info.ExcerptRefs());
    WriteNoteById(1, GedcomNote, info.row.noteId);
}

std::pair<std::int32_t, std::int32_t> GedcomWriter::ParentsOf(std::int32_t childId, int kind)
{
    const std::int64_t key = static_cast<std::int64_t>(childId) * 8 + kind;
    const auto found = parents_.find(key);
    if (found != parents_.end())
        return found->second;
    PersonRecord child(database_);
    child.Read(childId);
    std::pair<std::int32_t, std::int32_t> parents {0, 0};
    if (child.Id() != 0) {
        child.LoadLinks(nullptr);
        parents = {child.FindFather(kind, 0), child.FindMother(kind, 0)};
    }
    parents_.emplace(key, parents);
    return parents;
}

void GedcomWriter::WriteFamilyLinks(std::int32_t personId, std::int32_t relationshipId)
{
    Relationship relationship(database_);
    relationship.ReadAndLoad(relationshipId);
    if (relationship.Id() == 0)
        return;
    auto& links = relationship.Links();
    std::int32_t childId = 0, parentId = 0;
    for (std::size_t i = 0; i < links.Count() && i < 2; ++i) {
        if (links[i].row.roleId == RelationshipChildRole && childId == 0)
            childId = links[i].row.personId;
        else if (links[i].row.roleId == RelationshipParentRole)
            parentId = links[i].row.personId;
    }
    if (childId == 0)
        return;
    // The family of this relationship: its parent with the child's first parent of the other sex through a
    // relationship of the same kind. A child of several families (natural and adoptive parents, or two
    // mothers) so gets a FAMC link to each, and no parent is lost.
    auto [father, mother] = ParentsOf(childId, relationship.row.relation);
    if (parentId != 0) {
        if (SexOf(parentId) == SexFemale)
            mother = parentId;
        else
            father = parentId;
    }
    if (father == 0 && mother == 0)
        return;
    GedcomFamily& family = GetFamily(father, mother);
    if (personId == childId) {
        if (family.HasChild(childId))
            return;
        family.AddChild(childId);
        lines_.WritePointerLine(1, GedcomFamc, "F", family.number);
        WriteNoteById(2, GedcomNote, relationship.row.noteId);
    } else if ((personId == father && !family.husbandLinked) || (personId == mother && !family.wifeLinked)) {
        lines_.WritePointerLine(1, GedcomFams, "F", family.number);
        WriteNoteById(2, GedcomNote, relationship.row.noteId);
        (personId == father ? family.husbandLinked : family.wifeLinked) = true;
    }
}

bool GedcomWriter::StartIndividual(PersonRecord& person, std::int32_t id)
{
    person.Read(id);
    if (person.Id() == 0)
        return false;
    lines_.WriteRecordHead(GedcomIndi, "I", id);
    NameRecord name(database_);
    if (person.row.nameId != 0)
        name.Read(person.row.nameId);
    WriteNameLine(1, name);
    return true;
}

void GedcomWriter::WriteIndividuals(std::int32_t id)
{
    PersonRecord person(database_);
    if (!StartIndividual(person, id))
        return;
    lines_.WriteLine(1, GedcomSex, GedcomSexLetter(person.row.sex));
    person.LoadLinks(nullptr);
    auto& links = person.Links();
    for (std::size_t i = 0; i < links.Count(); ++i) {
        const AssertionLinkRow& link = links[i].row;
        switch (link.kind) {
        case AssertionName:
            WriteNameAssertion(link.assertionId);
            break;
        case AssertionAttribute:
            WriteAttributeAssertion(link.assertionId);
            break;
        case AssertionEvent:
            if (link.roleId == 0)
                WritePersonEvents(id, link.assertionId);
            break;
        case AssertionInfo:
            WriteInfoAssertion(link.assertionId);
            break;
        case AssertionRelationship:
            WriteFamilyLinks(id, link.assertionId);
            break;
        default:
            break;
        }
    }
    if (options_.includeSources != 0) {
        person.LoadExcerptRefs();
        WriteCitation(1, person.ExcerptRefs());
    }
    if (options_.includeObjects != 0) {
        person.LoadMedia();
        WriteObjectLink(1, person.Media());
    }
    WriteNoteById(1, GedcomNote, person.row.noteId);
}

GedcomFamily* GedcomWriter::StartFamily(std::uint32_t number)
{
    GedcomFamily* family = families_.Family(number);
    if (family != nullptr)
        lines_.WriteRecordHead(GedcomFam, "F", number);
    return family;
}

void GedcomWriter::WriteFamilyMembers(const GedcomFamily& family)
{
    if (family.husband != 0)
        lines_.WritePointerLine(1, GedcomHusb, "I", family.husband);
    if (family.wife != 0)
        lines_.WritePointerLine(1, GedcomWife, "I", family.wife);
    for (const std::int32_t child : family.children)
        lines_.WritePointerLine(1, GedcomChil, "I", child);
}

void GedcomWriter::WriteFamilies(std::uint32_t number)
{
    GedcomFamily* family = StartFamily(number);
    if (family == nullptr)
        return;
    for (const std::int32_t eventId : family->events) {
        EventAssertion event(database_);
        if (ReadWithType(event, eventId))
            WriteEvent(event);
    }
    WriteFamilyMembers(*family);
    families_.Release(number);
}

void GedcomWriter::WriteObjects(std::int32_t id)
{
    if (options_.includeObjects == 0 || options_.gedcomAttachments != GedcomAttachmentsInternal)
        return;
    MediaRecord media(database_);
    media.Load(id);
    if (media.Id() == 0)
        return;
    lines_.WriteRecordHead(GedcomObje, "O", id);
    lines_.WriteLine(1, GedcomForm, media.GetFileExtension());
    WriteOptionalLine(1, GedcomTitl, media.Description());
    WriteNoteById(1, GedcomNote, media.NoteId());
    lines_.WriteLine(1, GedcomBlob);
    if (media.HasData())
        lines_.WriteBlobData(2, media.Data(), media.DataSize());
}

namespace {

// Whether record `id` can be read, asked of the database once per id.
template <class Record>
bool RecordExists(Database& database, std::unordered_map<std::int32_t, bool>& known, std::int32_t id)
{
    const auto found = known.find(id);
    if (found != known.end())
        return found->second;
    Record record(database);
    const bool exists = (record.Read(id), record.Id() != 0);
    known.emplace(id, exists);
    return exists;
}

} // namespace

bool GedcomWriter::RepositoryExists(std::int32_t id)
{
    return RecordExists<RepositoryRecord>(database_, repositories_, id);
}

bool GedcomWriter::SourceExists(std::int32_t id)
{
    return RecordExists<SourceRecord>(database_, sources_, id);
}

void GedcomWriter::WriteRepositories(std::int32_t id)
{
    if (options_.includeRepositories == 0)
        return;
    RepositoryRecord repository(database_);
    repository.Read(id);
    if (repository.Id() == 0)
        return;
    lines_.WriteRecordHead(GedcomRepo, "R", id);
    lines_.WriteLine(1, GedcomName, FieldText(repository.row.name, 191));
    WriteRepositoryAddress(1, repository.row.addressId, FieldText(repository.row.email), FieldText(repository.row.url));
    WriteNoteById(1, GedcomNote, repository.row.noteId);
}

void GedcomWriter::WriteRepositoryAddress(int level, std::int32_t addressId, std::string_view, std::string_view)
{
    WriteAddress(level, addressId);
}

void GedcomWriter::WriteSources(std::int32_t id)
{
    if (options_.includeSources == 0)
        return;
    SourceRecord source(database_);
    source.ReadAndLoad(id);
    if (source.Id() == 0)
        return;
    constexpr std::size_t Limit = 127;
    lines_.WriteRecordHead(GedcomSour, "S", id);
    WriteFixedLine(1, GedcomAuth, FieldText(source.row.author, Limit));
    WriteFixedLine(1, GedcomTitl, FieldText(source.row.title, Limit));
    WriteFixedLine(1, GedcomAbbr, FieldText(source.row.shortTitle, Limit));
    WriteFixedLine(1, GedcomPubl, FieldText(source.row.published, Limit));
    if (source.Text() != nullptr && source.Text()->Text() != nullptr && source.Text()->Text()[0] != '\0')
        lines_.WriteNoteText(1, GedcomText, source.Text()->Text());
    auto& references = source.RepositoryRefs();
    if (options_.includeRepositories != 0 && references.Count() > 0 &&
        RepositoryExists(references[0].row.repositoryId)) {
        RepositoryRef& reference = references[0];
        lines_.WritePointerLine(1, GedcomRepo, "R", reference.row.repositoryId);
        WriteNoteById(2, GedcomNote, reference.row.noteId);
        WriteOptionalLine(2, GedcomCaln, FieldText(reference.row.callNumber));
    }
    WriteNoteById(1, GedcomNote, source.row.noteId);
}

// ---- GEDCOM 5.5.1 -----------------------------------------------------------------------------------------

void Gedcom551Writer::WriteHeader()
{
    WriteLineageLinkedHeader("5.5.1");
}

void Gedcom551Writer::WriteAddress(int level, std::int32_t addressId)
{
    WriteRepositoryAddress(level, addressId, {}, {});
}

void Gedcom551Writer::WriteRepositoryAddress(int level, std::int32_t addressId, std::string_view email,
                                             std::string_view url)
{
    AddressRecord address(database_);
    const bool read = ReadAddress(addressId, address);
    if (read)
        WriteAddressLines(level, address.row);
    WriteOptionalLine(level, GedcomPhon, read ? FieldText(address.row.phone) : std::string_view());
    WriteOptionalLine(level, GedcomEmail, email);
    WriteOptionalLine(level, GedcomFax, read ? FieldText(address.row.fax) : std::string_view());
    WriteOptionalLine(level, GedcomWww, url);
}

int Gedcom551Writer::AttributeTag(std::int32_t typeTag) const
{
    return typeTag == GedcomFact ? GedcomFact : GedcomWriter::AttributeTag(typeTag);
}

bool Gedcom551Writer::LinksInternalMedia() const
{
    return false;
}

void Gedcom551Writer::WriteObjectFileLines(int level, MediaRecord& object, const std::string& name)
{
    // The form belongs to the file here.
    lines_.WriteLine(level, GedcomFile, name);
    lines_.WriteLine(level + 1, GedcomForm, object.GetFileExtension());
    WriteOptionalLine(level, GedcomTitl, object.Description());
}

// ---- GEDCOM 4 ----------------------------------------------------------------------------------------------

GedcomRecordCounts Gedcom4Writer::Counts()
{
    GedcomRecordCounts counts;
    counts.persons = HighestId(TablePerson);
    return counts;
}

void Gedcom4Writer::WriteHeader()
{
    lines_.WriteLine(0, GedcomHead);
    lines_.WriteLine(1, GedcomSour, std::string(GedcomProductName) + " " + GedcomProductVersion);
    lines_.WriteLine(1, GedcomDest, "PAF");
    WriteHeaderDate();
    WriteCharacterSet();
}

void Gedcom4Writer::WriteIndividuals(std::int32_t id)
{
    PersonRecord person(database_);
    if (!StartIndividual(person, id))
        return;
    std::vector<AssertionLinkRow> links;
    if (const auto ids = FindRecordIds({TableAssertionLink, AssertionLinkPersonColumn, id}, database_)) {
        for (const std::int32_t linkId : *ids) {
            AssertionLink link(database_);
            if (link.Read(linkId) == 0)
                links.push_back(link.row);
        }
    }
    auto typeOf = [this](const AssertionLinkRow& link, EventTypeRow& row) {
        std::int32_t typeId = 0;
        if (link.kind == AssertionEvent) {
            EventAssertion event(database_);
            if (event.Read(link.assertionId) == 0)
                typeId = event.row.typeId;
        } else if (link.kind == AssertionAttribute) {
            AttributeAssertion attribute(database_);
            if (attribute.Read(link.assertionId) == 0)
                typeId = attribute.row.typeId;
        }
        EventType type(database_);
        if (typeId == 0 || type.Read(typeId) != 0)
            return false;
        row = type.row;
        return true;
    };
    for (const AssertionLinkRow& link : links) {
        EventTypeRow type {};
        if (link.kind == AssertionAttribute && typeOf(link, type) && type.gedcomTag == GedcomTitl) {
            AttributeAssertion attribute(database_);
            if (attribute.Read(link.assertionId) == 0)
                WriteNoteById(1, GedcomTitl, attribute.row.valueTextId);
            break;
        }
    }
    lines_.WriteLine(1, GedcomSex, GedcomSexLetter(person.row.sex));
    for (const int tag : {GedcomBirt, GedcomChr, GedcomDeat, GedcomBuri}) {
        for (const AssertionLinkRow& link : links) {
            EventTypeRow type {};
            if (link.kind == AssertionEvent && typeOf(link, type) && type.gedcomTag == tag) {
                WritePersonEvents(id, link.assertionId);
                break;
            }
        }
    }
    for (const AssertionLinkRow& link : links) {
        EventTypeRow type {};
        if (link.kind == AssertionRelationship)
            WriteFamilyLinks(id, link.assertionId);
        else if (link.kind == AssertionEvent && typeOf(link, type) && type.principals == 2)
            WritePersonEvents(id, link.assertionId);
    }
    for (const AssertionLinkRow& link : links) {
        if (link.kind != AssertionInfo)
            continue;
        InfoAssertion info(database_);
        if (info.Read(link.assertionId) != 0 || info.Id() == 0)
            continue;
        WriteNoteById(1, GedcomNote, info.row.textId);
    }
}

void Gedcom4Writer::WriteFamilies(std::uint32_t number)
{
    GedcomFamily* family = StartFamily(number);
    if (family == nullptr)
        return;
    WriteFamilyMembers(*family);
    bool married = false, divorced = false;
    for (const std::int32_t eventId : family->events) {
        EventAssertion event(database_);
        if (!ReadWithType(event, eventId))
            continue;
        const int tag = event.Type()->row.gedcomTag;
        if (tag == GedcomMarr && !married) {
            married = true;
            lines_.WriteLine(1, GedcomMarr);
            lines_.WriteDateLine(2, event.Date(), HijriPicture());
            WritePlaceLine(2, event.row.placeId);
        }
        divorced = divorced || tag == GedcomDiv;
    }
    if (divorced)
        lines_.WriteLine(1, GedcomDiv, "Y");
    families_.Release(number);
}

std::unique_ptr<GedcomWriter> MakeGedcomWriter(std::uint32_t format, Database& database,
                                               const ExportWizardData& options, ExportSink& sink)
{
    switch (format) {
    case ExportFormatGedcom55:
        return std::make_unique<GedcomWriter>(database, options, sink);
    case ExportFormatGedcom551:
        return std::make_unique<Gedcom551Writer>(database, options, sink);
    case ExportFormatGedcom4:
        return std::make_unique<Gedcom4Writer>(database, options, sink);
    default:
        return nullptr;
    }
}

// ---- The run -----------------------------------------------------------------------------------------------

GedcomExport::GedcomExport(Database& database, ExportWizardData& options) : database_(database), options_(options)
{
    if (options_.format == ExportFormatGedcom551)
        options_.gedcomAttachments = GedcomAttachmentsExternal;
}

GedcomExport::~GedcomExport()
{
    if (transaction_)
        Cancel();
}

bool GedcomExport::Start()
{
    writer_ = MakeGedcomWriter(options_.format, database_, options_, sink_);
    if (writer_ == nullptr || !sink_.Create(options_.outputPath))
        return false;
    transaction_ = std::make_unique<EngineTransaction>(database_.file, TLV_READWRITE);
    counts_ = writer_->Counts();
    total_ = std::int64_t {counts_.repositories} + 2 * std::int64_t {counts_.persons} + counts_.sources +
             counts_.media;
    writer_->Families().Clear();
    writer_->WriteHeader();
    writer_->WriteSubmitter();
    phase_ = Phase::Persons;
    index_ = 0;
    return true;
}

std::int64_t GedcomExport::PhaseCount() const
{
    switch (phase_) {
    case Phase::Persons:
        return counts_.persons;
    case Phase::Families:
        return familyCount_;
    case Phase::Media:
        return counts_.media;
    case Phase::Repositories:
        return counts_.repositories;
    case Phase::Sources:
        return counts_.sources;
    case Phase::Done:
        break;
    }
    return 0;
}

void GedcomExport::WriteRecord()
{
    const auto id = static_cast<std::int32_t>(index_);
    switch (phase_) {
    case Phase::Persons:
        writer_->WriteIndividuals(id);
        break;
    case Phase::Families:
        writer_->WriteFamilies(static_cast<std::uint32_t>(id));
        // The total counts as many family steps as persons.
        if (index_ > counts_.persons)
            return;
        break;
    case Phase::Media:
        writer_->WriteObjects(id);
        break;
    case Phase::Repositories:
        writer_->WriteRepositories(id);
        break;
    case Phase::Sources:
        writer_->WriteSources(id);
        break;
    case Phase::Done:
        return;
    }
    ++done_;
}

bool GedcomExport::Step()
{
    while (phase_ != Phase::Done) {
        ++index_;
        if (index_ <= PhaseCount()) {
            WriteRecord();
            return true;
        }
        if (phase_ == Phase::Persons)
            familyCount_ = writer_->Families().Count();
        if (phase_ == Phase::Families)
            done_ = 2 * std::int64_t {counts_.persons};
        phase_ = static_cast<Phase>(static_cast<int>(phase_) + 1);
        index_ = 0;
    }
    return false;
}

int GedcomExport::Progress() const
{
    if (total_ <= 0)
        return 100;
    return static_cast<int>(std::min<std::int64_t>(100, done_ * 100 / total_));
}

bool GedcomExport::Finish()
{
    if (writer_ == nullptr || !transaction_)
        return false;
    writer_->WriteTrailer();
    transaction_.reset();
    return sink_.Finish();
}

void GedcomExport::Cancel()
{
    transaction_.reset();
    sink_.Abandon();
}

bool ExportGedcomFile(Database& database, ExportWizardData& options, const std::function<bool(int)>& progress)
{
    GedcomExport run(database, options);
    if (!run.Start())
        return false;
    while (run.Step()) {
        if (progress && !progress(run.Progress())) {
            run.Cancel();
            return false;
        }
    }
    return run.Finish();
}
