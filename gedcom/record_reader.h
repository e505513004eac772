// RecordReader: reads the GEDCOM records line by line through GedcomReader into the record stores.
// Every reader starts on its first line and returns on the first line of its own level or less, which it
// leaves for the caller; false means a line could not be read or parsed, which ends the whole reading.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gedcom/gedcom_reader.h"
#include "gedcom/gedcom_records.h"

namespace pendrax {

// Programs whose files have peculiarities honoured when user-defined tags are read.
enum class Peculiarity { None = 0, Legacy = 1, FamilyOrigins = 2, BrothersKeeper = 3, FamilyHistorian = 4 };

class RecordReader {
public:
    RecordReader(GedcomReader& reader, RecordStore& store, MediaFiles& media);

    // The record loop: true when the reading ended at TRLR.
    bool Run();

private:
    bool Honours(Peculiarity peculiarity) const;
    bool SendProgress();
    void SelectCharSet();

    bool ReadHeader();
    bool ReadSubmitter();
    bool ReadRepository();
    bool ReadSource();
    bool ReadNoteRecord();
    bool ReadObject();
    bool ReadPerson();
    bool ReadFamily();

    bool ReadEvent(std::vector<Event>& events, int eventClass);
    bool ReadResidenceAddress(std::vector<Event>& events);
    bool ReadAttribute(std::vector<Attribute>& attributes);
    bool ReadName(std::vector<Name>& names);
    bool ReadTask(const std::string& personXref);
    bool ReadAddress(Address& address);
    bool ReadNote(std::vector<Note>& notes, bool citationsAllowed);
    bool ReadCitation(std::vector<int>& owner);
    bool ReadMediaLink(std::vector<MediaLink>& links);
    bool ReadBlob(std::string& data);
    bool ReadChange(SimpleDate& change);
    bool ReadDate(GedcomDate& date);
    bool ReadSingleDate(SimpleDate& date);
    bool ReadText(std::string& text, std::string_view lineBreak);
    bool ReadText(Text& text, std::string_view lineBreak);
    bool ReadEventExtra(Text& extras);
    bool ReadPersonNumber(Person& person);

    int EventTypeNumber(Tag tag, std::string_view typeText, int eventClass);
    // Once the file is read: the persons of every family link, the relations of the children, the couples.
    void LinkFamilies();
    void LinkFamily(Family& family);
    // What the families will need of the person's FAMC lines once the person is spilled.
    void KeepChildRelations(const Person& person);
    int CoupleEventType();
    bool LinkPerson(FamilyLink& link, Tag tag);
    bool ReadParentFamily(Person& person);
    bool ReadFamilyLink(FamilyLink& link);
    void StoreBlob(MediaObject& object);

    GedcomReader& reader_;
    RecordStore& store_;
    MediaFiles& media_;
    const ConvertOptions& options_;
    Peculiarity peculiarity_ = Peculiarity::None;
    std::unordered_map<std::string, int> eventTypeIndex_;
};

// The percentage of the input read, 0 to 100, for any file size.
int ProgressPercent(uint64_t position, uint64_t size);

// The bytes of inline media data in the GEDCOM 5.5 encoding.
std::string DecodeBlob(std::string_view text);

} // namespace pendrax
