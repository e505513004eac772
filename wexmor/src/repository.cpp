// Repositories: archives and libraries that hold sources.
#include "accessors.h"
#include "elements.h"

using namespace wexmor;

WZ_LIFETIME(WZRepository, Repository)
WZ_NUMBER(WZRepository, RepositoryId, id)
WZ_CODE(WZRepository, RepositoryLang, lang)
WZ_TEXT(WZRepository, RepositoryName, name)
WZ_RECORD(WZRepository, RepositoryAddress, WZAddress, address)
WZ_TEXT(WZRepository, RepositoryEmail, email)
WZ_TEXT(WZRepository, RepositoryURI, uri)
WZ_TEXT(WZRepository, RepositoryNote, note)
WZ_TEXT(WZRepository, RepositoryChange, change)

namespace {

int ReadRepository(WexmorFile& file, WZRepository& repository)
{
    WZ_TRY(ReadIdAttribute(file, "id", 'R', repository.id));
    if (!ReadLangAttribute(file, repository.lang, sizeof repository.lang))
        return kErrorLang;
    if (!MatchLiteral(file, ">", true))
        return kErrorRepository;
    WZ_TRY(ReadRequiredText(file, repository.name, "name", kErrorName));
    if (IsStartTagNext(file, "address"))
        WZ_TRY(ReadAddress(file, repository.address));
    WZ_TRY(ReadOptionalText(file, repository.email, "email", kErrorEmail));
    WZ_TRY(ReadOptionalText(file, repository.uri, "uri", kErrorUri));
    WZ_TRY(ReadOptionalText(file, repository.note, "note", kErrorNote));
    WZ_TRY(ReadOptionalText(file, repository.change, "change", kErrorChange));
    return MatchEndTag(file, "repository") ? 0 : kErrorRepository;
}

} // namespace

extern "C" int WZAPI RepositoryExport(WexmorFile* file, WZRepository* repository)
{
    if (!repository)
        return WZ_EXPORT_NO_ID;
    WZ_TRY(BeginExport(file, kRepositorySection, WZ_EXPORT_REPOSITORY_ORDER));
    WriteLiteral(*file, "<repository");
    WriteIdAttribute(*file, "id", 'R', repository->id);
    WriteLangAttribute(*file, repository->lang);
    WriteLiteral(*file, ">");
    WriteTextElement(*file, "name", repository->name);
    if (repository->address)
        WriteAddress(*file, *repository->address);
    WriteOptionalText(*file, "email", repository->email);
    WriteOptionalText(*file, "uri", repository->uri);
    WriteOptionalText(*file, "note", repository->note);
    WriteOptionalText(*file, "change", repository->change);
    WriteLiteral(*file, "</repository>");
    return EndExport(*file, kRepositorySection);
}

extern "C" int WZAPI RepositoryImport(WexmorFile* file, int flag, WZRepository* repository)
{
    if (!repository)
        return WZ_END_REPOSITORY;
    WZ_TRY(BeginImport(file, flag, "repository", WZ_END_REPOSITORY));
    return ReadRepository(*file, *repository);
}
