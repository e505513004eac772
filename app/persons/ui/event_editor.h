// The editor of an event: the event page on top (type, privacy, date, place), then the roles, address,
// note and formatting pages.
#pragma once

#include <windows.h>

#include <cstdint>

#include "persons/event_assertion.h"
#include "persons/ui/assertion_editor.h"

class EventEditor : public AssertionEditor {
public:
    // The event of `id` read with its linked records; a new event for id 0.
    EventEditor(std::int32_t id, Database& database);

    int HasRolesPage() override { return 1; }
    int HasFormattingPage() override { return 1; }
    RecordList<ExcerptRef>& GetExcerptRefList() override { return event_.ExcerptRefs(); }
    RecordList<AssertionLink>& GetLinkList() override { return event_.Links(); }
    AddressRecord* GetAddress() override { return event_.Address(); }
    NoteText& GetNote() override { return *event_.Note(); }
    HWND CreateKindPage(HWND host) override;
    // The link notices, then the event with everything it owns.
    bool Save(PendingNotices& notices) override;
    const char* GetPrincipalTemplate() override { return event_.GetSentenceTemplate(0); }
    void SetPrincipalTemplate(const char* text) override;
    const char* GetWitnessTemplate() override { return event_.GetSentenceTemplate(1); }
    void SetWitnessTemplate(const char* text) override;

    EventAssertion& Event() { return event_; }

private:
    EventAssertion event_;
};

// The event page (dialog 234); its creation parameter is the EventAssertion. It answers the editor's IDOK
// with 1 and posts WM_ASSERTIONTYPECHANGED to its parent when the user chooses another type.
INT_PTR CALLBACK EventPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
