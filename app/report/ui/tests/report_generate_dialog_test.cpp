// The generation dialog runs the script by its steps, shows MESSAGE texts, stops on Cancel and asks about
// run-time errors through the message-box seam.
#include "report/ui/report_generate_dialog.h"

#include <cstdlib>
#include <string>

#include "report/language/system_host.h"
#include "res/report_resource.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/dialog_test_support.h"

namespace {

using test_support::ScopedLanguage;

class GenerateDialogTest : public dialog_test::DialogTest {
protected:
    // Runs the script with the program's windows; the line ReportRun::Run answers.
    std::int32_t Run(const std::string& script)
    {
        ReportType type;
        type.SetScript(script.c_str());
        ReportRun run(database_.get(), host_, type);
        ProgramReportRunUi ui;
        return run.Run(ui);
    }

    ScopedLanguage language_{ScopedLanguage::Master()};
    test_support::TestDatabase database_{true};
    SystemReportHost host_;
};

TEST_F(GenerateDialogTest, AnErrorAnsweredYesStopsAtItsLine)
{
    boxes_.answer = IDYES;
    EXPECT_EQ(Run("PRINT 1\r\nNOSUCH = 2\r\nPRINT 3"), 2);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    std::string expected = std::string(GetLanguageText("REPORT_ERRORLINE")) + " 2:\r\n" +
                           GetLanguageText("REPORT_ERROR2") + "\r\n" + GetLanguageText("REPORT_ERRORABORT");
    EXPECT_EQ(boxes_.boxes[0].text, expected);
    EXPECT_EQ(boxes_.boxes[0].caption, GetLanguageText("REPORT_ERRORTITLE"));
    EXPECT_EQ(boxes_.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
}

TEST_F(GenerateDialogTest, AnErrorAnsweredNoGoesOn)
{
    boxes_.answer = IDNO;
    EXPECT_EQ(Run("NOSUCH = 2\r\nNOSUCH = 3\r\nPRINT 3"), 0);
    EXPECT_EQ(boxes_.boxes.size(), 2u);
}

std::string DialogText(HWND dialog, int control)
{
    char text[256] = {};
    if (control == 0)
        GetWindowTextA(dialog, text, sizeof text);
    else
        GetDlgItemTextA(dialog, control, text, sizeof text);
    return text;
}

TEST_F(GenerateDialogTest, ShowsMessagesAndStopsOnCancel)
{
    std::string caption, status, cancel;
    // Once the status line shows the MESSAGE text: read the dialog and press Cancel.
    test_support::DialogDriver driver(
        [](HWND dialog) { return !DialogText(dialog, IDC_REPORT_GENERATE_STATUS).empty(); },
        [&](HWND dialog) {
            caption = DialogText(dialog, 0);
            status = DialogText(dialog, IDC_REPORT_GENERATE_STATUS);
            cancel = DialogText(dialog, IDCANCEL);
            if (std::getenv("VESTRADA_HOLD_GENERATE_DIALOG") != nullptr)
                Sleep(4000); // time for a screenshot
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_EQ(Run("INTEGER I\r\nMESSAGE \"Listing the persons\"\r\nFOR I = 1 TO 1000000\r\nNEXT"), 0);
    EXPECT_TRUE(driver.Acted());
    EXPECT_EQ(caption, GetLanguageText("REPORT_GENERATE_TITLE"));
    EXPECT_EQ(cancel, GetLanguageText("BUTTON_CANCEL"));
    EXPECT_EQ(status, "Listing the persons");
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(GenerateDialogTest, MsgBoxGoesThroughTheSeam)
{
    EXPECT_EQ(Run("MSGBOX 64, \"Done\""), 0);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "Done");
    EXPECT_EQ(boxes_.boxes[0].caption, "");
    EXPECT_EQ(boxes_.boxes[0].type, 64u);
}

} // namespace
