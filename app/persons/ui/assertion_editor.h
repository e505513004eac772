// The assertion editor's side of an assertion: it makes a window of the kind's own page, so it lives with
// the windows, apart from the record classes.
#pragma once

#include <windows.h>

#include "core/address_record.h"
#include "core/assertion_link.h"
#include "core/record_list.h"

class ExcerptRef;
class NoteText;
class PendingNotices;

// The interface through which the assertion editor edits one assertion, in slot order. The editor owns
// its assertion and destroys it with itself.
class AssertionEditor {
public:
    AssertionEditor() = default;
    AssertionEditor(const AssertionEditor&) = delete;
    AssertionEditor& operator=(const AssertionEditor&) = delete;
    virtual ~AssertionEditor() = default;

    virtual int HasRolesPage() { return 0; }
    virtual int HasFormattingPage() { return 0; }
    virtual RecordList<ExcerptRef>& GetExcerptRefList() = 0;
    virtual RecordList<AssertionLink>& GetLinkList() = 0;
    // Null: the editor shows no address page.
    virtual AddressRecord* GetAddress() { return nullptr; }
    virtual NoteText& GetNote() = 0;
    // Makes the kind page, a modeless child of `host`, and sets the host's title.
    virtual HWND CreateKindPage(HWND host) = 0;
    // Saves the assertion inside the editor's read-write transaction; true when everything was written.
    virtual bool Save(PendingNotices& notices) = 0;
    // Null: the kind has no such template (the witness part of the formatting page is hidden).
    virtual const char* GetPrincipalTemplate() { return nullptr; }
    virtual void SetPrincipalTemplate(const char*) {}
    virtual const char* GetWitnessTemplate() { return nullptr; }
    virtual void SetWitnessTemplate(const char*) {}

    // The link that started the edit.
    AssertionLink* initiatingLink = nullptr;
};

// Edits the assertion that `link` names (its kind and assertion id; id 0 for a new assertion, for which
// the caller has filled in the person, role and order) in the modal assertion editor over `parent`.
// Nothing is written until the user saves; then everything is written in one transaction, and the link
// notices are posted once it is committed. 1 when the assertion was saved (a new assertion's link then
// carries the new link id and assertion id), 0 after Cancel, for a kind without an editor, or when the
// save failed (which the user is told).
INT_PTR EditAssertion(HWND parent, AssertionLink& link);

// The editor dialog (resource ASSERTION_EDIT); its creation parameter is the AssertionEditor.
INT_PTR CALLBACK AssertionEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The formatting page (dialog 279); its creation parameter is the AssertionEditor.
INT_PTR CALLBACK FormattingPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
