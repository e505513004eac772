// A structured name: an ordered list of typed parts (given name, surname, prefix, nickname ...) in one
// row of NAME. From the parts it builds the display text (the person list's sort key), the one-line edit
// text "given/surname/rest", and the given names, surname and rest apart.
#pragma once

#include <cstddef>
#include <cstdint>

class Database;

inline constexpr std::size_t NamePartsSize = 128;
inline constexpr std::uint8_t NameFirstCharacter = 17; // bytes below are type bytes

// Name-part types (the language key of each type's name is ADVNAME_TYPE_ and the code in the comment).
enum NamePartType : std::uint8_t {
    NamePartUnknown = 1,     // UNKW
    NamePartOther = 2,       // OTH
    NamePartCognomen = 3,    // COGN
    NamePartSurname = 4,     // SURN
    NamePartPrefix = 5,      // PREF
    NamePartGiven = 6,       // GIVN
    NamePartReligious = 7,   // RELN
    NamePartNickname = 8,    // NICK
    NamePartPatronymic = 9,  // PATR
    NamePartMatronymic = 10, // MATR
    NamePartArticle = 11,    // ART
    NamePartOccupation = 12, // OCCN
    NamePartLocation = 13,   // LOCN
    NamePartMiddle = 14,     // MIDL
    NamePartSuffix = 15,     // SUFX
    NamePartTeknonym = 16,   // TEKN
};
inline constexpr int NamePartTypeCount = 16;
// The code of a name-part type ("" outside 1 to 16).
const char* NamePartCode(int type);

inline constexpr std::int32_t NameDisplayColumn = 3;

#pragma pack(push, 1)
struct NameRow {
    std::int32_t number; // set and read by the owners of names, not here
    char parts[NamePartsSize];
    char display[128]; // indexed
};
#pragma pack(pop)
static_assert(sizeof(NameRow) == 260, "a NAME row is 260 bytes");

class NameRecord {
public:
    explicit NameRecord(Database& database) : database_(&database) {}
    NameRecord(std::int32_t id, Database& database) : database_(&database) { Read(id); }

    // Reads the row in its own transaction; the id becomes 0 when the read fails.
    void Read(std::int32_t id);
    // The first and the next row in display-text order; the id becomes 0 when there is none.
    void ReadFirst();
    void ReadNext(std::int32_t id);
    // Takes a new id and tells the person list to read its names again.
    void Create();
    // Recomputes the display text and writes the row (inside the caller's transaction); tells the person
    // list, and adds the name to its selection when Name/IncludeNew is on. The engine's answer.
    std::int32_t Write();
    // Create when the name has no id, then Write; true when done (the engine's error in the database's
    // LastError otherwise).
    bool Save();
    // Deletes the row and tells the person list; true when the engine deleted it.
    static bool DeleteById(std::int32_t id, Database& database);

    // All parts joined by blanks, then " [#number]" when number is not 0.
    char* Format(char* out, std::size_t size, std::int32_t number = 0) const;
    // The edit text: the parts separated by blanks, the first surname part between slashes.
    char* FormatEditText(char* out, std::size_t size) const;
    // Replaces the parts by those of an edit text: given names (type 1), surname (type 4), rest (type 1).
    void ParseEditText(const char* text);
    char* GetGivenNames(char* out, std::size_t size) const;
    char* GetSurname(char* out, std::size_t size) const;
    char* GetAfterSurname(char* out, std::size_t size) const;
    char* GetDisplayText(char* out, std::size_t size) const;
    // The display text as Write computes it from the parts.
    char* ComputeDisplayText(char* out, std::size_t size) const;

    int CountParts() const;
    // The type of part n (from 0); 0 past the end.
    std::uint8_t GetPartType(int n) const;
    // The characters of part n in a buffer shared by all calls, valid until the next call; "" past the end.
    const char* GetPartText(int n) const;
    // True when the edit text shows the name without loss: only type-1 parts and at most one surname part.
    bool IsSimple() const;

    // Empties the parts.
    void ClearParts();
    // Appends a part; characters that would pass for type bytes become blanks. False when it does not fit.
    bool AppendPart(std::uint8_t type, const char* characters);

    std::int32_t Id() const { return id_; }
    void SetId(std::int32_t id) { id_ = id; }
    Database& OwnerDatabase() const { return *database_; }

    NameRow row = {};

private:
    Database* database_;
    std::int32_t id_ = 0;
};
