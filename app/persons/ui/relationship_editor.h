// The editor of a relationship: the relationship page on top (relation, privacy, parent and child), then
// the note page.
#pragma once

#include <windows.h>

#include <cstdint>

#include "persons/relationship.h"
#include "persons/ui/assertion_editor.h"

class RelationshipEditor : public AssertionEditor {
public:
    // The relationship of `id` read with its participants, citations and note; a new one for id 0.
    RelationshipEditor(std::int32_t id, Database& database);

    RecordList<ExcerptRef>& GetExcerptRefList() override { return relationship_.ExcerptRefs(); }
    RecordList<AssertionLink>& GetLinkList() override { return relationship_.Links(); }
    NoteText& GetNote() override { return *relationship_.Note(); }
    // A new relationship starts with a copy of the initiating link: the caller keeps its own.
    HWND CreateKindPage(HWND host) override;
    // The link notices, then the relationship with its links, citations and note.
    bool Save(PendingNotices& notices) override;

    Relationship& Edited() { return relationship_; }

private:
    Relationship relationship_;
};

// The relationship page (dialog 243); its creation parameter is the Relationship. It answers the editor's
// IDOK with 1, or with 0 after telling the user that the parent or the child is missing.
INT_PTR CALLBACK RelationshipPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
