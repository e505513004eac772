// Excerpts: quotations from a source with page and quality.
#include "accessors.h"
#include "elements.h"

using namespace wexmor;

WZ_LIFETIME(WZExcerpt, Excerpt)
WZ_NUMBER(WZExcerpt, ExcerptId, id)
WZ_CODE(WZExcerpt, ExcerptLang, lang)
WZ_TEXT(WZExcerpt, ExcerptText, text)
WZ_NUMBER(WZExcerpt, ExcerptQuality, quality)
WZ_TEXT(WZExcerpt, ExcerptPage, page)
WZ_NUMBER(WZExcerpt, ExcerptSourceref, sourceref)
WZ_TEXT(WZExcerpt, ExcerptNote, note)
WZ_TEXT(WZExcerpt, ExcerptChange, change)

namespace {

int ReadExcerpt(WexmorFile& file, WZExcerpt& excerpt)
{
    WZ_TRY(ReadIdAttribute(file, "id", 'X', excerpt.id));
    if (!ReadLangAttribute(file, excerpt.lang, sizeof excerpt.lang))
        return kErrorLang;
    if (!MatchLiteral(file, ">", true))
        return kErrorExcerpt;
    WZ_TRY(ReadOptionalText(file, excerpt.text, "text", kErrorText));
    int32_t quality = 0;
    switch (ReadIntElement(file, quality, "quality")) {
    case kMalformed:
        return kErrorQuality;
    case kRead:
        excerpt.quality = static_cast<signed char>(quality & 0xFF);
        break;
    case kAbsent:
        break;
    }
    WZ_TRY(ReadOptionalText(file, excerpt.page, "page", kErrorPage));
    char value[kAttributeSize];
    int32_t source = 0;
    if (ReadCodeElement(file, value, sizeof value, "sourceref") != kRead || !ParseLetteredId(value, 'S', source))
        return kErrorSourceRef;
    excerpt.sourceref = source;
    WZ_TRY(ReadOptionalText(file, excerpt.note, "note", kErrorNote));
    WZ_TRY(ReadOptionalText(file, excerpt.change, "change", kErrorChange));
    return MatchEndTag(file, "excerpt") ? 0 : kErrorExcerpt;
}

} // namespace

extern "C" int WZAPI ExcerptExport(WexmorFile* file, WZExcerpt* excerpt)
{
    if (!excerpt)
        return WZ_EXPORT_NO_ID;
    WZ_TRY(BeginExport(file, kExcerptSection, 13));
    WriteLiteral(*file, "<excerpt");
    WriteIdAttribute(*file, "id", 'X', excerpt->id);
    WriteLangAttribute(*file, excerpt->lang);
    WriteLiteral(*file, ">");
    WriteTextElement(*file, "text", excerpt->text);
    if (excerpt->quality >= 0)
        WriteNumberElement(*file, "quality", excerpt->quality);
    WriteTextElement(*file, "page", excerpt->page);
    char sourceref[24];
    std::snprintf(sourceref, sizeof sourceref, "S%d", excerpt->sourceref);
    WriteCodeElement(*file, "sourceref", sourceref);
    WriteOptionalText(*file, "note", excerpt->note);
    WriteOptionalText(*file, "change", excerpt->change);
    WriteLiteral(*file, "</excerpt>");
    return EndExport(*file, kExcerptSection);
}

extern "C" int WZAPI ExcerptImport(WexmorFile* file, int flag, WZExcerpt* excerpt)
{
    if (!excerpt)
        return WZ_END_EXCERPT;
    WZ_TRY(BeginImport(file, flag, "excerpt", WZ_END_EXCERPT));
    return ReadExcerpt(*file, *excerpt);
}
