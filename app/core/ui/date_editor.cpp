#include "core/ui/date_editor.h"

#include <iterator>
#include <memory>
#include <string>

#include "core/date_editing.h"
#include "core/date_value.h"
#include "language/language_table.h"
#include "res/core_resource.h"
#include "ui_common/combo_box.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr const char* HelpTopic = "AdvancedDate.htm";
constexpr int YearFieldLimit = 5;
constexpr int TimeFieldLimit = 6;
constexpr int First = 0;
constexpr int Second = IDC_DATE_SECOND_OFFSET;
constexpr int EraBeforeEntry = 1;

const char* const TypeKeys[] = {LanguageKey("DATE_TYPE_NONE"), LanguageKey("DATE_TYPE_FROM"),
                                LanguageKey("DATE_TYPE_TO"), LanguageKey("DATE_TYPE_BET")};
const char* const CalendarKeys[] = {LanguageKey("DATE_CALENDAR_UNKNOWN"), LanguageKey("DATE_CALENDAR_GREGORIAN"),
                                    LanguageKey("DATE_CALENDAR_JULIAN"),  LanguageKey("DATE_CALENDAR_FRENCH"),
                                    LanguageKey("DATE_CALENDAR_HEBREW"),  LanguageKey("DATE_CALENDAR_HIJRI"),
                                    LanguageKey("DATE_CALENDAR_COPTIC")};
const char* const ModifierKeys[] = {LanguageKey("DATE_MOD_NONE"), LanguageKey("DATE_MOD_ABOUT"),
                                    LanguageKey("DATE_MOD_BEFORE"), LanguageKey("DATE_MOD_AFTER"),
                                    LanguageKey("DATE_MOD_ESTIMATED")};
static_assert(std::size(CalendarKeys) == std::size(EditorCalendars));
static_assert(std::size(ModifierKeys) == std::size(EditorModifiers));

// Every field of one date, its offset added.
constexpr int DateItems[] = {IDC_DATE_CALENDAR, IDC_DATE_MODIFIER, IDC_DATE_DAY,  IDC_DATE_MONTH,
                             IDC_DATE_YEAR,     IDC_DATE_ALTERNATE, IDC_DATE_ALTERNATE_YEAR,
                             IDC_DATE_ERA,      IDC_DATE_TIME};

struct EditorState {
    DateRange* range = nullptr;
    bool filling = false; // set while the dialog itself sets fields
};

HWND Item(HWND dialog, int item)
{
    return GetDlgItem(dialog, item);
}

void Enable(HWND dialog, int item, bool on)
{
    EnableWindow(Item(dialog, item), on ? TRUE : FALSE);
}

