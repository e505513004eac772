// Event types: class, description, GEDCOM tag and the number of roles.
#include <cstring>

#include "accessors.h"
#include "elements.h"
#include "words.h"

using namespace wexmor;

WZ_LIFETIME(WZEventtype, Eventtype)
WZ_NUMBER(WZEventtype, EventtypeId, id)
WZ_NUMBER(WZEventtype, EventtypeClass, eventClass)
WZ_CODE(WZEventtype, EventtypeLanguage, lang)
WZ_TEXT(WZEventtype, EventtypeDescription, description)
WZ_CODE(WZEventtype, EventtypeGedcomtag, gedcomtag)
WZ_NUMBER(WZEventtype, EventtypeRoles, roles)
WZ_TEXT(WZEventtype, EventtypeNote, note)

namespace {

const int kOtherEvent = 0;
const size_t kGedcomTagLength = 4;

int ReadEventtype(WexmorFile& file, WZEventtype& eventtype)
{
    WZ_TRY(ReadIdAttribute(file, "id", 'E', eventtype.id));
    char value[kAttributeSize];
    if (ReadAttribute(file, value, "class") != kRead)
        return kErrorEventtypeClass;
    eventtype.eventClass = FindWordByPrefix(kEventClassWords, value);
    if (eventtype.eventClass < 0)
        return kErrorClass;
    if (!ReadLangAttribute(file, eventtype.lang, sizeof eventtype.lang))
        return kErrorLang;
    if (!MatchLiteral(file, ">", true))
        return kErrorEventtype;
    WZ_TRY(ReadRequiredText(file, eventtype.description, "description", kErrorDescription));
    WexmorText tag;
    switch (ReadTextElement(file, tag, "gedcomtag")) {
    case kMalformed:
        return kErrorGedcomTag;
    case kAbsent:
        break;
    case kRead:
        if (tag.Length() > kGedcomTagLength)
            return kErrorGedcomTag;
        SetCode(eventtype.gedcomtag, sizeof eventtype.gedcomtag, tag.Read());
        break;
    }
    int32_t roles = 0;
    switch (ReadIntElement(file, roles, "roles")) {
    case kMalformed:
        return kErrorRoles;
    case kRead:
        eventtype.roles = roles;
        break;
    case kAbsent:
        break;
    }
    WZ_TRY(ReadOptionalText(file, eventtype.note, "note", kErrorNote));
    return MatchEndTag(file, "eventtype") ? 0 : kErrorEventtype;
}

} // namespace

extern "C" int WZAPI EventtypeExport(WexmorFile* file, WZEventtype* eventtype)
{
    if (!eventtype || eventtype->id == 0)
        return WZ_EXPORT_NO_ID;
    WZ_TRY(BeginExport(file, kEventtypeSection, 16));
    WriteLiteral(*file, "<eventtype");
    WriteIdAttribute(*file, "id", 'E', eventtype->id);
    const char* word = WordAt(kEventClassWords, eventtype->eventClass);
    WriteAttribute(*file, "class", word ? word : WordAt(kEventClassWords, kOtherEvent));
    WriteLangAttribute(*file, eventtype->lang);
    WriteLiteral(*file, ">");
    WriteTextElement(*file, "description", eventtype->description);
    if (eventtype->gedcomtag[0]) {
        WriteLiteral(*file, "<gedcomtag>");
        WriteEscaped(*file, eventtype->gedcomtag);
        WriteLiteral(*file, "</gedcomtag>");
    }
    if (eventtype->roles >= 0)
        WriteNumberElement(*file, "roles", eventtype->roles);
    WriteOptionalText(*file, "note", eventtype->note);
    WriteLiteral(*file, "</eventtype>");
    return EndExport(*file, kEventtypeSection);
}

extern "C" int WZAPI EventtypeImport(WexmorFile* file, int flag, WZEventtype* eventtype)
{
    if (!eventtype)
        return WZ_END_EVENTTYPE;
    WZ_TRY(BeginImport(file, flag, "eventtype", WZ_END_EVENTTYPE));
    return ReadEventtype(*file, *eventtype);
}
