#include "ui_common/editing_preferences.h"

EditingPreferencesOpener OpenEditingPreferences = nullptr;
