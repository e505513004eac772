// The roles dialog (resource IDD_ROLES, 224), modal over the open database (CurrentDatabase):
//   DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ROLES), owner, RolesDlgProc, 0);
#pragma once

#include <windows.h>

INT_PTR CALLBACK RolesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
