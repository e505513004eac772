#include "persons/ui/pedigree_window.h"

#include <commctrl.h>

#include <array>
#include <memory>

#include "core/database.h"
#include "language/language_table.h"
#include "persons/pedigree.h"
#include "persons/person_record.h"
#include "records/ui/record_window.h"
#include "res/frame_resource.h"
#include "res/pedigree_resource.h"
#include "settings/settings.h"
#include "ui_common/frame_command_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"

namespace {

PersonWindowOpener OpenPerson = nullptr;

// Shown beside a grandparent whose own parents are recorded.
constexpr const char* AncestorIndicator = "\xBB";

struct PedigreeWindow {
    HWND window = nullptr;
    HWND dialog = nullptr;
    // The centre person with its links; null once the database the window showed is closing.
    std::unique_ptr<PersonRecord> centre;
    std::int32_t selected = 0;
};

PedigreeWindow* WindowState(HWND window)
{
    return reinterpret_cast<PedigreeWindow*>(GetWindowLongPtrA(window, 0));
}

PedigreeWindow* DialogState(HWND dialog)
{
    return reinterpret_cast<PedigreeWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

constexpr int BoxItems[] = {
    IDC_PEDIGREE_CHILDREN,        IDC_PEDIGREE_PERSON,          IDC_PEDIGREE_FATHER,          IDC_PEDIGREE_MOTHER,
    IDC_PEDIGREE_GRANDPARENT + 0, IDC_PEDIGREE_GRANDPARENT + 1, IDC_PEDIGREE_GRANDPARENT + 2, IDC_PEDIGREE_GRANDPARENT + 3,
};

bool IsBox(UINT_PTR item)
{
    for (int box : BoxItems)
        if (static_cast<UINT_PTR>(box) == item)
            return true;
    return false;
}

void AddEntry(HWND dialog, int item, const PedigreeEntry& entry)
{
    if (entry.id == 0)
        return;
    HWND list = GetDlgItem(dialog, item);
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    row.pszText = const_cast<char*>(entry.text.c_str());
    row.lParam = entry.id;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
}

void FillChart(HWND dialog, PedigreeWindow& state)
{
    for (int item : BoxItems)
        SendDlgItemMessageA(dialog, item, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < GrandparentCount; ++i)
        ShowWindow(GetDlgItem(dialog, IDC_PEDIGREE_ANCESTORS + i), SW_HIDE);
    if (state.centre == nullptr)
        return;
    const PedigreeChart chart = BuildPedigreeChart(*state.centre);
    AddEntry(dialog, IDC_PEDIGREE_PERSON, chart.person);
    for (const PedigreeEntry& child : chart.children)
        AddEntry(dialog, IDC_PEDIGREE_CHILDREN, child);
    AddEntry(dialog, IDC_PEDIGREE_FATHER, chart.father);
    AddEntry(dialog, IDC_PEDIGREE_MOTHER, chart.mother);
    for (int i = 0; i < GrandparentCount; ++i) {
        AddEntry(dialog, IDC_PEDIGREE_GRANDPARENT + i, chart.grandparents[i]);
        if (chart.hasAncestors[i])
            ShowWindow(GetDlgItem(dialog, IDC_PEDIGREE_ANCESTORS + i), SW_SHOW);
    }
}

void SetTitle(PedigreeWindow& state)
{
    if (state.centre != nullptr)
        SetWindowTextA(state.window, PedigreeTitle(GetLanguageText("PEDIGREE_TITLE"), *state.centre).c_str());
}

void EnableViewPerson(PedigreeWindow& state)
{
    if (ActiveChild == state.window)
        EnableFrameCommand(IDM_VIEW_PERSON, state.selected != 0 && state.centre != nullptr);
}

// The state is made anew for the person: the chart shows what is stored now.
void Recentre(PedigreeWindow& state, std::int32_t personId)
{
    if (state.centre == nullptr)
        return;
    auto centre = std::make_unique<PersonRecord>(state.centre->OwnerDatabase());
    state.centre.reset();
    centre->ReadAndLoad(personId);
    state.centre = std::move(centre);
    state.selected = 0;
    FillChart(state.dialog, state);
    EnableViewPerson(state);
    SetTitle(state);
}

void MovePlace(HWND dialog, int item, const LayoutBox& box)
{
    MoveWindow(GetDlgItem(dialog, item), box.x, box.y, box.width, box.height, TRUE);
}

void LayOutChart(HWND dialog, int width, int height)
{
    const PedigreeLayout layout = LayOutPedigree(width, height);
    MovePlace(dialog, IDC_PEDIGREE_CHILDREN, layout.children);
    MovePlace(dialog, IDC_PEDIGREE_PERSON, layout.person);
    MovePlace(dialog, IDC_PEDIGREE_FATHER, layout.father);
    MovePlace(dialog, IDC_PEDIGREE_MOTHER, layout.mother);
    for (int i = 0; i < GrandparentCount; ++i) {
        MovePlace(dialog, IDC_PEDIGREE_GRANDPARENT + i, layout.grandparents[i]);
        SetWindowPos(GetDlgItem(dialog, IDC_PEDIGREE_ANCESTORS + i), nullptr, layout.indicators[i].x,
                     layout.indicators[i].y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (std::size_t i = 0; i < layout.lines.size(); ++i)
        MovePlace(dialog, IDC_PEDIGREE_LINE + static_cast<int>(i), layout.lines[i]);
    for (int item : BoxItems)
        SendDlgItemMessageA(dialog, item, LVM_SETCOLUMNWIDTH, 0, layout.columnWidth);
}

std::int32_t EntryPerson(HWND list, int row)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return static_cast<std::int32_t>(item.lParam);
}

// One entry is selected in the whole chart.
void SelectOnly(HWND dialog, PedigreeWindow& state, HWND list, int row)
{
    state.selected = EntryPerson(list, row);
    for (int item : BoxItems) {
        HWND other = GetDlgItem(dialog, item);
        if (other == list)
            continue;
        LVITEMA clear{};
        clear.stateMask = LVIS_SELECTED;
        SendMessageA(other, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    }
    EnableViewPerson(state);
}

BOOL ChartNotice(HWND dialog, PedigreeWindow& state, const NMHDR& header)
{
    if (!IsBox(header.idFrom))
        return FALSE;
    if (header.code == NM_DBLCLK) {
        const auto& activation = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (activation.iItem >= 0)
            if (const std::int32_t id = EntryPerson(header.hwndFrom, activation.iItem); id != 0)
                Recentre(state, id);
        return TRUE;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 && (change.uNewState & LVIS_SELECTED) != 0 &&
            (change.uOldState & LVIS_SELECTED) == 0)
            SelectOnly(dialog, state, header.hwndFrom, change.iItem);
        return TRUE;
    }
    return FALSE;
}

BOOL InitChart(HWND dialog, LPARAM parameter)
{
    SetWindowLongPtrA(dialog, DWLP_USER, parameter);
    auto* state = reinterpret_cast<PedigreeWindow*>(parameter);
    for (int item : BoxItems) {
        HWND list = GetDlgItem(dialog, item);
        const LPARAM style = LVS_EX_LABELTIP | LVS_EX_FULLROWSELECT;
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, style, style);
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = 100;
        SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    }
    for (int i = 0; i < GrandparentCount; ++i)
        SetDlgItemTextA(dialog, IDC_PEDIGREE_ANCESTORS + i, AncestorIndicator);
    if (state != nullptr) {
        state->dialog = dialog;
        FillChart(dialog, *state);
    }
    return FALSE;
}

INT_PTR ChartMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitChart(dialog, lParam);
    PedigreeWindow* state = DialogState(dialog);
    if (state == nullptr)
        return FALSE;
    switch (message) {
    case WM_SIZE:
        LayOutChart(dialog, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_NOTIFY:
        return ChartNotice(dialog, *state, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_VIEW_PERSON && state->selected != 0 && state->centre != nullptr &&
            OpenPerson != nullptr)
            OpenPerson(state->selected);
        // Escape leaves the chart open: it is closed as every document window is.
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CreatePedigree(HWND window, LPARAM createStruct)
{
    if (CurrentDatabase == nullptr)
        return -1;
    auto owned = std::make_unique<PedigreeWindow>();
    PedigreeWindow& state = *owned;
    state.window = window;
    state.centre = std::make_unique<PersonRecord>(*CurrentDatabase);
    state.centre->ReadAndLoad(CreationRecordId(createStruct));
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(owned.release()));
    CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_PEDIGREE), window, PedigreeDlgProc,
                       reinterpret_cast<LPARAM>(&state));
    if (state.dialog == nullptr)
        return -1;
    SetTitle(state);
    RECT client{};
    GetClientRect(window, &client);
    MoveWindow(state.dialog, 0, 0, client.right, client.bottom, TRUE);
    ShowWindow(state.dialog, SW_SHOW);
    return 0;
}

void Activate(PedigreeWindow& state, bool active)
{
    SetActiveRecordWindow(state.window, active);
    if (active)
        EnableViewPerson(state);
    else
        EnableFrameCommand(IDM_VIEW_PERSON, false);
}

LRESULT PedigreeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return CreatePedigree(window, lParam);
    PedigreeWindow* state = WindowState(window);
    if (state == nullptr)
        return DefMDIChildProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        if (state->dialog != nullptr)
            MoveWindow(state->dialog, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == window)
            Activate(*state, true);
        else if (reinterpret_cast<HWND>(wParam) == window)
            Activate(*state, false);
        break;
    case WM_MOUSEACTIVATE:
        SendMessageA(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
        break;
    case WM_SETFOCUS:
        if (state->dialog != nullptr)
            SetFocus(state->dialog);
        return 0;
    case WM_COMMAND:
        if (state->dialog != nullptr)
            SendMessageA(state->dialog, message, wParam, lParam);
        return 0;
    case WM_NCDESTROY:
        if (ActiveChild == window)
            Activate(*state, false);
        SetWindowLongPtrA(window, 0, 0);
        delete state;
        break;
    default:
        if (message == WM_QUERYCLOSECHILD) {
            // The database is about to close: nothing of it is kept past this answer, and the window
            // goes once the close is done.
            state->centre.reset();
            state->selected = 0;
            EnableViewPerson(*state);
            PostMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

} // namespace

HWND OpenPedigreeWindow(std::int32_t personId)
{
    if (personId == 0)
        return nullptr;
    return CreateRecordWindow("PedigreeWClass", "PEDIGREE_TITLE", CurrentSettings.edit.PedigreeWindowX,
                              CurrentSettings.edit.PedigreeWindowY, personId);
}

void SetPedigreePersonOpener(PersonWindowOpener opener)
{
    OpenPerson = opener;
}

LRESULT CALLBACK PedigreeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PedigreeMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

INT_PTR CALLBACK PedigreeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ChartMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
