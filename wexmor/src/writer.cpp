// The low-level writer. Pieces go to the stream as they are produced; each record is flushed when it is
// complete, so that a failing write (a full disk) is reported by the export that met it.
#include <cstring>

#include "file.h"
#include "wexmor.h"

namespace wexmor {

void WriteBytes(WexmorFile& file, const char* bytes, size_t count)
{
    if (!file.stream || count == 0)
        return;
    if (std::fwrite(bytes, 1, count, file.stream) != count)
        file.writeFailed = true;
}

void WriteLiteral(WexmorFile& file, const char* text)
{
    WriteBytes(file, text, std::strlen(text));
}

void WriteEscaped(WexmorFile& file, const char* text)
{
    const char* run = text;
    for (const char* p = text; *p; ++p) {
        const char* entity = EntityFor(*p);
        if (!entity)
            continue;
        WriteBytes(file, run, static_cast<size_t>(p - run));
        WriteLiteral(file, entity);
        run = p + 1;
    }
    WriteLiteral(file, run);
}

void WriteNumber(WexmorFile& file, long long value)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%lld", value);
    WriteLiteral(file, digits);
}

void WriteAttribute(WexmorFile& file, const char* name, const char* value)
{
    WriteLiteral(file, " ");
    WriteLiteral(file, name);
    WriteLiteral(file, "=\"");
    WriteEscaped(file, value);
    WriteLiteral(file, "\"");
}

void WriteIdAttribute(WexmorFile& file, const char* name, char letter, int id)
{
    char value[24];
    std::snprintf(value, sizeof value, "%c%d", letter, id);
    WriteAttribute(file, name, value);
}

static void WriteStartTag(WexmorFile& file, const char* name)
{
    WriteLiteral(file, "<");
    WriteLiteral(file, name);
    WriteLiteral(file, ">");
}

void WriteEndTag(WexmorFile& file, const char* name)
{
    WriteLiteral(file, "</");
    WriteLiteral(file, name);
    WriteLiteral(file, ">");
}

void WriteTextElement(WexmorFile& file, const char* name, const WexmorText& text)
{
    WriteStartTag(file, name);
    WriteEscaped(file, text.Read());
    WriteEndTag(file, name);
}

void WriteOptionalText(WexmorFile& file, const char* name, const WexmorText& text)
{
    if (!text.Empty())
        WriteTextElement(file, name, text);
}

void WriteCodeElement(WexmorFile& file, const char* name, const char* content)
{
    WriteStartTag(file, name);
    WriteEscaped(file, content);
    WriteEndTag(file, name);
}

void WriteNumberElement(WexmorFile& file, const char* name, long long value)
{
    WriteStartTag(file, name);
    WriteNumber(file, value);
    WriteEndTag(file, name);
}

int BeginExport(WexmorFile* file, Section section, int orderCode)
{
    if (!file || !file->writing)
        return WZ_EXPORT_NOT_WRITING;
    if (file->writeFailed)
        return WZ_EXPORT_WRITE_FAILED;
    if (section == kHeaderSection)
        return file->stage >= kHeaderSection ? WZ_EXPORT_HEADER_TWICE : 0;
    if (file->stage < kHeaderSection)
        return WZ_EXPORT_NO_HEADER;
    if (file->stage > section)
        return orderCode;
    return 0;
}

int EndExport(WexmorFile& file, Section section)
{
    if (std::fflush(file.stream) != 0 || std::ferror(file.stream))
        file.writeFailed = true;
    if (file.writeFailed)
        return WZ_EXPORT_WRITE_FAILED;
    if (section > kHeaderSection)
        ++file.counts[section - kRepositorySection];
    file.stage = section;
    return 0;
}

} // namespace wexmor
