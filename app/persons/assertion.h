// Assertions: what a source says about one or more persons. Each kind (event, attribute, relationship,
// information note, name) is a record class over one table; all of them answer the record interface
// `Assertion`, through which sentences, reports, exporters and the person record treat them alike (the
// assertion editor works on them through `AssertionEditor`, persons/ui/assertion_editor.h).
//
// Saves and deletes run inside the caller's read-write transaction and answer whether every write
// succeeded; on false the caller ends its outermost transaction with discard, so nothing half-written
// is kept (RunWriteTransaction does this). After a discarded save the objects may still hold ids issued
// inside it; read the assertion again before saving it anew.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/assertion_link.h"
#include "core/schema.h"
#include "core/record_list.h"
#include "records/excerpt_ref.h"

class Database;
class ExcerptRef;
class NameRecord;
class NoteText;

// The table of each kind; its number is also the owner kind of the kind's excerpt references and notes.
TableNumber AssertionKindTable(int kind);

// The privacy level of every assertion row: the index of the privacy choice.
enum PrivacyLevel : std::int8_t {
    PrivacyPublic = 0,
    PrivacyFamily = 1,
    PrivacyImmediateFamily = 2,
    PrivacyPrivate = 3,
    PrivacyInfo = 4,
};

inline constexpr std::size_t SentenceTemplateLength = 63; // characters of a template, terminator apart
inline constexpr std::size_t FieldTextSize = 65536;       // the buffer one field of a sentence is built in

class Assertion {
public:
    explicit Assertion(Database& database) : database_(&database) {}
    Assertion(const Assertion&) = delete;
    Assertion& operator=(const Assertion&) = delete;
    virtual ~Assertion() = default;

    // The record interface, in slot order.
    // Reads the row of `id` in a transaction of its own; on failure the id becomes 0 and the row is
    // cleared. Linked records are not loaded. The engine's answer (0 success).
    virtual std::int32_t Read(std::int32_t id) = 0;
    // A new id on the kind's table, stored and returned (0 when the engine refuses).
    virtual std::int32_t NewId() = 0;
    // Writes the row under the id; the engine's answer.
    virtual std::int32_t Write() = 0;
    // Writes the assertion with its participants, citations and owned objects; true when every write
    // succeeded. Inside the caller's read-write transaction.
    virtual bool Save() = 0;
    virtual void ReadAndLoad(std::int32_t id)
    {
        Read(id);
        LoadLinked();
    }
    virtual void LoadLinked() = 0;
    // The template for a participant of that side (0 principal, 1 witness); never null.
    virtual const char* GetSentenceTemplate(int witness) = 0;
    // Exactly 0 or 1: whether the field of `letter` has a value for this participant.
    virtual int HasField(char letter, const AssertionLink& link) = 0;
    // Writes the field's text (at most size - 1 characters and the terminator); nothing for an unknown
    // letter.
    virtual void GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link,
                              const NameRecord& name, bool showIds) = 0;

    // Deletes the stored assertion with everything it owns, its citations and its links (the cited
    // excerpts stay). Inside the caller's read-write transaction; true when every delete succeeded.
    virtual bool Delete() = 0;
    virtual AssertionKind Kind() const = 0;

    // The sentence told for the participant of `link`, whose name and sex (1 male, 2 female, else none)
    // the caller gives; at most capacity - 1 characters. Its dates are written in `datePicture`: a window
    // passes the screen picture, a report the print picture. Returns `output`.
    char* FormatSentence(char* output, std::size_t capacity, const AssertionLink& link, const NameRecord& name, int sex,
                         bool showIds, const char* datePicture);

    Database& OwnerDatabase() const { return *database_; }
    std::int32_t Id() const { return id_; }

protected:
    // Reads a row of `table` into `row` (`size` bytes) in a transaction of its own; the id becomes `id` on
    // success, else 0 with the row cleared. The engine's answer.
    std::int32_t ReadRow(TableNumber table, std::int32_t id, void* row, std::size_t size);
    // A new id on `table`, kept as the object's id (0 when the engine refused).
    std::int32_t NewRowId(TableNumber table);
    std::int32_t WriteRow(TableNumber table, const void* row);
    // The picture the date fields are written in: that of the sentence being told, else the screen's.
    const char* SentenceDatePicture() const;

    Database* database_;
    std::int32_t id_ = 0;

private:
    struct SentenceContext;
    void ExpandSentenceTemplate(bool group, const SentenceContext& context);
    void SkipHiddenGroup();
    void AppendToSentence(const char* text);
    void AppendCharacter(char c);

    // The expansion state: one sentence at a time per object.
    char template_[SentenceTemplateLength + 1] = {};
    char* output_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t length_ = 0;
    std::size_t position_ = 0;
    const char* datePicture_ = nullptr;
};
