// An information note: free-form information about a person that a source gives, with a text of any
// length, a privacy level, a note and citations. Text and note are both note chains. One row of INFO.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "persons/cited_assertion.h"

class NoteText;

#pragma pack(push, 1)
struct InfoRow {
    std::int8_t privacy; // PrivacyLevel
    std::int32_t textId; // first NOTE row of the information text
    std::int32_t noteId; // first NOTE row of the note
};
#pragma pack(pop)
static_assert(sizeof(InfoRow) == 9, "an INFO row is 9 bytes");

class InfoAssertion : public CitedAssertion {
public:
    explicit InfoAssertion(Database& database);
    InfoAssertion(std::int32_t id, Database& database);
    ~InfoAssertion() override;

    bool Save() override;
    void LoadLinked() override;
    const char* GetSentenceTemplate(int witness) override;
    int HasField(char letter, const AssertionLink& link) override;
    void GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link, const NameRecord& name,
                      bool showIds) override;
    bool Delete() override;
    AssertionKind Kind() const override { return AssertionInfo; }

    void Clear() { row = {}; }

    NoteText* Text() { return text_.get(); }

    InfoRow row = {};

private:
    std::unique_ptr<NoteText> text_;
};
