// The dialogs of event types and roles open over the middle of the window that opened them.
#include "persons/ui/event_type_dialogs.h"
#include "persons/ui/roles_dialog.h"

#include "tests/support/dialog_test_support.h"
#include "res/persons_resource.h"

namespace {

using namespace dialog_test;
using test_support::ScopedLanguage;
using test_support::TestDatabase;

POINT CentreOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class DialogPlacementTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        CurrentDatabase = database_.get();
        WNDCLASSA host{};
        host.lpfnWndProc = DefWindowProcA;
        host.hInstance = AppInstance;
        host.lpszClassName = "PersonsDialogOwner";
        RegisterClassA(&host);
        // Shown, away from the screen's middle, so that centring on it shows.
        owner_ = CreateWindowA("PersonsDialogOwner", "owner", WS_OVERLAPPEDWINDOW, 30, 20, 800, 600, nullptr,
                               nullptr, AppInstance, nullptr);
        ShowWindow(owner_, SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        DialogTest::TearDown();
        DestroyWindow(owner_);
    }

    ScopedLanguage language_{ScopedLanguage::Master()};
    TestDatabase database_{true};
    HWND owner_ = nullptr;
};

TEST_F(DialogPlacementTest, EventTypeAndRoleDialogsOpenCentredOnTheirOwner)
{
    struct Case {
        const char* what;
        const char* resource;
        DLGPROC procedure;
        LPARAM parameter;
    };
    const Case cases[] = {
        {"event-type list", EventTypeListResource, EventTypeListDlgProc, 0},
        {"event-type editor", EventTypeEditResource, EventTypeEditDlgProc, 1},
        {"new event type", EventTypeEditResource, EventTypeEditDlgProc, 0},
        {"roles", MAKEINTRESOURCEA(IDD_ROLES), RolesDlgProc, 0},
    };
    const POINT owner = CentreOf(owner_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        POINT centre{};
        bool opened = false;
        WhenDialogOpens(owner_, [&](HWND dialog) {
            opened = true;
            centre = CentreOf(dialog);
            Click(dialog, IDCANCEL);
        });
        DialogBoxParamA(AppInstance, c.resource, owner_, c.procedure, c.parameter);
        ASSERT_TRUE(opened);
        EXPECT_NEAR(centre.x, owner.x, 1);
        EXPECT_NEAR(centre.y, owner.y, 1);
    }
}

} // namespace
