// Small buttons that show an image and explain themselves in a tooltip (new, delete, up, down ...): the
// images come from the program's bitmap resources with the light grey mapped to the button face.
#pragma once

#include <windows.h>

#include <cstddef>

struct BitmapButton {
    int item;
    int bitmap;             // bitmap resource id
    const char* tooltipKey; // language key
};

// Gives a button its image and tooltip; DetachBitmapButton (on WM_DESTROY) frees them again.
void AttachBitmapButton(HWND dialog, const BitmapButton& button);
void DetachBitmapButton(HWND dialog, const BitmapButton& button);

template <std::size_t N> void AttachBitmapButtons(HWND dialog, const BitmapButton (&buttons)[N])
{
    for (const BitmapButton& button : buttons)
        AttachBitmapButton(dialog, button);
}

template <std::size_t N> void DetachBitmapButtons(HWND dialog, const BitmapButton (&buttons)[N])
{
    for (const BitmapButton& button : buttons)
        DetachBitmapButton(dialog, button);
}

// The first and the last message of a page with bitmap buttons: WM_INITDIALOG goes to `init(page,
// parameter)`, which attaches them; WM_DESTROY frees their images and tooltips again. True when `message`
// was one of the two, with the page's answer in `answer`.
template <std::size_t N, class Init>
bool AnswerButtonPageLifetime(HWND page, UINT message, LPARAM lParam, const BitmapButton (&buttons)[N], Init init,
                              INT_PTR& answer)
{
    if (message == WM_INITDIALOG) {
        answer = init(page, lParam);
        return true;
    }
    if (message == WM_DESTROY) {
        DetachBitmapButtons(page, buttons);
        answer = FALSE;
        return true;
    }
    return false;
}
