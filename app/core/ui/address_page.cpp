#include "core/ui/address_page.h"

#include <cstddef>
#include <cstring>

#include "core/address_record.h"
#include "language/language_table.h"
#include "res/core_resource.h"
#include "ui_common/guarded_procedure.h"

namespace {

struct AddressField {
    int label;
    const char* labelKey;
    int edit;
    std::size_t offset;
    std::size_t size;
};

const AddressField Fields[] = {
    {IDC_ADDRESS_LINE1_LABEL, LanguageKey("ADDRESS_LINE1"), IDC_ADDRESS_LINE1, offsetof(AddressRow, line1),
     sizeof(AddressRow::line1)},
    {IDC_ADDRESS_LINE2_LABEL, LanguageKey("ADDRESS_LINE2"), IDC_ADDRESS_LINE2, offsetof(AddressRow, line2),
     sizeof(AddressRow::line2)},
    {IDC_ADDRESS_CITY_LABEL, LanguageKey("ADDRESS_CITY"), IDC_ADDRESS_CITY, offsetof(AddressRow, city),
     sizeof(AddressRow::city)},
    {IDC_ADDRESS_COUNTRY_LABEL, LanguageKey("ADDRESS_COUNTRY"), IDC_ADDRESS_COUNTRY, offsetof(AddressRow, country),
     sizeof(AddressRow::country)},
    {IDC_ADDRESS_PHONE_LABEL, LanguageKey("ADDRESS_PHONE"), IDC_ADDRESS_PHONE, offsetof(AddressRow, phone),
     sizeof(AddressRow::phone)},
    {IDC_ADDRESS_FAX_LABEL, LanguageKey("ADDRESS_FAX"), IDC_ADDRESS_FAX, offsetof(AddressRow, fax),
     sizeof(AddressRow::fax)},
};

AddressRecord* PageAddress(HWND page)
{
    return reinterpret_cast<AddressRecord*>(GetWindowLongPtrA(page, DWLP_USER));
}

char* FieldOf(AddressRecord& address, const AddressField& field)
{
    return reinterpret_cast<char*>(&address.row) + field.offset;
}


INT_PTR AddressPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(page, DWLP_USER, lParam);
        AddressRecord* address = PageAddress(page);
        for (const AddressField& field : Fields) {
            SetDlgItemTextA(page, field.label, GetLanguageText(field.labelKey));
            // A stored field fills its width only when damaged: show what lies within it.
            char text[64] = {};
            if (address)
                std::memcpy(text, FieldOf(*address, field), field.size - 1);
            SetDlgItemTextA(page, field.edit, text);
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            if (AddressRecord* address = PageAddress(page))
                for (const AddressField& field : Fields)
                    GetDlgItemTextA(page, field.edit, FieldOf(*address, field), static_cast<int>(field.size));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK AddressPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<AddressPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
