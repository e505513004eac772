#include "ui_common/bitmap_buttons.h"

#include "language/language_table.h"
#include "ui_common/frame_globals.h"
#include "ui_common/window_helpers.h"

void AttachBitmapButton(HWND dialog, const BitmapButton& button)
{
    HWND control = GetDlgItem(dialog, button.item);
    if (control == nullptr)
        return;
    HANDLE image = LoadImageA(AppInstance, MAKEINTRESOURCEA(button.bitmap), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    if (image != nullptr)
        SendMessageA(control, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
    AddTooltip(control, GetLanguageText(button.tooltipKey));
}

void DetachBitmapButton(HWND dialog, const BitmapButton& button)
{
    HWND control = GetDlgItem(dialog, button.item);
    if (control == nullptr)
        return;
    auto image = reinterpret_cast<HGDIOBJ>(SendMessageA(control, BM_SETIMAGE, IMAGE_BITMAP, 0));
    if (image != nullptr)
        DeleteObject(image);
    RemoveTooltip(control);
}
