// The GEDCOM writers: GEDCOM 5.5 (lineage-linked), and GEDCOM 5.5.1 and GEDCOM 4, which differ from it in
// a few records. A writer turns one record of the open database at a time into GEDCOM lines; the run
// (GedcomExport) creates the file, holds the transaction, steps through persons, families, media objects,
// repositories and sources one record per call, and removes the file when the writing failed or was
// cancelled. The progress dialog only calls the run's steps, so the whole export also runs without windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/engine_transaction.h"
#include "core/record_list.h"
#include "core/schema.h"
#include "exchange/export_data.h"
#include "exchange/export_sink.h"
#include "exchange/gedcom_family_map.h"
#include "exchange/gedcom_lines.h"

class AddressRecord;
class Database;
class EventAssertion;
class EventType;
class ExcerptRef;
struct AddressRow;
class MediaRecord;
class NameRecord;
class PersonRecord;
class TypedAssertion;

inline constexpr const char* GedcomProductName = "Vestrada";
inline constexpr const char* GedcomProductVersion = "1.4.3";

// How many records of each kind the run visits: the highest id issued in each table, so that deleted ids
// are visited and skipped.
struct GedcomRecordCounts {
    std::int32_t persons = 0;
    std::int32_t media = 0;
    std::int32_t repositories = 0;
    std::int32_t sources = 0;
};

class GedcomWriter {
public:
    GedcomWriter(Database& database, const ExportWizardData& options, ExportSink& sink);
    GedcomWriter(const GedcomWriter&) = delete;
    GedcomWriter& operator=(const GedcomWriter&) = delete;
    virtual ~GedcomWriter();

    // What the format writes of each record; the GEDCOM 5.5.1 and 4 writers replace some of them.
    virtual void WriteAddress(int level, std::int32_t addressId);
    virtual void WriteObjectLink(int level, RecordList<MediaRecord>& media);
    virtual void WriteCitation(int level, RecordList<ExcerptRef>& references);
    virtual void WriteHeader();
    virtual void WriteNameAssertion(std::int32_t id);
    void WriteAttributeAssertion(std::int32_t id);
    // One event of the person: a couple event becomes a FAMS link and goes into the family's record.
    virtual void WritePersonEvents(std::int32_t personId, std::int32_t eventId);
    virtual void WriteInfoAssertion(std::int32_t id);
    virtual void WriteFamilyLinks(std::int32_t personId, std::int32_t relationshipId);
    virtual void WriteIndividuals(std::int32_t id);
    virtual void WriteFamilies(std::uint32_t number);
    void WriteRepositories(std::int32_t id);
    virtual void WriteSources(std::int32_t id);
    virtual void WriteObjects(std::int32_t id);
    // The visits of each step; GEDCOM 4 visits persons only.
    virtual GedcomRecordCounts Counts();

    // The submitter record, when the database has an owner.
    void WriteSubmitter();
    void WriteTrailer();
    void WriteNameLine(int level, const NameRecord& name);
    GedcomFamily& GetFamily(std::int32_t father, std::int32_t mother) { return families_.GetFamily(father, mother); }
    FamilyMap& Families() { return families_; }
    void WriteNoteById(int level, int tag, std::int32_t noteId);
    void WritePlaceLine(int level, std::int32_t placeId);
    GedcomLineWriter& Lines() { return lines_; }

protected:
    // "1 DATE" with today's date.
    void WriteHeaderDate();
    // The whole HEAD of a lineage-linked GEDCOM file of `version`.
    void WriteLineageLinkedHeader(const char* version);
    void WriteCharacterSet();
    // The highest id issued in the table, 0 for none.
    std::int32_t HighestId(TableNumber table) const;
    // The tag an attribute of a type with `typeTag` is written under; -1 when it is not written. GEDCOM 5.5
    // has no FACT.
    virtual int AttributeTag(std::int32_t typeTag) const;
    // The address of a repository record: 5.5 writes its address alone, 5.5.1 its e-mail and web address too.
    virtual void WriteRepositoryAddress(int level, std::int32_t addressId, std::string_view email,
                                        std::string_view url);
    // Whether a media link points at the file's OBJE record; otherwise it names the media file written
    // beside the output (GEDCOM 5.5.1 always does).
    virtual bool LinksInternalMedia() const;
    // The lines under the OBJE link of a media file written beside the output as `name`.
    virtual void WriteObjectFileLines(int level, MediaRecord& object, const std::string& name);
    // The address of `addressId` read into `address`; false when there is none.
    bool ReadAddress(std::int32_t addressId, AddressRecord& address);
    // ADDR and its CONT lines (line 2 and city always, the country when there is one), unless all are empty.
    void WriteAddressLines(int level, const AddressRow& row);
    // "L tag value" when the value is not empty.
    void WriteOptionalLine(int level, int tag, std::string_view value);
    // "L tag value" with the blank kept when the value is empty (the source's four fixed lines).
    void WriteFixedLine(int level, int tag, std::string_view value);
    // The lines under an event or attribute at level 2: DATE, PLAC, ADDR, citations and NOTE.
    void WriteAssertionDetails(TypedAssertion& assertion, const unsigned char* date, std::int32_t placeId,
                               std::int32_t addressId, std::int32_t noteId);
    // "1 <tag>" of an event type, or "1 EVEN" with "2 TYPE" for the generic tag and for types without one.
    void WriteEventTag(int level, const EventType& type);
    // An event read with its type: its tag line and the lines under it.
    void WriteEvent(EventAssertion& event);
    // Reads the person of `id`; when there is one, writes the head of its INDI record and its NAME line.
    bool StartIndividual(PersonRecord& person, std::int32_t id);
    // Family `number` with the head of its FAM record written; null when it is not (or no longer) there.
    GedcomFamily* StartFamily(std::uint32_t number);
    // The HUSB, WIFE and CHIL lines of a family.
    void WriteFamilyMembers(const GedcomFamily& family);
    // Writes the media object's bytes into a file beside the output, unless one of that name is there; the
    // name written into the GEDCOM file, which is the stored name cut down to a plain file name ("" when
    // nothing safe is left of it).
    std::string WriteExternalMedia(MediaRecord& media);
    // Whether a record of the table reads (a pointer to it would dangle otherwise).
    bool SourceExists(std::int32_t id);
    bool RepositoryExists(std::int32_t id);
    std::uint8_t SexOf(std::int32_t personId);
    // The child's first father and first mother through relationships of `kind`.
    std::pair<std::int32_t, std::int32_t> ParentsOf(std::int32_t childId, int kind);
    const char* HijriPicture() const;

