#include "words.h"

#include <cstring>
#include <iterator>

namespace wexmor {

namespace {

const char* const calendar[] = {"unknown", "chinese", "coptic",  "french", "gregorian",
                                "hebrew",  "indian",  "islamic", "julian"};
const char* const dateModifier[] = {"about", "after", "before", "estimated"};
const char* const era[] = {"after", "before"};
const char* const namePart[] = {"unkw", "oth",  "cogn", "surn", "pref", "givn", "reln", "nick",
                                "patr", "matr", "art",  "occn", "locn", "midl", "sufx", ""};
const char* const placePart[] = {"unknown", "other", "continent", "country",  "state",    "county",
                                 "town",    "muni",  "citypart",  "building", "diocese",  "deanery",
                                 "parish",  "farm",  "ocean",     "lake",     "mountain", "cemetery"};
const char* const addressPart[] = {"unknown", "other", "name", "street",  "number", "district",
                                   "pobox",   "pcode", "city", "country", "state"};
const char* const sourceClass[] = {"book",    "series",   "issue",   "article", "part",
                                   "chapter", "document", "section", "excerpt"};
const char* const sourceKind[] = {"unknown", "original", "copy"};
const char* const sourceMedia[] = {"unknown",   "other", "printed",     "handwritten", "fiche",
                                   "microfilm", "photo", "inscription", "digital",     ""};
const char* const eventClass[] = {
    "other",    "adoption",       "annulment",  "baptism",    "birth",     "blessing",    "burial",
    "census",   "confirmation",   "coronation", "cremation",  "death",     "discharge",   "divorce",
    "election", "emigration",     "enlistment", "graduation", "health",    "immigration", "internment",
    "marriage", "naturalization", "ordination", "residence",  "retirement"};
const char* const datatype[] = {"public", "family", "immfamily", "private", "info"};
const char* const textClass[] = {"other",       "caste",    "education", "email",    "idnumber", "language",
                                 "nationality", "physical", "property",  "religion", "title",    "work"};
const char* const numberClass[] = {"other", "age", "children", "marriages"};
const char* const attributeModifier[] = {"exact", "greater", "less"};
const char* const flagClass[] = {"other", "ancestor", "descendant", "living"};
const char* const relation[] = {"biological", "adoptive", "foster", "other"};
const char* const priority[] = {"low", "medium", "high"};
const char* const status[] = {"new", "analysis", "finished", "updated", "rejected"};

template <size_t N> constexpr WordTable Table(const char* const (&words)[N])
{
    return WordTable{words, static_cast<int>(N)};
}

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

const WordTable kCalendarWords = Table(calendar);
const WordTable kDateModifierWords = Table(dateModifier);
const WordTable kEraWords = Table(era);
const WordTable kNamePartCodes = Table(namePart);
const WordTable kPlacePartWords = Table(placePart);
const WordTable kAddressPartWords = Table(addressPart);
const WordTable kSourceClassWords = Table(sourceClass);
const WordTable kSourceKindWords = Table(sourceKind);
const WordTable kSourceMediaWords = Table(sourceMedia);
const WordTable kEventClassWords = Table(eventClass);
const WordTable kDatatypeWords = Table(datatype);
const WordTable kTextClassWords = Table(textClass);
const WordTable kNumberClassWords = Table(numberClass);
const WordTable kAttributeModifierWords = Table(attributeModifier);
const WordTable kFlagClassWords = Table(flagClass);
const WordTable kRelationWords = Table(relation);
const WordTable kPriorityWords = Table(priority);
const WordTable kStatusWords = Table(status);

bool EqualsIgnoreCase(const char* a, const char* b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
        if (a[i] == '\0')
            return true;
    }
    return true;
}

const char* WordAt(const WordTable& table, int index)
{
    return (index >= 0 && index < table.count) ? table.words[index] : nullptr;
}

int FindWordByPrefix(const WordTable& table, const char* value)
{
    for (int i = 0; i < table.count; ++i) {
        size_t length = std::strlen(table.words[i]);
        if (std::strlen(value) >= length && EqualsIgnoreCase(value, table.words[i], length))
            return i;
    }
    return -1;
}

int FindWordExact(const WordTable& table, const char* value)
{
    for (int i = 0; i < table.count; ++i)
        if (std::strcmp(table.words[i], value) == 0)
            return i;
    return -1;
}

} // namespace wexmor
