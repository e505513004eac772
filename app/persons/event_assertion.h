// An event: something that happened to one or more persons (a birth, a marriage, a census), with a type,
// a date, a place, an address, a privacy level, a note, citations, optional overrides of its type's
// sentence templates and its participants (links of kind 1; role 0 a principal, otherwise a ROLE id).
// One row of EVENT2.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/date_value.h"
#include "persons/typed_assertion.h"

class FormattingText;

#pragma pack(push, 1)
struct EventRow {
    std::int32_t typeId;                // EVENTTYPE
    std::int8_t privacy;                // PrivacyLevel
    std::int32_t noteId;                // first NOTE row
    std::int32_t placeId;               // PLACE2
    std::int32_t addressId;             // ADDRESS
    std::int32_t principalFormattingId; // FORMATTING override of the principal template
    std::int32_t witnessFormattingId;   // FORMATTING override of the witness template
    unsigned char date[DateRangeFieldSize];
};
#pragma pack(pop)
static_assert(sizeof(EventRow) == 66, "an EVENT2 row is 66 bytes");

class EventAssertion : public TypedAssertion {
public:
    explicit EventAssertion(Database& database);
    EventAssertion(std::int32_t id, Database& database);
    ~EventAssertion() override;

    // Also drops the linked objects of the row read before.
    std::int32_t Read(std::int32_t id) override;
    bool Save() override;
    void LoadLinked() override;
    const char* GetSentenceTemplate(int witness) override;
    int HasField(char letter, const AssertionLink& link) override;
    void GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link, const NameRecord& name,
                      bool showIds) override;
    bool Delete() override;
    AssertionKind Kind() const override { return AssertionEvent; }

    void LoadLinks() { LoadLinksOnce(); }
    // Takes the participant of link `linkId` out of the event; the event goes when it had fewer than two
    // participants. In the caller's transaction; true when every delete succeeded.
    bool RemoveLink(std::int32_t linkId);
    bool IsBirth();
    bool IsDeath();
    // The date in `datePicture` (a report's texts use the print picture) and, when the event has a place
    // and places are included, a blank, the prefix and a blank, and the place's full text.
    char* GetDatePlaceText(char* buffer, std::size_t size, const char* datePicture);
    // Reads a row of the old table EVENT into today's layout, without writing it. The engine's answer.
    std::int32_t ReadOldRecord(std::int32_t id);

    DateRange Date() const { return LoadDateRange(row.date); }
    void SetDate(const DateRange& date) { StoreDateRange(date, row.date); }

    FormattingText* PrincipalFormatting() { return principalFormatting_.get(); }
    FormattingText* WitnessFormatting() { return witnessFormatting_.get(); }

    EventRow row = {};

protected:
    SharedColumns Columns() const override;
    void SetOwnedRowIds(std::int32_t noteId, std::int32_t placeId, std::int32_t addressId) override;

private:
    void DestroyLinkedObjects();
    void WriteOtherPrincipals(char* buffer, std::size_t size, const AssertionLink& link);
    void WriteRoleName(char* buffer, std::size_t size, const AssertionLink& link);

    std::unique_ptr<FormattingText> principalFormatting_;
    std::unique_ptr<FormattingText> witnessFormatting_;
};
