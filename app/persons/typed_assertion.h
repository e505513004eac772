// What the two assertion kinds typed by an EVENTTYPE row share: events and attributes each have a type, a
// date, a place, an address, a note and citations, told alike in their sentences. Each kind keeps its own
// row, template overrides and fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "persons/cited_assertion.h"

class AddressRecord;
class EventType;
class FormattingText;
class PlaceRecord;

class TypedAssertion : public CitedAssertion {
public:
    ~TypedAssertion() override;

    // Reads the type of the row's type id unless the loaded one is already that type.
    void LoadType();

    AddressRecord* Address() { return address_.get(); }
    PlaceRecord* Place() { return place_.get(); }
    EventType* Type() { return type_.get(); }

protected:
    TypedAssertion(Database& database, AssertionKind kind, void* row, std::size_t rowSize);

    // The columns of the kind's row that the shared code reads (the rows are packed, so they are handed
    // over as values), and the setter of the owned rows' ids a save keeps.
    struct SharedColumns {
        std::int32_t typeId;
        std::int32_t noteId;
        std::int32_t placeId;
        std::int32_t addressId;
        const unsigned char* date;
    };
    virtual SharedColumns Columns() const = 0;
    virtual void SetOwnedRowIds(std::int32_t noteId, std::int32_t placeId, std::int32_t addressId) = 0;

    // Fresh place and address objects, read from the row's ids (inside the caller's transaction).
    void LoadPlaceAndAddress();
    // A fresh template override, read from `id` unless that is 0 (inside the caller's transaction).
    std::unique_ptr<FormattingText> LoadFormatting(std::int32_t id);
    // Saves the place (its owner columns becoming `attributeId` and `eventId`), the address and the note,
    // and keeps their ids in the row.
    bool SavePlaceAddressAndNote(std::int32_t attributeId, std::int32_t eventId);
    // Deletes the place, the note chain and then the address; rows that are gone already are no failure.
    bool DeletePlaceNoteAndAddress();

    // The fields both kinds tell alike: HasSharedField knows a, d, f, n, o and p, WriteSharedField also c,
    // g and h. Other letters answer 0 and write nothing.
    int HasSharedField(char letter);
    void WriteSharedField(char* buffer, std::size_t size, char letter, const AssertionLink& link,
                          const NameRecord& name);

    std::unique_ptr<AddressRecord> address_;
    std::unique_ptr<PlaceRecord> place_;
    std::unique_ptr<EventType> type_;
};
