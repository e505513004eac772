// The import of a Wexmor 2.0 file into the open database. The driver opens the file with the Wexmor
// library, holds one read-write transaction around the whole import and reads the sections in their
// order (header, repositories, sources, excerpts, event types, persons, assertions, objectives, tasks),
// one element per step, so that a dialog can step it between messages and a test can run it to its end
// at once. The section importers write each element through the record classes, giving every record a
// new id and carrying the file's ids over through six id maps. The transaction is committed only when
// the file was read to its end; an error or a cancel discards everything the import wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "core/date_value.h"
#include "core/schema.h"
#include "exchange/import_data.h"
#include "records/task_row.h"
#include "wexmor/wexmor.h"

class AddressRecord;
class Database;
class EngineTransaction;

// A map from the ids of a file to new record ids, in memory: a file's ids are any positive 32-bit
// numbers, so a map indexed by them directly would grow with the largest id, not with the records.
class ImportIdMap {
public:
    // Ids below 1 are never stored.
    void Set(std::int64_t fileId, std::int32_t recordId);
    // The record id of a file id, 0 when it was never set.
    std::int32_t Get(std::int64_t fileId) const;
    std::size_t Size() const { return map_.size(); }

private:
    std::unordered_map<std::int32_t, std::int32_t> map_;
};

// The section importers: each takes one element the driver read and writes it inside the driver's
// transaction. A refusal of the engine is remembered (WriteFailed), and the driver then stops.
class WexmorImportContext {
public:
    WexmorImportContext(Database& database, ImportWizardData& block);

    // Brings the owner's name, address and phone into the database's header, filling only the owner
    // fields that are empty: an existing database keeps the owner it has.
    void ImportHeader(WZHeader* header);
    void ImportRepository(WZRepository* repository);
    void ImportSource(WZSource* source);
    void ImportExcerpt(WZExcerpt* excerpt);
    void ImportEventType(WZEventtype* eventtype);
    void ImportObjective(WZObjective* objective);
    void ImportTask(WZTask* task);
    void ImportPerson(WZPerson* person);
    void ImportAssertion(WZAssertion* assertion);

    void ImportExcerptRefs(WZExcerptref* first, std::int32_t ownerId, std::uint8_t ownerType);
    void ImportObjects(WZObject* first, std::int32_t ownerId, std::uint8_t ownerType);
    void ImportAddress(AddressRecord& address, WZAddress* source);
    // A new NAME row owned by `ownerId`; its id (0 when the engine refused).
    std::int32_t ImportName(std::int32_t ownerId, WZName* name);
    // A new PLACE2 row for an attribute or an event; its id, 0 for no place.
    std::int32_t ImportPlace(std::int32_t attributeId, std::int32_t eventId, WZPlace* place);

    bool WriteFailed() const { return writeFailed_; }
    // The engine's code of the first refused write, 0 when none.
    std::int32_t EngineError() const { return engineError_; }

    ImportIdMap repositoryMap;
    ImportIdMap sourceMap;
    ImportIdMap excerptMap;
    ImportIdMap personMap;
    ImportIdMap eventTypeMap;
    ImportIdMap objectiveMap;

private:
    void ImportNameAssertion(WZAssertion* assertion, WZAlias* alias);
    void ImportRelationship(WZAssertion* assertion, WZRelationship* relationship);
    void ImportAttribute(WZAssertion* assertion, WZAttribute* attribute);
    void ImportInfo(WZAssertion* assertion, WZInfo* info);
    void ImportEvent(WZAssertion* assertion, WZEvent* event);
    void WriteRelationship(WZAssertion* assertion, int relation, WZPersonref* child, WZPersonref* parent);
    // Writes a new ASSERTIONLINK row.
    void WriteLink(std::uint8_t kind, std::int32_t assertionId, WZPersonref* person, std::int32_t order,
                   std::int32_t roleId);
    std::int32_t StoreNote(const char* text, std::int32_t ownerId, std::uint8_t ownerType);
    std::int32_t NewRowId(int table);
    void Check(std::int32_t engineAnswer);
    void Fail();
    std::int32_t AttributeType(const char* name, int valueKind, int classCode);
    std::int32_t Role(const char* name);
    std::string MediaPath(const char* name) const;

