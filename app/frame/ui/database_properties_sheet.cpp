// The database's property sheet: general (title, file, version, times), records (live counts) and owner.
#include "frame/ui/database_display.h"

#include "core/database.h"
#include "core/database_properties.h"
#include "core/engine_transaction.h"
#include "language/language_table.h"
#include "ui_common/frame_globals.h"
#include "ui_common/window_helpers.h"
#include "res/frame_resource.h"
#include "ui_common/guarded_procedure.h"

#include <commctrl.h>
#include <prsht.h>

#include <array>
#include <cstring>
#include <ctime>
#include <iterator>
#include <string>

namespace {

constexpr std::uint32_t HeaderRecordId = 1;

// Rewrites record 1 of MAIN2 from the header in memory.
void WriteHeader(Database& database)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    if (transaction.Running())
        tlvWriteRecord(database.TableId(TableMain2), HeaderRecordId, &database.header, database.file);
}

// "long date time" in the user's locale, of a FILETIME that already is local time.
std::string FormatLocalFileTime(std::uint64_t value)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(value);
    time.dwHighDateTime = static_cast<DWORD>(value >> 32);
    SYSTEMTIME system;
    if (!FileTimeToSystemTime(&time, &system))
        return std::string();
    char date[128] = {}, clock[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &system, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &system, nullptr, clock, sizeof clock);
    return std::string(date) + " " + clock;
}

// The file's last write: stored in UTC by NTFS, so it is turned into local time there.
std::string FileChangedText(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return std::string();
    FILETIME written = data.ftLastWriteTime;
    char root[MAX_PATH] = {}, system[32] = {};
    lstrcpynA(root, path, 4); // "C:\"
    if (GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, system, sizeof system) &&
        (lstrcmpiA(system, "NTFS") == 0 || lstrcmpiA(system, "WINFS") == 0)) {
        FILETIME local;
        FileTimeToLocalFileTime(&written, &local);
        written = local;
    }
    return FormatLocalFileTime(static_cast<std::uint64_t>(written.dwHighDateTime) << 32 | written.dwLowDateTime);
}

Database* PageDatabase(HWND page)
{
    return reinterpret_cast<Database*>(GetWindowLongPtrA(page, DWLP_USER));
}

Database* StorePageDatabase(HWND page, LPARAM lParam)
{
    auto* sheetPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
    SetWindowLongPtrA(page, DWLP_USER, sheetPage->lParam);
    return reinterpret_cast<Database*>(sheetPage->lParam);
}

void ReadField(HWND page, int item, char* field, std::size_t size)
{
    GetDlgItemTextA(page, item, field, static_cast<int>(size));
    field[size - 1] = '\0';
}

// Apply becomes available when the user edits a field. Filling the fields (as a page does when it is first
// shown, on the click of its tab) changes their text too, but leaves them unmodified.
void NoteEdit(HWND page, HWND field)
{
    if (SendMessageA(field, EM_GETMODIFY, 0, 0) != 0)
        PropSheet_Changed(GetParent(page), page);
}

