#include "report/output/report_type.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/little_endian.h"
#include "tests/support/test_folder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Report-type files as older and current releases wrote them, laid out here field by field at the offsets
// of each layout.
struct FileBuilder {
    Bytes bytes;

    FileBuilder(std::size_t headerSize, std::int32_t version) : bytes(headerSize, 0)
    {
        std::memcpy(bytes.data(), "%VR%", 5);
        U32(8, static_cast<std::uint32_t>(version));
    }
    FileBuilder& U32(std::size_t at, std::uint32_t value)
    {
        platform::PutU32(bytes.data() + at, value);
        return *this;
    }
    FileBuilder& U16(std::size_t at, std::uint16_t value)
    {
        platform::PutU16(bytes.data() + at, value);
        return *this;
    }
    FileBuilder& Text(std::size_t at, const char* text)
    {
        std::memcpy(bytes.data() + at, text, std::strlen(text));
        return *this;
    }
    FileBuilder& Script(const char* text)
    {
        bytes.insert(bytes.end(), text, text + std::strlen(text));
        return *this;
    }
};

// A 2048-byte file: "Old", graphics, two inputs, page options and revision 7.
FileBuilder Old2048(std::int32_t version = 9000)
{
    FileBuilder file(2048, version);
    file.Text(12, "Old").Text(44, "An old report").U32(300, 1).U32(304, 2);
    file.bytes[308] = InputPerson;
    file.Text(309, "who").Text(325, "Person");
    file.bytes[308 + 49] = InputString;
    file.Text(308 + 49 + 1, "caption").Text(308 + 49 + 17, "Caption");
    file.U32(700, 1).U32(704, 5).U32(708, 1).U32(712, 7);
    return file;
}

// A 3460-byte file with one small-integer input.
FileBuilder Old3460(std::int32_t version = 10150)
{
    FileBuilder file(3460, version);
    file.Text(12, "Middle").Text(44, "desc").Text(300, "The title").Text(364, "Some help").U32(1388, 0).U32(1392, 1);
    file.bytes[1396] = InputSmallInteger;
    file.Text(1397, "depth").Text(1413, "Generations");
    file.U16(1396 + 50, InputOptional).U32(1396 + 52, 4).U32(1396 + 56, 1).U32(1396 + 60, 20);
    file.U32(3444, 0).U32(3448, 16).U32(3452, 0).U32(3456, 3);
    return file;
}

// A current file with a select input and a colour input.
FileBuilder Current(std::int32_t version = 10403)
{
    FileBuilder file(7188, version);
    file.Text(12, "Current").Text(44, "Now").Text(300, "Title").Text(364, "Help").U32(1388, 1).U32(1392, 2);
    file.bytes[1396] = InputSelect;
    file.Text(1397, "mode").Text(1413, "Mode").Text(1396 + 52, "one|two|three");
    file.bytes[1396 + 180] = InputColor;
    file.Text(1396 + 181, "tint").Text(1396 + 197, "Tint");
    file.U16(1396 + 180 + 52, InputOptional).U32(1396 + 180 + 56, 0x00FF8040);
    file.U32(7156, 1).U32(7160, 12).U32(7164, 1).U32(7168, 5);
    return file;
}

class ReportTypeFiles : public ::testing::Test {
protected:
    std::string Write(const Bytes& bytes, const char* name = "type.rpt")
    {
        const std::string path = (folder_ / name).string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static Bytes Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        return names;
    }

    std::filesystem::path folder_ = test_support::ClaimTestFolder();
};