    Database& database_;
    ImportWizardData& block_;
    bool writeFailed_ = false;
    std::int32_t engineError_ = 0;
    // Attribute types and roles looked up or made once per import, by what identifies them.
    std::map<std::string, std::int32_t> attributeTypes_;
    std::map<std::string, std::int32_t> roles_;
};

// The converters of Wexmor values into the database's values.
// A Wexmor date into a range: a text date keeps its text (type 0); otherwise exact, begin/end, from/to.
// No date leaves the range as it was.
void ImportDate(DateRange& range, WZDate* date);
// One simple date: "[-]YYYY[/YY][-MM[-DD[Thh[:mm]]]]", read within its text. A year before 1 is written
// with a sign or with the era "before" (either makes it negative, never both); out-of-range months, days
// and calendars become 0, an out-of-range time no time.
void ImportSimpleDate(DateValue& value, WZSimpledate* date);
// The database's quality grade of a file's quality number.
std::uint8_t ExcerptGradeOfQuality(int quality);
// A research date of the form YYYY-MM-DD, read within the text; fields it lacks or that are out of range
// stay 0.
ResearchDate ParseResearchDate(const char* text);

// The sections of a file in their order.
enum class WexmorSection {
    Repositories,
    Sources,
    Excerpts,
    EventTypes,
    Persons,
    Assertions,
    Objectives,
    Tasks,
    End,
};

// Error number written when the file goes on after its last task (an element out of its section's order,
// or the file cut off before its end).
inline constexpr int WexmorImportNotAtEnd = 121;
// Error number written when the database refused a write.
inline constexpr int WexmorImportDatabaseRefused = 122;

class WexmorImportDriver {
public:
    enum class Opening {
        Opened,
        NotOpened,    // the file cannot be opened or is no Wexmor file ("WEXMOR_IMPORT_OPENERROR")
        HeaderFailed, // the header cannot be read, or no transaction could be started ("WEXMOR_IMPORT_ERROR")
    };
    enum class Status {
        Running,
        Finished, // read to its end: Close commits
        Failed,   // an error or a cancel: Close discards
    };

    WexmorImportDriver(Database& database, ImportWizardData& block);
    WexmorImportDriver(const WexmorImportDriver&) = delete;
    WexmorImportDriver& operator=(const WexmorImportDriver&) = delete;
    // Closes what is still open; an import that did not finish is discarded.
    ~WexmorImportDriver();

    // Opens the file, starts the transaction and imports the header. On failure the failed flag is set
    // and nothing is left open.
    Opening Open();
    // Reads and imports one element, or moves to the next section; the status after it.
    Status Step();
    // Steps until the import is no longer running.
    Status Run();
    // The user confirmed the cancel: the import fails and nothing of it will be kept.
    void Cancel();
    Status CurrentStatus() const { return status_; }
    WexmorSection Section() const { return section_; }
    // Whole percentage of the file read.
    int Progress() const;
    // Ends the transaction (commit only when finished) and releases the file; true when the import's
    // records are stored.
    bool Close();

    WexmorImportContext& Context() { return context_; }

private:
    void EndSection(bool counted, int count);
    void FailWith(int error, bool writeCount);
    bool AtEndOfFile();

    Database& database_;
    ImportWizardData& block_;
    WexmorImportContext context_;
    WexmorFile* file_ = nullptr;
    std::unique_ptr<EngineTransaction> transaction_;
    DatabaseHeader savedHeader_ = {};
    bool endsProperly_ = false;
    Status status_ = Status::Failed;
    WexmorSection section_ = WexmorSection::Repositories;
    int count_ = 0;
    bool closed_ = true;
};

// The whole import without a window: opens, steps to the end and closes. Sets the block's failed flag;
// true when the import's records are stored.
bool ImportWexmorFile(Database& database, ImportWizardData& block);

// Writes the error entry of a failed element into the log: the text of IMPORT_ERROR<number>, then the
// reader's context of the element.
void WriteImportError(ImportWizardData& block, WexmorFile* file, int error);
// Writes a text into the block's log when it has one.
void WriteImportLog(ImportWizardData& block, std::string_view text);
