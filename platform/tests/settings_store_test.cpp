// The settings store: the registry on Windows (run under Wine), memory natively; the same cases for both.
#include "platform/file.h"
#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using platform::SettingsHive;
using platform::SettingsKey;

class SettingsStore : public ::testing::Test {
protected:
    platform::SettingsSandbox sandbox_;
};

TEST_F(SettingsStore, OpeningForReadingCreatesNothing)
{
    EXPECT_FALSE(SettingsKey::OpenForReading(SettingsHive::CurrentUser, "Software\\Test\\Missing").IsOpen());
    SettingsKey created = SettingsKey::Create(SettingsHive::CurrentUser, "Software\\Test\\Deep\\Key");
    ASSERT_TRUE(created.IsOpen());
    EXPECT_TRUE(SettingsKey::OpenForReading(SettingsHive::CurrentUser, "Software\\Test\\Deep").IsOpen());
    EXPECT_FALSE(created.OpenSubkey("Sub").IsOpen());
    EXPECT_TRUE(created.CreateSubkey("Sub").IsOpen());
    EXPECT_TRUE(created.OpenSubkey("Sub").IsOpen());
}

TEST_F(SettingsStore, HivesAreSeparate)
{
    SettingsKey::Create(SettingsHive::CurrentUser, "Software\\OnlyUser").SetDword("V", 1);
    EXPECT_FALSE(SettingsKey::OpenForReading(SettingsHive::LocalMachine, "Software\\OnlyUser").IsOpen());
}

TEST_F(SettingsStore, WritesAndReadsValuesOfEveryType)
{
    SettingsKey key = SettingsKey::Create(SettingsHive::CurrentUser, "Software\\Test");
    ASSERT_TRUE(key.SetString("Text", "Courier New"));
    ASSERT_TRUE(key.SetDword("Number", 0x01020304));
    const unsigned char bytes[] = {1, 0, 2, 0, 3};
    ASSERT_TRUE(key.SetBinary("Bytes", bytes, sizeof bytes));

    char text[32];
    std::size_t length = 0;
    ASSERT_TRUE(key.Query("Text", text, sizeof text, &length));
    EXPECT_EQ(length, 12u); // the terminator is stored
    EXPECT_STREQ(text, "Courier New");

    std::uint32_t number = 0;
    ASSERT_TRUE(key.Query("Number", &number, sizeof number, &length));
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(number, 0x01020304u);

    unsigned char read[8] = {};
    ASSERT_TRUE(key.Query("Bytes", read, sizeof read, &length));
    EXPECT_EQ(length, sizeof bytes);
    EXPECT_EQ(std::memcmp(read, bytes, sizeof bytes), 0);

    // A value of another type is read as its bytes.
    ASSERT_TRUE(key.Query("Number", read, sizeof read, &length));
    EXPECT_EQ(read[0], 4);
}

TEST_F(SettingsStore, AValueLongerThanTheBufferIsNotRead)
{
    SettingsKey key = SettingsKey::Create(SettingsHive::CurrentUser, "Software\\Test");
    key.SetString("Text", "twelve chars");
    char buffer[13];
    std::size_t length = 0;
    EXPECT_FALSE(key.Query("Text", buffer, 12, &length));
    EXPECT_TRUE(key.Query("Text", buffer, 13, &length));
    EXPECT_FALSE(key.Query("Missing", buffer, sizeof buffer, &length));
}

TEST_F(SettingsStore, NamesIgnoreCase)
{
    SettingsKey::Create(SettingsHive::CurrentUser, "Software\\Test\\Section").SetDword("ValueName", 7);
    SettingsKey key = SettingsKey::OpenForReading(SettingsHive::CurrentUser, "SOFTWARE\\test\\SECTION");
    ASSERT_TRUE(key.IsOpen());
    std::uint32_t value = 0;
    std::size_t length = 0;
    EXPECT_TRUE(key.Query("VALUENAME", &value, sizeof value, &length));
    EXPECT_EQ(value, 7u);
}

TEST_F(SettingsStore, TheDefaultValueHasNoName)
{
    SettingsKey key = SettingsKey::Create(SettingsHive::CurrentUser, "Software\\Test\\Language");
    ASSERT_TRUE(key.SetString(nullptr, "C:\\Vestrada\\English.lan"));
    char path[64];
    std::size_t length = 0;
    ASSERT_TRUE(key.Query("", path, sizeof path, &length));
    EXPECT_STREQ(path, "C:\\Vestrada\\English.lan");
    EXPECT_TRUE(key.DeleteValue(nullptr));
    EXPECT_FALSE(key.Query(nullptr, path, sizeof path, &length));
    EXPECT_FALSE(key.DeleteValue(nullptr));
}

TEST_F(SettingsStore, CopiesAWholeTree)
{
    SettingsKey product = SettingsKey::Create(SettingsHive::CurrentUser, "Software\\Maker\\Product");
    SettingsKey older = product.CreateSubkey("1.4.0");
    older.CreateSubkey("General").SetDword("AppWidth", 800);
    older.CreateSubkey("Language").SetString(nullptr, "old.lan");
    older.CreateSubkey("Edit\\Deeper").SetString("Text", "kept");
    older.SetDword("Top", 1);
    SettingsKey target = product.CreateSubkey("1.4.3");
    target.CreateSubkey("General").SetDword("AppHeight", 300);

    ASSERT_TRUE(product.CopySubkeyTree("1.4.0", target));

    std::uint32_t number = 0;
    std::size_t length = 0;
    EXPECT_TRUE(target.Query("Top", &number, sizeof number, &length));
    EXPECT_TRUE(target.OpenSubkey("General").Query("AppWidth", &number, sizeof number, &length));
    EXPECT_EQ(number, 800u);
    EXPECT_TRUE(target.OpenSubkey("General").Query("AppHeight", &number, sizeof number, &length));
    EXPECT_EQ(number, 300u);
    char text[16];
    EXPECT_TRUE(target.OpenSubkey("Edit\\Deeper").Query("Text", text, sizeof text, &length));
    EXPECT_STREQ(text, "kept");
    EXPECT_TRUE(product.OpenSubkey("1.4.0").IsOpen()); // the source stays
    EXPECT_FALSE(product.CopySubkeyTree("9.9.9", target));
}

TEST_F(SettingsStore, AClosedKeyRefusesEverything)
{
    SettingsKey closed;
    std::uint32_t value = 0;
    std::size_t length = 0;
    EXPECT_FALSE(closed.IsOpen());
    EXPECT_FALSE(closed.SetDword("V", 1));
    EXPECT_FALSE(closed.Query("V", &value, sizeof value, &length));
    EXPECT_FALSE(closed.CreateSubkey("Sub").IsOpen());
}

TEST(SettingsSandbox, EndsEmpty)
{
    {
        platform::SettingsSandbox sandbox;
        SettingsKey::Create(SettingsHive::CurrentUser, "Software\\Leftover").SetDword("V", 1);
    }
    platform::SettingsSandbox sandbox;
    EXPECT_FALSE(SettingsKey::OpenForReading(SettingsHive::CurrentUser, "Software\\Leftover").IsOpen());
}

TEST(CurrentDirectory, IsAFolder)
{
    EXPECT_FALSE(platform::CurrentDirectory().empty());
}

} // namespace