    Database& database_;
    const ExportWizardData& options_;
    GedcomLineWriter lines_;
    FamilyMap families_;

private:
    std::unordered_map<std::int32_t, bool> sources_;
    std::unordered_map<std::int32_t, bool> repositories_;
    std::unordered_map<std::int32_t, std::uint8_t> sexes_;
    std::unordered_map<std::int64_t, std::pair<std::int32_t, std::int32_t>> parents_; // by child and kind
};

class Gedcom551Writer : public GedcomWriter {
public:
    using GedcomWriter::GedcomWriter;
    void WriteAddress(int level, std::int32_t addressId) override;
    void WriteHeader() override;

protected:
    bool LinksInternalMedia() const override;
    void WriteObjectFileLines(int level, MediaRecord& object, const std::string& name) override;
    int AttributeTag(std::int32_t typeTag) const override;
    void WriteRepositoryAddress(int level, std::int32_t addressId, std::string_view email,
                                std::string_view url) override;
};

class Gedcom4Writer : public GedcomWriter {
public:
    using GedcomWriter::GedcomWriter;
    void WriteObjectLink(int, RecordList<MediaRecord>&) override {}
    // GEDCOM 4 files carry no source records, so no citation may point at one.
    void WriteCitation(int, RecordList<ExcerptRef>&) override {}
    void WriteHeader() override;
    void WriteIndividuals(std::int32_t id) override;
    void WriteFamilies(std::uint32_t number) override;
    void WriteObjects(std::int32_t) override {}
    GedcomRecordCounts Counts() override;
};

// The writer of a GEDCOM format (4, 5 or 6), null for any other.
std::unique_ptr<GedcomWriter> MakeGedcomWriter(std::uint32_t format, Database& database,
                                               const ExportWizardData& options, ExportSink& sink);

// One GEDCOM export: the file, the read-write transaction and the steps.
class GedcomExport {
public:
    // GEDCOM 5.5.1 always attaches media externally: the block's attachments become external here.
    GedcomExport(Database& database, ExportWizardData& options);
    ~GedcomExport();

    // Creates the output file, starts the transaction, counts, writes HEAD and SUBM. False when the file
    // cannot be created or the format is no GEDCOM format (nothing is left behind).
    bool Start();
    // Writes the next record (or moves to the next kind of record); false once every record is written.
    bool Step();
    // The progress bar's value, 0 to 100.
    int Progress() const;
    // Writes TRLR, commits and closes; true when every byte reached the file, otherwise the file is gone.
    bool Finish();
    // Commits, closes and removes the file.
    void Cancel();

    const GedcomRecordCounts& Counts() const { return counts_; }

private:
    // In the order the records are written.
    enum class Phase { Persons, Families, Media, Repositories, Sources, Done };

    // The visits of the present phase, and the write of the record `index_` in it.
    std::int64_t PhaseCount() const;
    void WriteRecord();

    Database& database_;
    ExportWizardData& options_;
    FileExportSink sink_;
    std::unique_ptr<GedcomWriter> writer_;
    std::unique_ptr<EngineTransaction> transaction_;
    GedcomRecordCounts counts_;
    Phase phase_ = Phase::Persons;
    std::int64_t index_ = 0;
    std::uint32_t familyCount_ = 0;
    std::int64_t total_ = 0;
    std::int64_t done_ = 0;
};

// The whole export of the block's GEDCOM format without a window. `progress` (when given) hears the
// progress value after every record and stops the export (as Cancel does) by answering false. True when
// the file was written.
bool ExportGedcomFile(Database& database, ExportWizardData& options, const std::function<bool(int)>& progress = {});
