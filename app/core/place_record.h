// A structured place: an ordered list of typed parts (town, parish, county, country ...) from the smallest
// unit to the largest, in one row of PLACE2, with two indexed texts derived from the parts: the sort text
// (the parts in stored order) and the index text (from the largest unit down).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Database;

inline constexpr std::size_t PlacePartsSize = 128;
inline constexpr std::uint8_t PlaceFirstCharacter = 19; // bytes below are type bytes

enum PlacePartType : std::uint8_t {
    PlacePartUnknown = 1,
    PlacePartOther = 2,
    PlacePartContinent = 3,
    PlacePartCountry = 4,
    PlacePartState = 5,
    PlacePartCounty = 6,
    PlacePartTown = 7,
    PlacePartMunicipality = 8,
    PlacePartCitypart = 9,
    PlacePartBuilding = 10,
    PlacePartDiocese = 11,
    PlacePartDeanery = 12,
    PlacePartParish = 13,
    PlacePartFarm = 14,
    PlacePartOcean = 15,
    PlacePartLake = 16,
    PlacePartMountain = 17,
    PlacePartCemetery = 18,
};
inline constexpr int PlacePartTypeCount = 18;
// The language key of a place-part type's name (PLACE_TYPE_...; "" outside 1 to 18).
const char* PlacePartTypeKey(int type);
// The characters of every part of a stored name field (PlacePartsSize bytes) joined by ", ".
std::string FormatPlaceParts(const char* field);

inline constexpr std::int32_t PlaceSortColumn = 5;
inline constexpr std::int32_t PlaceIndexColumn = 6;

#pragma pack(push, 1)
struct PlaceRow {
    std::int32_t attributeId; // the attribute whose place this is, 0 for none
    std::int32_t eventId;     // the event whose place this is, 0 for none
    char prefix[16];
    char parts[PlacePartsSize];
    char sortText[128];  // indexed
    char indexText[128]; // indexed
};
#pragma pack(pop)
static_assert(sizeof(PlaceRow) == 408, "a PLACE2 row is 408 bytes");

class PlaceRecord {
public:
    explicit PlaceRecord(Database& database) : database_(&database) {}
    PlaceRecord(std::int32_t id, Database& database) : database_(&database) { Read(id); }

    // Sets the id and reads the row (inside the caller's transaction); the engine's answer. The id is kept
    // even when the read fails.
    std::int32_t Read(std::int32_t id);
    // Reads a row of the old PLACE table (no index text) for the upgrade of old databases.
    std::int32_t ReadOld(std::int32_t id);
    // Recomputes the sort and index texts and writes the row; a place whose row was deleted meanwhile
    // (or that has no id) gets a new id, so that the edit is never lost. Empties the place cache. The
    // engine's answer (0 success); on failure the id is left as it was.
    std::int32_t Write();
    // Deletes the place when it has neither prefix nor parts (id 0 afterwards); otherwise writes it,
    // under a new id when it has none. False when the engine refused a call: the id is then left as it
    // was, and the caller discards the transaction.
    bool SaveOrDelete();
    // Deletes the row and empties the place cache; a row that is gone already is no failure.
    static bool DeleteById(std::int32_t id, Database& database);

    // Walks in the order of the sort or the index text; each reads the row found, or sets the id 0.
    void ReadFirstBySort();
    void ReadNextBySort() { ReadNextBySortFrom(id_); }
    void ReadNextBySortFrom(std::int32_t id);
    void ReadPreviousBySort() { ReadPreviousBySortFrom(id_); }
    void ReadPreviousBySortFrom(std::int32_t id);
    void ReadFirstByIndex();
    void ReadNextByIndex();

    // All parts joined by ", ".
    char* Format(char* out, std::size_t size) const;
    // The same, keeping only the part types switched on in the Place settings.
    char* FormatFiltered(char* out, std::size_t size) const;
    // Replaces the parts by the comma-separated pieces of a free text, each of type 1.
    void Parse(const char* text);
    int CountParts() const;
    std::uint8_t GetPartType(int n) const;
    // The characters of part n in a buffer shared by all calls; "" past the end.
    const char* GetPartText(int n) const;
    // True when every part has type 1.
    bool IsUntyped() const;
    void ClearParts();
    // Appends a part; characters that would pass for type bytes become blanks. False when it does not fit.
    bool AppendPart(std::uint8_t type, const char* characters);
    // The sort and index texts of the current parts (unchanged when there are none).
    void ComputeSortTexts();

    std::int32_t Id() const { return id_; }
    void SetId(std::int32_t id) { id_ = id; }
    Database& OwnerDatabase() const { return *database_; }

    PlaceRow row = {};

private:
    void ReadFound(std::int32_t found);

    Database* database_;
    std::int32_t id_ = 0;
};
