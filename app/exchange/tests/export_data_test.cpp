// The export wizard's decisions without windows: extensions, the file dialog's filter, the finish text,
// which page follows which, and the include flags a format offers.
#include <gtest/gtest.h>

#include <string>

#include "exchange/export_data.h"

namespace {

TEST(ExportData, FormatChangesOnlyTheExtension)
{
    EXPECT_EQ(PathWithFormatExtension("C:\\Data\\family.ged", ExportFormatCsv), "C:\\Data\\family.csv");
    EXPECT_EQ(PathWithFormatExtension("C:\\Data\\family", ExportFormatGedcom55), "C:\\Data\\family.ged");
    // A dot in a folder's name is no extension.
    EXPECT_EQ(PathWithFormatExtension("C:\\my.data\\family", ExportFormatWexmor20), "C:\\my.data\\family.wmx");
    EXPECT_EQ(PathWithFormatExtension("C:\\Data\\a.b.htm", ExportFormatGedml), "C:\\Data\\a.b.xml");
    EXPECT_EQ(PathWithFormatExtension("", ExportFormatCsv), "");
    const std::string longPath(300, 'x');
    EXPECT_EQ(PathWithFormatExtension(longPath, ExportFormatHtml).size(), ExportPathSize - 1);
}

TEST(ExportData, FilterTextBecomesPairs)
{
    EXPECT_EQ(FileDialogFilter("GEDCOM files (*.ged)|*.ged|"), std::string("GEDCOM files (*.ged)\0*.ged\0\0", 28));
    EXPECT_EQ(FileDialogFilter(""), "");
}

TEST(ExportData, FinishTextIsFilledSafely)
{
    EXPECT_EQ(FormatFinishText("Export to %s now.", "C:\\Data\\family.ged"), "Export to family.ged now.");
    // A translator's text with other conversions is shown as it stands, never read as printf arguments.
    EXPECT_EQ(FormatFinishText("%d%% of %s %s %n", "a\\b.ged"), "%d% of b.ged %s %n");
    EXPECT_EQ(FormatFinishText(std::string(300, 'y') + "%s", "x.ged").size(), 255u);
}

TEST(ExportData, NavigationFollowsTheFormat)
{
    EXPECT_EQ(NextExportPage(ExportPageFormat, ExportFormatCsv), ExportPageCsvData);
    EXPECT_EQ(NextExportPage(ExportPageFormat, ExportFormatGedcom55), ExportPageData);
    EXPECT_EQ(NextExportPage(ExportPageCsvData, ExportFormatCsv), ExportPageCsvDetails);
    EXPECT_EQ(NextExportPage(ExportPageCsvDetails, ExportFormatCsv), ExportPageFinish);
    for (std::uint32_t format : {ExportFormatGedcom551, ExportFormatGedcom55, ExportFormatGedcom4}) {
        EXPECT_EQ(NextExportPage(ExportPageData, format), ExportPageGedcom);
        EXPECT_EQ(PreviousExportPage(ExportPageFinish, format), ExportPageGedcom);
    }
    EXPECT_EQ(NextExportPage(ExportPageData, ExportFormatWexmor20), ExportPageFinish);
    EXPECT_EQ(NextExportPage(ExportPageGedcom, ExportFormatGedcom55), ExportPageFinish);
    EXPECT_EQ(PreviousExportPage(ExportPageFinish, ExportFormatCsv), ExportPageCsvDetails);
    EXPECT_EQ(PreviousExportPage(ExportPageFinish, ExportFormatHtml), ExportPageData);
    EXPECT_EQ(PreviousExportPage(ExportPageGedcom, ExportFormatGedcom4), ExportPageData);
    EXPECT_EQ(PreviousExportPage(ExportPageData, ExportFormatGedml), ExportPageFormat);
    EXPECT_EQ(PreviousExportPage(ExportPageCsvDetails, ExportFormatCsv), ExportPageCsvData);
}

TEST(ExportData, IncludesOfferedByFormat)
{
    for (int include = 0; include < ExportIncludeCount; ++include) {
        EXPECT_FALSE(ExportIncludeOffered(ExportFormatGedcom4, include));
        EXPECT_TRUE(ExportIncludeOffered(ExportFormatWexmor20, include));
        EXPECT_TRUE(ExportIncludeOffered(ExportFormatGedcom551, include));
    }
    EXPECT_FALSE(ExportIncludeOffered(ExportFormatGedcom55, ExportIncludeResearch));
    EXPECT_TRUE(ExportIncludeOffered(ExportFormatGedcom55, ExportIncludeObjects));
    EXPECT_FALSE(ExportIncludeOffered(ExportFormatGedcom6Xml, ExportIncludeObjects));
    EXPECT_TRUE(ExportIncludeOffered(ExportFormatGedcom6Xml, ExportIncludeSources));
    // Ticked for GEDCOM 5.5, then GEDCOM 4 chosen: nothing is left for a writer that cannot honour it.
    ExportWizardData block;
    block.includeSources = block.includeRepositories = block.includeObjects = 1;
    block.format = ExportFormatGedcom4;
    ClearUnofferedIncludes(block);
    EXPECT_EQ(block.includeSources + block.includeRepositories + block.includeObjects, 0u);
}

TEST(ExportData, CsvColumnsMoveBetweenTheLists)
{
    ExportWizardData block;
    for (std::uint32_t column = 0; column < 4; ++column)
        block.csvAvailableColumns[block.csvAvailableCount++] = column;
    EXPECT_TRUE(SelectCsvColumn(block, 1));
    EXPECT_TRUE(SelectCsvColumn(block, 2)); // column 3, after the move up
    EXPECT_FALSE(SelectCsvColumn(block, 2));
    ASSERT_EQ(block.csvAvailableCount, 2);
    EXPECT_EQ(block.csvAvailableColumns[0], 0u);
    EXPECT_EQ(block.csvAvailableColumns[1], 2u);
    ASSERT_EQ(block.csvSelectedCount, 2);
    EXPECT_EQ(block.csvSelectedColumns[0], 1u);
    EXPECT_EQ(block.csvSelectedColumns[1], 3u);
    EXPECT_FALSE(MoveCsvColumn(block, 0, true));
    EXPECT_FALSE(MoveCsvColumn(block, 1, false));
    EXPECT_TRUE(MoveCsvColumn(block, 1, true));
    EXPECT_EQ(block.csvSelectedColumns[0], 3u);
    EXPECT_TRUE(UnselectCsvColumn(block, 0));
    EXPECT_EQ(block.csvAvailableColumns[2], 3u);
    EXPECT_EQ(block.csvSelectedCount, 1);
    // Another record kind discards the choice.
    ChooseCsvRecordKind(block, 2);
    EXPECT_EQ(block.csvRecordKind, 2u);
    EXPECT_EQ(block.csvAvailableCount + block.csvSelectedCount, 0);
}

TEST(ExportData, InitialValues)
{
    ExportWizardData block;
    block.format = ExportFormatCsv;
    block.outputPath[0] = 'x';
    InitExportWizardData(block);
    EXPECT_EQ(block.format, ExportFormatWexmor20);
    EXPECT_EQ(block.outputPath[0], '\0');
    EXPECT_EQ(block.csvDelimiter, ',');
    EXPECT_EQ(block.gedcomAttachments, GedcomAttachmentsExternal);
    EXPECT_EQ(block.csvHeaderRow, 1u);
    EXPECT_STREQ(ExportFormatKey(ExportFormatGedcom55), "EXPORT_FORMAT_GEDCOM55");
    EXPECT_STREQ(ExportFormatFilterKey(ExportFormatGedml), "EXPORT_FORMAT_XMLFILTER");
    EXPECT_STREQ(ExportFormatKey(9), "");
}

} // namespace
