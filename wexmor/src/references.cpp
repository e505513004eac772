// The reference records: person references (with and without a role), excerpt references and repository
// references, each a list.
#include <cstring>

#include "accessors.h"
#include "elements.h"

using namespace wexmor;

WZ_LIFETIME(WZPersonref, Personref)
WZ_NUMBER(WZPersonref, PersonrefPref, pref)
WZ_NUMBER(WZPersonref, PersonrefSeq, seq)
WZ_NUMBER(WZPersonref, PersonrefPersonid, personId)
WZ_NEXT(WZPersonref, Personref)

WZ_LIFETIME(WZPersonrefrole, Personrefrole)
WZ_RECORD(WZPersonrefrole, PersonrefrolePersonref, WZPersonref, personrefs)
WZ_TEXT(WZPersonrefrole, PersonrefroleRole, role)
WZ_NEXT(WZPersonrefrole, Personrefrole)

WZ_LIFETIME(WZExcerptref, Excerptref)
WZ_NUMBER(WZExcerptref, ExcerptrefExcerptId, excerptId)
WZ_NEXT(WZExcerptref, Excerptref)

WZ_LIFETIME(WZRepref, Repref)
WZ_NUMBER(WZRepref, ReprefRef, ref)
WZ_TEXT(WZRepref, ReprefCallnumber, callnumber)
WZ_TEXT(WZRepref, ReprefNote, note)
WZ_NEXT(WZRepref, Repref)

namespace wexmor {

namespace {

// "</", the name and ">", with nothing skipped: the end tag must follow the content directly.
bool TakeEndTag(WexmorFile& file, const char* name)
{
    return ConsumeByte(file, '<') && ConsumeByte(file, '/') && MatchLiteral(file, name, true) && ConsumeByte(file, '>');
}

int ReadPersonref(WexmorFile& file, const char* name, WZPersonref& ref)
{
    if (!MatchStartTag(file, name, true))
        return kErrorPersonRef;
    char value[kAttributeSize];
    ref.pref = (ReadAttribute(file, value, "pref") == kRead && std::strcmp(value, "true") == 0) ? 1 : 0;
    if (ReadAttribute(file, value, "seq") == kRead)
        ref.seq = ParseNumber(value);
    if (!MatchLiteral(file, ">", true))
        return kErrorPersonRef;
    const char* lt = std::strchr(file.pos, '<');
    size_t length = lt ? static_cast<size_t>(lt - file.pos) : 0;
    if (!lt || length >= kAttributeSize)
        return kErrorPersonRef;
    std::memcpy(value, file.pos, length);
    value[length] = '\0';
    int32_t id = 0;
    if (!ParseLetteredId(value, 'P', id))
        return kErrorPersonRef;
    ref.personId = id;
    file.pos = lt;
    return TakeEndTag(file, name) ? 0 : kErrorPersonRef;
}

int ReadPersonrefrole(WexmorFile& file, const char* name, WZPersonrefrole& entry)
{
    if (!OpenPlainElement(file, name))
        return kErrorRoleRef;
    if (int error = ReadPersonrefs(file, "personref", entry.personrefs))
        return error;
    if (ReadRequiredText(file, entry.role, "role", kErrorRole))
        return kErrorRole;
    return MatchEndTag(file, name) ? 0 : kErrorRoleRef;
}

} // namespace

void WritePersonrefs(WexmorFile& file, const char* name, const WZPersonref* ref)
{
    for (; ref; ref = ref->next.get()) {
        WriteLiteral(file, "<");
        WriteLiteral(file, name);
        if (ref->pref >= 0)
            WriteAttribute(file, "pref", ref->pref == 1 ? "true" : "false");
        if (ref->seq >= 0) {
            char seq[16];
            std::snprintf(seq, sizeof seq, "%d", ref->seq);
            WriteAttribute(file, "seq", seq);
        }
        WriteLiteral(file, ">P");
        WriteNumber(file, ref->personId);
        WriteEndTag(file, name);
    }
}

int ReadPersonrefs(WexmorFile& file, const char* name, std::unique_ptr<WZPersonref>& first)
{
    std::unique_ptr<WZPersonref>* slot = &first;
    do {
        WZPersonref* ref = NewInto(*slot);
        if (!ref)
            return kNoMemory;
        if (int error = ReadPersonref(file, name, *ref))
            return error;
        slot = &ref->next;
    } while (IsStartTagNext(file, name));
    return 0;
}

void WritePersonrefroles(WexmorFile& file, const char* name, const WZPersonrefrole* entry)
{
    for (; entry; entry = entry->next.get()) {
        WriteLiteral(file, "<");
        WriteLiteral(file, name);
        WriteLiteral(file, ">");
        WritePersonrefs(file, "personref", entry->personrefs.get());
        WriteTextElement(file, "role", entry->role);
        WriteEndTag(file, name);
    }
}

int ReadPersonrefroles(WexmorFile& file, const char* name, std::unique_ptr<WZPersonrefrole>& first)
{
    std::unique_ptr<WZPersonrefrole>* slot = &first;
    do {
        WZPersonrefrole* entry = NewInto(*slot);
        if (!entry)
            return kNoMemory;
        if (int error = ReadPersonrefrole(file, name, *entry))
            return error;
        slot = &entry->next;
    } while (IsStartTagNext(file, name));
    return 0;
}

void WriteExcerptrefs(WexmorFile& file, const WZExcerptref* ref)
{
    for (; ref; ref = ref->next.get()) {
        WriteLiteral(file, "<excerptref>X");
        WriteNumber(file, ref->excerptId);
        WriteLiteral(file, "</excerptref>");
    }
}

int ReadExcerptrefs(WexmorFile& file, std::unique_ptr<WZExcerptref>& first)
{
    std::unique_ptr<WZExcerptref>* slot = &first;
    do {
        WZExcerptref* ref = NewInto(*slot);
        if (!ref)
            return kNoMemory;
        char value[kAttributeSize];
        int32_t id = 0;
        if (ReadCodeElement(file, value, sizeof value, "excerptref") != kRead || !ParseLetteredId(value, 'X', id))
            return kErrorExcerptRef;
        ref->excerptId = id;
        slot = &ref->next;
    } while (IsStartTagNext(file, "excerptref"));
    return 0;
}

void WriteRepref(WexmorFile& file, const WZRepref& repref)
{
    WriteLiteral(file, "<repositoryref");
    WriteIdAttribute(file, "ref", 'R', repref.ref);
    WriteLiteral(file, ">");
    WriteOptionalText(file, "callnumber", repref.callnumber);
    WriteOptionalText(file, "note", repref.note);
    WriteLiteral(file, "</repositoryref>");
}

int ReadRepref(WexmorFile& file, std::unique_ptr<WZRepref>& slot)
{
    WZRepref* repref = NewInto(slot);
    if (!repref)
        return kNoMemory;
    if (!MatchStartTag(file, "repositoryref", true))
        return kErrorRepositoryRef;
    int32_t id = 0;
    char value[kAttributeSize];
    if (ReadAttribute(file, value, "ref") != kRead || !ParseLetteredId(value, 'R', id))
        return kErrorRepositoryRefId;
    repref->ref = id;
    if (!MatchLiteral(file, ">", true))
        return kErrorRepositoryRef;
    if (int error = ReadOptionalText(file, repref->callnumber, "callnumber", kErrorCallNumber))
        return error;
    if (int error = ReadOptionalText(file, repref->note, "note", kErrorNote))
        return error;
    return MatchEndTag(file, "repositoryref") ? 0 : kErrorRepositoryRef;
}

} // namespace wexmor
