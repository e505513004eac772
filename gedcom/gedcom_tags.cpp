#include "gedcom/gedcom_tags.h"

#include <array>
#include <unordered_map>

namespace pendrax {

namespace {

// Each entry padded to five characters, in the order of the Tag numbers.
constexpr std::array<std::string_view, 138> kStandardTags = {
    "ABBR ", "ADDR ", "ADR1 ", "ADR2 ", "ADOP ", "AFN  ", "AGE  ", "AGNC ", "ALIA ", "ANCE ", "ANCI ", "ANUL ", "ASSO ",
    "AUTH ", "BAPL ", "BAPM ", "BARM ", "BASM ", "BIRT ", "BLES ", "BLOB ", "BURI ", "CALN ", "CAST ", "CAUS ", "CENS ",
    "CHAN ", "CHAR ", "CHIL ", "CHR  ", "CHRA ", "CITY ", "CONC ", "CONF ", "CONL ", "CONT ", "COPR ", "CORP ", "CREM ",
    "CTRY ", "DATA ", "DATE ", "DEAT ", "DESC ", "DESI ", "DEST ", "DIV  ", "DIVF ", "DSCR ", "EDUC ", "EMIG ", "ENDL ",
    "ENGA ", "EVEN ", "FAM  ", "FAMC ", "FAMF ", "FAMS ", "FCOM ", "FILE ", "FORM ", "GEDC ", "GIVN ", "GRAD ", "HEAD ",
    "HUSB ", "IDNO ", "IMMI ", "INDI ", "LANG ", "LEGA ", "MARB ", "MARC ", "MARL ", "MARR ", "MARS ", "MEDI ", "NAME ",
    "NATI ", "NATU ", "NCHI ", "NICK ", "NMR  ", "NOTE ", "NPFX ", "NSFX ", "OBJE ", "OCCU ", "ORDI ", "ORDN ", "PAGE ",
    "PEDI ", "PHON ", "PLAC ", "POST ", "PROB ", "PROP ", "PUBL ", "QUAY ", "REFN ", "RELA ", "RELI ", "REPO ", "RESI ",
    "RESN ", "RETI ", "RFN  ", "RIN  ", "ROLE ", "SEX  ", "SLGC ", "SLGS ", "SOUR ", "SPFX ", "SSN  ", "STAE ", "STAT ",
    "SUBM ", "SUBN ", "SURN ", "TEMP ", "TEXT ", "TIME ", "TITL ", "TRLR ", "TYPE ", "VERS ", "WIFE ", "WILL ", "EMAIL",
    "FACT ", "FAX  ", "FONE ", "LATI ", "LONG ", "MAP  ", "ROMN ", "WWW  ",
};

constexpr std::array<std::string_view, 4> kUserTags = {"EMAIL", "UID  ", "STAT ", "TODO "};

} // namespace

Tag FindStandardTag(std::string_view padded)
{
    // Every line looks its tag up: a hash table keeps that independent of the table's length.
    static const std::unordered_map<std::string_view, Tag> index = [] {
        std::unordered_map<std::string_view, Tag> built;
        for (size_t i = 0; i < kStandardTags.size(); ++i)
            built.emplace(kStandardTags[i], static_cast<Tag>(i + 1));
        return built;
    }();
    auto found = index.find(padded);
    return found == index.end() ? Tag::None : found->second;
}

Tag FindUserTag(std::string_view padded)
{
    for (size_t i = 0; i < kUserTags.size(); ++i)
        if (kUserTags[i] == padded)
            return static_cast<Tag>(1001 + i);
    return Tag::None;
}

std::string_view TagName(Tag tag)
{
    int number = static_cast<int>(tag);
    std::string_view padded;
    if (number >= 1 && number <= static_cast<int>(kStandardTags.size()))
        padded = kStandardTags[number - 1];
    else if (number >= 1001 && number <= 1004)
        padded = kUserTags[number - 1001];
    while (!padded.empty() && padded.back() == ' ')
        padded.remove_suffix(1);
    return padded;
}

} // namespace pendrax
