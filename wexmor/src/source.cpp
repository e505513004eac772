// Sources with their repository references, transcript and objects.
#include "accessors.h"
#include "elements.h"
#include "words.h"

using namespace wexmor;

WZ_LIFETIME(WZSource, Source)
WZ_NUMBER(WZSource, SourceId, id)
WZ_NUMBER(WZSource, SourceKind, kind)
WZ_NUMBER(WZSource, SourceMedia, media)
WZ_CODE(WZSource, SourceLang, lang)
WZ_TEXT(WZSource, SourceAuthor, author)
WZ_TEXT(WZSource, SourceTitle, title)
WZ_TEXT(WZSource, SourceShortTitle, shortTitle)
WZ_TEXT(WZSource, SourcePublished, published)
WZ_TEXT(WZSource, SourceIsbn, isbn)
WZ_TEXT(WZSource, SourceIssn, issn)
WZ_LIST(WZSource, AddSourceRepref, GetSourceFirstRepref, WZRepref, reprefs)
WZ_TEXT(WZSource, SourceText, text)
WZ_TEXT(WZSource, SourceNote, note)
WZ_TEXT(WZSource, SourceChange, change)

namespace {

// A coded attribute: 0 when absent or malformed, else the first word the value begins with.
int ReadWordAttribute(WexmorFile& file, const char* name, const WordTable& table, int& index, int error)
{
    char value[kAttributeSize];
    index = 0;
    if (ReadAttribute(file, value, name) != kRead)
        return 0;
    index = FindWordByPrefix(table, value);
    return index < 0 ? error : 0;
}

int ReadSource(WexmorFile& file, WZSource& source)
{
    WZ_TRY(ReadIdAttribute(file, "id", 'S', source.id));
    WZ_TRY(ReadWordAttribute(file, "class", kSourceClassWords, source.sourceClass, kErrorClass));
    WZ_TRY(ReadWordAttribute(file, "kind", kSourceKindWords, source.kind, kErrorSourceKind));
    WZ_TRY(ReadWordAttribute(file, "media", kSourceMediaWords, source.media, kErrorClass));
    if (!ReadLangAttribute(file, source.lang, sizeof source.lang))
        return kErrorLang;
    if (!MatchLiteral(file, ">", true))
        return kErrorSource;
    WZ_TRY(ReadRequiredText(file, source.author, "author", kErrorAuthor));
    WZ_TRY(ReadRequiredText(file, source.title, "title", kErrorTitle));
    WZ_TRY(ReadRequiredText(file, source.shortTitle, "shorttitle", kErrorShortTitle));
    WZ_TRY(ReadOptionalText(file, source.published, "published", kErrorPublished));
    WZ_TRY(ReadOptionalText(file, source.issn, "issn", kErrorIssn));
    WZ_TRY(ReadOptionalText(file, source.isbn, "isbn", kErrorIsbn));
    std::unique_ptr<WZRepref>* slot = &source.reprefs;
    while (IsStartTagNext(file, "repositoryref")) {
        WZ_TRY(ReadRepref(file, *slot));
        slot = &(*slot)->next;
    }
    WZ_TRY(ReadOptionalText(file, source.text, "text", kErrorText));
    if (IsStartTagNext(file, "object"))
        WZ_TRY(ReadObjects(file, source.objects));
    WZ_TRY(ReadOptionalText(file, source.note, "note", kErrorNote));
    WZ_TRY(ReadOptionalText(file, source.change, "change", kErrorChange));
    return MatchEndTag(file, "source") ? 0 : kErrorSource;
}

} // namespace

extern "C" int WZAPI SourceExport(WexmorFile* file, WZSource* source)
{
    if (!source)
        return WZ_EXPORT_NO_ID;
    WZ_TRY(BeginExport(file, kSourceSection, 11));
    WriteLiteral(*file, "<source");
    WriteIdAttribute(*file, "id", 'S', source->id);
    WriteWordAttribute(*file, "class", kSourceClassWords, source->sourceClass);
    WriteWordAttribute(*file, "kind", kSourceKindWords, source->kind);
    WriteWordAttribute(*file, "media", kSourceMediaWords, source->media);
    WriteLangAttribute(*file, source->lang);
    WriteLiteral(*file, ">");
    WriteTextElement(*file, "author", source->author);
    WriteTextElement(*file, "title", source->title);
    WriteTextElement(*file, "shorttitle", source->shortTitle);
    WriteOptionalText(*file, "published", source->published);
    if (!source->isbn.Empty())
        WriteTextElement(*file, "isbn", source->isbn);
    else
        WriteOptionalText(*file, "issn", source->issn);
    // Every reference is written; the reader takes them all.
    for (const WZRepref* repref = source->reprefs.get(); repref; repref = repref->next.get())
        WriteRepref(*file, *repref);
    WriteOptionalText(*file, "text", source->text);
    WriteObjects(*file, source->objects.get());
    WriteOptionalText(*file, "note", source->note);
    WriteOptionalText(*file, "change", source->change);
    WriteLiteral(*file, "</source>");
    return EndExport(*file, kSourceSection);
}

extern "C" int WZAPI SourceImport(WexmorFile* file, int flag, WZSource* source)
{
    if (!source)
        return WZ_END_SOURCE;
    WZ_TRY(BeginImport(file, flag, "source", WZ_END_SOURCE));
    return ReadSource(*file, *source);
}
