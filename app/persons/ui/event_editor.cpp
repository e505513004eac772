#include "persons/ui/event_editor.h"

#include <memory>

#include "core/database.h"
#include "core/event_type.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "language/language_table.h"
#include "persons/assertion_editing.h"
#include "persons/assertion_fields.h"
#include "persons/assertion_links.h"
#include "persons/sentence_format.h"
#include "persons/ui/assertion_page_fields.h"
#include "res/assertions_resource.h"
#include "res/button_bitmaps.h"
#include "ui_common/bitmap_buttons.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

EventEditor::EventEditor(std::int32_t id, Database& database) : event_(database)
{
    if (id != 0)
        event_.Read(id);
    event_.LoadLinked();
}

HWND EventEditor::CreateKindPage(HWND host)
{
    SetWindowTextA(host, GetLanguageText("EVENT_TITLE"));
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_EVENT_PAGE), host, EventPageDlgProc,
                              reinterpret_cast<LPARAM>(&event_));
}

bool EventEditor::Save(PendingNotices& notices)
{
    return GatherLinkNotices(event_.Links(), event_.OwnerDatabase(), notices) && event_.Save();
}

void EventEditor::SetPrincipalTemplate(const char* text)
{
    if (FormattingText* formatting = event_.PrincipalFormatting())
        formatting->SetText(text);
}

void EventEditor::SetWitnessTemplate(const char* text)
{
    if (FormattingText* formatting = event_.WitnessFormatting())
        formatting->SetText(text);
}

namespace {

constexpr BitmapButton EventButtons[] = {
    {IDC_EVENT_DATECALC, IDB_BUTTON_DATECALC, "TOOLTIP_DATECALC"},
    {IDC_EVENT_DATEEDIT, IDB_BUTTON_ADVANCED, "TOOLTIP_ADVANCEDDATE"},
    {IDC_EVENT_PLACEEDIT, IDB_BUTTON_ADVANCED, "TOOLTIP_ADVANCEDPLACE"},
};

constexpr DateItems EventDate = {IDC_EVENT_DATE, IDC_EVENT_DATEFORMATTED};
constexpr PlaceItems EventPlace = {IDC_EVENT_PREFIX, IDC_EVENT_PLACE};
constexpr DatePlaceControls EventFields = {EventDate, IDC_EVENT_DATEEDIT, IDC_EVENT_DATECALC, EventPlace,
                                           IDC_EVENT_PLACEEDIT};

EventAssertion* PageEvent(HWND page)
{
    return reinterpret_cast<EventAssertion*>(GetWindowLongPtrA(page, DWLP_USER));
}

void FillTypes(HWND page, EventAssertion& event)
{
    HWND types = GetDlgItem(page, IDC_EVENT_TYPE);
    const int count = static_cast<int>(FillTypeList(types, event.OwnerDatabase(), EventTypeKindEvent).size());
    const int chosen = ChooseTypeIndex(count, FindTypeEntry(types, event.row.typeId));
    if (chosen < 0)
        return; // no event types: the event keeps its type
    SendMessageA(types, CB_SETCURSEL, chosen, 0);
    event.row.typeId = static_cast<std::int32_t>(SendMessageA(types, CB_GETITEMDATA, chosen, 0));
}

BOOL InitEventPage(HWND page, LPARAM parameter)
{
    auto* event = reinterpret_cast<EventAssertion*>(parameter);
    TranslateDialog(page);
    AttachBitmapButtons(page, EventButtons);
    if (event == nullptr)
        return TRUE;
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    if (PlaceRecord* place = event->Place())
        ShowPlaceField(page, EventPlace, *place);
    ShowDateFields(page, EventDate, event->Date());
    FillTypes(page, *event);
    FillPrivacyList(GetDlgItem(page, IDC_EVENT_PRIVACY), event->row.privacy);
    if (PlaceRecord* place = event->Place())
        FillPlacePrefixes(page, EventPlace, *place);
    return TRUE;
}

// What the page shows goes into the event; the page never refuses the save.
void StoreEventPage(HWND page, EventAssertion& event)
{
    event.row.privacy = SelectedPrivacy(GetDlgItem(page, IDC_EVENT_PRIVACY), event.row.privacy);
    event.row.typeId = SelectedTypeId(GetDlgItem(page, IDC_EVENT_TYPE), event.row.typeId);
    if (PlaceRecord* place = event.Place())
        StorePlaceFields(page, EventPlace, *place);
}

BOOL EventPageCommand(HWND page, EventAssertion& event, int command, int notification)
{
    switch (command) {
    case IDOK:
        StoreEventPage(page, event);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 1);
        return TRUE;
    case IDHELP:
        ShowHelpTopic(HelpDisplayTopic, "DataEvent.htm");
        return TRUE;
    case IDC_EVENT_TYPE:
        if (notification == CBN_SELCHANGE) {
            event.row.typeId = SelectedTypeId(GetDlgItem(page, IDC_EVENT_TYPE), event.row.typeId);
            PostMessageA(GetParent(page), WM_ASSERTIONTYPECHANGED, 0, 0);
        }
        return TRUE;
    default: {
        DateRange date = event.Date();
        const DatePlaceAnswer answer =
            AnswerDatePlaceCommand(page, EventFields, command, notification, date, event.Place());
        if (answer == DatePlaceAnswer::DateChanged)
            event.SetDate(date);
        return answer != DatePlaceAnswer::NotOurs;
    }
    }
}

INT_PTR EventPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (INT_PTR answer = FALSE; AnswerButtonPageLifetime(page, message, lParam, EventButtons, InitEventPage, answer))
        return answer;
    EventAssertion* event = PageEvent(page);
    if (event == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return EventPageCommand(page, *event, LOWORD(wParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC:
        return ColourTextDate(page, EventDate, event->Date(), wParam, lParam);
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK EventPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<EventPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
