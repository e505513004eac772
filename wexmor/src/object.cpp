// Media objects: file names, the content in Base64, title and note; objects form a list.
#include "accessors.h"
#include "base64.h"
#include "elements.h"

using namespace wexmor;

WZ_LIFETIME(WZObject, Object)
WZ_CODE(WZObject, ObjectLang, lang)
WZ_TEXT(WZObject, ObjectExtFile, extFile)
WZ_TEXT(WZObject, ObjectOrgFile, orgFile)
WZ_TEXT(WZObject, ObjectTitle, title)
WZ_TEXT(WZObject, ObjectNote, note)
WZ_NEXT(WZObject, Object)

extern "C" void WZAPI SetObjectBin(const unsigned char* data, int length, WZObject* object)
{
    if (object && data && length > 0)
        AppendBase64(object->bin, data, static_cast<size_t>(length));
}

extern "C" const unsigned char* WZAPI GetObjectBin(WZObject* object)
{
    return object ? object->content.get() : nullptr;
}

extern "C" int WZAPI GetObjectSize(WZObject* object)
{
    return object ? object->contentSize : 0;
}

namespace wexmor {

namespace {

int ReadObject(WexmorFile& file, WZObject& object)
{
    if (!MatchStartTag(file, "object", true))
        return kErrorObject;
    ReadLangAttribute(file, object.lang, sizeof object.lang);
    if (!MatchLiteral(file, ">", true))
        return kErrorObject;
    if (int error = ReadOptionalText(file, object.extFile, "externalfile", kErrorExternalFile))
        return error;
    if (int error = ReadOptionalText(file, object.orgFile, "originalfile", kErrorOriginalFile))
        return error;
    switch (ReadRawTextElement(file, object.bin, "bin")) {
    case kMalformed:
        return kErrorBin;
    case kAbsent:
        break;
    case kRead: {
        size_t count = 0;
        if (!DecodeBase64(object.bin.Read(), object.bin.Length(), object.content, count)) {
            object.content.reset();
            return kErrorBin;
        }
        object.contentSize = static_cast<int>(count);
        break;
    }
    }
    if (ReadRequiredText(file, object.title, "title", kErrorTitle))
        return kErrorTitle;
    if (int error = ReadOptionalText(file, object.note, "note", kErrorNote))
        return error;
    return MatchEndTag(file, "object") ? 0 : kErrorObject;
}

} // namespace

void WriteObjects(WexmorFile& file, const WZObject* object)
{
    for (; object; object = object->next.get()) {
        WriteLiteral(file, "<object");
        WriteLangAttribute(file, object->lang);
        WriteLiteral(file, ">");
        if (!object->extFile.Empty()) {
            WriteTextElement(file, "externalfile", object->extFile);
        } else {
            WriteTextElement(file, "originalfile", object->orgFile);
            WriteTextElement(file, "bin", object->bin);
        }
        WriteTextElement(file, "title", object->title);
        WriteOptionalText(file, "note", object->note);
        WriteLiteral(file, "</object>");
    }
}

int ReadObjects(WexmorFile& file, std::unique_ptr<WZObject>& first)
{
    std::unique_ptr<WZObject>* slot = &first;
    do {
        WZObject* object = NewInto(*slot);
        if (!object)
            return kNoMemory;
        if (int error = ReadObject(file, *object))
            return error;
        slot = &object->next;
    } while (IsStartTagNext(file, "object"));
    return 0;
}

} // namespace wexmor
