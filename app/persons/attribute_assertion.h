// An attribute: a lasting property of a person that a source states (an occupation, a height, a yes/no
// fact), with a type whose attribute kind says what the value is (a text, a number with a modifier, or a
// flag), a date, a place, an address, a privacy level, a note, its own sentence template and citations.
// One row of ATTRIBUTE2.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/date_value.h"
#include "persons/typed_assertion.h"

class FormattingText;
class NoteText;

// The modifier of a numeric value.
enum AttributeModifier : std::int8_t {
    AttributeExact = 0,
    AttributeGreater = 1,
    AttributeLess = 2,
};

#pragma pack(push, 1)
struct AttributeRow {
    std::int32_t typeId;       // EVENTTYPE of kind attribute
    std::int8_t privacy;       // PrivacyLevel
    std::int32_t valueTextId;  // first NOTE row of the value text
    std::int32_t noteId;       // first NOTE row of the note
    std::int32_t placeId;      // PLACE2
    std::int32_t addressId;    // ADDRESS
    std::int32_t formattingId; // FORMATTING override of the template
    unsigned char date[DateRangeFieldSize];
    std::int32_t value;   // the number (numeric), 1 yes / 0 no (flag), 0 (text)
    std::int8_t modifier; // AttributeModifier of a number, 0 otherwise
};
#pragma pack(pop)
static_assert(sizeof(AttributeRow) == 71, "an ATTRIBUTE2 row is 71 bytes");

class AttributeAssertion : public TypedAssertion {
public:
    explicit AttributeAssertion(Database& database);
    AttributeAssertion(std::int32_t id, Database& database);
    ~AttributeAssertion() override;

    bool Save() override;
    void LoadLinked() override;
    const char* GetSentenceTemplate(int witness) override;
    int HasField(char letter, const AssertionLink& link) override;
    void GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link, const NameRecord& name,
                      bool showIds) override;
    bool Delete() override;
    AssertionKind Kind() const override { return AssertionAttribute; }

    void Clear() { row = {}; }
    // Makes the value-text object when absent and loads its chain.
    void LoadValueText();
    // The value as the data page, exporters and reports show it. Returns `buffer`.
    char* GetValueText(char* buffer, std::size_t size);
    // The attribute kind of the row's type (loaded first); text when the type cannot be read.
    int AttributeKind();
    // Reads a row of the old table ATTRIBUTE into today's layout, without writing it. The engine's answer.
    std::int32_t ReadOldRecord(std::int32_t id);

    DateRange Date() const { return LoadDateRange(row.date); }
    void SetDate(const DateRange& date) { StoreDateRange(date, row.date); }

    NoteText* ValueText() { return valueText_.get(); }
    FormattingText* Formatting() { return formatting_.get(); }

    AttributeRow row = {};

protected:
    SharedColumns Columns() const override;
    void SetOwnedRowIds(std::int32_t noteId, std::int32_t placeId, std::int32_t addressId) override;

private:
    std::unique_ptr<NoteText> valueText_;
    std::unique_ptr<FormattingText> formatting_;
};
