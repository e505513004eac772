#include "persons/attribute_value.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "core/event_type_tables.h"
#include "core/note_text.h"
#include "language/language_table.h"
#include "persons/attribute_assertion.h"

namespace {

constexpr const char* ModifierKeys[] = {LanguageKey("ATTRIBUTE_MODIFIER_EXACT"),
                                        LanguageKey("ATTRIBUTE_MODIFIER_GREATER"),
                                        LanguageKey("ATTRIBUTE_MODIFIER_LESS")};
constexpr const char* FlagKeys[] = {LanguageKey("ATTRIBUTE_FLAG_NO"), LanguageKey("ATTRIBUTE_FLAG_YES")};

void ClearValueText(AttributeAssertion& attribute)
{
    if (NoteText* text = attribute.ValueText())
        text->Clear();
}

} // namespace

AttributeValueControls ValueControlsOf(int attributeKind)
{
    if (attributeKind == AttributeKindText)
        return {true, false, false};
    if (attributeKind == AttributeKindNumeric)
        return {false, true, true};
    return {false, true, false};
}

std::span<const char* const> ValueChoiceKeys(int attributeKind)
{
    if (attributeKind == AttributeKindText)
        return {};
    if (attributeKind == AttributeKindNumeric)
        return ModifierKeys;
    return FlagKeys;
}

int ValueChoiceOf(const AttributeAssertion& attribute, int attributeKind)
{
    if (attributeKind == AttributeKindText)
        return -1;
    if (attributeKind == AttributeKindNumeric) {
        const int modifier = attribute.row.modifier;
        return modifier >= AttributeExact && modifier <= AttributeLess ? modifier : -1;
    }
    // Any value but 0 is told as yes, so it is shown as yes.
    return attribute.row.value != 0 ? 1 : 0;
}

std::int32_t ParseAttributeNumber(const char* text)
{
    if (text == nullptr)
        return 0;
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE || number < INT32_MIN || number > INT32_MAX)
        return 0;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0' ? static_cast<std::int32_t>(number) : 0;
}

void StoreAttributeValue(AttributeAssertion& attribute, int attributeKind, int choice, const char* number)
{
    switch (attributeKind) {
    case AttributeKindText:
        attribute.row.modifier = AttributeExact;
        attribute.row.value = 0;
        break;
    case AttributeKindNumeric:
        // No choice made keeps the stored modifier.
        if (choice >= AttributeExact && choice <= AttributeLess)
            attribute.row.modifier = static_cast<std::int8_t>(choice);
        attribute.row.value = ParseAttributeNumber(number);
        ClearValueText(attribute);
        break;
    case AttributeKindFlag:
        attribute.row.modifier = AttributeExact;
        if (choice == 0 || choice == 1)
            attribute.row.value = choice;
        ClearValueText(attribute);
        break;
    default:
        break;
    }
}

std::optional<std::int32_t> ChooseAttributeType(const std::vector<std::int32_t>& listedIds, std::int32_t rowTypeId)
{
    if (listedIds.empty())
        return std::nullopt;
    if (rowTypeId == 0)
        return *std::min_element(listedIds.begin(), listedIds.end());
    if (std::find(listedIds.begin(), listedIds.end(), rowTypeId) != listedIds.end())
        return rowTypeId;
    return std::nullopt;
}
