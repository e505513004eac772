// The roles page of the event editor: the event's participants with their roles, added, changed and
// removed in the participant list in memory, which the editor's save writes. And the role dialog, which
// sets the role of one participant.
#pragma once

#include <windows.h>

class AssertionLink;
class EventAssertion;

// The parameter of the role dialog: the link whose role is set, and whether the principal role is offered.
struct RoleChoice {
    AssertionLink* link;
    bool principalAllowed;
};

// Refills the page's list with the participants not marked for removal.
void FillRolesList(HWND page, EventAssertion& event);

// The roles page (dialog 235); its creation parameter is the EventEditor.
INT_PTR CALLBACK RolesPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the role dialog over `owner`: 1 after OK (the link's role was set), 0 after Cancel.
INT_PTR ChooseRole(HWND owner, RoleChoice& choice);
// The role dialog (dialog 246); its creation parameter is the address of a RoleChoice.
INT_PTR CALLBACK RoleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