TEST_F(ReportTypeFiles, EachVersionIsReadInTheLayoutItCallsFor)
{
    const struct {
        std::int32_t version;
        std::size_t layout; // 0: refused
        ReportTypeLoadResult result;
    } cases[] = {
        {94, 0, ReportTypeLoadResult::OlderVersion},     {95, 2048, ReportTypeLoadResult::Loaded},
        {10099, 2048, ReportTypeLoadResult::Loaded},     {10100, 3460, ReportTypeLoadResult::Loaded},
        {10199, 3460, ReportTypeLoadResult::Loaded},     {10200, 7188, ReportTypeLoadResult::Loaded},
        {10403, 7188, ReportTypeLoadResult::Loaded},     {10404, 0, ReportTypeLoadResult::NewerVersion},
        {-5, 0, ReportTypeLoadResult::OlderVersion},
    };
    for (const auto& c : cases) {
        // The script starts where the layout ends: the bytes before it belong to the header.
        FileBuilder file(c.layout == 0 ? 7188 : c.layout, c.version);
        file.Text(12, "Name").Script("PRINT 1\r\n");
        ReportType type;
        EXPECT_EQ(type.Open(Write(file.bytes).c_str()), c.result) << c.version;
        if (c.layout == 0) {
            EXPECT_STREQ(type.Script(), "") << c.version;
            continue;
        }
        EXPECT_EQ(ReportTypeHeaderSizeOf(c.version), c.layout) << c.version;
        EXPECT_STREQ(type.Header().name, "Name") << c.version;
        EXPECT_EQ(type.Header().version, c.version) << c.version;
        EXPECT_STREQ(type.Script(), "PRINT 1\r\n") << c.version;
    }
}

TEST_F(ReportTypeFiles, TheRefusalsNameTheirMessages)
{
    EXPECT_STREQ(ReportTypeLoadMessageKey(ReportTypeLoadResult::CannotOpen), "REPORTTYPE_OPENERROR_INVALIDPATH");
    EXPECT_STREQ(ReportTypeLoadMessageKey(ReportTypeLoadResult::NotReportType), "REPORTTYPE_OPENERROR_NOREPORT");
    EXPECT_STREQ(ReportTypeLoadMessageKey(ReportTypeLoadResult::OlderVersion), "REPORTTYPE_OPENERROR_WRONGVERSION");
    EXPECT_STREQ(ReportTypeLoadMessageKey(ReportTypeLoadResult::NewerVersion), "REPORTTYPE_OPENERROR_NEWERVERSION");
    EXPECT_EQ(ReportTypeLoadMessageKey(ReportTypeLoadResult::CannotRead), nullptr);
    EXPECT_EQ(ReportTypeLoadMessageKey(ReportTypeLoadResult::Loaded), nullptr);
}

TEST_F(ReportTypeFiles, DamagedFilesAreRefusedAndLeaveTheObjectAsItWas)
{
    Bytes wrongMagic = Current().bytes;
    wrongMagic[4] = 'X'; // the magic's zero byte counts too
    Bytes shortCurrent = Current().bytes;
    shortCurrent.resize(3000); // a current version in fewer bytes than its header
    Bytes short3460 = Old3460().bytes;
    short3460.resize(3459);
    Bytes short2048 = Old2048().bytes;
    short2048.resize(2047);
    const struct {
        const char* what;
        Bytes bytes;
        ReportTypeLoadResult result;
    } cases[] = {
        {"shorter than 2048 bytes", short2048, ReportTypeLoadResult::NotReportType},
        {"empty", Bytes(), ReportTypeLoadResult::NotReportType},
        {"wrong magic", wrongMagic, ReportTypeLoadResult::NotReportType},
        {"current version, short file", shortCurrent, ReportTypeLoadResult::NotReportType},
        {"3460 layout, short file", short3460, ReportTypeLoadResult::NotReportType},
        {"9 inputs in the 2048 layout", Old2048().U32(304, 9).bytes, ReportTypeLoadResult::NotReportType},
        {"33 inputs in the 3460 layout", Old3460().U32(1392, 33).bytes, ReportTypeLoadResult::NotReportType},
        {"33 inputs", Current().U32(1392, 33).bytes, ReportTypeLoadResult::NotReportType},
        {"a negative input count", Current().U32(1392, 0xFFFFFFFF).bytes, ReportTypeLoadResult::NotReportType},
    };
    for (const auto& c : cases) {
        ReportType type;
        type.Header().revision = 42;
        std::strcpy(type.Header().name, "Before");
        type.SetScript("kept");
        EXPECT_EQ(type.Open(Write(c.bytes).c_str()), c.result) << c.what;
        EXPECT_STREQ(type.Header().name, "Before") << c.what;
        EXPECT_EQ(type.Header().revision, 42u) << c.what;
        EXPECT_STREQ(type.Script(), "kept") << c.what;
    }

    // The largest counts that fit load.
    ReportType eight;
    EXPECT_EQ(eight.Open(Write(Old2048().U32(304, 8).bytes).c_str()), ReportTypeLoadResult::Loaded);
    EXPECT_EQ(eight.Header().inputCount, 8);
    ReportType none;
    EXPECT_EQ(none.Open((folder_ / "missing.rpt").string().c_str()), ReportTypeLoadResult::CannotOpen);
}

