// A relationship: the assertion that one person is a parent of another (biological, adoptive, foster or
// other), with a privacy level, a note and citations. Its participants are links of kind 3: the parent
// with role 1, the child with role 0. One row of RELATIONSHIP.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "persons/cited_assertion.h"

enum RelationKind : std::int8_t {
    RelationBiological = 0,
    RelationAdoptive = 1,
    RelationFoster = 2,
    RelationOther = 3,
};

inline constexpr std::int32_t RelationshipParentRole = 1;
inline constexpr std::int32_t RelationshipChildRole = 0;

#pragma pack(push, 1)
struct RelationshipRow {
    std::int8_t relation; // RelationKind
    std::int8_t privacy;  // PrivacyLevel
    std::int32_t noteId;  // first NOTE row
};
#pragma pack(pop)
static_assert(sizeof(RelationshipRow) == 6, "a RELATIONSHIP row is 6 bytes");

class Relationship : public CitedAssertion {
public:
    explicit Relationship(Database& database);
    Relationship(std::int32_t id, Database& database);
    ~Relationship() override;

    bool Save() override;
    // Loads the participants afresh, the citations when none are held, and the note.
    void LoadLinked() override;
    // The parent's side (1) or the child's side (0) of the Report settings.
    const char* GetSentenceTemplate(int witness) override;
    int HasField(char letter, const AssertionLink& link) override;
    void GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link, const NameRecord& name,
                      bool showIds) override;
    bool Delete() override;
    AssertionKind Kind() const override { return AssertionRelationship; }

    RelationshipRow row = {};
};
