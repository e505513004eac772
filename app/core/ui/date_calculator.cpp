#include "core/ui/date_calculator.h"

#include <commctrl.h>

#include <iterator>
#include <memory>
#include <string>

#include "core/date_calculation.h"
#include "core/date_format.h"
#include "core/date_value.h"
#include "core/date_words.h"
#include "language/language_table.h"
#include "res/core_resource.h"
#include "ui_common/combo_box.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr const char* HelpTopic = "DateCalculator.htm";
constexpr UINT_PTR SignedNumberSubclass = 1;
constexpr int LargestYear = 9999;
constexpr int LargestAdjustment = 9999;

struct SignedField {
    int item;
    int limit;
};
constexpr SignedField SignedFields[] = {
    {IDC_CALC_YEAR, 4}, {IDC_CALC_DAYS, 3}, {IDC_CALC_MONTHS, 3}, {IDC_CALC_YEARS, 4}};

struct CalculatorState {
    DateValue* value = nullptr;
    bool editable = false;
    bool filling = false;
    CalendarDate result;
};

std::string ItemText(HWND dialog, int item)
{
    char text[16] = {};
    GetDlgItemTextA(dialog, item, text, sizeof text);
    return text;
}

int CalendarOf(HWND dialog, int item)
{
    int index = ComboSelection(dialog, item);
    return index >= 0 && index < static_cast<int>(std::size(CalculatorCalendars)) ? CalculatorCalendars[index]
                                                                                 : CalendarGregorian;
}

