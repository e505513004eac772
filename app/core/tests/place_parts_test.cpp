#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/place_parts.h"

namespace {

struct Part {
    std::uint8_t type;
    std::string text;
    bool operator==(const Part&) const = default;
};

PlaceParts Make(const std::vector<Part>& parts)
{
    char field[PlacePartsSize] = {};
    std::string bytes;
    for (const Part& part : parts)
        bytes += static_cast<char>(part.type) + part.text;
    bytes.copy(field, PlacePartsSize - 1);
    return PlaceParts(field);
}

std::vector<Part> PartsOf(const PlaceParts& place)
{
    std::vector<Part> parts;
    for (int i = 0; i < place.Count(); ++i)
        parts.push_back({place.TypeOf(i), place.TextOf(i)});
    return parts;
}

const std::vector<Part> Oslo = {{PlacePartTown, "Oslo"}, {PlacePartCounty, "Akershus"}, {PlacePartCountry, "Norway"}};

TEST(PlaceParts, FormatsThePartsJoinedByCommas)
{
    EXPECT_EQ(Make(Oslo).Format(), "Oslo, Akershus, Norway");
    EXPECT_EQ(Make({}).Format(), "");
}

TEST(PlaceParts, SwapMovesTheNextPartInFrontKeepingTextsAndTypes)
{
    PlaceParts place = Make(Oslo);
    place.Swap(0);
    EXPECT_EQ(PartsOf(place), (std::vector<Part>{{PlacePartCounty, "Akershus"}, {PlacePartTown, "Oslo"},
                                                 {PlacePartCountry, "Norway"}}));
    place.Swap(1);
    EXPECT_EQ(place.Format(), "Akershus, Norway, Oslo");
}

TEST(PlaceParts, DeleteRemovesOnePart)
{
    PlaceParts place = Make(Oslo);
    place.Delete(1);
    EXPECT_EQ(PartsOf(place), (std::vector<Part>{{PlacePartTown, "Oslo"}, {PlacePartCountry, "Norway"}}));
    place.Delete(1);
    place.Delete(0);
    EXPECT_EQ(place.Count(), 0);
}

TEST(PlaceParts, AnIndexWithoutAPartChangesNothing)
{
    for (int index : {-1, 3, 50}) {
        PlaceParts place = Make(Oslo);
        const PlaceParts before = place;
        place.Delete(index);
        place.Swap(index);
        EXPECT_FALSE(place.Set(index, PlacePartFarm, "Berg"));
        EXPECT_TRUE(place == before) << index;
    }
    // The last part has no part behind it to swap with.
    PlaceParts place = Make(Oslo);
    place.Swap(2);
    EXPECT_TRUE(place == Make(Oslo));
}

TEST(PlaceParts, AppendAddsAnEmptyPartOfUnknownType)
{
    PlaceParts place;
    ASSERT_TRUE(place.Append());
    EXPECT_EQ(PartsOf(place), (std::vector<Part>{{PlacePartUnknown, ""}}));
    ASSERT_TRUE(place.Set(0, PlacePartFarm, "Berg"));
    EXPECT_EQ(place.Format(), "Berg");
}

TEST(PlaceParts, SetReplacesTypeAndTextOfOnePart)
{
    PlaceParts place = Make(Oslo);
    ASSERT_TRUE(place.Set(1, PlacePartParish, "Aker"));
    EXPECT_EQ(PartsOf(place), (std::vector<Part>{{PlacePartTown, "Oslo"}, {PlacePartParish, "Aker"},
                                                 {PlacePartCountry, "Norway"}}));
    EXPECT_FALSE(place.Set(1, 0, "x"));
    EXPECT_FALSE(place.Set(1, PlacePartTypeCount + 1, "x"));
    EXPECT_EQ(place.TextOf(1), "Aker");
}

TEST(PlaceParts, TypedControlCharactersBecomeBlanksNotTypeBytes)
{
    PlaceParts place = Make(Oslo);
    ASSERT_TRUE(place.Set(0, PlacePartTown, "Old\tOslo\r\n"));
    EXPECT_EQ(PartsOf(place), (std::vector<Part>{{PlacePartTown, "Old Oslo  "}, {PlacePartCounty, "Akershus"},
                                                 {PlacePartCountry, "Norway"}}));
}

TEST(PlaceParts, AChangeThatWouldNotFitIn127BytesIsRefused)
{
    // One part of 126 characters: 127 bytes in use.
    PlaceParts full = Make({{PlacePartFarm, std::string(126, 'x')}});
    PlaceParts place = full;
    EXPECT_FALSE(place.Append());
    EXPECT_FALSE(place.Set(0, PlacePartFarm, std::string(127, 'y')));
    EXPECT_TRUE(place == full);
    EXPECT_TRUE(place.Set(0, PlacePartLake, std::string(126, 'y')));
    EXPECT_EQ(place.TypeOf(0), PlacePartLake);

    PlaceParts two = Make({{PlacePartFarm, std::string(100, 'a')}, {PlacePartTown, "b"}});
    EXPECT_FALSE(two.Set(1, PlacePartTown, std::string(26, 'c'))); // 101 + 1 + 26 = 128
    EXPECT_TRUE(two.Set(1, PlacePartTown, std::string(25, 'c')));  // 127
}

TEST(PlaceParts, CopyToWritesTheWholeFieldZeroFilled)
{
    char field[PlacePartsSize];
    std::fill(std::begin(field), std::end(field), 'z');
    PlaceParts place = Make(Oslo);
    place.Delete(0);
    place.CopyTo(field);
    EXPECT_EQ(std::string(field), "\x06" "Akershus" "\x04" "Norway");
    for (std::size_t i = std::string(field).size(); i < PlacePartsSize; ++i)
        ASSERT_EQ(field[i], 0) << i;
}

} // namespace
