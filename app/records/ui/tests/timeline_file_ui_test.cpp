// Timeline files as the windows read and write them: what the user is told when a file cannot be read or
// written, and the open-file dialog of timelines.
#include <windows.h>

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "records/timeline.h"
#include "records/ui/timeline_file_ui.h"
#include "settings/settings.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using test_support::AnsweredBoxes;
using test_support::ScopedLanguage;
using test_support::TempPath;

constexpr char Texts[] = "TIMELINE_OPENERROR_INVALIDPATH=cannot open\n"
                         "TIMELINE_SAVEERROR=not saved\n"
                         "TIMELINE_OPEN_TITLE=Open a timeline\n"
                         "TIMELINE_FILTER=Timelines (*.vtl)|*.vtl|\n";

TEST(TimelineFileWindows, AFileThatCannotBeOpenedIsReportedOnlyOverAnOwner)
{
    ScopedLanguage language(Texts);
    TempPath file("events.vtl");
    std::ofstream(file.str(), std::ios::binary) << "Title\r\nAuthor\r\nAbout\r\n01-02-1850,00-00-0000,Born\r\n";
    dialog_test::OwnerWindow owner;
    const struct {
        const char* what;
        std::string path;
        HWND owner;
        int result;
        std::size_t boxes;
    } cases[] = {
        {"a timeline file", file.str(), owner.get(), 1, 0},
        {"a missing file over an owner", file.str() + ".missing", owner.get(), 0, 1},
        {"a missing file without an owner", file.str() + ".missing", nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        AnsweredBoxes boxes;
        Timeline timeline;
        EXPECT_EQ(LoadTimelineFile(timeline, c.path.c_str(), c.owner), c.result) << c.what;
        ASSERT_EQ(boxes.boxes.size(), c.boxes) << c.what;
        if (c.boxes != 0) {
            EXPECT_EQ(boxes.boxes[0].text, "cannot open") << c.what;
            EXPECT_EQ(boxes.boxes[0].caption, "<null>") << c.what;
            EXPECT_EQ(boxes.boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP)) << c.what;
        }
        EXPECT_EQ(timeline.Count(), static_cast<std::size_t>(c.result)) << c.what;
    }
}

TEST(TimelineFileWindows, AFailedSaveShowsTheSystemsReason)
{
    ScopedLanguage language(Texts);
    TempPath file("saved.vtl");
    dialog_test::OwnerWindow owner;
    Timeline timeline;
    timeline.SetTitle("Saved");
    timeline.SetPath(file.c_str());
    {
        AnsweredBoxes boxes;
        EXPECT_TRUE(SaveTimelineFile(timeline, owner.get()));
        EXPECT_TRUE(boxes.boxes.empty());
    }
    timeline.SetPath((file.str() + ".folder\\none\\x.vtl").c_str());
    AnsweredBoxes boxes;
    EXPECT_FALSE(SaveTimelineFile(timeline, owner.get()));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "not saved");
    EXPECT_FALSE(boxes.boxes[0].text.empty()) << "the system's text for its error";
}

// Finds the open-file dialog once it is up, types the path into its file name and presses Open.
struct DialogDriver {
    static std::string path;
    static std::string title;
    static int ticks;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
    {
        HWND dialog = FindWindowA("#32770", nullptr);
        if (dialog == nullptr) {
            if (++ticks > 200)
                KillTimer(nullptr, timer);
            return;
        }
        char text[128] = {};
        GetWindowTextA(dialog, text, sizeof text);
        title = text;
        KillTimer(nullptr, timer);
        // The file name field: the edit of the explorer dialog's combo box, or the old dialog's edit.
        if (!SetDlgItemTextA(dialog, 0x47C, path.c_str()))
            SetDlgItemTextA(dialog, 0x480, path.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
};
std::string DialogDriver::path;
std::string DialogDriver::title;
int DialogDriver::ticks = 0;

TEST(TimelineFileWindows, TheOpenDialogLoadsTheChosenFile)
{
    ScopedLanguage language(Texts);
    TempPath file("chosen.vtl");
    std::ofstream(file.str(), std::ios::binary) << "Chosen\r\nAuthor\r\nAbout\r\n01-02-1850,00-00-0000,Born\r\n";
    dialog_test::OwnerWindow owner;
    DialogDriver::path = file.str();
    DialogDriver::ticks = 0;
    SetTimer(nullptr, 0, 50, DialogDriver::Tick);
    Timeline timeline;
    EXPECT_EQ(ChooseTimelineFile(timeline, owner.get()), 1);
    EXPECT_EQ(DialogDriver::title, "Open a timeline");
    EXPECT_STREQ(timeline.Path(), file.c_str());
    EXPECT_STREQ(timeline.Title(), "Chosen");
    EXPECT_EQ(timeline.Count(), 1u);
    EXPECT_EQ(TimelineFolder(), std::string(CurrentSettings.AppDir) + "\\Timeline");
}

} // namespace
