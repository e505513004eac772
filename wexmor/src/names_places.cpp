// Structured personal names and places.
#include "accessors.h"
#include "elements.h"
#include "parts.h"

using namespace wexmor;

WZ_LIFETIME(WZName, Name)
WZ_CODE(WZName, NameLang, lang)

WZ_LIFETIME(WZPlace, Place)
WZ_CODE(WZPlace, PlaceLang, lang)
WZ_TEXT(WZPlace, PlacePrefix, prefix)
WZ_RECORD(WZPlace, PlaceDate, WZDate, date)
WZ_TEXT(WZPlace, PlaceLongitude, longitude)
WZ_TEXT(WZPlace, PlaceLatitude, latitude)

namespace {

const int kUnknownNamePart = 1;
const int kUnknownPlacePart = 1;

// Walks a part list: the type of the part at the cursor (by its code, or the unknown type), 0 at the end.
int NextPart(WexmorText& parts, size_t& cursor, int continueReading, const char* tag, const WordTable& codes,
             int unknownType, char* buffer, int size)
{
    if (!continueReading)
        cursor = 0;
    ParsedPart part;
    if (!ParsePart(parts, cursor, tag, part))
        return 0;
    int type = unknownType;
    if (part.hasCode) {
        int index = FindCodeByPrefix(codes, part.code, part.codeLength);
        if (index >= 0)
            type = index + 1;
    }
    CopyPartText(part, buffer, size);
    cursor = part.end;
    return type;
}

} // namespace

extern "C" void WZAPI AddNamePart(const char* text, int type, WZName* name)
{
    if (!name)
        return;
    // Type 0 and types outside the table are written as the unknown type.
    const char* code = WordAt(kNamePartCodes, type - 1);
    AppendPart(name->parts, "np", code ? code : WordAt(kNamePartCodes, kUnknownNamePart - 1), text);
}

extern "C" int WZAPI GetNamePart(char* buffer, int size, int continueReading, WZName* name)
{
    if (!name)
        return 0;
    return NextPart(name->parts, name->cursor, continueReading, "np", kNamePartCodes, kUnknownNamePart, buffer, size);
}

extern "C" void WZAPI AddPlacePart(const char* text, int type, WZPlace* place)
{
    if (place)
        AppendPart(place->parts, "pnp", WordAt(kPlacePartWords, type - 1), text);
}

extern "C" int WZAPI GetPlacePart(char* buffer, int size, int continueReading, WZPlace* place)
{
    if (!place)
        return 0;
    return NextPart(place->parts, place->cursor, continueReading, "pnp", kPlacePartWords, kUnknownPlacePart, buffer,
                    size);
}

namespace wexmor {

void WriteName(WexmorFile& file, const WZName& name)
{
    WriteLiteral(file, "<personalname");
    WriteLangAttribute(file, name.lang);
    WriteLiteral(file, ">");
    WriteLiteral(file, name.parts.Read());
    WriteLiteral(file, "</personalname>");
}

int ReadName(WexmorFile& file, std::unique_ptr<WZName>& slot)
{
    WZName* name = NewInto(slot);
    if (!name)
        return kNoMemory;
    if (!MatchStartTag(file, "personalname", true))
        return kErrorName;
    ReadLangAttribute(file, name->lang, sizeof name->lang);
    if (!MatchLiteral(file, ">", true))
        return kErrorName;
    while (IsStartTagNext(file, "np"))
        if (!AppendRawPart(file, name->parts))
            return kErrorNamePart;
    return MatchEndTag(file, "personalname") ? 0 : kErrorName;
}

void WritePlace(WexmorFile& file, const WZPlace& place)
{
    WriteLiteral(file, "<place");
    WriteLangAttribute(file, place.lang);
    WriteLiteral(file, ">");
    WriteOptionalText(file, "prefix", place.prefix);
    WriteLiteral(file, place.parts.Read());
    if (place.date)
        WriteDate(file, *place.date);
    if (!place.longitude.Empty() && !place.latitude.Empty()) {
        WriteLiteral(file, "<coords>");
        WriteTextElement(file, "lo", place.longitude);
        WriteTextElement(file, "la", place.latitude);
        WriteLiteral(file, "</coords>");
    }
    WriteLiteral(file, "</place>");
}

int ReadPlace(WexmorFile& file, std::unique_ptr<WZPlace>& slot)
{
    WZPlace* place = NewInto(slot);
    if (!place)
        return kNoMemory;
    if (!MatchStartTag(file, "place", true))
        return kErrorPlace;
    ReadLangAttribute(file, place->lang, sizeof place->lang);
    if (!MatchLiteral(file, ">", true))
        return kErrorPlace;
    if (int error = ReadOptionalText(file, place->prefix, "prefix", kErrorPlacePrefix))
        return error;
    while (IsStartTagNext(file, "pnp"))
        if (!AppendRawPart(file, place->parts))
            return kErrorPlacePart;
    if (IsStartTagNext(file, "date"))
        if (int error = ReadDate(file, place->date))
            return error;
    if (OpenPlainElement(file, "coords")) {
        if (ReadRequiredText(file, place->longitude, "lo", kErrorLongitude))
            return kErrorLongitude;
        if (ReadRequiredText(file, place->latitude, "la", kErrorLatitude))
            return kErrorLatitude;
        if (!MatchEndTag(file, "coords"))
            return kErrorPlace;
    }
    return MatchEndTag(file, "place") ? 0 : kErrorPlace;
}

} // namespace wexmor
