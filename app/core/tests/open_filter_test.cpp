// The File/Open filter built from language texts.
#include "core/open_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(OpenFilter, JoinsWholePairsAndEndsInTwoNuls)
{
    EXPECT_EQ(BuildOpenFilter({"All files|*.vdb;*.rpt|", "Databases|*.vdb|"}),
              "All files\0*.vdb;*.rpt\0Databases\0*.vdb\0\0"s);
}

TEST(OpenFilter, EachTextKeepsItsOwnSeparator)
{
    EXPECT_EQ(BuildOpenFilter({"Backups#*.vbk#", "GEDCOM|*.ged|"}), "Backups\0*.vbk\0GEDCOM\0*.ged\0\0"s);
}

TEST(OpenFilter, DropsUnpairedPiecesAndKeepsLongLists)
{
    EXPECT_EQ(BuildOpenFilter({"Timelines|*.vtl|Orphan|", ""}), "Timelines\0*.vtl\0\0"s);
    EXPECT_EQ(BuildOpenFilter({}), "\0\0"s);
    // Far beyond 256 characters nothing is lost.
    std::string description(300, 'd');
    std::string filter = BuildOpenFilter({description + "|*.x|", "Y|*.y|"});
    EXPECT_EQ(filter, description + "\0*.x\0Y\0*.y\0\0"s);
}

} // namespace
