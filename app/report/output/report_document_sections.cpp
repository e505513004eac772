#include "report/output/report_document_sections.h"

#include <cstring>
#include <string_view>

#include "core/schema.h"
#include "core/temp_tree.h"
#include "records/source_record.h"

namespace {

// Fields of a stored record may fill their size without a terminating zero.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N])
{
    return std::string_view(field, strnlen(field, N));
}

template <std::size_t N, std::size_t M>
void CopyField(char (&to)[N], const char (&from)[M])
{
    const std::string_view text = FieldText(from).substr(0, N - 1);
    std::memset(to, 0, N);
    std::memcpy(to, text.data(), text.size());
}

// The columns of the cited-sources table: short title, title, author.
constexpr std::uint16_t CitedSourceWidths[] = {250, 800, 800};

} // namespace

ReportDocumentHeader DocumentHeaderFor(const ReportTypeHeader& type, const ReportSettings& settings)
{
    ReportDocumentHeader header;
    header.graphics = type.graphics;
    header.margins = type.noMargins == 0 ? 1 : 0;
    if (type.pageSize != 0) {
        header.pageFormat = 1;
        header.orientation = static_cast<std::uint16_t>(type.orientation);
        header.pageSize = static_cast<std::uint16_t>(type.pageSize);
    }
    header.pageNumbering = static_cast<std::uint32_t>(settings.PageNumbering);
    header.pageNumberAlignment = static_cast<std::uint16_t>(settings.PageNumberAlignment);
    header.personIndex = static_cast<std::uint32_t>(settings.PersonIndex);
    header.multicolumnIndex = static_cast<std::uint32_t>(settings.MulticolumnIndex);
    header.sourceIndex = static_cast<std::uint32_t>(settings.SourceIndex);
    return header;
}

ReportStyle StyleOf(const LogFont& font, std::int32_t points)
{
    ReportStyle style;
    CopyField(style.faceName, font.faceName);
    style.bold = font.weight >= 700 ? 1 : 0;
    style.italic = font.italic;
    style.underline = font.underline;
    style.strikeOut = font.strikeOut;
    style.size = static_cast<std::uint8_t>(points);
    return style;
}

bool WriteReportHeader(ReportDocumentWriter& writer, const ReportTypeHeader& type, const ReportSettings& settings)
{
    writer.WriteHeader(DocumentHeaderFor(type, settings));
    for (int font = ReportFontNormal; font <= ReportFontHeading4; ++font)
        writer.WriteStyle(StyleOf(settings.Fonts[font], settings.FontSizes[font]));
    return !writer.Failed();
}

bool WriteReportTitle(ReportDocumentWriter& writer, const char* expandedTitle, const ReportSettings& settings,
                      const DatabaseHeader& database)
{
    if (expandedTitle == nullptr || expandedTitle[0] == '\0')
        return !writer.Failed();
    TitleRecord title;
    title.color = settings.FontColors[ReportFontTitle];
    const std::string_view text = std::string_view(expandedTitle).substr(0, TitleFieldSize - 1);
    std::memcpy(title.title, text.data(), text.size());
    if (settings.Titlepage != 0) {
        CopyField(title.firstText, database.ownerName);
        CopyField(title.secondText, database.copyright);
    }
    return writer.WriteTitle(title);
}

bool WriteCitedSources(ReportDocumentWriter& writer, TempTree& cited, Database& database,
                       const ReportSettings& settings)
{
    std::uint32_t entry = cited.First();
    if (entry == 0)
        return !writer.Failed();
    writer.WriteCode(RecordNewPage);
    // The margins a new TABLE object of a script has.
    const ReportTable defaults(1, 1);
    TableHeader table;
    table.alignment = ReportAlignLeft;
    table.borderWidth = 0;
    table.columns = 3;
    table.leftMargin = defaults.marginLeft;
    table.topMargin = defaults.marginTop;
    table.rightMargin = defaults.marginRight;
    table.bottomMargin = defaults.marginBottom;
    std::memcpy(table.widths, CitedSourceWidths, sizeof CitedSourceWidths);
    writer.WriteTable(table);

    TextRunHeader run;
    run.alignment = ReportAlignLeft;
    run.color = settings.FontColors[ReportFontNormal];
    run.style = FontNormal;
    std::int32_t written = 0;
    for (; entry != 0 && !writer.Failed(); entry = cited.Next(entry)) {
        const auto id = static_cast<std::int32_t>(cited.GetValue1(entry));
        // The same source cited twice in a row.
        if (id == written)
            continue;
        written = id;
        SourceRecord source(database);
        if (source.Read(id) != 0 || source.Id() == 0)
            continue;
        for (std::string_view text :
             {FieldText(source.row.shortTitle), FieldText(source.row.title), FieldText(source.row.author)}) {
            writer.WriteCell(NoColor);
            writer.WriteTextRunHeader(run);
            writer.WriteTextAndEnd(text);
        }
    }
    return writer.WriteCode(RecordTableEnd);
}