// Typing into a signed-number field takes digits and one leading sign only.
LRESULT CALLBACK SignedNumberProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_CHAR) {
        char text[16] = {};
        GetWindowTextA(field, text, sizeof text);
        DWORD start = 0;
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        if (!AcceptsSignedNumberKey(text, start, static_cast<char>(wParam))) {
            MessageBeep(MB_OK);
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(field, SignedNumberProc, SignedNumberSubclass);
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

void FillMonths(HWND dialog, int calendar, int position)
{
    HWND months = GetDlgItem(dialog, IDC_CALC_MONTH);
    SendMessageA(months, CB_RESETCONTENT, 0, 0);
    int count = CalculatorMonthCount(calendar);
    for (int month = 1; month <= count; ++month)
        AddComboItem(months, LongMonthName(calendar, month).c_str(), month);
    if (position >= count)
        position = count - 1;
    SendMessageA(months, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void ShowResult(HWND dialog, CalculatorState& state)
{
    DateCalculation calculation{};
    calculation.calendar = CalendarOf(dialog, IDC_CALC_CALENDAR);
    calculation.day = ComboSelection(dialog, IDC_CALC_DAY) + 1;
    calculation.month = ComboSelection(dialog, IDC_CALC_MONTH) + 1;
    calculation.year = SignedNumberValue(ItemText(dialog, IDC_CALC_YEAR), LargestYear);
    calculation.resultCalendar = CalendarOf(dialog, IDC_CALC_RESULT_CALENDAR);
    calculation.days = SignedNumberValue(ItemText(dialog, IDC_CALC_DAYS), LargestAdjustment);
    calculation.months = SignedNumberValue(ItemText(dialog, IDC_CALC_MONTHS), LargestAdjustment);
    calculation.years = SignedNumberValue(ItemText(dialog, IDC_CALC_YEARS), LargestAdjustment);
    state.result = CalculateDate(calculation);

    const bool shown = IsShownResult(state.result);
    if (shown) {
        char month[64] = {};
        GetMonthName(state.result.Calendar(), state.result.Month(), month, sizeof month);
        SetDlgItemTextA(dialog, IDC_CALC_RESULT_DAY, std::to_string(state.result.Day()).c_str());
        SetDlgItemTextA(dialog, IDC_CALC_RESULT_MONTH, month);
        SetDlgItemTextA(dialog, IDC_CALC_RESULT_YEAR, std::to_string(state.result.Year()).c_str());
    } else {
        for (int item : {IDC_CALC_RESULT_DAY, IDC_CALC_RESULT_MONTH, IDC_CALC_RESULT_YEAR})
            SetDlgItemTextA(dialog, item, "-");
    }
    // A result that is not shown is none that could be taken.
    if (state.editable)
        EnableWindow(GetDlgItem(dialog, IDOK), shown ? TRUE : FALSE);
}

void FillCalendars(HWND dialog, int item, int selected)
{
    HWND list = GetDlgItem(dialog, item);
    for (int calendar : CalculatorCalendars)
        AddComboItem(list, DateCalendarName(calendar), calendar);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(CalculatorCalendarIndex(selected)), 0);
}

BOOL InitCalculator(HWND dialog, const DateCalculatorRequest* request)
{
    if (request == nullptr || request->value == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    auto owned = std::make_unique<CalculatorState>();
    owned->value = request->value;
    owned->editable = request->editable;
    CalculatorState& state = AttachDialogState(dialog, std::move(owned));
    state.filling = true;
    TranslateDialog(dialog);
    if (!state.editable) {
        SetItemLanguageText(dialog, IDOK, "BUTTON_CLOSE");
        ShowWindow(GetDlgItem(dialog, IDCANCEL), SW_HIDE);
    }
    const DateValue& value = *state.value;
    FillCalendars(dialog, IDC_CALC_CALENDAR, value.calendar);
    int calendar = CalendarOf(dialog, IDC_CALC_CALENDAR);
    HWND days = GetDlgItem(dialog, IDC_CALC_DAY);
    for (int day = 1; day <= 31; ++day)
        AddComboItem(days, std::to_string(day).c_str(), day);
    // A date without a day or month opens with none selected.
    SendMessageA(days, CB_SETCURSEL, static_cast<WPARAM>(value.day - 1), 0);
    FillMonths(dialog, calendar, value.month - 1);
    if (value.month == 0)
        SendDlgItemMessageA(dialog, IDC_CALC_MONTH, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    for (const SignedField& field : SignedFields) {
        SendDlgItemMessageA(dialog, field.item, EM_LIMITTEXT, field.limit, 0);
        SetWindowSubclass(GetDlgItem(dialog, field.item), SignedNumberProc, SignedNumberSubclass, 0);
        SetDlgItemTextA(dialog, field.item, "0");
    }
    SetDlgItemTextA(dialog, IDC_CALC_YEAR, std::to_string(value.Year()).c_str());
    FillCalendars(dialog, IDC_CALC_RESULT_CALENDAR, CalendarGregorian);
    state.filling = false;
    ShowResult(dialog, state);
    CentreOnOwner(dialog);
    return TRUE;
}

void TakeResult(HWND dialog, CalculatorState& state)
{
    if (!state.editable) {
        EndDialog(dialog, 0);
        return;
    }
    ShowResult(dialog, state);
    if (!IsShownResult(state.result))
        return;
    DateValue& value = *state.value;
    value.calendar = static_cast<std::uint8_t>(state.result.Calendar());
    value.day = static_cast<std::uint8_t>(state.result.Day());
    value.month = static_cast<std::uint8_t>(state.result.Month());
    value.SetYear(state.result.Year());
    value.alternateYear = DateFieldNone;
    EndDialog(dialog, 1);
}

void CalculatorCommand(HWND dialog, CalculatorState& state, int command, int notification)
{
    switch (command) {
    case IDC_CALC_CALENDAR:
        if (notification == CBN_SELCHANGE) {
            FillMonths(dialog, CalendarOf(dialog, IDC_CALC_CALENDAR), ComboSelection(dialog, IDC_CALC_MONTH));
            ShowResult(dialog, state);
        }
        break;
    case IDC_CALC_DAY:
    case IDC_CALC_MONTH:
    case IDC_CALC_RESULT_CALENDAR:
        if (notification == CBN_SELCHANGE)
            ShowResult(dialog, state);
        break;
    case IDC_CALC_YEAR:
    case IDC_CALC_DAYS:
    case IDC_CALC_MONTHS:
    case IDC_CALC_YEARS:
        if (notification == EN_CHANGE && !state.filling)
            ShowResult(dialog, state);
        break;
    case IDOK:
        TakeResult(dialog, state);
        break;
    default:
        break;
    }
}

INT_PTR DateCalculatorMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<CalculatorState>(
        dialog, message, wParam, lParam, HelpTopic,
        [](HWND d, LPARAM request) {
            return InitCalculator(d, reinterpret_cast<const DateCalculatorRequest*>(request));
        },
        CalculatorCommand);
}

} // namespace

INT_PTR OpenDateCalculator(HWND owner, DateValue* value, bool editable)
{
    DateCalculatorRequest request{value, editable};
    INT_PTR result = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_DATE_CALCULATOR), owner,
                                     DateCalculatorDlgProc, reinterpret_cast<LPARAM>(&request));
    return editable && result == 1 ? 1 : 0;
}

INT_PTR CALLBACK DateCalculatorDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<DateCalculatorMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
