// The file and header elements: the format version and level, the exporting system and the owner.
#include "accessors.h"
#include "elements.h"

using namespace wexmor;

WZ_LIFETIME(WZHeader, Header)
WZ_NUMBER(WZHeader, HeaderLevel, level)
WZ_TEXT(WZHeader, HeaderExportingSystem, exportingSystem)
WZ_TEXT(WZHeader, HeaderVersion, version)
WZ_TEXT(WZHeader, HeaderExportedDate, exported)
WZ_CODE(WZHeader, HeaderLanguage, language)
WZ_TEXT(WZHeader, HeaderOwnerName, ownerName)
WZ_TEXT(WZHeader, HeaderOwnerEmail, ownerEmail)
WZ_TEXT(WZHeader, HeaderOwnerURI, ownerUri)
WZ_TEXT(WZHeader, HeaderCopyright, copyright)
WZ_TEXT(WZHeader, HeaderNote, note)
WZ_TEXT(WZHeader, HeaderChange, change)

namespace {

const int kFormatVersion = 200;

int ReadHeader(WexmorFile& file, WZHeader& header)
{
    int32_t number = 0;
    if (ReadIntElement(file, number, "version") != kRead)
        return kErrorVersion;
    header.wzVersion = number;
    if (ReadIntElement(file, number, "level") != kRead)
        return kErrorLevel;
    header.level = number;
    if (!MatchEndTag(file, "file"))
        return kErrorFile;
    if (!OpenPlainElement(file, "header"))
        return kErrorHeader;
    WZ_TRY(ReadRequiredText(file, header.exportingSystem, "exportingsystem", kErrorExportingSystem));
    WZ_TRY(ReadRequiredText(file, header.version, "version", kErrorVersion));
    WZ_TRY(ReadRequiredText(file, header.exported, "exported", kErrorExported));
    if (ReadCodeElement(file, header.language, sizeof header.language, "language") == kMalformed)
        return kErrorLanguage;
    if (OpenPlainElement(file, "owner")) {
        WZ_TRY(ReadRequiredText(file, header.ownerName, "name", kErrorName));
        if (IsStartTagNext(file, "address"))
            WZ_TRY(ReadAddress(file, header.ownerAddress));
        WZ_TRY(ReadOptionalText(file, header.ownerEmail, "email", kErrorEmail));
        WZ_TRY(ReadOptionalText(file, header.ownerUri, "uri", kErrorUri));
        if (!MatchEndTag(file, "owner"))
            return kErrorHeader;
    }
    WZ_TRY(ReadOptionalText(file, header.copyright, "copyright", kErrorCopyright));
    WZ_TRY(ReadOptionalText(file, header.note, "note", kErrorNote));
    WZ_TRY(ReadOptionalText(file, header.change, "change", kErrorChange));
    return MatchEndTag(file, "header") ? 0 : kErrorHeader;
}

} // namespace

extern "C" void WZAPI SetHeaderWZVersion(int, WZHeader* header)
{
    if (header)
        header->wzVersion = kFormatVersion;
}

extern "C" int WZAPI GetHeaderWZVersion(WZHeader* header)
{
    return header ? header->wzVersion : 0;
}

extern "C" void WZAPI SetHeaderOwnerAddress(WZAddress* address, WZHeader* header)
{
    if (!header || !address)
        return;
    if (!header->ownerAddress)
        header->ownerAddress.reset(new (std::nothrow) WZAddress);
    if (header->ownerAddress)
        CopyFields(*header->ownerAddress, *address);
}

extern "C" WZAddress* WZAPI GetHeaderOwnerAddress(WZHeader* header)
{
    return header ? header->ownerAddress.get() : nullptr;
}

extern "C" int WZAPI HeaderExport(WexmorFile* file, WZHeader* header)
{
    if (!header)
        return WZ_EXPORT_NO_ID;
    WZ_TRY(BeginExport(file, kHeaderSection, WZ_EXPORT_HEADER_TWICE));
    WriteLiteral(*file, "<file>");
    WriteNumberElement(*file, "version", kFormatVersion);
    WriteNumberElement(*file, "level", header->level);
    WriteLiteral(*file, "</file><header>");
    WriteTextElement(*file, "exportingsystem", header->exportingSystem);
    WriteTextElement(*file, "version", header->version);
    WriteTextElement(*file, "exported", header->exported);
    if (header->language[0])
        WriteCodeElement(*file, "language", header->language);
    if (!header->ownerName.Empty()) {
        WriteLiteral(*file, "<owner>");
        WriteTextElement(*file, "name", header->ownerName);
        if (header->ownerAddress)
            WriteAddress(*file, *header->ownerAddress);
        WriteOptionalText(*file, "email", header->ownerEmail);
        WriteOptionalText(*file, "uri", header->ownerUri);
        WriteLiteral(*file, "</owner>");
    }
    WriteOptionalText(*file, "copyright", header->copyright);
    WriteOptionalText(*file, "note", header->note);
    WriteOptionalText(*file, "change", header->change);
    WriteLiteral(*file, "</header>");
    return EndExport(*file, kHeaderSection);
}

extern "C" int WZAPI HeaderImport(WexmorFile* file, int flag, WZHeader* header)
{
    if (!file || !file->data || !header)
        return flag == WZ_SEEK ? WZ_END_HEADER_SEEK : WZ_END_HEADER;
    if (flag == WZ_SEEK)
        LoadRest(*file);
    else
        LoadElement(*file, "file");
    file->elementStart = file->pos;
    if (flag == WZ_SEEK && !SeekTag(*file, "<file>"))
        return WZ_END_HEADER_SEEK;
    if (!OpenPlainElement(*file, "file"))
        return WZ_END_HEADER;
    return ReadHeader(*file, *header);
}
