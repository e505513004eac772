// PICTURE taken from media objects, the framed texts' colour, SYSTEM's time and CHART's values.
#include "report/language/report_objects.h"

#include <gtest/gtest.h>

#include <string>

#include "records/media_record.h"
#include "report/language/tests/test_host.h"
#include "tests/support/test_database.h"

namespace {

using report_test::TestHost;

TEST(ReportPicture, TakesOnlyPictureFilesOfMediaObjects)
{
    test_support::TestDatabase db;
    const struct {
        const char* fileName;
        bool accepted;
        const char* extension;
    } cases[] = {
        {"photo.JPG", true, "JPG"}, {"scan.tiff", true, "tiff"},   {"x.Icon", true, "Icon"},
        {"a.b.png", true, "png"},   {"photo.jpeg.txt", false, ""}, {"noextension", false, ""},
        {"clip.mpeg", false, ""},   {"pic.", false, ""},           {"letter.doc", false, ""},
    };
    const unsigned char bytes[] = {1, 2, 3, 4, 5};
    for (const auto& c : cases) {
        MediaRecord media(*db);
        media.SetFileName(c.fileName);
        media.SetDescription("the caption");
        media.SetData(bytes, sizeof bytes);
        ReportPicture picture;
        picture.SetCaption("old");
        picture.SetFromMedia(media);
        EXPECT_EQ(picture.HasImage(), c.accepted) << c.fileName;
        EXPECT_STREQ(picture.Extension(), c.extension) << c.fileName;
        if (c.accepted) {
            ASSERT_EQ(picture.ImageSize(), sizeof bytes);
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(picture.Image()), 5),
                      std::string(reinterpret_cast<const char*>(bytes), 5));
            EXPECT_STREQ(picture.Caption(), "the caption");
        } else {
            EXPECT_EQ(picture.ImageSize(), 0u);
            EXPECT_EQ(picture.Caption(), nullptr);
        }
    }
}

TEST(ReportPicture, StartsEmptyWithItsDefaults)
{
    ReportPicture picture;
    EXPECT_FALSE(picture.HasImage());
    EXPECT_EQ(picture.resize, 1);
    EXPECT_EQ(picture.maxWidth, 1000);
    EXPECT_EQ(picture.maxHeight, 1000);
    EXPECT_STREQ(picture.Extension(), "");
}

TEST(ReportFramedText, TakesTheNormalColourAtConstruction)
{
    TestHost host;
    host.normalColour = 0x0000FF;
    ReportTextBox before(host);
    host.normalColour = 0x00FF00;
    ReportTextBox after(host);
    ReportSector sector(host);
    EXPECT_EQ(before.textColour, 0x0000FFu);
    EXPECT_EQ(after.textColour, 0x00FF00u);
    EXPECT_EQ(sector.textColour, 0x00FF00u);
    EXPECT_EQ(after.align, 1);
    EXPECT_EQ(after.backgroundColour, -1);
    EXPECT_EQ(sector.outerRadius, 0);
    EXPECT_EQ(after.Text(), nullptr);
    after.SetText("framed");
    EXPECT_STREQ(after.Text(), "framed");
}

TEST(ReportSystem, KeepsTheTimeItWasMadeAt)
{
    TestHost host;
    ReportSystem system(host);
    host.now.year = 2030;
    EXPECT_EQ(system.Time().year, 2026);
    EXPECT_EQ(system.Time().day, 11);
    EXPECT_EQ(system.Time().second, 15);
}

TEST(Chart, HoldsAtMost32ValuesWithLabelsCutTo31Characters)
{
    Chart chart;
    chart.AddValue(std::string(40, 'x').c_str(), 1.5);
    for (int i = 1; i < 40; ++i)
        chart.AddValue("v", i);
    EXPECT_EQ(chart.Count(), 32);
    EXPECT_EQ(std::string(chart.At(0).label), std::string(31, 'x'));
    EXPECT_EQ(chart.At(0).value, 1.5);
    EXPECT_EQ(chart.At(31).value, 31.0);
}

} // namespace
