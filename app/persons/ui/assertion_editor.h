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
