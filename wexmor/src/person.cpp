// Persons with their name, subpersons or citations and objects.
#include <cstring>

#include "accessors.h"
#include "elements.h"

using namespace wexmor;

WZ_LIFETIME(WZPerson, Person)
WZ_NUMBER(WZPerson, PersonID, id)
WZ_NUMBER(WZPerson, PersonSex, sex)
WZ_CODE(WZPerson, PersonLang, lang)
WZ_RECORD(WZPerson, PersonName, WZName, name)
WZ_RECORD(WZPerson, PersonSubpersons, WZSubpersons, subpersons)
WZ_LIST(WZPerson, AddPersonExcerptref, GetPersonFirstExcerptref, WZExcerptref, excerptrefs)
WZ_LIST(WZPerson, AddPersonObject, GetPersonFirstObject, WZObject, objects)
WZ_TEXT(WZPerson, PersonNote, note)
WZ_TEXT(WZPerson, PersonChange, change)

namespace {

const char* const kSexWords[] = {"unknown", "male", "female"};

void WriteSubpersons(WexmorFile& file, const WZSubpersons& subpersons)
{
    WriteLiteral(file, "<subpersons");
    if (subpersons.probability >= 0) {
        char probability[16];
        std::snprintf(probability, sizeof probability, "%d", subpersons.probability);
        WriteAttribute(file, "probability", probability);
    }
    WriteLiteral(file, ">");
    WriteNumberElement(file, "personref", subpersons.person1);
    WriteNumberElement(file, "personref", subpersons.person2);
    WriteOptionalText(file, "note", subpersons.note);
    WriteLiteral(file, "</subpersons>");
}

int ReadSubpersons(WexmorFile& file, std::unique_ptr<WZSubpersons>& slot)
{
    WZSubpersons* subpersons = NewInto(slot);
    if (!subpersons)
        return kNoMemory;
    if (!MatchStartTag(file, "subpersons", true))
        return kErrorSubpersons;
    int32_t number = 0;
    switch (ReadNumberAttribute(file, number, "probability")) {
    case kMalformed:
        return kErrorProbability;
    case kRead:
        subpersons->probability = number;
        break;
    case kAbsent:
        break;
    }
    if (!MatchLiteral(file, ">", true))
        return kErrorSubpersons;
    if (ReadLongElement(file, number, "personref") != kRead)
        return kErrorPersonRef;
    subpersons->person1 = number;
    if (ReadLongElement(file, number, "personref") != kRead)
        return kErrorPersonRef;
    subpersons->person2 = number;
    WZ_TRY(ReadOptionalText(file, subpersons->note, "note", kErrorNote));
    return MatchEndTag(file, "subpersons") ? 0 : kErrorSubpersons;
}

int ReadPerson(WexmorFile& file, WZPerson& person)
{
    WZ_TRY(ReadIdAttribute(file, "id", 'P', person.id));
    char value[kAttributeSize];
    if (ReadAttribute(file, value, "sex") != kRead)
        return kErrorSex;
    int sex = -1;
    for (int i = 0; i < 3; ++i)
        if (std::strcmp(value, kSexWords[i]) == 0)
            sex = i;
    if (sex < 0)
        return kErrorSex;
    person.sex = static_cast<unsigned char>(sex);
    if (ReadAttribute(file, value, "lang") == kRead)
        SetCode(person.lang, sizeof person.lang, value);
    if (!MatchLiteral(file, ">", true))
        return kErrorPerson;
    WZ_TRY(ReadName(file, person.name));
    if (IsStartTagNext(file, "subpersons")) {
        WZ_TRY(ReadSubpersons(file, person.subpersons));
    } else {
        if (IsStartTagNext(file, "excerptref"))
            WZ_TRY(ReadExcerptrefs(file, person.excerptrefs));
        if (IsStartTagNext(file, "object"))
            WZ_TRY(ReadObjects(file, person.objects));
    }
    WZ_TRY(ReadOptionalText(file, person.note, "note", kErrorNote));
    WZ_TRY(ReadOptionalText(file, person.change, "change", kErrorChange));
    return MatchEndTag(file, "person") ? 0 : kErrorPerson;
}

} // namespace

extern "C" int WZAPI PersonExport(WexmorFile* file, WZPerson* person)
{
    if (!person || person->id == 0)
        return WZ_EXPORT_NO_ID;
    WZ_TRY(BeginExport(file, kPersonSection, 5));
    if (person->sex > 2)
        return WZ_EXPORT_BAD_SEX;
    WriteLiteral(*file, "<person");
    WriteIdAttribute(*file, "id", 'P', person->id);
    WriteAttribute(*file, "sex", kSexWords[person->sex]);
    WriteLangAttribute(*file, person->lang);
    WriteLiteral(*file, ">");
    // The reader requires a name: a person without one gets an empty name.
    if (person->name)
        WriteName(*file, *person->name);
    else
        WriteLiteral(*file, "<personalname></personalname>");
    if (person->subpersons) {
        WriteSubpersons(*file, *person->subpersons);
    } else {
        WriteExcerptrefs(*file, person->excerptrefs.get());
        WriteObjects(*file, person->objects.get());
    }
    WriteOptionalText(*file, "note", person->note);
    WriteOptionalText(*file, "change", person->change);
    WriteLiteral(*file, "</person>");
    return EndExport(*file, kPersonSection);
}

extern "C" int WZAPI PersonImport(WexmorFile* file, int flag, WZPerson* person)
{
    if (!person)
        return WZ_END_PERSON;
    WZ_TRY(BeginImport(file, flag, "person", WZ_END_PERSON));
    return ReadPerson(*file, *person);
}
