// The plumbing every wizard page of import and export shares: each page keeps a pointer to its wizard's
// block, answers notifications through DWLP_MSGRESULT, and runs guarded.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "language/language_table.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

namespace wizard_pages {

// The block the page took at WM_INITDIALOG (KeepBlock).
template <class Block>
Block* BlockOf(HWND page)
{
    return reinterpret_cast<Block*>(GetWindowLongPtrA(page, GWLP_USERDATA));
}

// At WM_INITDIALOG: keeps the block that the sheet page carries in its lParam.
inline void KeepBlock(HWND page, LPARAM lParam)
{
    auto* sheetPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
    SetWindowLongPtrA(page, GWLP_USERDATA, sheetPage->lParam);
}

// At WM_INITDIALOG: keeps the block and puts the page's texts into the user's language.
inline void StartPage(HWND page, LPARAM lParam)
{
    KeepBlock(page, lParam);
    TranslateDialog(page);
}

// The buttons the sheet offers while the page is shown.
inline void SetButtons(HWND page, DWORD buttons)
{
    PropSheet_SetWizButtons(GetParent(page), buttons);
}

// Answers a notification: the result goes back through DWLP_MSGRESULT.
inline BOOL Answer(HWND dialog, LONG_PTR result)
{
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

template <auto Page>
INT_PTR CALLBACK GuardedPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<Page, DialogSafeAnswer>(page, message, wParam, lParam);
}

// One page of a wizard sheet with a title and a Help button, carrying the wizard's block.
template <class Block>
PROPSHEETPAGEA WizardPage(int dialog, const char* titleKey, DLGPROC procedure, Block& block)
{
    PROPSHEETPAGEA page {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE | PSP_HASHELP;
    page.pszTitle = GetLanguageText(titleKey);
    page.hInstance = AppInstance;
    page.pszTemplate = MAKEINTRESOURCEA(dialog);
    page.pfnDlgProc = procedure;
    page.lParam = reinterpret_cast<LPARAM>(&block);
    return page;
}

// Runs the wizard sheet of the pages under the caption of `captionKey`, with Help; `extraFlags` may make it
// modeless (PSH_MODELESS), when the answer is the sheet's window.
template <std::size_t PageCount>
INT_PTR RunWizardSheet(HWND parent, PROPSHEETPAGEA (&pages)[PageCount], const char* captionKey, DWORD extraFlags)
{
    PROPSHEETHEADERA sheet {};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD | PSH_HASHELP | extraFlags;
    sheet.hwndParent = parent;
    sheet.hInstance = AppInstance;
    sheet.pszCaption = GetLanguageText(captionKey);
    sheet.nPages = PageCount;
    sheet.ppsp = pages;
    return PropertySheetA(&sheet);
}

} // namespace wizard_pages