std::string ItemText(HWND dialog, int item)
{
    HWND control = Item(dialog, item);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void ShowAlternateYear(HWND dialog, int date)
{
    bool checked = IsDlgButtonChecked(dialog, IDC_DATE_ALTERNATE + date) == BST_CHECKED;
    SetDlgItemTextA(dialog, IDC_DATE_ALTERNATE_YEAR + date,
                    AlternateYearText(ItemText(dialog, IDC_DATE_YEAR + date).c_str(), checked).c_str());
}

// A calendar chosen for a date: its months, and whether it is dual-dated and has an era.
void ApplyCalendar(HWND dialog, int date, int calendar)
{
    HWND months = Item(dialog, IDC_DATE_MONTH + date);
    SendMessageA(months, CB_RESETCONTENT, 0, 0);
    for (int month = 0; month <= EditorMonthCount(calendar); ++month)
        AddComboItem(months, GetLanguageText(EditorMonthKey(calendar, month).c_str()), month);
    SendMessageA(months, CB_SETCURSEL, 0, 0);

    HWND eras = Item(dialog, IDC_DATE_ERA + date);
    SendMessageA(eras, CB_RESETCONTENT, 0, 0);
    bool alternate = CalendarTakesAlternateYear(calendar);
    if (!alternate)
        CheckDlgButton(dialog, IDC_DATE_ALTERNATE + date, BST_UNCHECKED);
    Enable(dialog, IDC_DATE_ALTERNATE + date, alternate);
    if (alternate) {
        AddComboItem(eras, GetLanguageText("DATE_ERA_AFTER"), 0);
        AddComboItem(eras, GetLanguageText("DATE_ERA_BEFORE"), 1);
        SendMessageA(eras, CB_SETCURSEL, 0, 0);
    }
    Enable(dialog, IDC_DATE_ERA + date, alternate && CalendarTakesEra(calendar));
    ShowAlternateYear(dialog, date);
}

void ShowDate(HWND dialog, int date, const DateFields& fields)
{
    HWND calendars = Item(dialog, IDC_DATE_CALENDAR + date);
    if (!SelectComboValue(calendars, fields.calendar))
        SendMessageA(calendars, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ApplyCalendar(dialog, date, fields.calendar);
    HWND modifiers = Item(dialog, IDC_DATE_MODIFIER + date);
    if (!SelectComboValue(modifiers, fields.modifier))
        SendMessageA(modifiers, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendDlgItemMessageA(dialog, IDC_DATE_DAY + date, CB_SETCURSEL, static_cast<WPARAM>(fields.day), 0);
    SendDlgItemMessageA(dialog, IDC_DATE_MONTH + date, CB_SETCURSEL, static_cast<WPARAM>(fields.month), 0);
    SetDlgItemTextA(dialog, IDC_DATE_YEAR + date, fields.year.c_str());
    bool alternate = fields.alternate && IsWindowEnabled(Item(dialog, IDC_DATE_ALTERNATE + date));
    CheckDlgButton(dialog, IDC_DATE_ALTERNATE + date, alternate ? BST_CHECKED : BST_UNCHECKED);
    if (fields.eraBefore)
        SendDlgItemMessageA(dialog, IDC_DATE_ERA + date, CB_SETCURSEL, EraBeforeEntry, 0);
    SetDlgItemTextA(dialog, IDC_DATE_TIME + date, fields.time.c_str());
    ShowAlternateYear(dialog, date);
}

DateFields ReadDate(HWND dialog, int date)
{
    DateFields fields;
    fields.calendar = static_cast<int>(SelectedComboValue(dialog, IDC_DATE_CALENDAR + date, -1));
    fields.modifier = static_cast<int>(SelectedComboValue(dialog, IDC_DATE_MODIFIER + date, -1));
    fields.day = ComboSelection(dialog, IDC_DATE_DAY + date);
    fields.month = ComboSelection(dialog, IDC_DATE_MONTH + date);
    fields.year = ItemText(dialog, IDC_DATE_YEAR + date);
    fields.alternate = IsDlgButtonChecked(dialog, IDC_DATE_ALTERNATE + date) == BST_CHECKED;
    fields.eraBefore = ComboSelection(dialog, IDC_DATE_ERA + date) == EraBeforeEntry;
    fields.time = ItemText(dialog, IDC_DATE_TIME + date);
    return fields;
}

// Empties and disables every field of a date.
void DisableDate(HWND dialog, int date)
{
    for (int item : DateItems) {
        HWND control = Item(dialog, item + date);
        char className[16] = {};
        GetClassNameA(control, className, sizeof className);
        if (lstrcmpiA(className, "ComboBox") == 0)
            SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        else if (lstrcmpiA(className, "Button") == 0)
            CheckDlgButton(dialog, item + date, BST_UNCHECKED);
        else
            SetWindowTextA(control, "");
        EnableWindow(control, FALSE);
    }
}

// Enables a date's fields and shows it reset: unknown calendar, no modifier, no day, month, year or time.
void ResetDate(HWND dialog, int date)
{
    for (int item : DateItems)
        Enable(dialog, item + date, true);
    ShowDate(dialog, date, DateFields{});
}

bool SecondDateEnabled(HWND dialog)
{
    return IsWindowEnabled(Item(dialog, IDC_DATE_CALENDAR2)) != FALSE;
}

void UpdateSecondDate(HWND dialog)
{
    bool used = IsDlgButtonChecked(dialog, IDC_DATE_STRUCTURED_MODE) == BST_CHECKED &&
                SecondDateUsed(ComboSelection(dialog, IDC_DATE_TYPE), ComboSelection(dialog, IDC_DATE_RANGEWORD));
    if (used && !SecondDateEnabled(dialog))
        ResetDate(dialog, Second);
    else if (!used)
        DisableDate(dialog, Second);
}

// The range-word list that goes with the chosen type entry.
void FillRangeWords(HWND dialog)
{
    HWND words = Item(dialog, IDC_DATE_RANGEWORD);
    SendMessageA(words, CB_RESETCONTENT, 0, 0);
    int type = ComboSelection(dialog, IDC_DATE_TYPE);
    if (type == DateTypeEntryFrom) {
        AddComboItem(words, GetLanguageText("DATE_TYPE_NONE"), RangeWordNone);
        AddComboItem(words, GetLanguageText("DATE_TYPE_TO"), RangeWordTo);
    } else if (type == DateTypeEntryBetween) {
        AddComboItem(words, GetLanguageText("DATE_TYPE_AND"), 0);
    }
    bool offered = SendMessageA(words, CB_GETCOUNT, 0, 0) > 0;
    SendMessageA(words, CB_SETCURSEL, offered ? 0 : static_cast<WPARAM>(-1), 0);
    EnableWindow(words, offered ? TRUE : FALSE);
    UpdateSecondDate(dialog);
}

void ChooseFreeText(HWND dialog)
{
    CheckRadioButton(dialog, IDC_DATE_TEXT_MODE, IDC_DATE_STRUCTURED_MODE, IDC_DATE_TEXT_MODE);
    Enable(dialog, IDC_DATE_TEXT, true);
    SendDlgItemMessageA(dialog, IDC_DATE_TYPE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Enable(dialog, IDC_DATE_TYPE, false);
    FillRangeWords(dialog);
    DisableDate(dialog, First);
    DisableDate(dialog, Second);
}

void ChooseStructured(HWND dialog)
{
    CheckRadioButton(dialog, IDC_DATE_TEXT_MODE, IDC_DATE_STRUCTURED_MODE, IDC_DATE_STRUCTURED_MODE);
    SetDlgItemTextA(dialog, IDC_DATE_TEXT, "");
    Enable(dialog, IDC_DATE_TEXT, false);
    Enable(dialog, IDC_DATE_TYPE, true);
    SendDlgItemMessageA(dialog, IDC_DATE_TYPE, CB_SETCURSEL, DateTypeEntrySingle, 0);
    FillRangeWords(dialog);
    ResetDate(dialog, First);
}

void FillLists(HWND dialog)
{
    HWND types = Item(dialog, IDC_DATE_TYPE);
    for (int entry = 0; entry < static_cast<int>(std::size(TypeKeys)); ++entry)
        AddComboItem(types, GetLanguageText(TypeKeys[entry]), entry);
    for (int date : {First, Second}) {
        for (std::size_t i = 0; i < std::size(EditorCalendars); ++i)
            AddComboItem(Item(dialog, IDC_DATE_CALENDAR + date), GetLanguageText(CalendarKeys[i]), EditorCalendars[i]);
        for (std::size_t i = 0; i < std::size(EditorModifiers); ++i)
            AddComboItem(Item(dialog, IDC_DATE_MODIFIER + date), GetLanguageText(ModifierKeys[i]), EditorModifiers[i]);
        for (int day = 0; day <= 31; ++day)
            AddComboItem(Item(dialog, IDC_DATE_DAY + date), std::to_string(day).c_str(), day);
        SendDlgItemMessageA(dialog, IDC_DATE_YEAR + date, EM_LIMITTEXT, YearFieldLimit, 0);
        SendDlgItemMessageA(dialog, IDC_DATE_TIME + date, EM_LIMITTEXT, TimeFieldLimit, 0);
    }
    SendDlgItemMessageA(dialog, IDC_DATE_TEXT, EM_LIMITTEXT, DateTextLength, 0);
}

BOOL InitEditor(HWND dialog, DateRange* range)
{
    if (range == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    auto owned = std::make_unique<EditorState>();
    owned->range = range;
    EditorState& state = AttachDialogState(dialog, std::move(owned));
    state.filling = true;
    TranslateDialog(dialog);
    FillLists(dialog);
    const DateEditorFields fields = DateEditorFieldsOf(*range);
    if (!fields.structured) {
        ChooseFreeText(dialog);
        SetDlgItemTextA(dialog, IDC_DATE_TEXT, fields.text.c_str());
    } else {
        ChooseStructured(dialog);
        SendDlgItemMessageA(dialog, IDC_DATE_TYPE, CB_SETCURSEL, static_cast<WPARAM>(fields.typeEntry), 0);
        FillRangeWords(dialog);
        if (fields.typeEntry == DateTypeEntryFrom)
            SendDlgItemMessageA(dialog, IDC_DATE_RANGEWORD, CB_SETCURSEL, static_cast<WPARAM>(fields.rangeWord), 0);
        UpdateSecondDate(dialog);
        ShowDate(dialog, First, fields.first);
        if (SecondDateEnabled(dialog))
            ShowDate(dialog, Second, fields.second);
    }
    state.filling = false;
    CentreOnOwner(dialog);
    return TRUE;
}

void Refuse(HWND dialog, const char* key, int item)
{
    ShowMessageBox(dialog, GetLanguageText(key), nullptr, MB_OK | MB_ICONERROR);
    SetFocus(Item(dialog, item));
    SendDlgItemMessageA(dialog, item, EM_SETSEL, 0, -1);
}

void TakeFields(HWND dialog, EditorState& state)
{
    DateEditorFields fields;
    fields.structured = IsDlgButtonChecked(dialog, IDC_DATE_STRUCTURED_MODE) == BST_CHECKED;
    if (!fields.structured) {
        fields.text = ItemText(dialog, IDC_DATE_TEXT);
    } else {
        fields.typeEntry = ComboSelection(dialog, IDC_DATE_TYPE);
        fields.rangeWord = ComboSelection(dialog, IDC_DATE_RANGEWORD);
        fields.first = ReadDate(dialog, First);
        fields.second = ReadDate(dialog, Second);
    }
    // Which date the problem is in decides where the user is taken.
    DateFieldsProblem problem = AssembleDateRange(fields, *state.range);
    if (problem != DateFieldsProblem::None) {
        DateValue scratch = EmptyDateValue();
        int date = ReadDateFields(fields.first, scratch) != DateFieldsProblem::None ? First : Second;
        if (problem == DateFieldsProblem::Time)
            Refuse(dialog, LanguageKey("DATE_TIME_ERROR"), IDC_DATE_TIME + date);
        else
            Refuse(dialog, LanguageKey("DATE_YEAR_ERROR"), IDC_DATE_YEAR + date);
        return;
    }
    EndDialog(dialog, 1);
}

void EditorCommand(HWND dialog, EditorState& state, int command, int notification)
{
    int date = command >= IDC_DATE_CALENDAR2 ? Second : First;
    switch (command) {
    case IDC_DATE_TEXT_MODE:
        if (notification == BN_CLICKED && IsWindowEnabled(Item(dialog, IDC_DATE_TYPE)))
            ChooseFreeText(dialog);
        break;
    case IDC_DATE_STRUCTURED_MODE:
        if (notification == BN_CLICKED && !IsWindowEnabled(Item(dialog, IDC_DATE_TYPE)))
            ChooseStructured(dialog);
        break;
    case IDC_DATE_TYPE:
        if (notification == CBN_SELCHANGE)
            FillRangeWords(dialog);
        break;
    case IDC_DATE_RANGEWORD:
        if (notification == CBN_SELCHANGE)
            UpdateSecondDate(dialog);
        break;
    case IDC_DATE_CALENDAR:
    case IDC_DATE_CALENDAR2:
        if (notification == CBN_SELCHANGE)
            ApplyCalendar(dialog, date, static_cast<int>(SelectedComboValue(dialog, command, CalendarUnknown)));
        break;
    case IDC_DATE_YEAR:
    case IDC_DATE_YEAR2:
        if (notification == EN_CHANGE && !state.filling)
            ShowAlternateYear(dialog, date);
        break;
    case IDC_DATE_ALTERNATE:
    case IDC_DATE_ALTERNATE2:
        if (notification == BN_CLICKED)
            ShowAlternateYear(dialog, date);
        break;
    case IDOK:
        TakeFields(dialog, state);
        break;
    default:
        break;
    }
}

INT_PTR DateEditMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<EditorState>(
        dialog, message, wParam, lParam, HelpTopic,
        [](HWND d, LPARAM range) { return InitEditor(d, reinterpret_cast<DateRange*>(range)); }, EditorCommand);
}

} // namespace

INT_PTR EditDateRange(HWND owner, DateRange& range)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_DATE_EDIT), owner, DateEditDlgProc,
                           reinterpret_cast<LPARAM>(&range));
}

INT_PTR CALLBACK DateEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<DateEditMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
