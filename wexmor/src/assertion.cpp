// Assertions: id, privacy type, one content, citations, objects, note and change.
#include "accessors.h"
#include "assertion_content.h"
#include "words.h"

using namespace wexmor;

WZ_LIFETIME(WZAssertion, Assertion)
WZ_NUMBER(WZAssertion, AssertionID, id)
WZ_NUMBER(WZAssertion, AssertionDatatype, datatype)
WZ_CODE(WZAssertion, AssertionLang, lang)
WZ_RECORD(WZAssertion, AssertionAlias, WZAlias, alias)
WZ_RECORD(WZAssertion, AssertionAttribute, WZAttribute, attribute)
WZ_RECORD(WZAssertion, AssertionEvent, WZEvent, event)
WZ_RECORD(WZAssertion, AssertionRelationship, WZRelationship, relationship)
WZ_RECORD(WZAssertion, AssertionInfo, WZInfo, info)
WZ_LIST(WZAssertion, AddAssertionExcerptref, GetAssertionFirstExcerptref, WZExcerptref, excerptrefs)
WZ_NUMBER(WZAssertion, AssertionAssertionref1, assertionref1)
WZ_NUMBER(WZAssertion, AssertionAssertionref2, assertionref2)
WZ_LIST(WZAssertion, AddAssertionObject, GetAssertionFirstObject, WZObject, objects)
WZ_TEXT(WZAssertion, AssertionNote, note)
WZ_TEXT(WZAssertion, AssertionChange, change)

namespace {

template <class T> bool WriteContent(WexmorFile& file, const std::unique_ptr<T>& content)
{
    if (!content)
        return false;
    if (CanWrite(*content))
        Write(file, *content);
    return true;
}

// The content that is set first, in this order of precedence.
void WriteFirstContent(WexmorFile& file, const WZAssertion& assertion)
{
    WriteContent(file, assertion.alias) || WriteContent(file, assertion.attribute) ||
        WriteContent(file, assertion.event) || WriteContent(file, assertion.relationship) ||
        WriteContent(file, assertion.info);
}

template <class T> int ReadContent(WexmorFile& file, std::unique_ptr<T>& slot)
{
    T* content = NewInto(slot);
    return content ? Read(file, *content) : kNoMemory;
}

int ReadAssertionref(WexmorFile& file, int& id)
{
    char value[kAttributeSize];
    switch (ReadCodeElement(file, value, sizeof value, "assertionref")) {
    case kRead:
        id = ParseNumber(value);
        return 0;
    case kMalformed:
        return kErrorAssertion;
    default:
        return 0;
    }
}

int ReadAssertion(WexmorFile& file, WZAssertion& assertion)
{
    WZ_TRY(ReadIdAttribute(file, "id", 'A', assertion.id));
    char value[kAttributeSize];
    assertion.datatype = 0;
    if (ReadAttribute(file, value, "datatype") == kRead) {
        assertion.datatype = FindWordExact(kDatatypeWords, value);
        if (assertion.datatype < 0)
            return kErrorDatatype;
    }
    ReadLangAttribute(file, assertion.lang, sizeof assertion.lang);
    if (!MatchLiteral(file, ">", true))
        return kErrorAssertion;
    if (IsStartTagNext(file, "alias"))
        WZ_TRY(ReadContent(file, assertion.alias));
    else if (IsStartTagNext(file, "attribute"))
        WZ_TRY(ReadContent(file, assertion.attribute));
    else if (IsStartTagNext(file, "event"))
        WZ_TRY(ReadContent(file, assertion.event));
    else if (IsStartTagNext(file, "relationship"))
        WZ_TRY(ReadContent(file, assertion.relationship));
    else if (IsStartTagNext(file, "info"))
        WZ_TRY(ReadContent(file, assertion.info));
    WZ_TRY(ReadAssertionref(file, assertion.assertionref1));
    WZ_TRY(ReadAssertionref(file, assertion.assertionref2));
    if (IsStartTagNext(file, "excerptref"))
        WZ_TRY(ReadExcerptrefs(file, assertion.excerptrefs));
    if (IsStartTagNext(file, "object"))
        WZ_TRY(ReadObjects(file, assertion.objects));
    WZ_TRY(ReadOptionalText(file, assertion.note, "note", kErrorNote));
    WZ_TRY(ReadOptionalText(file, assertion.change, "change", kErrorChange));
    return MatchEndTag(file, "assertion") ? 0 : kErrorAssertion;
}

} // namespace

extern "C" int WZAPI AssertionExport(WexmorFile* file, WZAssertion* assertion)
{
    if (!assertion || assertion->id == 0)
        return WZ_EXPORT_NO_ID;
    WZ_TRY(BeginExport(file, kAssertionSection, 12));
    WriteLiteral(*file, "<assertion");
    WriteIdAttribute(*file, "id", 'A', assertion->id);
    if (const char* datatype = WordAt(kDatatypeWords, assertion->datatype))
        WriteAttribute(*file, "datatype", datatype);
    WriteLangAttribute(*file, assertion->lang);
    WriteLiteral(*file, ">");
    WriteFirstContent(*file, *assertion);
    if (assertion->assertionref1 != 0 && assertion->assertionref2 != 0) {
        WriteNumberElement(*file, "assertionref", assertion->assertionref1);
        WriteNumberElement(*file, "assertionref", assertion->assertionref2);
    } else {
        WriteExcerptrefs(*file, assertion->excerptrefs.get());
    }
    WriteObjects(*file, assertion->objects.get());
    WriteOptionalText(*file, "note", assertion->note);
    WriteOptionalText(*file, "change", assertion->change);
    WriteLiteral(*file, "</assertion>");
    return EndExport(*file, kAssertionSection);
}

extern "C" int WZAPI AssertionImport(WexmorFile* file, int flag, WZAssertion* assertion)
{
    if (!assertion)
        return WZ_END_ASSERTION;
    WZ_TRY(BeginImport(file, flag, "assertion", WZ_END_ASSERTION));
    return ReadAssertion(*file, *assertion);
}
