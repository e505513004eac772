// The value of an attribute as its kind page edits it: which controls a type's attribute kind asks for,
// the choices of the choice list, the number typed, and what the page's OK stores of them. The type
// list's choice of the attribute's type is decided here as well.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class AttributeAssertion;

// The value controls shown for an attribute kind.
struct AttributeValueControls {
    bool text;    // the one-line value text (text kind)
    bool choices; // the choice list: the modifiers (numeric kind) or no and yes (flag kind)
    bool number;  // the number edit (numeric kind)
    bool operator==(const AttributeValueControls&) const = default;
};
AttributeValueControls ValueControlsOf(int attributeKind);

// The language keys of the choice list in row order (the row is the modifier, or the flag's value);
// none for the text kind.
std::span<const char* const> ValueChoiceKeys(int attributeKind);
// The row the choice list selects for what the attribute holds; -1 for a kind without choices.
int ValueChoiceOf(const AttributeAssertion& attribute, int attributeKind);

// The signed decimal number of the number edit; 0 when it holds none or one beyond 32 bits.
std::int32_t ParseAttributeNumber(const char* text);

// What the kind page's OK stores of the value, by the attribute kind of its type: a number keeps the
// chosen modifier and the typed number and no value text; a flag keeps the chosen row as its value and
// neither modifier nor value text; a text keeps neither number nor modifier (its text is taken from the
// field by the page, only when the user changed it). Other kinds change nothing.
void StoreAttributeValue(AttributeAssertion& attribute, int attributeKind, int choice, const char* number);

// The attribute type the type list selects, given the listed types in id order: the row's own type when
// it is listed; for a row with no type yet (0) the listed type of the lowest id, which the row takes;
// none when the row's type is not listed (a deleted type, or one of another kind), so that the row keeps
// its type until the user picks one.
std::optional<std::int32_t> ChooseAttributeType(const std::vector<std::int32_t>& listedIds, std::int32_t rowTypeId);
