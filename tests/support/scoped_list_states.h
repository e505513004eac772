// The list states of the list windows for the databases a test makes, the settings block as it was
// before the test, put back at the end (the tests turn options on and off and shrink ListSize), and a
// settings store of the test's own, so that what the lists write never reaches the real settings.
#pragma once

#include "core/database_state.h"
#include "platform/settings_store.h"
#include "settings/settings.h"

namespace test_support {

class ScopedListStates {
public:
    // `add` sets the makers of the states the test needs.
    explicit ScopedListStates(void (*add)(DatabaseStateMakers&))
        : savedMakers_(CurrentDatabaseStateMakers()), savedSettings_(CurrentSettings)
    {
        DatabaseStateMakers makers;
        add(makers);
        SetDatabaseStateMakers(makers);
    }
    ~ScopedListStates()
    {
        SetDatabaseStateMakers(savedMakers_);
        CurrentSettings = savedSettings_;
    }
    ScopedListStates(const ScopedListStates&) = delete;
    ScopedListStates& operator=(const ScopedListStates&) = delete;

private:
    platform::SettingsSandbox sandbox_;
    DatabaseStateMakers savedMakers_;
    Settings savedSettings_;
};

} // namespace test_support
