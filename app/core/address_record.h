// A postal address with phone and fax: one row of ADDRESS, referred to by its id from the record that
// owns it.
#pragma once

#include <cstdint>

class Database;

#pragma pack(push, 1)
struct AddressRow {
    char line1[64];
    char line2[64];
    char city[64];
    char country[64];
    char phone[32];
    char fax[32];
};
#pragma pack(pop)
static_assert(sizeof(AddressRow) == 320, "an ADDRESS row is 320 bytes");

class AddressRecord {
public:
    explicit AddressRecord(Database& database) : database_(&database) {}
    AddressRecord(std::int32_t id, Database& database) : database_(&database) { Read(id); }

    // Reads the row; on success keeps and answers the id, otherwise clears the object and answers 0.
    std::int32_t Read(std::int32_t id);
    // Stores the address: an address with every field empty is deleted (when stored) and gets id 0;
    // any other is written, under a new id when it has none. Inside the caller's transaction. False when
    // the engine refused a call: the id is then left as it was, and the caller discards the transaction.
    bool Save();
    // Deletes the row; a row that is gone already is no failure.
    static bool DeleteById(std::int32_t id, Database& database);

    bool IsEmpty() const;
    std::int32_t Id() const { return id_; }
    Database& OwnerDatabase() const { return *database_; }

    AddressRow row = {};

private:
    Database* database_;
    std::int32_t id_ = 0;
};