TEST_F(ReportTypeFiles, AFileOfExactlyItsHeaderHasAnEmptyScript)
{
    for (const Bytes& bytes : {Old2048().bytes, Old3460().bytes, Current().bytes}) {
        ReportType type;
        type.SetScript("old script");
        ASSERT_EQ(type.Open(Write(bytes).c_str()), ReportTypeLoadResult::Loaded) << bytes.size();
        EXPECT_STREQ(type.Script(), "") << bytes.size();
    }
}

TEST_F(ReportTypeFiles, The2048LayoutUpgradesWithRequiredInputsAndNoTitle)
{
    ReportType type;
    ASSERT_EQ(type.Open(Write(Old2048().Script("PRINT \"x\"\r\n").bytes).c_str()), ReportTypeLoadResult::Loaded);
    const ReportTypeHeader& header = type.Header();
    EXPECT_EQ(header.version, 9000);
    EXPECT_STREQ(header.name, "Old");
    EXPECT_STREQ(header.description, "An old report");
    EXPECT_STREQ(header.reportTitle, "");
    EXPECT_STREQ(header.helpText, "");
    EXPECT_EQ(header.graphics, 1u);
    ASSERT_EQ(header.inputCount, 2);
    EXPECT_EQ(header.inputs[0].kind, InputPerson);
    EXPECT_STREQ(header.inputs[0].variableName, "who");
    EXPECT_STREQ(header.inputs[0].label, "Person");
    EXPECT_EQ(header.inputs[1].kind, InputString);
    EXPECT_STREQ(header.inputs[1].variableName, "caption");
    EXPECT_STREQ(header.inputs[1].label, "Caption");
    for (int n = 0; n < 2; ++n) {
        EXPECT_FALSE(header.inputs[n].IsOptional());
        EXPECT_EQ(header.inputs[n].initialValue, 0u);
        EXPECT_EQ(header.inputs[n].minimum, 0u);
        EXPECT_EQ(header.inputs[n].maximum, 0u);
    }
    EXPECT_EQ(header.noMargins, 1u);
    EXPECT_EQ(header.pageSize, 5u);
    EXPECT_EQ(header.orientation, 1u);
    EXPECT_EQ(header.revision, 7u);
    EXPECT_STREQ(type.Script(), "PRINT \"x\"\r\n");
}

TEST_F(ReportTypeFiles, The3460LayoutKeepsFlagsAndValues)
{
    ReportType type;
    ASSERT_EQ(type.Open(Write(Old3460().Script("END").bytes).c_str()), ReportTypeLoadResult::Loaded);
    const ReportTypeHeader& header = type.Header();
    EXPECT_STREQ(header.reportTitle, "The title");
    EXPECT_STREQ(header.helpText, "Some help");
    ASSERT_EQ(header.inputCount, 1);
    const ReportTypeInput& input = header.inputs[0];
    EXPECT_EQ(input.kind, InputSmallInteger);
    EXPECT_STREQ(input.variableName, "depth");
    EXPECT_STREQ(input.label, "Generations");
    EXPECT_TRUE(input.IsOptional());
    EXPECT_EQ(input.initialValue, 4u);
    EXPECT_EQ(input.minimum, 1u);
    EXPECT_EQ(input.maximum, 20u);
    EXPECT_EQ(header.pageSize, 16u);
    EXPECT_EQ(header.revision, 3u);
    EXPECT_STREQ(type.Script(), "END");
}

