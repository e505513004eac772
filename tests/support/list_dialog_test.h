// What the tests of the list windows share: recorded message boxes, the test's own language texts and
// list states, the settings read afresh, and a database of the test's own made current once the test has
// set the settings its lists read.
#pragma once

#include <memory>

#include "tests/support/dialog_test_support.h"
#include "tests/support/scoped_list_states.h"

namespace dialog_test {

class ListDialogTest : public DialogTest {
protected:
    // `addMakers` sets the makers of the list states the test needs.
    ListDialogTest(const char* texts, void (*addMakers)(DatabaseStateMakers&)) : language_{texts}, states_{addMakers} {}

    void SetUp() override
    {
        DialogTest::SetUp();
        Settings::Load();
    }
    void TearDown() override
    {
        DialogTest::TearDown();
        database_.reset();
    }

    void OpenDatabase()
    {
        database_ = std::make_unique<test_support::TestDatabase>();
        CurrentDatabase = database_->get();
    }

    test_support::ScopedLanguage language_;
    test_support::ScopedListStates states_;
    std::unique_ptr<test_support::TestDatabase> database_;
};

} // namespace dialog_test
