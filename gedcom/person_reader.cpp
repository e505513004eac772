// The readers of persons and families with their events, attributes, names and tasks.
#include "gedcom/record_reader.h"

#include <cctype>

namespace pendrax {

namespace {

constexpr size_t kTypeLimit = 255;

bool IsPersonEvent(Tag tag)
{
    switch (tag) {
    case Tag::ADOP:
    case Tag::BAPL:
    case Tag::BAPM:
    case Tag::BARM:
    case Tag::BASM:
    case Tag::BIRT:
    case Tag::BLES:
    case Tag::BURI:
    case Tag::CENS:
    case Tag::CHR:
    case Tag::CHRA:
    case Tag::CONF:
    case Tag::CONL:
    case Tag::CREM:
    case Tag::DEAT:
    case Tag::EMIG:
    case Tag::ENDL:
    case Tag::EVEN:
    case Tag::FCOM:
    case Tag::GRAD:
    case Tag::IMMI:
    case Tag::NATU:
    case Tag::ORDN:
    case Tag::PROB:
    case Tag::RESI:
    case Tag::RETI:
    case Tag::SLGC:
    case Tag::WILL:
        return true;
    default:
        return false;
    }
}

bool IsPersonAttribute(Tag tag)
{
    switch (tag) {
    case Tag::CAST:
    case Tag::DSCR:
    case Tag::EDUC:
    case Tag::IDNO:
    case Tag::NATI:
    case Tag::NCHI:
    case Tag::NMR:
    case Tag::OCCU:
    case Tag::PROP:
    case Tag::RELI:
    case Tag::SSN:
    case Tag::TITL:
    case Tag::FACT:
    case Tag::UserEMAIL:
    case Tag::UserUID:
        return true;
    default:
        return false;
    }
}

bool IsFamilyEvent(Tag tag)
{
    switch (tag) {
    case Tag::ANUL:
    case Tag::CENS:
    case Tag::DIV:
    case Tag::DIVF:
    case Tag::ENGA:
    case Tag::EVEN:
    case Tag::MARB:
    case Tag::MARC:
    case Tag::MARL:
    case Tag::MARR:
    case Tag::MARS:
    case Tag::SLGS:
        return true;
    default:
        return false;
    }
}

// The relation of a PEDI value: adopted, foster, birth (or none), anything else other.
Relation PedigreeRelation(std::string_view value)
{
    std::string word;
    for (char c : value)
        word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    while (!word.empty() && word.back() == ' ')
        word.pop_back();
    if (word.empty() || word == "birth")
        return Relation::Biological;
    if (word == "adopted")
        return Relation::Adoptive;
    if (word == "foster")
        return Relation::Foster;
    return Relation::Other;
}

} // namespace

int RecordReader::EventTypeNumber(Tag tag, std::string_view typeText, int eventClass)
{
    std::string key(TagName(tag));
    key += '\n';
    key += typeText;
    auto [entry, added] = eventTypeIndex_.emplace(key, static_cast<int>(store_.eventTypes.size() + 1));
    if (added)
        store_.eventTypes.push_back(EventType{tag, eventClass, std::string(typeText), -1});
    return entry->second;
}

bool RecordReader::ReadPerson()
{
    // The person's texts go once it is spilled (a task it holds is kept, with its texts, by ReadTask).
    ArenaScope recordTexts(store_.recordTexts);
    Person person;
    const std::string xref = reader_.Xref();
    bool read = reader_.Next();
    while (read && reader_.Level() > 0) {
        Tag tag = reader_.CurrentTag();
        if (IsPersonEvent(tag)) {
            read = ReadEvent(person.events, 1);
            continue;
        }
        if (IsPersonAttribute(tag)) {
            read = ReadAttribute(person.extras.Get().attributes);
            continue;
        }
        switch (tag) {
        case Tag::NAME:
            read = ReadName(person.names);
            break;
        case Tag::ALIA:
            if (!reader_.Pointer().empty())
                read = reader_.NotConverted();
            else if (options_.aliasAsName)
                read = ReadName(person.names);
            else
                read = reader_.Next();
            break;
        case Tag::SEX: {
            std::string_view value = reader_.Value();
            person.sex = value.starts_with("M") ? 1 : value.starts_with("F") ? 2 : 0;
            read = reader_.Next();
            break;
        }
        case Tag::SOUR:
            read = ReadCitation(person.extras.Get().citations);
            break;
        case Tag::NOTE:
            read = ReadNote(person.extras.Get().notes, true);
            break;
        case Tag::OBJE:
            read = ReadMediaLink(person.extras.Get().media);
            break;
        case Tag::CHAN:
            read = ReadChange(person.extras.Get().change);
            break;
        case Tag::AFN:
        case Tag::RFN:
        case Tag::REFN:
        case Tag::RIN:
        case Tag::RESN:
            read = ReadPersonNumber(person);
            break;
        case Tag::ANCI:
        case Tag::DESI:
            read = reader_.NotConverted();
            break;
        case Tag::FAMC:
            // Families are built from the FAM records; FAMC adds how the person is the family's child.
            read = ReadParentFamily(person);
            break;
        case Tag::FAMS:
            read = reader_.SkipSubtree();
            break;
        case Tag::ADDR:
        case Tag::PHON:
            if (Honours(Peculiarity::BrothersKeeper) || Honours(Peculiarity::FamilyHistorian))
                read = ReadResidenceAddress(person.events);
            else
                read = reader_.SkipUnexpected();
            break;
        case Tag::UserSTAT:
            if (Honours(Peculiarity::Legacy)) {
                Note note;
                note.text = reader_.Value();
                person.extras.Get().notes.push_back(std::move(note));
                read = reader_.Next();
            } else {
                read = reader_.SkipUnexpected();
            }
            break;
        case Tag::UserTODO:
            read = Honours(Peculiarity::FamilyOrigins) ? ReadTask(xref) : reader_.SkipUnexpected();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    KeepChildRelations(person);
    store_.persons.Write(person);
    store_.recordTexts.Clear();
    return read;
}

void RecordReader::KeepChildRelations(const Person& person)
{
    const int number = static_cast<int>(store_.persons.Count()) + 1;
    const auto& families = person.parentFamilies;
    for (size_t i = 0; i < families.size(); ++i) {
        // The first FAMC line that names a family says how the person is its child.
        bool named = false;
        for (size_t j = 0; j < i && !named; ++j)
            named = families[j].xref == families[i].xref.view();
        if (!named)
            store_.childRelations.Set(number, families[i].xref, families[i].relation);
    }
}

bool RecordReader::ReadPersonNumber(Person& person)
{
    if (options_.personNumbers == 0)
        return reader_.NotConverted();
    if (options_.personNumbers == 2) {
        const char* label = "";
        switch (reader_.CurrentTag()) {
        case Tag::AFN:
            label = "Ancestry file number ";
            break;
        case Tag::RFN:
            label = "Permanent record file number ";
            break;
        case Tag::REFN:
            label = "User reference number ";
            break;
        case Tag::RIN:
            label = "Automated record ID ";
            break;
        default:
            break;
        }
        std::string text(person.extras.Get().text.view());
        if (!text.empty())
            text += "\r\n";
        text += label;
        text += reader_.Value();
        text += ".";
        person.extras.Get().text = text;
    }
    return reader_.Next();
}

bool RecordReader::ReadParentFamily(Person& person)
{
    ParentFamily family;
    family.xref = reader_.Pointer();
    int level = reader_.Level();
    bool read = reader_.Next();
    while (read && reader_.Level() > level) {
        if (reader_.CurrentTag() == Tag::PEDI && reader_.Level() == level + 1) {
            family.relation = PedigreeRelation(reader_.Value());
            read = reader_.Next();
        } else {
            read = reader_.NotConvertedSubtree();
        }
    }
    if (!family.xref.empty())
        person.parentFamilies.push_back(std::move(family));
    return read;
}

bool RecordReader::ReadFamilyLink(FamilyLink& link)
{
    if (reader_.Pointer().empty()) {
        reader_.LogError(LogMissingXref, true);
        return reader_.Next();
    }
    link.xref = reader_.Pointer();
    link.line = reader_.LineNumber();
    return reader_.Next();
}

bool RecordReader::LinkPerson(FamilyLink& link, Tag tag)
{
    if (link.xref.empty())
        return false;
    link.person = store_.personXrefs.Find(link.xref);
    if (link.person == 0) {
        std::string shown = "1 ";
        shown += TagName(tag);
        shown += " @";
        shown += link.xref;
        shown += "@";
        reader_.LogAt(LogMissingPerson, link.line, shown);
    }
    return link.person != 0;
}

void RecordReader::LinkFamilies()
{
    RecordSpill linked;
    store_.families.ForEach<Family>(store_.recordTexts, [&](Family& family) {
        LinkFamily(family);
        linked.Write(family);
    });
    store_.families = std::move(linked);
}

void RecordReader::LinkFamily(Family& family)
{
    LinkPerson(family.husband, Tag::HUSB);
    LinkPerson(family.wife, Tag::WIFE);
    std::vector<FamilyLink> children;
    children.reserve(family.children.size());
    for (FamilyLink& child : family.children) {
        if (!LinkPerson(child, Tag::CHIL))
            continue;
        bool repeated = false;
        for (const FamilyLink& kept : children)
            repeated = repeated || kept.person == child.person;
        if (repeated)
            continue;
        child.relation = store_.childRelations.Get(child.person, family.xref);
        children.push_back(std::move(child));
    }
    family.children = std::move(children);
    bool partners = family.husband.person != 0 || family.wife.person != 0;
    if (!partners && !family.children.empty())
        reader_.LogAt(LogFamilyWithoutPartners, family.line, "0 @" + family.xref.str() + "@ FAM");
    if (family.husband.person != 0 && family.wife.person != 0 && family.children.empty() && family.events.empty()) {
        family.couple = true;
        family.coupleType = CoupleEventType();
    }
}

int RecordReader::CoupleEventType()
{
    auto [entry, added] = eventTypeIndex_.emplace("\x01couple", static_cast<int>(store_.eventTypes.size() + 1));
    if (added)
        store_.eventTypes.push_back(EventType{Tag::EVEN, 2, {}, TextFamily});
    return entry->second;
}

bool RecordReader::ReadFamily()
{
    ArenaScope recordTexts(store_.recordTexts);
    Family family;
    family.xref = reader_.Xref();
    family.line = reader_.LineNumber();
    bool read = reader_.Next();
    while (read && reader_.Level() > 0) {
        Tag tag = reader_.CurrentTag();
        if (IsFamilyEvent(tag)) {
            read = ReadEvent(family.events, 2);
            continue;
        }
        switch (tag) {
        case Tag::HUSB:
            read = ReadFamilyLink(family.husband);
            break;
        case Tag::WIFE:
            read = ReadFamilyLink(family.wife);
            break;
        case Tag::CHIL:
            read = ReadFamilyLink(family.children.emplace_back());
            if (family.children.back().xref.empty())
                family.children.pop_back();
            break;
        case Tag::SOUR:
            read = ReadCitation(family.citations);
            break;
        case Tag::NOTE:
            read = ReadNote(family.notes, true);
            break;
        case Tag::CHAN:
            read = ReadChange(family.change);
            break;
        case Tag::NCHI:
        case Tag::REFN:
        case Tag::RIN:
        case Tag::SUBM:
            read = reader_.NotConverted();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    store_.families.Write(family);
    store_.recordTexts.Clear();
    return read;
}

bool RecordReader::ReadEventExtra(Text& extras)
{
    if (options_.eventExtras == 0)
        return reader_.NotConverted();
    if (options_.eventExtras == 2) {
        std::string text(extras.view());
        if (!text.empty())
            text += "\r\n";
        if (reader_.CurrentTag() == Tag::AGE)
            text += "Age ";
        else if (reader_.CurrentTag() == Tag::AGNC)
            text += "Agency ";
        text += reader_.Value();
        text += ".";
        extras = text;
    }
    return reader_.Next();
}

bool RecordReader::ReadEvent(std::vector<Event>& events, int eventClass)
{
    Event event;
    event.tag = reader_.CurrentTag();
    int level = reader_.Level();
    bool read = reader_.Next();
    while (read && reader_.Level() > level) {
        switch (reader_.CurrentTag()) {
        case Tag::ADDR:
            read = ReadAddress(event.details.Get().address);
            break;
        case Tag::DATE:
            read = ReadDate(event.date);
            break;
        case Tag::NOTE:
            read = ReadNote(event.details.Get().notes, false);
            break;
        case Tag::PLAC:
            event.place = reader_.Value();
            read = reader_.Next();
            break;
        case Tag::SOUR:
            read = ReadCitation(event.citations);
            break;
        case Tag::TYPE:
            event.details.Get().typeText = reader_.Value().substr(0, kTypeLimit);
            read = reader_.Next();
            break;
        case Tag::AGE:
        case Tag::AGNC:
        case Tag::CAUS:
            read = ReadEventExtra(event.details.Get().extras);
            break;
        case Tag::STAT:
        case Tag::TEMP:
            event.details.Get().extras =
                std::string(event.details->extras.view()) + std::string(reader_.Value()) + ". ";
            read = reader_.Next();
            break;
        case Tag::FAMC:
            read = event.tag == Tag::ADOP ? reader_.NotConvertedSubtree() : reader_.SkipUnexpected();
            break;
        case Tag::QUAY:
            read = options_.logLevel >= 2 ? reader_.Next() : reader_.SkipUnexpected();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    event.typeNumber = EventTypeNumber(event.tag, event.details->typeText.view(), eventClass);
    events.push_back(std::move(event));
    return read;
}

bool RecordReader::ReadResidenceAddress(std::vector<Event>& events)
{
    Event event;
    event.tag = Tag::RESI;
    bool read = ReadAddress(event.details.Get().address);
    event.typeNumber = EventTypeNumber(event.tag, {}, 1);
    events.push_back(std::move(event));
    return read;
}

bool RecordReader::ReadAttribute(std::vector<Attribute>& attributes)
{
    Attribute attribute;
    attribute.tag = reader_.CurrentTag();
    attribute.value = reader_.Value();
    int level = reader_.Level();
    bool read = reader_.Next();
    while (read && reader_.Level() > level) {
        switch (reader_.CurrentTag()) {
        case Tag::ADDR:
            read = ReadAddress(attribute.details.Get().address);
            break;
        case Tag::DATE:
            read = ReadDate(attribute.date);
            break;
        case Tag::NOTE:
            read = ReadNote(attribute.details.Get().notes, false);
            break;
        case Tag::PLAC:
            attribute.place = reader_.Value();
            read = reader_.Next();
            break;
        case Tag::SOUR:
            read = ReadCitation(attribute.citations);
            break;
        case Tag::TYPE:
            attribute.details.Get().typeText = reader_.Value().substr(0, kTypeLimit);
            read = reader_.Next();
            break;
        case Tag::AGE:
        case Tag::AGNC:
        case Tag::CAUS:
            read = reader_.NotConverted();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    attributes.push_back(std::move(attribute));
    return read;
}

bool RecordReader::ReadName(std::vector<Name>& names)
{
    Name name;
    name.value = reader_.Value();
    int level = reader_.Level();
    bool read = reader_.Next();
    while (read && reader_.Level() > level) {
        Text NameParts::*part = nullptr;
        switch (reader_.CurrentTag()) {
        case Tag::GIVN:
            part = &NameParts::given;
            break;
        case Tag::NICK:
            part = &NameParts::nickname;
            break;
        case Tag::NPFX:
            part = &NameParts::prefix;
            break;
        case Tag::NSFX:
            part = &NameParts::suffix;
            break;
        case Tag::SPFX:
            part = &NameParts::surnamePrefix;
            break;
        case Tag::SURN:
            part = &NameParts::surname;
            break;
        default:
            break;
        }
        if (part) {
            // Names are written from their parts only when asked; else the parts are passed by.
            if (options_.structuredNames)
                name.parts.Get().*part = reader_.Value();
            read = reader_.Next();
            continue;
        }
        switch (reader_.CurrentTag()) {
        case Tag::NOTE:
            read = ReadNote(name.notes, false);
            break;
        case Tag::SOUR:
            read = ReadCitation(name.citations);
            break;
        case Tag::ALIA:
            if (Honours(Peculiarity::BrothersKeeper)) {
                // This program writes a person's ALIA under the NAME: it ends the name.
                names.push_back(std::move(name));
                return true;
            }
            read = reader_.SkipUnexpected();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    names.push_back(std::move(name));
    return read;
}

bool RecordReader::ReadTask(const std::string& personXref)
{
    // Tasks stay in memory to the end: their texts too, though the person holding them passes on.
    ArenaScope keptTexts(store_.texts);
    Task task;
    task.personXref = personXref;
    int level = reader_.Level();
    bool read = reader_.Next();
    while (read && reader_.Level() > level) {
        switch (reader_.CurrentTag()) {
        case Tag::DATE:
            read = ReadDate(task.date);
            break;
        case Tag::DESC:
            task.title = reader_.Value();
            read = reader_.Next();
            break;
        case Tag::NOTE:
            read = ReadNote(task.notes, false);
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    store_.tasks.push_back(std::move(task));
    return read;
}

} // namespace pendrax
