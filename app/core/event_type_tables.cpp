#include "core/event_type_tables.h"

#include <cstring>

namespace {

// The order of every table is stored in databases (classes and tags are kept as indexes).
constexpr const char* EventClasses[] = {
    "other",    "adoption",       "annulment",  "baptism",    "birth",      "blessing",    "burial",
    "census",   "confirmation",   "coronation", "cremation",  "death",      "discharge",   "divorce",
    "election", "emigration",     "enlistment", "graduation", "health",     "immigration", "internment",
    "marriage", "naturalization", "ordination", "residence",  "retirement",
};
constexpr const char* TextAttributeClasses[] = {
    "other",       "caste",    "education", "email",    "idnumber", "language",
    "nationality", "physical", "property",  "religion", "title",    "work",
};
constexpr const char* NumericAttributeClasses[] = {"other", "age", "children", "marriages"};
constexpr const char* FlagAttributeClasses[] = {"other", "ancestor", "descendant", "living"};

constexpr const char* GedcomTags[] = {
    "HEAD", "SOUR", "DEST", "DATE", "CHAR", "FILE", "SUBM", "NAME",  "ADDR", "CONT", "PHON", "COMM", "SUBN",
    "INDI", "TITL", "SEX",  "REFN", "BIRT", "PLAC", "CHR",  "DEAT",  "BURI", "FAMS", "FAMC", "NOTE", "FAM",
    "HUSB", "WIFE", "CHIL", "MARR", "DIV",  "TRLR", "CHRI", "PARE",  "RFN",  "FAMI", "SYST", "OTHE", "OLD",
    "YOUN", "DIVO", "CHEC", "OCCU", "CREM", "ADOP", "AFT",  "NUMB",  "QUAY", "CHAN", "NPFX", "GIVN", "NICK",
    "SPFX", "SURN", "NSFX", "CAST", "DSCR", "EDUC", "IDNO", "NATI",  "NCHI", "NMR",  "PROP", "RELI", "RESI",
    "TIME", "CONC", "AFN",  "RIN",  "SSN",  "VERS", "ANUL", "ENGA",  "MARC", "CONF", "CHRA", "BAPM", "BLES",
    "BAPL", "LANG", "ADR1", "ADR2", "CITY", "STAE", "POST", "CTRY",  "CORP", "COPR", "DATA", "GEDC", "FORM",
    "BARM", "BASM", "CENS", "DIVF", "MARB", "MARL", "MARS", "AUTH",  "ABBR", "PUBL", "TEXT", "ANCI", "DESI",
    "PAGE", "EVEN", "OBJE", "FCOM", "ORDN", "NATU", "EMIG", "IMMI",  "PROB", "WILL", "GRAD", "RETI", "TYPE",
    "REPO", "CALN", "BLOB", "CONL", "ENDL", "SLGC", "SLGS", "EMAIL", "FAX",  "WWW",  "FACT", "UID",
};
static_assert(sizeof GedcomTags / sizeof GedcomTags[0] == GedcomTagCount, "the tag table has 129 entries");

constexpr const char* OfferedEventTags[] = {
    "ADOP", "BIRT", "BAPM", "BARM", "BASM", "BLES", "BURI", "CENS", "CHR",  "CHRA", "CONF",
    "CREM", "DEAT", "EMIG", "FCOM", "GRAD", "IMMI", "NATU", "ORDN", "RESI", "RETI", "PROB",
    "WILL", "EVEN", "ANUL", "DIV",  "DIVF", "ENGA", "MARR", "MARB", "MARC", "MARL", "MARS",
};
constexpr const char* OfferedAttributeTags[] = {
    "CAST", "DSCR", "EDUC", "IDNO", "NATI", "NCHI", "NMR", "OCCU", "PROP", "RELI", "SSN", "TITL", "FACT",
};

template <std::size_t N> constexpr KeywordTable TableOf(const char* const (&words)[N])
{
    return KeywordTable{words, static_cast<int>(N)};
}

int IndexIn(KeywordTable table, const char* word)
{
    if (word == nullptr)
        return -1;
    for (int i = 0; i < table.count; ++i) {
        if (std::strcmp(table.words[i], word) == 0)
            return i;
    }
    return -1;
}

} // namespace

KeywordTable EventClassTable(int kind, int attributeKind)
{
    if (kind != EventTypeKindAttribute)
        return TableOf(EventClasses);
    switch (attributeKind) {
    case AttributeKindNumeric:
        return TableOf(NumericAttributeClasses);
    case AttributeKindFlag:
        return TableOf(FlagAttributeClasses);
    default:
        return TableOf(TextAttributeClasses);
    }
}

int GetEventClassCode(const char* keyword, int kind, int attributeKind)
{
    int index = IndexIn(EventClassTable(kind, attributeKind), keyword);
    return index < 0 ? 0 : index;
}

const char* GetEventClassKeyword(int classCode, int kind, int attributeKind)
{
    KeywordTable table = EventClassTable(kind, attributeKind);
    if (classCode < 0 || classCode >= table.count)
        return table.words[0];
    return table.words[classCode];
}

int FindGedcomTag(const char* text)
{
    return IndexIn(TableOf(GedcomTags), text);
}

const char* GedcomTagText(int index)
{
    if (index < 0 || index >= GedcomTagCount)
        return nullptr;
    return GedcomTags[index];
}

KeywordTable OfferedGedcomTags(int kind)
{
    return kind == EventTypeKindAttribute ? TableOf(OfferedAttributeTags) : TableOf(OfferedEventTags);
}
