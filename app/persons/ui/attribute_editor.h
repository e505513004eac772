// The editor of an attribute: the attribute page on top (type, privacy, value, date, place), then the
// address, note and formatting pages.
#pragma once

#include <windows.h>

#include <cstdint>

#include "persons/attribute_assertion.h"
#include "persons/ui/assertion_editor.h"

class AttributeEditor : public AssertionEditor {
public:
    // The attribute of `id` read with its linked records; a new attribute for id 0.
    AttributeEditor(std::int32_t id, Database& database);

    int HasFormattingPage() override { return 1; }
    RecordList<ExcerptRef>& GetExcerptRefList() override { return attribute_.ExcerptRefs(); }
    RecordList<AssertionLink>& GetLinkList() override { return attribute_.Links(); }
    AddressRecord* GetAddress() override { return attribute_.Address(); }
    NoteText& GetNote() override { return *attribute_.Note(); }
    HWND CreateKindPage(HWND host) override;
    bool Save(PendingNotices&) override { return attribute_.Save(); }
    const char* GetPrincipalTemplate() override { return attribute_.GetSentenceTemplate(0); }
    void SetPrincipalTemplate(const char* text) override;

    AttributeAssertion& Attribute() { return attribute_; }

private:
    AttributeAssertion attribute_;
};

// The attribute page (dialog 241); its creation parameter is the AttributeAssertion. It answers the
// editor's IDOK with 1 and posts WM_ASSERTIONTYPECHANGED to its parent when the user chooses another type.
INT_PTR CALLBACK AttributePageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
