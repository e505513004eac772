#include "persons/ui/event_editor.h"

#include <cstring>
#include <memory>
#include <string>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/event_type.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "language/language_table.h"
#include "persons/assertion_editing.h"
#include "persons/assertion_fields.h"
#include "persons/assertion_links.h"
#include "persons/sentence_format.h"
#include "persons/ui/date_fields.h"
#include "records/ui/place_editor.h"
#include "res/assertions_resource.h"
#include "res/button_bitmaps.h"
#include "settings/settings.h"
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

constexpr const char* PrivacyKeys[] = {"PRIVACY_PUBLIC", "PRIVACY_FAMILY", "PRIVACY_IMMFAMILY", "PRIVACY_PRIVATE",
                                       "PRIVACY_INFO"};

// The place's free text is read up to this many characters.
constexpr int FieldTextSize = 256;

EventAssertion* PageEvent(HWND page)
{
    return reinterpret_cast<EventAssertion*>(GetWindowLongPtrA(page, DWLP_USER));
}

constexpr DateFieldItems EventDate = {IDC_EVENT_DATE, IDC_EVENT_DATEFORMATTED};

// A typed place (a part of any type but unknown) is edited in the place editor only.
void ShowPlace(HWND page, const PlaceRecord& place)
{
    char text[FieldTextSize];
    SetDlgItemTextA(page, IDC_EVENT_PLACE, place.Format(text, sizeof text));
    EnableWindow(GetDlgItem(page, IDC_EVENT_PLACE), place.IsUntyped());
}

void ParseTypedPlace(HWND page, PlaceRecord& place)
{
    if (!IsWindowEnabled(GetDlgItem(page, IDC_EVENT_PLACE)))
        return;
    char text[FieldTextSize];
    GetDlgItemTextA(page, IDC_EVENT_PLACE, text, sizeof text);
    place.Parse(text);
}

void FillTypes(HWND page, EventAssertion& event)
{
    HWND types = GetDlgItem(page, IDC_EVENT_TYPE);
    Database& database = event.OwnerDatabase();
    {
        EngineTransaction transaction(database.file, TLV_READ);
        if (transaction.Running()) {
            VisitEventTypes(database, [&](std::int32_t id, const EventTypeRow& row) {
                if (row.kind == EventTypeKindEvent) {
                    const auto index = SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.name));
                    SendMessageA(types, CB_SETITEMDATA, index, id);
                }
                return false;
            });
        }
    }
    const int count = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
    int matching = -1;
    for (int i = 0; i < count && matching < 0; ++i)
        if (SendMessageA(types, CB_GETITEMDATA, i, 0) == event.row.typeId)
            matching = i;
    const int chosen = ChooseTypeIndex(count, matching);
    if (chosen < 0)
        return; // no event types: the event keeps its type
    SendMessageA(types, CB_SETCURSEL, chosen, 0);
    event.row.typeId = static_cast<std::int32_t>(SendMessageA(types, CB_GETITEMDATA, chosen, 0));
}

void FillPrefixes(HWND page, const PlaceRecord& place)
{
    HWND prefix = GetDlgItem(page, IDC_EVENT_PREFIX);
    const std::string words = GetLanguageText("PLACE_PREFIX");
    std::size_t start = 0;
    while (start <= words.size()) {
        std::size_t comma = words.find(',', start);
        if (comma == std::string::npos)
            comma = words.size();
        const std::string word = words.substr(start, comma - start);
        if (!word.empty())
            SendMessageA(prefix, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
        start = comma + 1;
    }
    SendMessageA(prefix, CB_LIMITTEXT, PlacePrefixLimit, 0);
    const std::string current(place.row.prefix, strnlen(place.row.prefix, sizeof place.row.prefix));
    SetWindowTextA(prefix, current.c_str());
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
        ShowPlace(page, *place);
    ShowDateFields(page, EventDate, event->Date());
    FillTypes(page, *event);
    HWND privacy = GetDlgItem(page, IDC_EVENT_PRIVACY);
    for (const char* key : PrivacyKeys)
        SendMessageA(privacy, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    SendMessageA(privacy, CB_SETCURSEL, event->row.privacy, 0);
    if (PlaceRecord* place = event->Place())
        FillPrefixes(page, *place);
    return TRUE;
}

// What the page shows goes into the event; the page never refuses the save.
void StoreEventPage(HWND page, EventAssertion& event)
{
    const int privacy = static_cast<int>(SendDlgItemMessageA(page, IDC_EVENT_PRIVACY, CB_GETCURSEL, 0, 0));
    if (privacy >= 0)
        event.row.privacy = static_cast<std::int8_t>(privacy);
    const int type = static_cast<int>(SendDlgItemMessageA(page, IDC_EVENT_TYPE, CB_GETCURSEL, 0, 0));
    if (type >= 0)
        event.row.typeId =
            static_cast<std::int32_t>(SendDlgItemMessageA(page, IDC_EVENT_TYPE, CB_GETITEMDATA, type, 0));
    if (PlaceRecord* place = event.Place()) {
        ParseTypedPlace(page, *place);
        char prefix[PlacePrefixLimit + 1];
        GetDlgItemTextA(page, IDC_EVENT_PREFIX, prefix, sizeof prefix);
        std::memset(place->row.prefix, 0, sizeof place->row.prefix);
        std::memcpy(place->row.prefix, prefix, strnlen(prefix, PlacePrefixLimit));
    }
}

void EditPlaceOfEvent(HWND page, EventAssertion& event)
{
    PlaceRecord* place = event.Place();
    if (place == nullptr)
        return;
    ParseTypedPlace(page, *place);
    if (EditPlace(page, *place) != 0)
        ShowPlace(page, *place);
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
            const int type = static_cast<int>(SendDlgItemMessageA(page, IDC_EVENT_TYPE, CB_GETCURSEL, 0, 0));
            if (type >= 0)
                event.row.typeId =
                    static_cast<std::int32_t>(SendDlgItemMessageA(page, IDC_EVENT_TYPE, CB_GETITEMDATA, type, 0));
            PostMessageA(GetParent(page), WM_ASSERTIONTYPECHANGED, 0, 0);
        }
        return TRUE;
    case IDC_EVENT_DATE:
        if (notification == EN_CHANGE)
            event.SetDate(ParseTypedDate(page, EventDate));
        return TRUE;
    case IDC_EVENT_DATEEDIT:
    case IDC_EVENT_DATECALC: {
        DateRange date = event.Date();
        if (command == IDC_EVENT_DATEEDIT ? EditDateInDetail(page, EventDate, date) : CalculateDate(page, EventDate, date))
            event.SetDate(date);
        return TRUE;
    }
    case IDC_EVENT_PLACEEDIT:
        EditPlaceOfEvent(page, event);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR EventPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitEventPage(page, lParam);
    if (message == WM_DESTROY) {
        DetachBitmapButtons(page, EventButtons);
        return FALSE;
    }
    EventAssertion* event = PageEvent(page);
    if (event == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return EventPageCommand(page, *event, LOWORD(wParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC:
        // A missing or free-text date shows in dark red.
        return ColourOfDateField(page, EventDate, event->Date(), wParam, lParam);
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK EventPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<EventPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