INT_PTR GeneralPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        Database& database = *StorePageDatabase(page, lParam);
        TranslateDialog(page);
        DatabaseHeader& header = database.header;
        SendDlgItemMessageA(page, IDC_PROPERTIES_TITLE, EM_LIMITTEXT, sizeof header.title - 1, 0);
        SetDlgItemTextA(page, IDC_PROPERTIES_TITLE, header.title);
        SetDlgItemTextA(page, IDC_PROPERTIES_FOLDER, FolderOfPath(database.path).c_str());
        SetDlgItemTextA(page, IDC_PROPERTIES_FILENAME, FileNameOfPath(database.path).c_str());
        SetDlgItemTextA(page, IDC_PROPERTIES_VERSION, FormatDatabaseVersion(header.version).c_str());
        SetDlgItemTextA(page, IDC_PROPERTIES_CREATED, FormatLocalFileTime(header.created).c_str());
        SetDlgItemTextA(page, IDC_PROPERTIES_CHANGED, FileChangedText(database.path).c_str());
        if (header.lastBackup == 0)
            SetItemLanguageText(page, IDC_PROPERTIES_BACKUP, LanguageKey("PROPERTIES_NEVER"));
        else
            SetDlgItemTextA(page, IDC_PROPERTIES_BACKUP, FormatLocalFileTime(header.lastBackup).c_str());
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PROPERTIES_TITLE && HIWORD(wParam) == EN_CHANGE)
            NoteEdit(page, reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) {
            Database& database = *PageDatabase(page);
            ReadField(page, IDC_PROPERTIES_TITLE, database.header.title, sizeof database.header.title);
            WriteHeader(database);
            SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK DatabasePropertiesGeneralDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<GeneralPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

struct RecordCountRow {
    const char* key;
    TableNumber table;
};
const RecordCountRow RecordCountRows[] = {
    {LanguageKey("PROPERTIES_RECORDS_PERSONS"), TablePerson},
    {LanguageKey("PROPERTIES_RECORDS_REPOSITORIES"), TableRepository},
    {LanguageKey("PROPERTIES_RECORDS_SOURCES"), TableSource},
    {LanguageKey("PROPERTIES_RECORDS_EXCERPTREFS"), TableExcerptRef},
    {LanguageKey("PROPERTIES_RECORDS_OBJECTIVES"), TableObjective},
    {LanguageKey("PROPERTIES_RECORDS_NAMES"), TableName},
    {LanguageKey("PROPERTIES_RECORDS_EVENTS"), TableEvent2},
    {LanguageKey("PROPERTIES_RECORDS_ATTRIBUTES"), TableAttribute2},
    {LanguageKey("PROPERTIES_RECORDS_PLACES"), TablePlace2},
    {LanguageKey("PROPERTIES_RECORDS_OBJECTS"), TableMedia},
};

INT_PTR RecordsPageMessage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    Database& database = *StorePageDatabase(page, lParam);
    HWND list = GetDlgItem(page, IDC_PROPERTIES_RECORDLIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddListViewColumn(list, 0, LanguageKey("PROPERTIES_RECORDHEADING1"), 220);
    AddListViewColumn(list, 1, LanguageKey("PROPERTIES_RECORDHEADING2"), 90);
    EngineTransaction transaction(database.file, TLV_READ);
    int row = 0;
    for (const RecordCountRow& counted : RecordCountRows) {
        std::string count = transaction.Running()
                                ? std::to_string(CountLiveRecords(database.file, database.TableId(counted.table)))
                                : std::string();
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(GetLanguageText(counted.key));
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = count.data();
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        ++row;
    }
    return TRUE;
}

INT_PTR CALLBACK DatabasePropertiesRecordsDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<RecordsPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

struct OwnerField {
    int item;
    char* text;
    std::size_t size;
};

// The six fields of the owner page, in the header of `database`.
std::array<OwnerField, 6> OwnerFields(DatabaseHeader& header)
{
    return {{
        {IDC_PROPERTIES_OWNER, header.ownerName, sizeof header.ownerName},
        {IDC_PROPERTIES_ADDRLINE1, header.ownerAddress1, sizeof header.ownerAddress1},
        {IDC_PROPERTIES_ADDRLINE2, header.ownerAddress2, sizeof header.ownerAddress2},
        {IDC_PROPERTIES_CITY, header.ownerCity, sizeof header.ownerCity},
        {IDC_PROPERTIES_PHONE, header.ownerPhone, sizeof header.ownerPhone},
        {IDC_PROPERTIES_COPYRIGHT, header.copyright, sizeof header.copyright},
    }};
}

void GenerateCopyright(HWND page)
{
    char owner[sizeof DatabaseHeader::ownerName];
    GetDlgItemTextA(page, IDC_PROPERTIES_OWNER, owner, sizeof owner);
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string text = GeneratedCopyright(now.wYear, owner);
    if (text.size() > sizeof DatabaseHeader::copyright - 1)
        text.resize(sizeof DatabaseHeader::copyright - 1);
    SetDlgItemTextA(page, IDC_PROPERTIES_COPYRIGHT, text.c_str());
    SendDlgItemMessageA(page, IDC_PROPERTIES_COPYRIGHT, EM_SETMODIFY, TRUE, 0);
    PropSheet_Changed(GetParent(page), page);
}

INT_PTR OwnerPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        Database& database = *StorePageDatabase(page, lParam);
        TranslateDialog(page);
        for (const OwnerField& field : OwnerFields(database.header)) {
            field.text[field.size - 1] = '\0';
            SendDlgItemMessageA(page, field.item, EM_LIMITTEXT, field.size - 1, 0);
            SetDlgItemTextA(page, field.item, field.text);
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PROPERTIES_GENERATE && HIWORD(wParam) == BN_CLICKED)
            GenerateCopyright(page);
        else if (HIWORD(wParam) == EN_CHANGE)
            NoteEdit(page, reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) {
            Database& database = *PageDatabase(page);
            auto fields = OwnerFields(database.header);
            bool modified = false;
            for (const OwnerField& field : fields)
                modified = modified || SendDlgItemMessageA(page, field.item, EM_GETMODIFY, 0, 0) != 0;
            if (modified) {
                for (const OwnerField& field : fields) {
                    ReadField(page, field.item, field.text, field.size);
                    SendDlgItemMessageA(page, field.item, EM_SETMODIFY, FALSE, 0);
                }
                WriteHeader(database);
            }
            SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK DatabasePropertiesOwnerDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<OwnerPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

PROPSHEETPAGEA Page(int dialog, const char* titleKey, DLGPROC procedure, Database& database)
{
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE;
    page.pszTitle = GetLanguageText(titleKey);
    page.hInstance = AppInstance;
    page.pszTemplate = MAKEINTRESOURCEA(dialog);
    page.pfnDlgProc = procedure;
    page.lParam = reinterpret_cast<LPARAM>(&database);
    return page;
}

INT_PTR RunPropertySheet(Database& database, HWND parent, DWORD extraFlags)
{
    static PROPSHEETPAGEA pages[3];
    pages[0] =
        Page(IDD_DATABASE_GENERAL, LanguageKey("PROPERTIES_GENERAL_TITLE"), DatabasePropertiesGeneralDlgProc, database);
    pages[1] =
        Page(IDD_DATABASE_RECORDS, LanguageKey("PROPERTIES_RECORDS_TITLE"), DatabasePropertiesRecordsDlgProc, database);
    pages[2] =
        Page(IDD_DATABASE_OWNER, LanguageKey("PROPERTIES_OWNER_TITLE"), DatabasePropertiesOwnerDlgProc, database);
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP | extraFlags;
    sheet.hwndParent = parent;
    sheet.hInstance = AppInstance;
    sheet.pszCaption = GetLanguageText("PROPERTIES_TITLE");
    sheet.nPages = 3;
    sheet.ppsp = pages;
    return PropertySheetA(&sheet);
}

} // namespace

void ShowDatabaseProperties(Database& database, HWND parent)
{
    RunPropertySheet(database, parent, 0);
}

HWND OpenDatabasePropertiesModeless(Database& database, HWND parent)
{
    return reinterpret_cast<HWND>(RunPropertySheet(database, parent, PSH_MODELESS));
}
