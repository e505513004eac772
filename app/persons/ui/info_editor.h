// The editor of an information note: the information page on top (privacy and the text), then the
// note page.
#pragma once

#include <windows.h>

#include <cstdint>

#include "persons/info_assertion.h"
#include "persons/ui/assertion_editor.h"

class InfoEditor : public AssertionEditor {
public:
    // The information note of `id` read with its linked records; a new one for id 0.
    InfoEditor(std::int32_t id, Database& database);

    RecordList<ExcerptRef>& GetExcerptRefList() override { return info_.ExcerptRefs(); }
    RecordList<AssertionLink>& GetLinkList() override { return info_.Links(); }
    // The note tab edits the note; the page edits the text.
    NoteText& GetNote() override { return *info_.Note(); }
    HWND CreateKindPage(HWND host) override;
    bool Save(PendingNotices&) override { return info_.Save(); }

    InfoAssertion& Info() { return info_; }

private:
    InfoAssertion info_;
};

// The information page (dialog 242); its creation parameter is the InfoAssertion. It answers the
// editor's IDOK with 1.
INT_PTR CALLBACK InfoPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
