// The editor of a name assertion: the name page on top (the name as one line, the date, the privacy),
// then the excerpts and note pages; a name has no roles, address or formatting page.
#pragma once

#include <windows.h>

#include <cstdint>

#include "persons/name_assertion.h"
#include "persons/ui/assertion_editor.h"

class NameEditor : public AssertionEditor {
public:
    // The name assertion of `id` read with its linked records; for id 0 a new one with an empty name.
    NameEditor(std::int32_t id, Database& database);

    RecordList<ExcerptRef>& GetExcerptRefList() override { return name_.ExcerptRefs(); }
    RecordList<AssertionLink>& GetLinkList() override { return name_.Links(); }
    NoteText& GetNote() override { return *name_.Note(); }
    HWND CreateKindPage(HWND host) override;
    // The link notices, then the name assertion with everything it owns.
    bool Save(PendingNotices& notices) override;

    NameAssertion& Name() { return name_; }

private:
    NameAssertion name_;
};

// The name page (dialog 245); its creation parameter is the NameAssertion. It answers the editor's IDOK
// with 1.
INT_PTR CALLBACK NamePageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