TEST_F(ReportTypeFiles, AnOldFileSavesInTheCurrentLayoutWithNothingOfItsScriptInTheHeader)
{
    // The bytes behind a 2048-byte header are script; none of them may reach the fields of the new header.
    FileBuilder old = Old2048();
    std::string script(6000, 'S');
    script += "\r\n";
    old.Script(script.c_str());
    const std::string path = Write(old.bytes);
    ReportType type;
    ASSERT_EQ(type.Open(path.c_str()), ReportTypeLoadResult::Loaded);
    EXPECT_EQ(type.Header().version, 9000); // kept until saved
    ASSERT_TRUE(type.Save());

    const Bytes saved = Read(path);
    ASSERT_EQ(saved.size(), 7188 + script.size());
    EXPECT_EQ(std::memcmp(saved.data(), "%VR%", 5), 0);
    EXPECT_EQ(platform::GetU32(saved.data() + 8), 10403u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.data() + 12)), "Old");
    EXPECT_EQ(platform::GetU32(saved.data() + 1388), 1u);
    EXPECT_EQ(platform::GetU32(saved.data() + 1392), 2u);
    EXPECT_EQ(saved[1396], InputPerson);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.data() + 1397)), "who");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.data() + 1413)), "Person");
    EXPECT_EQ(saved[1396 + 180], InputString);
    EXPECT_EQ(platform::GetU32(saved.data() + 7156), 1u);
    EXPECT_EQ(platform::GetU32(saved.data() + 7160), 5u);
    EXPECT_EQ(platform::GetU32(saved.data() + 7164), 1u);
    EXPECT_EQ(platform::GetU32(saved.data() + 7168), 8u);
    // Title, help text, the unused input records and the reserved bytes are all zero.
    const auto allZero = [&](std::size_t from, std::size_t to) {
        for (std::size_t at = from; at < to; ++at)
            if (saved[at] != 0)
                return false;
        return true;
    };
    EXPECT_TRUE(allZero(5, 8));
    EXPECT_TRUE(allZero(300, 1388));
    EXPECT_TRUE(allZero(1396 + 2 * 180, 7156));
    EXPECT_TRUE(allZero(7172, 7188));
    EXPECT_EQ(std::string(saved.begin() + 7188, saved.end()), script);

    ReportType again;
    ASSERT_EQ(again.Open(path.c_str()), ReportTypeLoadResult::Loaded);
    EXPECT_EQ(again.Header().version, 10403);
    EXPECT_EQ(again.Header().inputCount, 2);
    EXPECT_STREQ(again.Script(), script.c_str());
}

TEST_F(ReportTypeFiles, ACurrentFileReadsAndSavesBackTheSameFields)
{
    const std::string path = Write(Current().Script("PRINT mode\r\n").bytes);
    ReportType type;
    ASSERT_EQ(type.Open(path.c_str()), ReportTypeLoadResult::Loaded);
    const ReportTypeHeader& header = type.Header();
    ASSERT_EQ(header.inputCount, 2);
    EXPECT_EQ(header.inputs[0].kind, InputSelect);
    EXPECT_STREQ(header.inputs[0].choices, "one|two|three");
    EXPECT_EQ(header.inputs[1].kind, InputColor);
    EXPECT_TRUE(header.inputs[1].IsOptional());
    EXPECT_EQ(header.inputs[1].initialValue, 0x00FF8040u);
    ASSERT_TRUE(type.Save());

    // Saved again, the file is the one written above with the revision raised.
    Bytes expected = Current().Script("PRINT mode\r\n").U32(7168, 6).bytes;
    EXPECT_EQ(Read(path), expected);
}

TEST_F(ReportTypeFiles, TextsThatFillTheirFieldsAreCutToIt)
{
    FileBuilder file = Current();
    std::memset(file.bytes.data() + 12, 'N', 32);  // the name without a terminating zero
    std::memset(file.bytes.data() + 1397, 'v', 16); // and a variable name
    ReportType type;
    ASSERT_EQ(type.Open(Write(file.bytes).c_str()), ReportTypeLoadResult::Loaded);
    EXPECT_EQ(std::string(type.Header().name), std::string(31, 'N'));
    EXPECT_EQ(std::string(type.Header().inputs[0].variableName), std::string(15, 'v'));
}

