// What the tests of the assertion editor and its pages share: a current test database whose persons the
// person selector lists, the notices the editor posts, the editor run on a link while the test acts on
// its dialog, the page that holds a control, and typing into a control as a user does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/assertion_link.h"
#include "core/notice_sink.h"
#include "core/write_transaction.h"
#include "persons/name_list_state.h"
#include "persons/person_record.h"
#include "persons/ui/assertion_editor.h"
#include "settings/settings.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/recording_notice_sink.h"
#include "tests/support/scoped_list_states.h"

namespace assertion_editor_test {

using test_support::RecordingSink;

// The child dialog of the editor that holds `item`: the kind page or one of the tab pages.
inline HWND PageWith(HWND editor, int item)
{
    for (HWND child = FindWindowExA(editor, nullptr, "#32770", nullptr); child != nullptr;
         child = FindWindowExA(editor, child, "#32770", nullptr))
        if (GetDlgItem(child, item) != nullptr)
            return child;
    return nullptr;
}

// Types `text` into a control key by key, as a user would; the control's limit applies.
inline void TypeKeys(HWND edit, const std::string& text)
{
    for (char c : text)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

// A test of the editor over its own database, in a language of the test's texts, with the notices
// recorded.
class EditorTest : public dialog_test::DialogTest {
protected:
    explicit EditorTest(const char* texts) : language_(texts) {}

    void SetUp() override
    {
        DialogTest::SetUp();
        Settings::Load();
        CurrentSettings.name.ListSize = 200;
        CurrentSettings.name.IncludeNew = 0;
        CurrentSettings.name.ListWindowProperties = {40, 40, 480, 360};
        CurrentDatabase = database_.get();
        CurrentNoticeSink = &sink_;
    }
    void TearDown() override
    {
        CurrentNoticeSink = nullptr;
        DialogTest::TearDown();
    }

    std::int32_t AddPerson(const char* editText)
    {
        PersonRecord person(*database_);
        person.LoadLinked();
        person.Name()->ParseEditText(editText);
        EXPECT_TRUE(RunWriteTransaction(*database_, [&] { return person.Save(); }));
        return person.Id();
    }

    // Runs the editor on `link`, doing `action` on its dialog while it is up.
    INT_PTR Edit(AssertionLink& link, std::function<void(HWND)> action)
    {
        dialog_test::WhenDialogOpens(nullptr, std::move(action));
        return EditAssertion(nullptr, link);
    }

    test_support::ScopedLanguage language_;
    test_support::ScopedListStates states_{AddListStateMakers};
    test_support::TestDatabase database_;
    RecordingSink sink_;
};

} // namespace assertion_editor_test
