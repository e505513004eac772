// The in-memory records of the format. A record owns its sub-records and the lists it holds; list elements
// own the element behind them. Chains are released and copied in loops, so a list of any length costs no
// stack depth.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <utility>

#include "text.h"
#include "wexmor.h"

namespace wexmor {

// Releases the elements behind a list element one by one instead of recursively.
template <class T> void DropChain(std::unique_ptr<T>& next)
{
    while (next) {
        std::unique_ptr<T> rest = std::move(next->next);
        next.reset();
        next = std::move(rest);
    }
}

} // namespace wexmor

struct WZSimpledate {
    int calendar = -1;
    int modifier = -1;
    int era = -1;
    wexmor::WexmorText date;
};

struct WZDate {
    std::unique_ptr<WZSimpledate> exact, begin, end, from, to;
    wexmor::WexmorText text;
};

struct WZName {
    char lang[WZ_CODE_SIZE] = {};
    wexmor::WexmorText parts; // np elements as XML text
    size_t cursor = 0;
};

struct WZPlace {
    char lang[WZ_CODE_SIZE] = {};
    wexmor::WexmorText prefix;
    wexmor::WexmorText parts; // pnp elements as XML text
    size_t cursor = 0;
    std::unique_ptr<WZDate> date;
    wexmor::WexmorText longitude, latitude;
};

struct WZAddress {
    wexmor::WexmorText parts; // ap elements and line breaks as XML text
    size_t cursor = 0;
    wexmor::WexmorText phone, fax;
};

struct WZObject {
    char lang[WZ_CODE_SIZE] = {};
    wexmor::WexmorText extFile, orgFile, bin, title, note;
    std::unique_ptr<unsigned char[]> content; // decoded from bin when read
    int contentSize = 0;
    std::unique_ptr<WZObject> next;
    ~WZObject() { wexmor::DropChain(next); }
};

struct WZHeader {
    int wzVersion = 200;
    int level = 0;
    wexmor::WexmorText exportingSystem, version, exported;
    char language[WZ_CODE_SIZE] = {};
    wexmor::WexmorText ownerName;
    std::unique_ptr<WZAddress> ownerAddress;
    wexmor::WexmorText ownerEmail, ownerUri, copyright, note, change;
};

struct WZRepository {
    int id = 0;
    char lang[WZ_CODE_SIZE] = {};
    wexmor::WexmorText name;
    std::unique_ptr<WZAddress> address;
    wexmor::WexmorText email, uri, note, change;
};

struct WZRepref {
    int ref = 0;
    wexmor::WexmorText callnumber, note;
    std::unique_ptr<WZRepref> next;
    ~WZRepref() { wexmor::DropChain(next); }
};

struct WZSource {
    int id = 0;
    int sourceClass = -1;
    int kind = -1;
    int media = -1;
    char lang[WZ_CODE_SIZE] = {};
    wexmor::WexmorText author, title, shortTitle, published, isbn, issn;
    std::unique_ptr<WZRepref> reprefs;
    wexmor::WexmorText text;
    std::unique_ptr<WZObject> objects;
    wexmor::WexmorText note, change;
};

struct WZExcerpt {
    int id = 0;
    char lang[WZ_CODE_SIZE] = {};
    wexmor::WexmorText text;
    signed char quality = -1;
    wexmor::WexmorText page;
    int sourceref = 0;
    wexmor::WexmorText note, change;
};

struct WZExcerptref {
    int excerptId = 0;
    std::unique_ptr<WZExcerptref> next;
    ~WZExcerptref() { wexmor::DropChain(next); }
};

struct WZEventtype {
    int id = 0;
    int eventClass = 0;
    char lang[WZ_CODE_SIZE] = {};
    wexmor::WexmorText description;
    char gedcomtag[WZ_GEDCOMTAG_SIZE] = {};
    int roles = -1;
    wexmor::WexmorText note;
};

struct WZSubpersons {
    int probability = -1;
    int person1 = 0;
    int person2 = 0;
    wexmor::WexmorText note;
};

struct WZPersonref {
    int pref = -1;
    int seq = -1;
    int personId = 0;
    std::unique_ptr<WZPersonref> next;
    ~WZPersonref() { wexmor::DropChain(next); }
};

struct WZPersonrefrole {
    std::unique_ptr<WZPersonref> personrefs;
    wexmor::WexmorText role;
    std::unique_ptr<WZPersonrefrole> next;
    ~WZPersonrefrole() { wexmor::DropChain(next); }
};

struct WZPerson {
    int id = 0;
    unsigned char sex = 0;
    char lang[WZ_PERSON_LANG_SIZE] = {};
    std::unique_ptr<WZName> name;
    std::unique_ptr<WZSubpersons> subpersons;
    std::unique_ptr<WZExcerptref> excerptrefs;
    std::unique_ptr<WZObject> objects;
    wexmor::WexmorText note, change;
};

struct WZAlias {
    int negative = -1;
    std::unique_ptr<WZName> name;
    std::unique_ptr<WZPersonref> personrefs;
    std::unique_ptr<WZDate> date;
};

struct WZAttribute {
    int negative = -1;
    wexmor::WexmorText description;
    int textClass = -1;
    wexmor::WexmorText text;
    int numberClass = -1;
    int number = 0;
    int modifier = -1;
    int flagClass = -1;
    std::unique_ptr<WZPersonref> personrefs;
    std::unique_ptr<WZDate> date;
    std::unique_ptr<WZPlace> place;
    std::unique_ptr<WZAddress> address;
};

struct WZEvent {
    int type = 0;
    int negative = -1;
    std::unique_ptr<WZPersonref> principals;
    std::unique_ptr<WZPersonrefrole> subordinates;
    std::unique_ptr<WZDate> date;
    std::unique_ptr<WZPlace> place;
    std::unique_ptr<WZAddress> address;
};

struct WZRelationship {
    int negative = -1;
    int relation = 0;
    std::unique_ptr<WZPersonref> father, mother, parent, child;
};

struct WZInfo {
    wexmor::WexmorText text;
    std::unique_ptr<WZPersonref> personrefs;
};

struct WZAssertion {
    int id = 0;
    int datatype = -1;
    char lang[WZ_CODE_SIZE] = {};
    std::unique_ptr<WZAlias> alias;
    std::unique_ptr<WZRelationship> relationship;
    std::unique_ptr<WZAttribute> attribute;
    std::unique_ptr<WZEvent> event;
    std::unique_ptr<WZInfo> info;
    std::unique_ptr<WZExcerptref> excerptrefs;
    int assertionref1 = 0;
    int assertionref2 = 0;
    std::unique_ptr<WZObject> objects;
    wexmor::WexmorText note, change;
};

struct WZObjective {
    int id = 0;
    char lang[WZ_CODE_SIZE] = {};
    wexmor::WexmorText title, problem, solution;
    int priority = -1;
    wexmor::WexmorText created, change;
};

struct WZTask {
    int id = 0;
    char lang[WZ_CODE_SIZE] = {};
    wexmor::WexmorText title, problem, solution;
    int objectiveref = 0;
    int personref = 0;
    int sourceref = 0;
    int status = 0;
    wexmor::WexmorText statusdate, change;
};