TEST_F(ReportTypeFiles, EverySaveRaisesTheRevisionAndSaveAsStartsAgain)
{
    const std::string path = Write(Current().bytes);
    ReportType type;
    ASSERT_EQ(type.Open(path.c_str()), ReportTypeLoadResult::Loaded);
    for (int n = 0; n < 3; ++n)
        ASSERT_TRUE(type.Save());
    EXPECT_EQ(type.Header().revision, 8u);
    EXPECT_EQ(platform::GetU32(Read(path).data() + 7168), 8u);

    const std::string other = (folder_ / "other.rpt").string();
    type.SaveAsPath(other.c_str());
    EXPECT_STREQ(type.Path(), other.c_str());
    ASSERT_TRUE(type.Save());
    EXPECT_EQ(platform::GetU32(Read(other).data() + 7168), 2u);
    EXPECT_EQ(platform::GetU32(Read(path).data() + 7168), 8u);
}

TEST_F(ReportTypeFiles, ALongPathIsCutTo259Characters)
{
    const std::string path(300, 'p');
    ReportType type;
    EXPECT_EQ(type.Open(path.c_str()), ReportTypeLoadResult::CannotOpen);
    EXPECT_EQ(std::string(type.Path()), path.substr(0, 259));
}

TEST_F(ReportTypeFiles, AFailedSaveLeavesTheOldFileAndTheObjectModified)
{
    const Bytes old = Current().Script("old").bytes;
    const std::string path = Write(old);
    ReportType type;
    ASSERT_EQ(type.Open(path.c_str()), ReportTypeLoadResult::Loaded);
    EXPECT_FALSE(type.IsModified());
    type.SetScript("new script");
    // The mutating steps of a save: write, flush, rename.
    for (int step = 1; step <= 3; ++step) {
        type.SetModified(true);
        const std::uint32_t revision = type.Header().revision;
        platform::SetFileFault(platform::FileFaultMode::FailOnlyNth, step);
        const bool saved = type.Save();
        platform::SetFileFault(platform::FileFaultMode::Off, 0);
        EXPECT_FALSE(saved) << step;
        EXPECT_TRUE(type.IsModified()) << step;
        EXPECT_EQ(type.Header().revision, revision + 1) << step;
        EXPECT_EQ(Read(path), old) << step;
        EXPECT_EQ(FolderEntries(), std::vector<std::string> {"type.rpt"}) << step;
    }
    ASSERT_TRUE(type.Save());
    EXPECT_FALSE(type.IsModified());

    // Nowhere to write: the system's reason comes back; a report type never saved has no path.
    ReportType nowhere;
    nowhere.SaveAsPath((folder_ / "no folder" / "x.rpt").string().c_str());
    std::uint32_t error = 0;
    EXPECT_FALSE(nowhere.Save(&error));
    EXPECT_NE(error, 0u);
    ReportType unsaved;
    EXPECT_FALSE(unsaved.Save(&error));
    EXPECT_EQ(error, 0u);
}

TEST_F(ReportTypeFiles, TheUpgradesConvertAHeaderAsReadFromTheFile)
{
    ReportType type;
    ASSERT_TRUE(type.UpgradeHeader2048(Old2048().bytes.data()));
    EXPECT_STREQ(type.Header().name, "Old");
    EXPECT_EQ(type.Header().inputCount, 2);
    ASSERT_TRUE(type.UpgradeHeader3460(Old3460().bytes.data()));
    EXPECT_STREQ(type.Header().name, "Middle");
    EXPECT_EQ(type.Header().inputs[0].maximum, 20u);
    // The second input of the 2048 file is gone with the upgrade of the 3460 one.
    EXPECT_EQ(type.Header().inputs[1].kind, 0);
    EXPECT_FALSE(type.UpgradeHeader2048(Old2048().U32(304, 9).bytes.data()));
    EXPECT_STREQ(type.Header().name, "Middle");
}

TEST_F(ReportTypeFiles, AScriptBufferIsZeroFilled)
{
    ReportType type;
    char* buffer = type.SetScriptSize(16);
    ASSERT_NE(buffer, nullptr);
    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(buffer[n], 0);
    std::memcpy(buffer, "PRINT 1", 7);
    EXPECT_STREQ(type.Script(), "PRINT 1");
}

} // namespace
