// The date editor and the date calculator, run modal over a window of the test's own and driven as a user
// would drive them.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "core/date_value.h"
#include "core/ui/date_calculator.h"
#include "core/ui/date_editor.h"
#include "language/language_table.h"
#include "res/core_resource.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scoped_language.h"
#include "ui_common/frame_globals.h"

namespace {

using namespace dialog_test;
using test_support::AnsweredBoxes;
using test_support::ScopedLanguage;

DateValue MakeDate(std::uint8_t calendar, int day, int month, int year)
{
    DateValue value = EmptyDateValue();
    value.calendar = calendar;
    value.day = static_cast<std::uint8_t>(day);
    value.month = static_cast<std::uint8_t>(month);
    value.SetYear(year);
    return value;
}

DateRange SingleRange(const DateValue& value)
{
    DateRange range{};
    range.type = DateRangeSingle;
    range.dates.first = value;
    range.dates.second = EmptyDateValue();
    return range;
}

std::string Text(const char* key)
{
    return GetLanguageText(key);
}

// A top-level window standing in for the page or frame that opens the dialogs, away from the screen's
// middle so that centring on it shows.
class DateDialogTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        AppInstance = GetModuleHandleA(nullptr);
        WNDCLASSA host{};
        host.lpfnWndProc = DefWindowProcA;
        host.hInstance = AppInstance;
        host.lpszClassName = "DateDialogTestOwner";
        RegisterClassA(&host);
    }
    void SetUp() override
    {
        // Hidden: activating a shown window again and again costs Wine seconds of waits on an X server
        // without a window manager. The test of where the dialogs open shows it.
        owner_ = CreateWindowA("DateDialogTestOwner", "owner", WS_OVERLAPPEDWINDOW, 40, 30, 700, 560,
                               nullptr, nullptr, AppInstance, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override
    {
        CancelPendingAction();
        DestroyWindow(owner_);
    }

    // Runs the editor on `range`, `action` driving it once it is up; the dialog's answer.
    INT_PTR Edit(DateRange& range, std::function<void(HWND)> action)
    {
        WhenDialogOpens(owner_, std::move(action));
        return EditDateRange(owner_, range);
    }
    INT_PTR Calculate(DateValue& value, bool editable, std::function<void(HWND)> action)
    {
        WhenDialogOpens(owner_, std::move(action));
        return OpenDateCalculator(owner_, &value, editable);
    }

    static void Type(HWND dialog, int item, const char* text)
    {
        SetDlgItemTextA(dialog, item, text);
    }

    ScopedLanguage language_{ScopedLanguage::Master()};
    AnsweredBoxes boxes_;
    HWND owner_ = nullptr;
};

// ---- the date editor ----

TEST_F(DateDialogTest, TextDateOpensAsFreeTextAndOkKeepsTheTypedText)
{
    DateRange range{};
    range.SetText("spring after the flood");
    bool textMode = false, typeEnabled = true, calendarEnabled = true;
    std::string shown, title;
    INT_PTR answer = Edit(range, [&](HWND dialog) {
        title = WindowText(dialog);
        textMode = IsDlgButtonChecked(dialog, IDC_DATE_TEXT_MODE) == BST_CHECKED;
        shown = ItemText(dialog, IDC_DATE_TEXT);
        typeEnabled = IsItemEnabled(dialog, IDC_DATE_TYPE);
        calendarEnabled = IsItemEnabled(dialog, IDC_DATE_CALENDAR);
        Type(dialog, IDC_DATE_TEXT, "summer after the flood");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(title, Text("DATE_EDIT_TITLE"));
    EXPECT_TRUE(textMode);
    EXPECT_EQ(shown, "spring after the flood");
    EXPECT_FALSE(typeEnabled);
    EXPECT_FALSE(calendarEnabled);
    EXPECT_EQ(range.type, DateRangeText);
    EXPECT_EQ(range.Text(), "summer after the flood");
}

TEST_F(DateDialogTest, FromToRangeReopensWithBothDatesAndStaysAsItWas)
{
    DateRange range{};
    range.type = DateRangeFromTo;
    range.dates.first = MakeDate(CalendarJulian, 3, 4, -44);
    range.dates.first.modifier = DateModifierAbout;
    range.dates.second = MakeDate(CalendarGregorian, 31, 12, 1750);
    range.dates.second.alternateYear = 51;
    range.dates.second.hour = 9;
    range.dates.second.minute = 5;
    const DateRange stored = range;
    int type = -1, word = -1, firstDay = -1, secondMonth = -1, era = -1;
    std::string firstYear, secondTime, alternate, firstCalendar, modifier;
    bool secondEnabled = false;
    INT_PTR answer = Edit(range, [&](HWND dialog) {
        type = ComboSelection(dialog, IDC_DATE_TYPE);
        word = ComboSelection(dialog, IDC_DATE_RANGEWORD);
        firstCalendar = ComboText(dialog, IDC_DATE_CALENDAR, ComboSelection(dialog, IDC_DATE_CALENDAR));
        modifier = ComboText(dialog, IDC_DATE_MODIFIER, ComboSelection(dialog, IDC_DATE_MODIFIER));
        firstDay = ComboSelection(dialog, IDC_DATE_DAY);
        firstYear = ItemText(dialog, IDC_DATE_YEAR);
        era = ComboSelection(dialog, IDC_DATE_ERA);
        secondEnabled = IsItemEnabled(dialog, IDC_DATE_CALENDAR2);
        secondMonth = ComboSelection(dialog, IDC_DATE_MONTH2);
        secondTime = ItemText(dialog, IDC_DATE_TIME2);
        alternate = ItemText(dialog, IDC_DATE_ALTERNATE_YEAR2);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(type, 1);
    EXPECT_EQ(word, 1);
    EXPECT_EQ(firstCalendar, Text("DATE_CALENDAR_JULIAN"));
    EXPECT_EQ(modifier, Text("DATE_MOD_ABOUT"));
    EXPECT_EQ(firstDay, 3);
    EXPECT_EQ(firstYear, "44");
    EXPECT_EQ(era, 1);
    EXPECT_TRUE(secondEnabled);
    EXPECT_EQ(secondMonth, 12);
    EXPECT_EQ(secondTime, "09:05");
    EXPECT_EQ(alternate, "51");
    EXPECT_EQ(std::memcmp(&range, &stored, sizeof range), 0);
}

TEST_F(DateDialogTest, CalendarChoiceDecidesMonthsAlternateYearAndEra)
{
    struct Case {
        int entry;
        const char* lastMonthKey;
        int months;
        bool alternate;
        int eras;
        bool era;
    };
    const Case cases[] = {
        {3, "DATE_FRENCH13", 14, false, 0, false}, {2, "DATE_MONTH12", 13, true, 2, true},
        {1, "DATE_MONTH12", 13, true, 2, false},   {4, "DATE_HEBREW13", 14, false, 0, false},
        {5, "DATE_HIJRI12", 13, false, 0, false},
    };
    DateRange range = SingleRange(MakeDate(CalendarGregorian, 1, 5, 1800));
    Edit(range, [&](HWND dialog) {
        CheckDlgButton(dialog, IDC_DATE_ALTERNATE, BST_CHECKED);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.lastMonthKey);
            ChooseComboEntry(dialog, IDC_DATE_CALENDAR, c.entry);
            EXPECT_EQ(ComboCount(dialog, IDC_DATE_MONTH), c.months);
            EXPECT_EQ(ComboText(dialog, IDC_DATE_MONTH, c.months - 1), Text(c.lastMonthKey));
            EXPECT_EQ(ComboText(dialog, IDC_DATE_MONTH, 0), Text("DATE_MONTH_UNKNOWN"));
            EXPECT_EQ(ComboSelection(dialog, IDC_DATE_MONTH), 0);
            EXPECT_EQ(IsItemEnabled(dialog, IDC_DATE_ALTERNATE), c.alternate);
            if (!c.alternate) {
                EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_DATE_ALTERNATE), BST_UNCHECKED);
            }
            EXPECT_EQ(ComboCount(dialog, IDC_DATE_ERA), c.eras);
            EXPECT_EQ(IsItemEnabled(dialog, IDC_DATE_ERA), c.era);
        }
        Click(dialog, IDCANCEL);
    });
}

TEST_F(DateDialogTest, BadTimesAndYearsAreRefusedAndTheDialogStaysOpen)
{
    struct Case {
        int yearItem, timeItem;
        const char* year;
        const char* time;
        const char* message;
        int focus;
    };
    const Case cases[] = {
        {IDC_DATE_YEAR, IDC_DATE_TIME, "99999", "", "DATE_YEAR_ERROR", IDC_DATE_YEAR},
        {IDC_DATE_YEAR, IDC_DATE_TIME, "32768", "", "DATE_YEAR_ERROR", IDC_DATE_YEAR},
        {IDC_DATE_YEAR, IDC_DATE_TIME, "1850", "24:01", "DATE_TIME_ERROR", IDC_DATE_TIME},
        {IDC_DATE_YEAR, IDC_DATE_TIME, "1850", "1230", "DATE_TIME_ERROR", IDC_DATE_TIME},
        {IDC_DATE_YEAR2, IDC_DATE_TIME2, "99999", "", "DATE_YEAR_ERROR", IDC_DATE_YEAR2},
        {IDC_DATE_YEAR2, IDC_DATE_TIME2, "1850", ":30", "DATE_TIME_ERROR", IDC_DATE_TIME2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.year) + " " + c.time);
        DateRange range{};
        range.type = DateRangeBetween;
        range.dates.first = MakeDate(CalendarGregorian, 1, 1, 1800);
        range.dates.second = MakeDate(CalendarGregorian, 1, 1, 1900);
        const DateRange stored = range;
        boxes_.boxes.clear();
        bool openAfterOk = false;
        HWND focused = nullptr, expectedFocus = nullptr;
        INT_PTR answer = Edit(range, [&](HWND dialog) {
            Type(dialog, c.yearItem, c.year);
            Type(dialog, c.timeItem, c.time);
            Click(dialog, IDOK);
            openAfterOk = IsWindowVisible(dialog) != FALSE;
            focused = GetFocus();
            expectedFocus = GetDlgItem(dialog, c.focus);
            Click(dialog, IDCANCEL);
        });
        EXPECT_EQ(answer, 0);
        EXPECT_TRUE(openAfterOk);
        EXPECT_EQ(focused, expectedFocus);
        ASSERT_EQ(boxes_.boxes.size(), 1u);
        EXPECT_EQ(boxes_.boxes[0].text, Text(c.message));
        EXPECT_EQ(boxes_.boxes[0].caption, "<null>");
        EXPECT_EQ(boxes_.boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(std::memcmp(&range, &stored, sizeof range), 0);
    }
}

TEST_F(DateDialogTest, ListsWithoutASelectionAreStoredAsUnknownNeverAsFF)
{
    DateRange range = SingleRange(MakeDate(CalendarGregorian, 12, 5, 1850));
    INT_PTR answer = Edit(range, [&](HWND dialog) {
        for (int item : {IDC_DATE_DAY, IDC_DATE_MONTH, IDC_DATE_CALENDAR, IDC_DATE_MODIFIER})
            SendDlgItemMessageA(dialog, item, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(range.type, DateRangeSingle);
    EXPECT_EQ(range.dates.first.day, 0);
    EXPECT_EQ(range.dates.first.month, 0);
    EXPECT_EQ(range.dates.first.calendar, CalendarUnknown);
    EXPECT_EQ(range.dates.first.modifier, DateModifierNone);
    EXPECT_EQ(range.dates.first.Year(), 1850);
}

TEST_F(DateDialogTest, SwitchingModesEmptiesWhatIsLeftAndResetsTheDate)
{
    DateRange range{};
    range.SetText("old");
    INT_PTR answer = Edit(range, [&](HWND dialog) {
        Click(dialog, IDC_DATE_STRUCTURED_MODE);
        CheckRadioButton(dialog, IDC_DATE_TEXT_MODE, IDC_DATE_STRUCTURED_MODE, IDC_DATE_STRUCTURED_MODE);
        EXPECT_EQ(ItemText(dialog, IDC_DATE_TEXT), "");
        EXPECT_FALSE(IsItemEnabled(dialog, IDC_DATE_TEXT));
        EXPECT_TRUE(IsItemEnabled(dialog, IDC_DATE_YEAR));
        EXPECT_EQ(ComboSelection(dialog, IDC_DATE_TYPE), 0);
        EXPECT_EQ(ComboText(dialog, IDC_DATE_CALENDAR, ComboSelection(dialog, IDC_DATE_CALENDAR)),
                  Text("DATE_CALENDAR_UNKNOWN"));
        EXPECT_EQ(ComboText(dialog, IDC_DATE_MODIFIER, ComboSelection(dialog, IDC_DATE_MODIFIER)),
                  Text("DATE_MOD_NONE"));
        EXPECT_EQ(ComboSelection(dialog, IDC_DATE_DAY), 0);
        EXPECT_EQ(ComboSelection(dialog, IDC_DATE_MONTH), 0);
        Type(dialog, IDC_DATE_YEAR, "1900");

        Click(dialog, IDC_DATE_TEXT_MODE);
        CheckRadioButton(dialog, IDC_DATE_TEXT_MODE, IDC_DATE_STRUCTURED_MODE, IDC_DATE_TEXT_MODE);
        EXPECT_TRUE(IsItemEnabled(dialog, IDC_DATE_TEXT));
        EXPECT_FALSE(IsItemEnabled(dialog, IDC_DATE_YEAR));
        EXPECT_EQ(ItemText(dialog, IDC_DATE_YEAR), "");
        EXPECT_EQ(ComboSelection(dialog, IDC_DATE_CALENDAR), -1);

        Click(dialog, IDC_DATE_STRUCTURED_MODE);
        CheckRadioButton(dialog, IDC_DATE_TEXT_MODE, IDC_DATE_STRUCTURED_MODE, IDC_DATE_STRUCTURED_MODE);
        Type(dialog, IDC_DATE_YEAR, "1901");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(range.type, DateRangeSingle);
    EXPECT_EQ(range.dates.first.Year(), 1901);
    EXPECT_EQ(range.dates.first.calendar, CalendarUnknown);
    EXPECT_TRUE(range.dates.second.IsEmpty());
}

TEST_F(DateDialogTest, RangeWordsAndTheSecondDateFollowTheType)
{
    struct Case {
        int type;
        int words;
        int chosenWord;
        bool second;
        std::uint8_t stored;
    };
    const Case cases[] = {
        {1, 2, 0, false, DateRangeFrom}, {1, 2, 1, true, DateRangeFromTo}, {2, 0, -1, false, DateRangeTo},
        {3, 1, 0, true, DateRangeBetween}, {0, 0, -1, false, DateRangeSingle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        DateRange range = SingleRange(MakeDate(CalendarGregorian, 2, 2, 1802));
        Edit(range, [&](HWND dialog) {
            ChooseComboEntry(dialog, IDC_DATE_TYPE, c.type);
            EXPECT_EQ(ComboCount(dialog, IDC_DATE_RANGEWORD), c.words);
            EXPECT_EQ(IsItemEnabled(dialog, IDC_DATE_RANGEWORD), c.words > 0);
            if (c.chosenWord >= 0)
                ChooseComboEntry(dialog, IDC_DATE_RANGEWORD, c.chosenWord);
            EXPECT_EQ(IsItemEnabled(dialog, IDC_DATE_YEAR2), c.second);
            if (c.second) {
                EXPECT_EQ(ItemText(dialog, IDC_DATE_YEAR2), "");
                EXPECT_EQ(ComboSelection(dialog, IDC_DATE_DAY2), 0);
                Type(dialog, IDC_DATE_YEAR2, "1810");
            }
            Click(dialog, IDOK);
        });
        EXPECT_EQ(range.type, c.stored);
        EXPECT_EQ(range.dates.first.Year(), 1802);
        if (c.second) {
            EXPECT_EQ(range.dates.second.Year(), 1810);
        }
    }
}

TEST_F(DateDialogTest, AlternateYearFollowsTheYearAndTheBox)
{
    DateRange range = SingleRange(MakeDate(CalendarGregorian, 2, 2, 1750));
    Edit(range, [&](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_DATE_ALTERNATE_YEAR), "");
        CheckDlgButton(dialog, IDC_DATE_ALTERNATE, BST_CHECKED);
        Click(dialog, IDC_DATE_ALTERNATE);
        EXPECT_EQ(ItemText(dialog, IDC_DATE_ALTERNATE_YEAR), "51");
        Type(dialog, IDC_DATE_YEAR, "1799");
        EXPECT_EQ(ItemText(dialog, IDC_DATE_ALTERNATE_YEAR), "0");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(range.dates.first.Year(), 1799);
    EXPECT_EQ(range.dates.first.alternateYear, 0);
}

// ---- the date calculator ----

TEST_F(DateDialogTest, CalculatorConvertsAndOkWritesTheResult)
{
    DateValue value = MakeDate(CalendarGregorian, 1, 1, 1800);
    value.modifier = DateModifierAbout;
    value.hour = 10;
    value.minute = 30;
    value.alternateYear = 1;
    std::string day, month, year, calendar, okText;
    bool cancelShown = false;
    INT_PTR answer = Calculate(value, true, [&](HWND dialog) {
        okText = ItemText(dialog, IDOK);
        cancelShown = IsWindowVisible(GetDlgItem(dialog, IDCANCEL)) != FALSE;
        ChooseComboEntry(dialog, IDC_CALC_RESULT_CALENDAR, 2);
        day = ItemText(dialog, IDC_CALC_RESULT_DAY);
        month = ItemText(dialog, IDC_CALC_RESULT_MONTH);
        year = ItemText(dialog, IDC_CALC_RESULT_YEAR);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(okText, Text("BUTTON_OK"));
    EXPECT_TRUE(cancelShown);
    EXPECT_EQ(day, "12");
    EXPECT_EQ(month, Text("DATE_FRENCH4"));
    EXPECT_EQ(year, "8");
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(value.calendar, CalendarFrench);
    EXPECT_EQ(value.day, 12);
    EXPECT_EQ(value.month, 4);
    EXPECT_EQ(value.Year(), 8);
    EXPECT_EQ(value.alternateYear, DateFieldNone);
    EXPECT_EQ(value.modifier, DateModifierAbout);
    EXPECT_EQ(value.hour, 10);
    EXPECT_EQ(value.minute, 30);
}

TEST_F(DateDialogTest, CalculatorMovesByMonthsAndDaysAndRefusesAResultBeforeTheYearOne)
{
    struct Case {
        const char* year;
        const char* days;
        const char* months;
        const char* years;
        const char* day;
        const char* monthKey;
        const char* resultYear;
        bool shown;
    };
    const Case cases[] = {
        {"1900", "0", "1", "0", "31", "DATE_MONTH2", "1900", true},
        {"1900", "1", "0", "0", "1", "DATE_MONTH2", "1900", true},
        {"1900", "0", "0", "-1900", "-", nullptr, "-", false},
        {"5", "-3650", "0", "0", "-", nullptr, "-", false},
        {"1900", "0", "0", "+100", "31", "DATE_MONTH1", "2000", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.year) + " " + c.days + " " + c.months + " " + c.years);
        DateValue value = MakeDate(CalendarGregorian, 31, 1, 1900);
        const DateValue stored = value;
        std::string day, month, year;
        bool okEnabled = false;
        INT_PTR answer = Calculate(value, true, [&](HWND dialog) {
            Type(dialog, IDC_CALC_YEAR, c.year);
            Type(dialog, IDC_CALC_DAYS, c.days);
            Type(dialog, IDC_CALC_MONTHS, c.months);
            Type(dialog, IDC_CALC_YEARS, c.years);
            day = ItemText(dialog, IDC_CALC_RESULT_DAY);
            month = ItemText(dialog, IDC_CALC_RESULT_MONTH);
            year = ItemText(dialog, IDC_CALC_RESULT_YEAR);
            okEnabled = IsItemEnabled(dialog, IDOK);
            // OK of a hidden result takes nothing, even when it reaches the dialog.
            Click(dialog, IDOK);
            if (IsWindowVisible(dialog))
                Click(dialog, IDCANCEL);
        });
        EXPECT_EQ(day, c.day);
        EXPECT_EQ(month, c.monthKey != nullptr ? Text(c.monthKey) : std::string("-"));
        EXPECT_EQ(year, c.resultYear);
        EXPECT_EQ(okEnabled, c.shown);
        EXPECT_EQ(answer, c.shown ? 1 : 0);
        if (!c.shown) {
            EXPECT_EQ(std::memcmp(&value, &stored, sizeof value), 0);
        }
    }
}

TEST_F(DateDialogTest, CalculatorForLookingUpHasOnlyCloseAndChangesNothing)
{
    DateValue value = MakeDate(CalendarJulian, 0, 3, 1900);
    const DateValue stored = value;
    std::string okText, calendar, day;
    bool cancelShown = true, okEnabled = false;
    int daySelection = 0;
    INT_PTR answer = Calculate(value, false, [&](HWND dialog) {
        okText = ItemText(dialog, IDOK);
        cancelShown = IsWindowVisible(GetDlgItem(dialog, IDCANCEL)) != FALSE;
        calendar = ComboText(dialog, IDC_CALC_CALENDAR, ComboSelection(dialog, IDC_CALC_CALENDAR));
        daySelection = ComboSelection(dialog, IDC_CALC_DAY);
        // Day 0 of March is the last day of February: 29 February 1900 Julian, 13 March Gregorian.
        day = ItemText(dialog, IDC_CALC_RESULT_DAY);
        Type(dialog, IDC_CALC_YEARS, "-2000");
        okEnabled = IsItemEnabled(dialog, IDOK);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(okText, Text("BUTTON_CLOSE"));
    EXPECT_FALSE(cancelShown);
    EXPECT_EQ(calendar, Text("DATE_CALENDAR_JULIAN"));
    EXPECT_EQ(daySelection, -1);
    EXPECT_EQ(day, "13");
    EXPECT_TRUE(okEnabled) << "Close closes whatever the result";
    EXPECT_EQ(std::memcmp(&value, &stored, sizeof value), 0);
}

TEST_F(DateDialogTest, CalculatorMonthListFollowsTheOriginalCalendar)
{
    DateValue value = MakeDate(CalendarGregorian, 5, 12, 1800);
    Calculate(value, false, [&](HWND dialog) {
        EXPECT_EQ(ComboCount(dialog, IDC_CALC_MONTH), 12);
        EXPECT_EQ(ComboSelection(dialog, IDC_CALC_MONTH), 11);
        ChooseComboEntry(dialog, IDC_CALC_CALENDAR, 2);
        EXPECT_EQ(ComboCount(dialog, IDC_CALC_MONTH), 13);
        EXPECT_EQ(ComboSelection(dialog, IDC_CALC_MONTH), 11);
        EXPECT_EQ(ComboText(dialog, IDC_CALC_MONTH, 12), Text("DATE_FRENCH13"));
        ChooseComboEntry(dialog, IDC_CALC_MONTH, 12);
        ChooseComboEntry(dialog, IDC_CALC_CALENDAR, 0);
        EXPECT_EQ(ComboCount(dialog, IDC_CALC_MONTH), 12);
        EXPECT_EQ(ComboSelection(dialog, IDC_CALC_MONTH), 11);
        Click(dialog, IDOK);
    });
}

TEST_F(DateDialogTest, SignedNumberFieldsTakeDigitsAndOneLeadingSign)
{
    struct Key {
        int caret;
        char key;
    };
    struct Case {
        int item;
        Key keys[4];
        const char* text;
    };
    const Case cases[] = {
        {IDC_CALC_DAYS, {{0, '-'}, {1, '5'}, {0, '3'}, {0, '+'}}, "-5"},
        {IDC_CALC_MONTHS, {{0, '1'}, {1, 'a'}, {1, '-'}, {1, '2'}}, "12"},
        {IDC_CALC_YEARS, {{0, '7'}, {0, '+'}, {0, '-'}, {2, '.'}}, "+7"},
    };
    DateValue value = MakeDate(CalendarGregorian, 1, 1, 1900);
    Calculate(value, false, [&](HWND dialog) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.text);
            HWND field = GetDlgItem(dialog, c.item);
            SetWindowTextA(field, "");
            for (const Key& key : c.keys) {
                SendMessageA(field, EM_SETSEL, key.caret, key.caret);
                SendMessageA(field, WM_CHAR, static_cast<unsigned char>(key.key), 0);
            }
            EXPECT_EQ(WindowText(field), c.text);
        }
        Click(dialog, IDOK);
    });
}

// ---- where they open ----

POINT CentreOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST_F(DateDialogTest, BothDialogsOpenCentredOnTheirOwner)
{
    ShowWindow(owner_, SW_SHOWNOACTIVATE);
    const POINT owner = CentreOf(owner_);
    POINT editor{}, calculator{};
    DateRange range = SingleRange(MakeDate(CalendarGregorian, 1, 1, 1900));
    Edit(range, [&](HWND dialog) {
        editor = CentreOf(dialog);
        Click(dialog, IDCANCEL);
    });
    DateValue value = range.dates.first;
    Calculate(value, false, [&](HWND dialog) {
        calculator = CentreOf(dialog);
        Click(dialog, IDOK);
    });
    for (POINT centre : {editor, calculator}) {
        EXPECT_NEAR(centre.x, owner.x, 1);
        EXPECT_NEAR(centre.y, owner.y, 1);
    }
}

} // namespace
