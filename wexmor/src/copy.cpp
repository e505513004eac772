#include "copy.h"

#include <cstring>

namespace wexmor {

namespace {

// The date, place and address that attributes and events carry.
template <class Content>
void CopyOptionalRecords(Content& to, const Content& from)
{
    to.date = Clone(from.date.get());
    to.place = Clone(from.place.get());
    to.address = Clone(from.address.get());
}

} // namespace

void CopyFields(WZSimpledate& to, const WZSimpledate& from)
{
    to.calendar = from.calendar;
    to.modifier = from.modifier;
    to.era = from.era;
    to.date.Assign(from.date);
}

void CopyFields(WZDate& to, const WZDate& from)
{
    to.exact = Clone(from.exact.get());
    to.begin = Clone(from.begin.get());
    to.end = Clone(from.end.get());
    to.from = Clone(from.from.get());
    to.to = Clone(from.to.get());
    to.text.Assign(from.text);
}

void CopyFields(WZName& to, const WZName& from)
{
    std::memcpy(to.lang, from.lang, sizeof to.lang);
    to.parts.Assign(from.parts);
    to.cursor = 0;
}

void CopyFields(WZPlace& to, const WZPlace& from)
{
    std::memcpy(to.lang, from.lang, sizeof to.lang);
    to.prefix.Assign(from.prefix);
    to.parts.Assign(from.parts);
    to.cursor = 0;
    to.date = Clone(from.date.get());
    to.longitude.Assign(from.longitude);
    to.latitude.Assign(from.latitude);
}

void CopyFields(WZAddress& to, const WZAddress& from)
{
    to.parts.Assign(from.parts);
    to.cursor = 0;
    to.phone.Assign(from.phone);
    to.fax.Assign(from.fax);
}

void CopyFields(WZObject& to, const WZObject& from)
{
    std::memcpy(to.lang, from.lang, sizeof to.lang);
    to.extFile.Assign(from.extFile);
    to.orgFile.Assign(from.orgFile);
    to.bin.Assign(from.bin);
    to.title.Assign(from.title);
    to.note.Assign(from.note);
    to.content.reset();
    to.contentSize = 0;
    if (from.content) {
        size_t size = static_cast<size_t>(from.contentSize);
        to.content.reset(new (std::nothrow) unsigned char[size ? size : 1]);
        if (to.content) {
            std::memcpy(to.content.get(), from.content.get(), size);
            to.contentSize = from.contentSize;
        }
    }
}

void CopyFields(WZRepref& to, const WZRepref& from)
{
    to.ref = from.ref;
    to.callnumber.Assign(from.callnumber);
    to.note.Assign(from.note);
}

void CopyFields(WZExcerptref& to, const WZExcerptref& from)
{
    to.excerptId = from.excerptId;
}

void CopyFields(WZSubpersons& to, const WZSubpersons& from)
{
    to.probability = from.probability;
    to.person1 = from.person1;
    to.person2 = from.person2;
    to.note.Assign(from.note);
}

void CopyFields(WZPersonref& to, const WZPersonref& from)
{
    to.pref = from.pref;
    to.seq = from.seq;
    to.personId = from.personId;
}

void CopyFields(WZPersonrefrole& to, const WZPersonrefrole& from)
{
    to.personrefs = Clone(from.personrefs.get());
    to.role.Assign(from.role);
}

void CopyFields(WZAlias& to, const WZAlias& from)
{
    to.negative = from.negative;
    to.name = Clone(from.name.get());
    to.personrefs = Clone(from.personrefs.get());
    to.date = Clone(from.date.get());
}

void CopyFields(WZAttribute& to, const WZAttribute& from)
{
    to.negative = from.negative;
    to.description.Assign(from.description);
    to.textClass = from.textClass;
    to.text.Assign(from.text);
    to.numberClass = from.numberClass;
    to.number = from.number;
    to.modifier = from.modifier;
    to.flagClass = from.flagClass;
    to.personrefs = Clone(from.personrefs.get());
    CopyOptionalRecords(to, from);
}

void CopyFields(WZEvent& to, const WZEvent& from)
{
    to.type = from.type;
    to.negative = from.negative;
    to.principals = Clone(from.principals.get());
    to.subordinates = Clone(from.subordinates.get());
    CopyOptionalRecords(to, from);
}

void CopyFields(WZRelationship& to, const WZRelationship& from)
{
    to.negative = from.negative;
    to.relation = from.relation;
    to.father = Clone(from.father.get());
    to.mother = Clone(from.mother.get());
    to.parent = Clone(from.parent.get());
    to.child = Clone(from.child.get());
}

void CopyFields(WZInfo& to, const WZInfo& from)
{
    to.text.Assign(from.text);
    to.personrefs = Clone(from.personrefs.get());
}

} // namespace wexmor
