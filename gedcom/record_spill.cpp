#include "gedcom/record_spill.h"

#include <cstring>
#include <type_traits>

#include "gedcom/gedcom_records.h"

namespace pendrax {

namespace {

// Written records are handed to the file, and read back from it, in pieces of about this size.
constexpr size_t kChunkSize = 256 * 1024;

// Every part a record is made of, declared ahead: the list and optional-part templates call them.
void Put(std::string& out, const Note& note);
bool Get(std::string_view& in, Note& note);
void Put(std::string& out, const MediaLink& link);
bool Get(std::string_view& in, MediaLink& link);
void Put(std::string& out, const EventDetails& details);
bool Get(std::string_view& in, EventDetails& details);
void Put(std::string& out, const Event& event);
bool Get(std::string_view& in, Event& event);
void Put(std::string& out, const Attribute& attribute);
bool Get(std::string_view& in, Attribute& attribute);
void Put(std::string& out, const NameParts& parts);
bool Get(std::string_view& in, NameParts& parts);
void Put(std::string& out, const Name& name);
bool Get(std::string_view& in, Name& name);
void Put(std::string& out, const PersonExtras& extras);
bool Get(std::string_view& in, PersonExtras& extras);
void Put(std::string& out, const FamilyLink& link);
bool Get(std::string_view& in, FamilyLink& link);

// Numbers in the machine's own order: the bytes never leave the process that wrote them.
template <typename Number> void PutNumber(std::string& out, Number value)
{
    static_assert(std::is_trivially_copyable_v<Number>);
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename Number> bool GetNumber(std::string_view& in, Number& value)
{
    if (in.size() < sizeof value)
        return false;
    std::memcpy(&value, in.data(), sizeof value);
    in.remove_prefix(sizeof value);
    return true;
}

void Put(std::string& out, std::string_view text)
{
    PutNumber(out, static_cast<uint32_t>(text.size()));
    out.append(text);
}

bool GetView(std::string_view& in, std::string_view& text)
{
    uint32_t size = 0;
    if (!GetNumber(in, size) || in.size() < size)
        return false;
    text = in.substr(0, size);
    in.remove_prefix(size);
    return true;
}

bool Get(std::string_view& in, Text& text)
{
    std::string_view view;
    if (!GetView(in, view))
        return false;
    text = view;
    return true;
}

void Put(std::string& out, const Text& text)
{
    Put(out, text.view());
}
void Put(std::string& out, int value)
{
    PutNumber(out, static_cast<int32_t>(value));
}
bool Get(std::string_view& in, int& value)
{
    int32_t stored = 0;
    return GetNumber(in, stored) && (value = stored, true);
}

// Small values of enumerations and flags as one byte.
template <typename Small> void PutByte(std::string& out, Small value)
{
    out += static_cast<char>(value);
}
template <typename Small> bool GetByte(std::string_view& in, Small& value)
{
    uint8_t byte = 0;
    if (!GetNumber(in, byte))
        return false;
    value = static_cast<Small>(byte);
    return true;
}

void Put(std::string& out, const SimpleDate& date)
{
    PutNumber(out, date);
}
bool Get(std::string_view& in, SimpleDate& date)
{
    return GetNumber(in, date);
}

template <typename Item> void Put(std::string& out, const std::vector<Item>& items)
{
    PutNumber(out, static_cast<uint32_t>(items.size()));
    for (const Item& item : items)
        Put(out, item);
}

template <typename Item> bool Get(std::string_view& in, std::vector<Item>& items)
{
    uint32_t count = 0;
    if (!GetNumber(in, count) || count > in.size()) // every item takes at least a byte
        return false;
    items.resize(count);
    for (Item& item : items)
        if (!Get(in, item))
            return false;
    return true;
}

// A part that most records lack: a flag, and the part only where it was made.
template <typename Part> void Put(std::string& out, const Lazy<Part>& part)
{
    PutByte(out, static_cast<bool>(part));
    if (part)
        Put(out, *part);
}

template <typename Part> bool Get(std::string_view& in, Lazy<Part>& part)
{
    bool present = false;
    if (!GetByte(in, present))
        return false;
    return !present || Get(in, part.Get());
}

void Put(std::string& out, const GedcomDate& date)
{
    PutByte(out, date.kind);
    if (date.kind == DateKind::None)
        return;
    Put(out, date.first);
    Put(out, date.second);
    Put(out, date.text);
}

bool Get(std::string_view& in, GedcomDate& date)
{
    if (!GetByte(in, date.kind))
        return false;
    return date.kind == DateKind::None || (Get(in, date.first) && Get(in, date.second) && Get(in, date.text));
}

void Put(std::string& out, const Address& address)
{
    Put(out, address.lines);
    Put(out, address.phone);
    Put(out, address.fax);
    Put(out, address.email);
    Put(out, address.web);
}

bool Get(std::string_view& in, Address& address)
{
    return Get(in, address.lines) && Get(in, address.phone) && Get(in, address.fax) && Get(in, address.email) &&
           Get(in, address.web);
}

void Put(std::string& out, const Note& note)
{
    Put(out, note.pointer);
    Put(out, note.text);
    Put(out, note.citations);
}

bool Get(std::string_view& in, Note& note)
{
    return Get(in, note.pointer) && Get(in, note.text) && Get(in, note.citations);
}

void Put(std::string& out, const MediaLink& link)
{
    Put(out, link.pointer);
    Put(out, link.file);
    Put(out, link.format);
    Put(out, link.title);
    Put(out, link.fileLine);
    Put(out, link.notes);
}

bool Get(std::string_view& in, MediaLink& link)
{
    return Get(in, link.pointer) && Get(in, link.file) && Get(in, link.format) && Get(in, link.title) &&
           Get(in, link.fileLine) && Get(in, link.notes);
}

void Put(std::string& out, const EventDetails& details)
{
    Put(out, details.typeText);
    Put(out, details.address);
    Put(out, details.extras);
    Put(out, details.notes);
}

bool Get(std::string_view& in, EventDetails& details)
{
    return Get(in, details.typeText) && Get(in, details.address) && Get(in, details.extras) && Get(in, details.notes);
}

void Put(std::string& out, const Event& event)
{
    PutNumber(out, event.tag);
    Put(out, event.typeNumber);
    Put(out, event.date);
    Put(out, event.place);
    Put(out, event.citations);
    Put(out, event.details);
}

bool Get(std::string_view& in, Event& event)
{
    return GetNumber(in, event.tag) && Get(in, event.typeNumber) && Get(in, event.date) && Get(in, event.place) &&
           Get(in, event.citations) && Get(in, event.details);
}

void Put(std::string& out, const Attribute& attribute)
{
    PutNumber(out, attribute.tag);
    Put(out, attribute.value);
    Put(out, attribute.date);
    Put(out, attribute.place);
    Put(out, attribute.citations);
    Put(out, attribute.details);
}

bool Get(std::string_view& in, Attribute& attribute)
{
    return GetNumber(in, attribute.tag) && Get(in, attribute.value) && Get(in, attribute.date) &&
           Get(in, attribute.place) && Get(in, attribute.citations) && Get(in, attribute.details);
}

void Put(std::string& out, const NameParts& parts)
{
    for (const Text* part :
         {&parts.prefix, &parts.given, &parts.nickname, &parts.surnamePrefix, &parts.surname, &parts.suffix})
        Put(out, *part);
}

bool Get(std::string_view& in, NameParts& parts)
{
    for (Text* part :
         {&parts.prefix, &parts.given, &parts.nickname, &parts.surnamePrefix, &parts.surname, &parts.suffix})
        if (!Get(in, *part))
            return false;
    return true;
}

void Put(std::string& out, const Name& name)
{
    Put(out, name.value);
    Put(out, name.parts);
    Put(out, name.citations);
    Put(out, name.notes);
}

bool Get(std::string_view& in, Name& name)
{
    return Get(in, name.value) && Get(in, name.parts) && Get(in, name.citations) && Get(in, name.notes);
}

void Put(std::string& out, const PersonExtras& extras)
{
    Put(out, extras.citations);
    Put(out, extras.change);
    Put(out, extras.attributes);
    Put(out, extras.notes);
    Put(out, extras.text);
    Put(out, extras.media);
}

bool Get(std::string_view& in, PersonExtras& extras)
{
    return Get(in, extras.citations) && Get(in, extras.change) && Get(in, extras.attributes) && Get(in, extras.notes) &&
           Get(in, extras.text) && Get(in, extras.media);
}

void Put(std::string& out, const FamilyLink& link)
{
    Put(out, link.xref);
    Put(out, link.line);
    Put(out, link.person);
    PutByte(out, link.relation);
}

bool Get(std::string_view& in, FamilyLink& link)
{
    return Get(in, link.xref) && Get(in, link.line) && Get(in, link.person) && GetByte(in, link.relation);
}

} // namespace

// A person's parent families are not kept: what the families need of them is taken while the person is read.
void Encode(std::string& out, const Person& person)
{
    PutByte(out, person.sex);
    Put(out, person.names);
    Put(out, person.events);
    Put(out, person.extras);
}

bool Decode(std::string_view& in, Person& person)
{
    return GetByte(in, person.sex) && Get(in, person.names) && Get(in, person.events) && Get(in, person.extras);
}

void Encode(std::string& out, const Family& family)
{
    Put(out, family.xref);
    Put(out, family.line);
    Put(out, family.husband);
    Put(out, family.wife);
    Put(out, family.children);
    PutByte(out, family.couple);
    Put(out, family.coupleType);
    Put(out, family.events);
    Put(out, family.citations);
    Put(out, family.notes);
    Put(out, family.change);
}

bool Decode(std::string_view& in, Family& family)
{
    return Get(in, family.xref) && Get(in, family.line) && Get(in, family.husband) && Get(in, family.wife) &&
           Get(in, family.children) && GetByte(in, family.couple) && Get(in, family.coupleType) &&
           Get(in, family.events) && Get(in, family.citations) && Get(in, family.notes) && Get(in, family.change);
}

void Encode(std::string& out, const Citation& citation)
{
    Put(out, citation.pointer);
    Put(out, citation.sourceText);
    Put(out, citation.page);
    Put(out, citation.quality);
    Put(out, citation.dataDate);
    Put(out, citation.dataText);
    Put(out, citation.notes);
}

bool Decode(std::string_view& in, Citation& citation)
{
    return Get(in, citation.pointer) && Get(in, citation.sourceText) && Get(in, citation.page) &&
           Get(in, citation.quality) && Get(in, citation.dataDate) && Get(in, citation.dataText) &&
           Get(in, citation.notes);
}

void RecordSpill::Append(std::string_view record)
{
    PutNumber(pending_, static_cast<uint32_t>(record.size()));
    pending_.append(record);
    if (pending_.size() >= kChunkSize)
        FlushWrites();
}

void RecordSpill::FlushWrites()
{
    if (inMemory_ || pending_.empty())
        return;
    if (!fileTried_) {
        fileTried_ = true;
        file_ = platform::TempFile::Create("ged");
    }
    // Without a temporary file (or once a write to it failed) the records stay in memory.
    if (!file_.IsOpen() || !file_.WriteAt(fileSize_, pending_.data(), pending_.size())) {
        if (file_.IsOpen())
            throw SpillDamaged(); // part of the records is in the file already
        inMemory_ = true;
        return;
    }
    fileSize_ += pending_.size();
    pending_.clear();
}

void RecordSpill::Rewind()
{
    FlushWrites();
    readBuffer_.clear();
    readAt_ = 0;
    fileOffset_ = 0;
    memoryAt_ = 0;
}

bool RecordSpill::Fill(size_t need)
{
    if (readBuffer_.size() - readAt_ >= need)
        return true;
    readBuffer_.erase(0, readAt_);
    readAt_ = 0;
    while (readBuffer_.size() < need && fileOffset_ < fileSize_) {
        const size_t want =
            static_cast<size_t>(std::min<uint64_t>(std::max(need, kChunkSize), fileSize_ - fileOffset_));
        const size_t had = readBuffer_.size();
        readBuffer_.resize(had + want);
        const int64_t got = file_.ReadAt(fileOffset_, readBuffer_.data() + had, want);
        if (got <= 0)
            throw SpillDamaged();
        readBuffer_.resize(had + static_cast<size_t>(got));
        fileOffset_ += static_cast<uint64_t>(got);
    }
    return readBuffer_.size() >= need;
}

bool RecordSpill::Next(std::string_view& bytes)
{
    if (inMemory_) {
        std::string_view rest = std::string_view(pending_).substr(memoryAt_);
        uint32_t size = 0;
        if (!GetNumber(rest, size))
            return false;
        if (rest.size() < size)
            throw SpillDamaged();
        bytes = rest.substr(0, size);
        memoryAt_ += sizeof size + size;
        return true;
    }
    uint32_t size = 0;
    if (!Fill(sizeof size)) {
        if (readBuffer_.size() != readAt_)
            throw SpillDamaged();
        return false;
    }
    std::memcpy(&size, readBuffer_.data() + readAt_, sizeof size);
    if (!Fill(sizeof size + size))
        throw SpillDamaged();
    bytes = std::string_view(readBuffer_).substr(readAt_ + sizeof size, size);
    readAt_ += sizeof size + size;
    return true;
}

} // namespace pendrax
