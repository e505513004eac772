// Round trips of every record kind through a file: written with the exports, read back with the imports.
#include "wexmor_test_util.h"

using namespace wexmor_test;

namespace {

WZPersonref* MakePersonref(int id, int pref = -1, int seq = -1)
{
    WZPersonref* ref = CreatePersonref();
    SetPersonrefPersonid(id, ref);
    SetPersonrefPref(pref, ref);
    SetPersonrefSeq(seq, ref);
    return ref;
}

WZName* MakeName(const char* given, const char* surname)
{
    WZName* name = CreateName();
    AddNamePart(given, 6, name);
    AddNamePart(surname, 4, name);
    return name;
}

WZDate* MakeExactDate(const char* text)
{
    WZSimpledate* exact = CreateSimpledate();
    SetSimpledateDate(text, exact);
    SetSimpledateCalendar(4, exact);
    WZDate* date = CreateDate();
    SetDateExact(exact, date);
    ReleaseSimpledate(exact);
    return date;
}

std::string Code(int (*get)(char*, WZAssertion*), WZAssertion* record)
{
    char buffer[WZ_CODE_SIZE];
    get(buffer, record);
    return buffer;
}

std::string NamePartsText(WZName* name)
{
    std::string text;
    char part[64];
    for (int type = GetNamePart(part, sizeof part, 0, name); type; type = GetNamePart(part, sizeof part, 1, name))
        text += std::to_string(type) + ":" + part + " ";
    return text;
}

struct Records {
    WZHeader* header = CreateHeader();
    WZRepository* repository = CreateRepository();
    WZSource* source = CreateSource();
    WZExcerpt* excerpt = CreateExcerpt();
    WZEventtype* eventtype = CreateEventtype();
    WZPerson* person = CreatePerson();
    WZAssertion* assertions[8] = {};
    WZObjective* objective = CreateObjective();
    WZTask* task = CreateTask();

    Records()
    {
        for (auto& assertion : assertions)
            assertion = CreateAssertion();
    }
    ~Records()
    {
        ReleaseHeader(header);
        ReleaseRepository(repository);
        ReleaseSource(source);
        ReleaseExcerpt(excerpt);
        ReleaseEventtype(eventtype);
        ReleasePerson(person);
        for (auto* assertion : assertions)
            ReleaseAssertion(assertion);
        ReleaseObjective(objective);
        ReleaseTask(task);
    }
};

void FillHeader(WZHeader* header)
{
    SetHeaderWZVersion(100, header);
    SetHeaderLevel(3, header);
    SetHeaderExportingSystem("Vestrada", header);
    SetHeaderVersion("1.4.3", header);
    SetHeaderExportedDate("2026-12-10T00:00:00", header);
    SetHeaderLanguage("en", header);
    SetHeaderOwnerName("Kari Nordmann", header);
    WZAddress* address = CreateAddress();
    AddAddressPart("Storgata 1", -1, address);
    AddAddressPart(nullptr, WZ_ADDRESS_LINE_BREAK, address);
    SetAddressPhone("+47 1", address);
    SetHeaderOwnerAddress(address, header);
    ReleaseAddress(address);
    SetHeaderOwnerEmail("kari@example.org", header);
    SetHeaderOwnerURI("http://example.org/", header);
    SetHeaderCopyright("(c) Kari", header);
    SetHeaderNote("header note", header);
    SetHeaderChange("2026-12-09", header);
}

void FillSourceSide(Records& r)
{
    SetRepositoryId(7, r.repository);
    SetRepositoryLang("no", r.repository);
    SetRepositoryName("State Archive", r.repository);
    WZAddress* address = CreateAddress();
    AddAddressPart("Oslo", 8, address);
    SetRepositoryAddress(address, r.repository);
    ReleaseAddress(address);
    SetRepositoryEmail("post@arkiv.no", r.repository);
    SetRepositoryURI("http://arkiv.no", r.repository);
    SetRepositoryNote("repo note", r.repository);
    SetRepositoryChange("2001", r.repository);

    SetSourceId(3, r.source);
    SetSourceKind(1, r.source);
    SetSourceMedia(5, r.source);
    SetSourceLang("de", r.source);
    SetSourceAuthor("Parish", r.source);
    SetSourceTitle("Church book", r.source);
    SetSourceShortTitle("CB", r.source);
    SetSourcePublished("1850", r.source);
    SetSourceIsbn("isbn-1", r.source);
    SetSourceIssn("issn-1", r.source);
    for (int i = 1; i <= 2; ++i) {
        WZRepref* repref = CreateRepref();
        SetReprefRef(7 * i, repref);
        SetReprefCallnumber(i == 1 ? "A-1" : "", repref);
        SetReprefNote(i == 2 ? "second" : "", repref);
        AddSourceRepref(repref, r.source);
        ReleaseRepref(repref);
    }
    SetSourceText("transcript", r.source);
    SetSourceNote("source note", r.source);
    SetSourceChange("2002", r.source);

    SetExcerptId(11, r.excerpt);
    SetExcerptLang("sv", r.excerpt);
    SetExcerptText("born to", r.excerpt);
    SetExcerptQuality(3, r.excerpt);
    SetExcerptPage("p. 4", r.excerpt);
    SetExcerptSourceref(3, r.excerpt);
    SetExcerptNote("excerpt note", r.excerpt);
    SetExcerptChange("2003", r.excerpt);

    SetEventtypeId(2, r.eventtype);
    SetEventtypeClass(4, r.eventtype);
    SetEventtypeLanguage("da", r.eventtype);
    SetEventtypeDescription("Birth", r.eventtype);
    SetEventtypeGedcomtag("BIRT", r.eventtype);
    SetEventtypeRoles(1, r.eventtype);
    SetEventtypeNote("type note", r.eventtype);
}

void FillPerson(WZPerson* person)
{
    SetPersonID(5, person);
    SetPersonSex(2, person);
    SetPersonLang("fi", person);
    WZName* name = MakeName("Anna", "Lind");
    SetPersonName(name, person);
    ReleaseName(name);
    for (int id : {11, 12, 13}) {
        WZExcerptref* ref = CreateExcerptref();
        SetExcerptrefExcerptId(id, ref);
        AddPersonExcerptref(ref, person);
        ReleaseExcerptref(ref);
    }
    WZObject* object = CreateObject();
    SetObjectExtFile("anna.jpg", object);
    SetObjectTitle("Anna", object);
    AddPersonObject(object, person);
    ReleaseObject(object);
    SetPersonNote("person note", person);
    SetPersonChange("2004", person);
}

void FillAssertions(WZAssertion* (&a)[8])
{
    for (int i = 0; i < 8; ++i)
        SetAssertionID(i + 1, a[i]);

    WZAlias* alias = CreateAlias();
    SetAliasNegative(0, alias);
    WZName* name = MakeName("Ann", "Linde");
    SetAliasName(name, alias);
    WZPersonref* ref = MakePersonref(5, 1, 2);
    SetAliasPersonref(ref, alias);
    WZDate* date = MakeExactDate("1900");
    SetAliasDate(date, alias);
    SetAssertionAlias(alias, a[0]);
    SetAssertionDatatype(3, a[0]);
    SetAssertionLang("is", a[0]);
    ReleaseAlias(alias);

    WZAttribute* text = CreateAttribute();
    SetAttributeDescription("Occupation", text);
    SetAttributeTextclass(11, text);
    SetAttributeText("Weaver", text);
    SetAttributePersonref(ref, text);
    SetAttributeDate(date, text);
    SetAssertionAttribute(text, a[1]);
    ReleaseAttribute(text);

    WZAttribute* number = CreateAttribute();
    SetAttributeNegative(1, number);
    SetAttributeDescription("Children", number);
    SetAttributeNumberclass(2, number);
    SetAttributeNumber(-4, number);
    SetAttributePersonref(ref, number);
    SetAssertionAttribute(number, a[2]);
    ReleaseAttribute(number);

    WZEvent* event = CreateWZEvent();
    SetEventType(2, event);
    SetEventNegative(1, event);
    AddEventPrincipal(ref, event);
    WZPersonref* second = MakePersonref(6);
    AddEventPrincipal(second, event);
    WZPersonrefrole* witness = CreatePersonrefrole();
    SetPersonrefrolePersonref(second, witness);
    SetPersonrefroleRole("Witness", witness);
    AddEventSubordinate(witness, event);
    ReleasePersonrefrole(witness);
    SetEventDate(date, event);
    WZPlace* place = CreatePlace();
    AddPlacePart("Turku", 7, place);
    SetEventPlace(place, event);
    ReleasePlace(place);
    WZAddress* address = CreateAddress();
    AddAddressPart("Church", 2, address);
    SetEventAddress(address, event);
    ReleaseAddress(address);
    SetAssertionEvent(event, a[3]);
    ReleaseWZEvent(event);

    WZRelationship* relationship = CreateRelationship();
    SetRelationshipNegative(0, relationship);
    SetRelationshipRelation(2, relationship);
    SetRelationshipFather(second, relationship);
    SetRelationshipChild(ref, relationship);
    SetAssertionRelationship(relationship, a[4]);
    ReleaseRelationship(relationship);

    WZInfo* info = CreateInfo();
    SetInfoText("Moved away", info);
    AddInfoPersonref(ref, info);
    SetAssertionInfo(info, a[5]);
    ReleaseInfo(info);

    SetAssertionAssertionref1(1, a[6]);
    SetAssertionAssertionref2(2, a[6]);

    WZExcerptref* excerptref = CreateExcerptref();
    SetExcerptrefExcerptId(11, excerptref);
    AddAssertionExcerptref(excerptref, a[7]);
    ReleaseExcerptref(excerptref);
    WZObject* object = CreateObject();
    SetObjectOrgFile("scan.png", object);
    unsigned char bytes[] = {1, 2, 3, 250};
    SetObjectBin(bytes, 4, object);
    SetObjectTitle("Scan", object);
    AddAssertionObject(object, a[7]);
    ReleaseObject(object);
    SetAssertionNote("assertion note", a[7]);
    SetAssertionChange("2005", a[7]);

    ReleaseDate(date);
    ReleasePersonref(second);
    ReleasePersonref(ref);
    ReleaseName(name);
}

void FillResearch(WZObjective* objective, WZTask* task)
{
    SetObjectiveId(8, objective);
    SetObjectiveLang("nl", objective);
    SetObjectiveTitle("Find parents", objective);
    SetObjectiveProblem("unknown", objective);
    SetObjectiveSolution("church book", objective);
    SetObjectivePriority(2, objective);
    SetObjectiveCreated("2026-01-02", objective);
    SetObjectiveChange("2006", objective);

    SetTaskId(9, task);
    SetTaskLang("fr", task);
    SetTaskTitle("Visit archive", task);
    SetTaskProblem("travel", task);
    SetTaskSolution("train", task);
    SetTaskObjectiveref(8, task);
    SetTaskPersonref(5, task);
    SetTaskSourceref(3, task);
    SetTaskStatus(2, task);
    SetTaskStatusdate("2026-03-04", task);
    SetTaskChange("2007", task);
}

} // namespace

TEST(WexmorRecords, EveryRecordKindRoundTrips)
{
    Records out;
    FillHeader(out.header);
    FillSourceSide(out);
    FillPerson(out.person);
    FillAssertions(out.assertions);
    FillResearch(out.objective, out.task);

    TempFile temp;
    {
        FileHandle file(CreateWZFile(temp.Path(), WZ_MODE_WRITE));
        ASSERT_NE(file.file, nullptr);
        EXPECT_EQ(HeaderExport(file.file, out.header), 0);
        EXPECT_EQ(RepositoryExport(file.file, out.repository), 0);
        EXPECT_EQ(SourceExport(file.file, out.source), 0);
        EXPECT_EQ(ExcerptExport(file.file, out.excerpt), 0);
        EXPECT_EQ(EventtypeExport(file.file, out.eventtype), 0);
        EXPECT_EQ(PersonExport(file.file, out.person), 0);
        for (auto* assertion : out.assertions)
            EXPECT_EQ(AssertionExport(file.file, assertion), 0);
        EXPECT_EQ(ObjectiveExport(file.file, out.objective), 0);
        EXPECT_EQ(TaskExport(file.file, out.task), 0);
    }

    FileHandle file(CreateWZFile(temp.Path(), WZ_MODE_READ));
    ASSERT_NE(file.file, nullptr) << temp.Read();
    Records in;
    WexmorFile* f = file.file;

    ASSERT_EQ(HeaderImport(f, WZ_NEXT, in.header), 0) << temp.Read();
    EXPECT_EQ(GetHeaderWZVersion(in.header), 200);
    EXPECT_EQ(GetHeaderLevel(in.header), 3);
    EXPECT_STREQ(GetHeaderExportingSystem(in.header), "Vestrada");
    EXPECT_STREQ(GetHeaderVersion(in.header), "1.4.3");
    EXPECT_STREQ(GetHeaderExportedDate(in.header), "2026-12-10T00:00:00");
    char code[WZ_CODE_SIZE];
    GetHeaderLanguage(code, in.header);
    EXPECT_STREQ(code, "en");
    EXPECT_STREQ(GetHeaderOwnerName(in.header), "Kari Nordmann");
    char line[64];
    ASSERT_NE(GetHeaderOwnerAddress(in.header), nullptr);
    EXPECT_EQ(GetAddressLine(line, sizeof line, 0, GetHeaderOwnerAddress(in.header)), 1);
    EXPECT_STREQ(line, "Storgata 1");
    EXPECT_STREQ(GetAddressPhone(GetHeaderOwnerAddress(in.header)), "+47 1");
    EXPECT_STREQ(GetHeaderOwnerEmail(in.header), "kari@example.org");
    EXPECT_STREQ(GetHeaderOwnerURI(in.header), "http://example.org/");
    EXPECT_STREQ(GetHeaderCopyright(in.header), "(c) Kari");
    EXPECT_STREQ(GetHeaderNote(in.header), "header note");
    EXPECT_STREQ(GetHeaderChange(in.header), "2026-12-09");

    ASSERT_EQ(RepositoryImport(f, WZ_NEXT, in.repository), 0);
    EXPECT_EQ(GetRepositoryId(in.repository), 7);
    GetRepositoryLang(code, in.repository);
    EXPECT_STREQ(code, "no");
    EXPECT_STREQ(GetRepositoryName(in.repository), "State Archive");
    EXPECT_EQ(GetAddressPart(line, sizeof line, 0, GetRepositoryAddress(in.repository)), 8);
    EXPECT_STREQ(GetRepositoryEmail(in.repository), "post@arkiv.no");
    EXPECT_STREQ(GetRepositoryURI(in.repository), "http://arkiv.no");
    EXPECT_STREQ(GetRepositoryNote(in.repository), "repo note");
    EXPECT_STREQ(GetRepositoryChange(in.repository), "2001");
    WZRepository* noMore = CreateRepository();
    EXPECT_EQ(RepositoryImport(f, WZ_NEXT, noMore), WZ_END_REPOSITORY);
    ReleaseRepository(noMore);

    ASSERT_EQ(SourceImport(f, WZ_NEXT, in.source), 0);
    EXPECT_EQ(GetSourceId(in.source), 3);
    EXPECT_EQ(GetSourceKind(in.source), 1);
    EXPECT_EQ(GetSourceMedia(in.source), 5);
    EXPECT_STREQ(GetSourceAuthor(in.source), "Parish");
    EXPECT_STREQ(GetSourceTitle(in.source), "Church book");
    EXPECT_STREQ(GetSourceShortTitle(in.source), "CB");
    EXPECT_STREQ(GetSourcePublished(in.source), "1850");
    EXPECT_STREQ(GetSourceIsbn(in.source), "isbn-1");
    EXPECT_STREQ(GetSourceIssn(in.source), "") << "only the ISBN is written";
    WZRepref* repref = GetSourceFirstRepref(in.source);
    ASSERT_NE(repref, nullptr);
    EXPECT_EQ(GetReprefRef(repref), 7);
    EXPECT_STREQ(GetReprefCallnumber(repref), "A-1");
    repref = GetReprefNext(repref);
    ASSERT_NE(repref, nullptr) << "every repository reference is written and read";
    EXPECT_EQ(GetReprefRef(repref), 14);
    EXPECT_STREQ(GetReprefNote(repref), "second");
    EXPECT_EQ(GetReprefNext(repref), nullptr);
    EXPECT_STREQ(GetSourceText(in.source), "transcript");
    EXPECT_STREQ(GetSourceNote(in.source), "source note");
    EXPECT_STREQ(GetSourceChange(in.source), "2002");

    ASSERT_EQ(ExcerptImport(f, WZ_NEXT, in.excerpt), 0);
    EXPECT_EQ(GetExcerptId(in.excerpt), 11);
    EXPECT_STREQ(GetExcerptText(in.excerpt), "born to");
    EXPECT_EQ(GetExcerptQuality(in.excerpt), 3);
    EXPECT_STREQ(GetExcerptPage(in.excerpt), "p. 4");
    EXPECT_EQ(GetExcerptSourceref(in.excerpt), 3);
    EXPECT_STREQ(GetExcerptNote(in.excerpt), "excerpt note");
    EXPECT_STREQ(GetExcerptChange(in.excerpt), "2003");

    ASSERT_EQ(EventtypeImport(f, WZ_NEXT, in.eventtype), 0);
    EXPECT_EQ(GetEventtypeId(in.eventtype), 2);
    EXPECT_EQ(GetEventtypeClass(in.eventtype), 4);
    GetEventtypeLanguage(code, in.eventtype);
    EXPECT_STREQ(code, "da");
    EXPECT_STREQ(GetEventtypeDescription(in.eventtype), "Birth");
    GetEventtypeGedcomtag(code, in.eventtype);
    EXPECT_STREQ(code, "BIRT");
    EXPECT_EQ(GetEventtypeRoles(in.eventtype), 1);
    EXPECT_STREQ(GetEventtypeNote(in.eventtype), "type note");

    ASSERT_EQ(PersonImport(f, WZ_NEXT, in.person), 0);
    EXPECT_EQ(GetPersonID(in.person), 5);
    EXPECT_EQ(GetPersonSex(in.person), 2);
    char personLang[WZ_PERSON_LANG_SIZE];
    GetPersonLang(personLang, in.person);
    EXPECT_STREQ(personLang, "fi");
    EXPECT_EQ(NamePartsText(GetPersonName(in.person)), "6:Anna 4:Lind ");
    EXPECT_EQ(GetPersonSubpersons(in.person), nullptr);
    std::string excerptIds;
    for (WZExcerptref* ref = GetPersonFirstExcerptref(in.person); ref; ref = GetExcerptrefNext(ref))
        excerptIds += std::to_string(GetExcerptrefExcerptId(ref)) + " ";
    EXPECT_EQ(excerptIds, "11 12 13 ");
    EXPECT_STREQ(GetObjectExtFile(GetPersonFirstObject(in.person)), "anna.jpg");
    EXPECT_STREQ(GetPersonNote(in.person), "person note");
    EXPECT_STREQ(GetPersonChange(in.person), "2004");

    for (auto* assertion : in.assertions)
        ASSERT_EQ(AssertionImport(f, WZ_NEXT, assertion), 0);
    WZAssertion** a = in.assertions;
    EXPECT_EQ(GetAssertionID(a[0]), 1);
    EXPECT_EQ(GetAssertionDatatype(a[0]), 3);
    EXPECT_EQ(Code(GetAssertionLang, a[0]), "is");
    WZAlias* alias = GetAssertionAlias(a[0]);
    ASSERT_NE(alias, nullptr);
    EXPECT_EQ(GetAliasNegative(alias), 0);
    EXPECT_EQ(NamePartsText(GetAliasName(alias)), "6:Ann 4:Linde ");
    EXPECT_EQ(GetPersonrefPersonid(GetAliasPersonref(alias)), 5);
    EXPECT_EQ(GetPersonrefPref(GetAliasPersonref(alias)), 1);
    EXPECT_EQ(GetPersonrefSeq(GetAliasPersonref(alias)), 2);
    EXPECT_STREQ(GetSimpledateDate(GetDateExact(GetAliasDate(alias))), "1900");
    EXPECT_EQ(GetAssertionDatatype(a[1]), 0) << "an unset datatype reads as public";

    WZAttribute* text = GetAssertionAttribute(a[1]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(GetAttributeNegative(text), 0);
    EXPECT_STREQ(GetAttributeDescription(text), "Occupation");
    EXPECT_EQ(GetAttributeTextclass(text), 11);
    EXPECT_STREQ(GetAttributeText(text), "Weaver");
    EXPECT_EQ(GetAttributeNumberclass(text), -1);
    EXPECT_NE(GetAttributeDate(text), nullptr);

    WZAttribute* number = GetAssertionAttribute(a[2]);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(GetAttributeNegative(number), 1);
    EXPECT_EQ(GetAttributeNumberclass(number), 2);
    EXPECT_EQ(GetAttributeNumber(number), -4);
    EXPECT_EQ(GetAttributeModifier(number), 0) << "an unset modifier is written as exact";

    WZEvent* event = GetAssertionEvent(a[3]);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(GetEventType(event), 2);
    EXPECT_EQ(GetEventNegative(event), 1);
    WZPersonref* principal = GetEventFirstPrincipal(event);
    EXPECT_EQ(GetPersonrefPersonid(principal), 5);
    EXPECT_EQ(GetPersonrefPersonid(GetPersonrefNext(principal)), 6);
    EXPECT_EQ(GetPersonrefPref(GetPersonrefNext(principal)), 0) << "an unset pref reads as false";
    EXPECT_EQ(GetPersonrefSeq(GetPersonrefNext(principal)), -1);
    WZPersonrefrole* subordinate = GetEventFirstSubordinate(event);
    ASSERT_NE(subordinate, nullptr);
    EXPECT_STREQ(GetPersonrefroleRole(subordinate), "Witness");
    EXPECT_EQ(GetPersonrefPersonid(GetPersonrefrolePersonref(subordinate)), 6);
    EXPECT_EQ(GetPersonrefroleNext(subordinate), nullptr);
    EXPECT_EQ(GetPlacePart(line, sizeof line, 0, GetEventPlace(event)), 7);
    EXPECT_EQ(GetAddressPart(line, sizeof line, 0, GetEventAddress(event)), 2);
    EXPECT_STREQ(line, "Church");

    WZRelationship* relationship = GetAssertionRelationship(a[4]);
    ASSERT_NE(relationship, nullptr);
    EXPECT_EQ(GetRelationshipNegative(relationship), 0);
    EXPECT_EQ(GetRelationshipRelation(relationship), 2);
    EXPECT_EQ(GetPersonrefPersonid(GetRelationshipFather(relationship)), 6);
    EXPECT_EQ(GetRelationshipMother(relationship), nullptr);
    EXPECT_EQ(GetRelationshipParent(relationship), nullptr);
    EXPECT_EQ(GetPersonrefPersonid(GetRelationshipChild(relationship)), 5);

    WZInfo* info = GetAssertionInfo(a[5]);
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(GetInfoText(info), "Moved away");
    EXPECT_EQ(GetPersonrefPersonid(GetInfoFirstPersonref(info)), 5);

    EXPECT_EQ(GetAssertionAssertionref1(a[6]), 1);
    EXPECT_EQ(GetAssertionAssertionref2(a[6]), 2);
    EXPECT_EQ(GetExcerptrefExcerptId(GetAssertionFirstExcerptref(a[7])), 11);
    WZObject* object = GetAssertionFirstObject(a[7]);
    ASSERT_EQ(GetObjectSize(object), 4);
    EXPECT_EQ(GetObjectBin(object)[3], 250);
    EXPECT_STREQ(GetAssertionNote(a[7]), "assertion note");
    EXPECT_STREQ(GetAssertionChange(a[7]), "2005");

    ASSERT_EQ(ObjectiveImport(f, WZ_NEXT, in.objective), 0);
    EXPECT_EQ(GetObjectiveId(in.objective), 8);
    GetObjectiveLang(code, in.objective);
    EXPECT_STREQ(code, "nl");
    EXPECT_STREQ(GetObjectiveTitle(in.objective), "Find parents");
    EXPECT_STREQ(GetObjectiveProblem(in.objective), "unknown");
    EXPECT_STREQ(GetObjectiveSolution(in.objective), "church book");
    EXPECT_EQ(GetObjectivePriority(in.objective), 2);
    EXPECT_STREQ(GetObjectiveCreated(in.objective), "2026-01-02");
    EXPECT_STREQ(GetObjectiveChange(in.objective), "2006");

    ASSERT_EQ(TaskImport(f, WZ_NEXT, in.task), 0);
    EXPECT_EQ(GetTaskId(in.task), 9);
    GetTaskLang(code, in.task);
    EXPECT_STREQ(code, "fr");
    EXPECT_STREQ(GetTaskTitle(in.task), "Visit archive");
    EXPECT_STREQ(GetTaskProblem(in.task), "travel");
    EXPECT_STREQ(GetTaskSolution(in.task), "train");
    EXPECT_EQ(GetTaskObjectiveref(in.task), 8);
    EXPECT_EQ(GetTaskPersonref(in.task), 5);
    EXPECT_EQ(GetTaskSourceref(in.task), 3);
    EXPECT_EQ(GetTaskStatus(in.task), 2);
    EXPECT_STREQ(GetTaskStatusdate(in.task), "2026-03-04");
    WZTask* noMoreTasks = CreateTask();
    EXPECT_EQ(TaskImport(f, WZ_NEXT, noMoreTasks), WZ_END_TASK);
    ReleaseTask(noMoreTasks);
}

TEST(WexmorRecords, TheHeaderIsWrittenInItsForm)
{
    WZHeader* header = CreateHeader();
    FillHeader(header);
    std::string body = WrittenBody([&](WexmorFile* file) { EXPECT_EQ(HeaderExport(file, header), 0); }, false);
    EXPECT_EQ(body, "<file><version>200</version><level>3</level></file><header><exportingsystem>Vestrada"
                    "</exportingsystem><version>1.4.3</version><exported>2026-12-10T00:00:00</exported>"
                    "<language>en</language><owner><name>Kari Nordmann</name><address><ap>Storgata 1</ap><lf/>"
                    "<phone>+47 1</phone></address><email>kari@example.org</email><uri>http://example.org/</uri>"
                    "</owner><copyright>(c) Kari</copyright><note>header note</note><change>2026-12-09</change>"
                    "</header>");
    // Without an owner name no owner element is written, whatever else of the owner is set.
    SetHeaderOwnerName("", header);
    body = WrittenBody([&](WexmorFile* file) { EXPECT_EQ(HeaderExport(file, header), 0); }, false);
    EXPECT_EQ(body.find("<owner>"), std::string::npos);
    ReleaseHeader(header);
}

TEST(WexmorRecords, SourcesExcerptsAndEventTypesAreWrittenInTheirForms)
{
    Records r;
    FillSourceSide(r);
    std::string body = WrittenBody([&](WexmorFile* file) {
        EXPECT_EQ(SourceExport(file, r.source), 0);
        EXPECT_EQ(ExcerptExport(file, r.excerpt), 0);
        EXPECT_EQ(EventtypeExport(file, r.eventtype), 0);
    });
    EXPECT_EQ(body,
              "<source id=\"S3\" kind=\"original\" media=\"microfilm\" lang=\"de\"><author>Parish</author>"
              "<title>Church book</title><shorttitle>CB</shorttitle><published>1850</published><isbn>isbn-1</isbn>"
              "<repositoryref ref=\"R7\"><callnumber>A-1</callnumber></repositoryref>"
              "<repositoryref ref=\"R14\"><note>second</note></repositoryref><text>transcript</text>"
              "<note>source note</note><change>2002</change></source>"
              "<excerpt id=\"X11\" lang=\"sv\"><text>born to</text><quality>3</quality><page>p. 4</page>"
              "<sourceref>S3</sourceref><note>excerpt note</note><change>2003</change></excerpt>"
              "<eventtype id=\"E2\" class=\"birth\" lang=\"da\"><description>Birth</description>"
              "<gedcomtag>BIRT</gedcomtag><roles>1</roles><note>type note</note></eventtype>");
}

TEST(WexmorRecords, UnsetValuesAreLeftOutAndReadBackAsTheReaderDefaults)
{
    WZSource* source = CreateSource();
    SetSourceId(1, source);
    SetSourceKind(7, source); // outside the kind words: not written
    WZExcerpt* excerpt = CreateExcerpt();
    WZEventtype* eventtype = CreateEventtype();
    SetEventtypeId(1, eventtype);
    SetEventtypeClass(99, eventtype);
    WZObjective* objective = CreateObjective();
    WZTask* task = CreateTask();
    SetTaskObjectiveref(3, task);
    SetTaskSourceref(7, task);
    SetTaskStatus(42, task);
    std::string body = WrittenBody([&](WexmorFile* file) {
        EXPECT_EQ(SourceExport(file, source), 0);
        EXPECT_EQ(ExcerptExport(file, excerpt), 0);
        EXPECT_EQ(EventtypeExport(file, eventtype), 0);
        EXPECT_EQ(ObjectiveExport(file, objective), 0);
        EXPECT_EQ(TaskExport(file, task), 0);
    });
    EXPECT_EQ(body, "<source id=\"S1\"><author></author><title></title><shorttitle></shorttitle></source>"
                    "<excerpt id=\"X0\"><text></text><page></page><sourceref>S0</sourceref></excerpt>"
                    "<eventtype id=\"E1\" class=\"other\"><description></description></eventtype>"
                    "<objective id=\"0\"><title></title><problem></problem><solution></solution></objective>"
                    "<task id=\"0\"><title></title><problem></problem><solution></solution>"
                    "<objectiveref>O3</objectiveref><sourceref>S7</sourceref><status>new</status></task>");
    ReadBody(body, [](WexmorFile* file) {
        WZSource* source = CreateSource();
        ASSERT_EQ(SourceImport(file, WZ_NEXT, source), 0);
        EXPECT_EQ(GetSourceKind(source), 0);
        EXPECT_EQ(GetSourceMedia(source), 0);
        WZExcerpt* excerpt = CreateExcerpt();
        ASSERT_EQ(ExcerptImport(file, WZ_NEXT, excerpt), 0);
        EXPECT_EQ(GetExcerptQuality(excerpt), -1);
        WZEventtype* eventtype = CreateEventtype();
        ASSERT_EQ(EventtypeImport(file, WZ_NEXT, eventtype), 0);
        EXPECT_EQ(GetEventtypeRoles(eventtype), -1);
        WZObjective* objective = CreateObjective();
        ASSERT_EQ(ObjectiveImport(file, WZ_NEXT, objective), 0);
        EXPECT_EQ(GetObjectivePriority(objective), -1);
        WZTask* task = CreateTask();
        ASSERT_EQ(TaskImport(file, WZ_NEXT, task), 0);
        EXPECT_EQ(GetTaskObjectiveref(task), 3);
        EXPECT_EQ(GetTaskPersonref(task), 0);
        EXPECT_EQ(GetTaskSourceref(task), 7);
        ReleaseTask(task);
        ReleaseObjective(objective);
        ReleaseEventtype(eventtype);
        ReleaseExcerpt(excerpt);
        ReleaseSource(source);
    });
    ReleaseTask(task);
    ReleaseObjective(objective);
    ReleaseEventtype(eventtype);
    ReleaseExcerpt(excerpt);
    ReleaseSource(source);
}

TEST(WexmorRecords, APersonWithSubpersonsIsWrittenWithoutItsCitations)
{
    const std::string subpersons = "<subpersons probability=\"80\"><personref>3</personref><personref>4</personref>"
                                   "<note>same man</note></subpersons>";
    ReadBody("<person id=\"P9\" sex=\"male\"><personalname></personalname>" + subpersons + "</person>",
             [&](WexmorFile* file) {
                 WZPerson* read = CreatePerson();
                 ASSERT_EQ(PersonImport(file, WZ_NEXT, read), 0);
                 ASSERT_NE(GetPersonSubpersons(read), nullptr);

                 WZPerson* person = CreatePerson();
                 FillPerson(person);
                 SetPersonSubpersons(GetPersonSubpersons(read), person);
                 std::string body = WrittenBody([&](WexmorFile* out) { EXPECT_EQ(PersonExport(out, person), 0); });
                 EXPECT_EQ(body, "<person id=\"P5\" sex=\"female\" lang=\"fi\"><personalname><np tp=\"givn\">Anna</np>"
                                 "<np tp=\"surn\">Lind</np></personalname>" +
                                     subpersons + "<note>person note</note><change>2004</change></person>");
                 ReleasePerson(person);
                 ReleasePerson(read);
             });
}

TEST(WexmorRecords, AssertionsAreWrittenInTheirForms)
{
    WZAssertion* a[8];
    for (auto& assertion : a)
        assertion = CreateAssertion();
    FillAssertions(a);
    std::string body = WrittenBody([&](WexmorFile* file) {
        for (auto* assertion : a)
            EXPECT_EQ(AssertionExport(file, assertion), 0);
    });
    const char* name = "<personalname><np tp=\"givn\">Ann</np><np tp=\"surn\">Linde</np></personalname>";
    const char* ref = "<personref pref=\"true\" seq=\"2\">P5</personref>";
    const char* date = "<date><exact cal=\"gregorian\">1900</exact></date>";
    std::string expected =
        std::string("<assertion id=\"A1\" datatype=\"private\" lang=\"is\"><alias negative=\"false\">") + name + ref +
        date + "</alias></assertion>" +
        "<assertion id=\"A2\"><attribute><description>Occupation</description><textclass>work</textclass>"
        "<text>Weaver</text>" +
        ref + date + "</attribute></assertion>" +
        "<assertion id=\"A3\"><attribute negative=\"true\"><description>Children</description>"
        "<numberclass>children</numberclass><number>-4</number><modifier>exact</modifier>" +
        ref + "</attribute></assertion>" +
        "<assertion id=\"A4\"><event type=\"E2\" negative=\"true\"><principal pref=\"true\" seq=\"2\">P5</principal>"
        "<principal>P6</principal><subordinate><personref>P6</personref><role>Witness</role></subordinate>" +
        date +
        "<place><pnp tp=\"town\">Turku</pnp></place><address><ap tp=\"name\">Church</ap></address></event>"
        "</assertion>" +
        "<assertion id=\"A5\"><relationship negative=\"false\"><relation>foster</relation><father>P6</father>"
        "<child pref=\"true\" seq=\"2\">P5</child></relationship></assertion>" +
        "<assertion id=\"A6\"><info><text>Moved away</text>" + ref + "</info></assertion>" +
        "<assertion id=\"A7\"><assertionref>1</assertionref><assertionref>2</assertionref></assertion>" +
        "<assertion id=\"A8\"><excerptref>X11</excerptref><object><originalfile>scan.png</originalfile>"
        "<bin>AQID+g==</bin><title>Scan</title></object><note>assertion note</note><change>2005</change>"
        "</assertion>";
    EXPECT_EQ(body, expected);
    for (auto* assertion : a)
        ReleaseAssertion(assertion);
}

TEST(WexmorRecords, ContentThatLacksWhatItNeedsIsNotWritten)
{
    WZAssertion* withAlias = CreateAssertion();
    SetAssertionID(1, withAlias);
    WZAlias* alias = CreateAlias(); // no name, no person reference
    SetAssertionAlias(alias, withAlias);
    WZEvent* event = CreateWZEvent();
    SetAssertionEvent(event, withAlias);
    WZAssertion* withInfo = CreateAssertion();
    SetAssertionID(2, withInfo);
    WZInfo* info = CreateInfo();
    SetInfoText("orphan", info);
    SetAssertionInfo(info, withInfo);
    SetAssertionAssertionref1(5, withInfo);
    WZExcerptref* excerptref = CreateExcerptref();
    SetExcerptrefExcerptId(4, excerptref);
    AddAssertionExcerptref(excerptref, withInfo);
    std::string body = WrittenBody([&](WexmorFile* file) {
        EXPECT_EQ(AssertionExport(file, withAlias), 0);
        EXPECT_EQ(AssertionExport(file, withInfo), 0);
    });
    EXPECT_EQ(body, "<assertion id=\"A1\"></assertion><assertion id=\"A2\"><excerptref>X4</excerptref></assertion>");
    ReleaseExcerptref(excerptref);
    ReleaseInfo(info);
    ReleaseWZEvent(event);
    ReleaseAlias(alias);
    ReleaseAssertion(withInfo);
    ReleaseAssertion(withAlias);
}

TEST(WexmorRecords, ListsKeepTheOrderAddedAndAddCopiesWhatIsChainedBehind)
{
    WZInfo* info = CreateInfo();
    for (int id : {1, 2, 3}) {
        WZPersonref* ref = MakePersonref(id);
        AddInfoPersonref(ref, info);
        ReleasePersonref(ref);
    }
    WZInfo* other = CreateInfo();
    AddInfoPersonref(GetInfoFirstPersonref(info), other);
    AddInfoPersonref(GetInfoFirstPersonref(info), other);
    std::string ids;
    for (WZPersonref* ref = GetInfoFirstPersonref(other); ref; ref = GetPersonrefNext(ref))
        ids += std::to_string(GetPersonrefPersonid(ref));
    EXPECT_EQ(ids, "123123");
    ReleaseInfo(other);
    ReleaseInfo(info);
}

// Readers of the defaults that a writer leaves out.
TEST(WexmorRecords, NegativeFlagsReadAsEachContentTakesThem)
{
    ReadBody("<assertion id=\"A1\"><alias><personalname></personalname><personref>P1</personref></alias></assertion>"
             "<assertion id=\"A2\"><relationship><relation>other</relation><child>P1</child></relationship>"
             "</assertion>"
             "<assertion id=\"A3\"><attribute><description>d</description><personref>P1</personref></attribute>"
             "</assertion>"
             "<assertion id=\"A4\"><event type=\"E1\" negative=\"yes\"></event></assertion>",
             [](WexmorFile* file) {
                 WZAssertion* a[4];
                 for (auto& assertion : a) {
                     assertion = CreateAssertion();
                     EXPECT_EQ(AssertionImport(file, WZ_NEXT, assertion), 0);
                 }
                 EXPECT_EQ(GetAliasNegative(GetAssertionAlias(a[0])), 1);
                 EXPECT_EQ(GetRelationshipNegative(GetAssertionRelationship(a[1])), 1);
                 WZAttribute* attribute = GetAssertionAttribute(a[2]);
                 ASSERT_NE(attribute, nullptr) << "an attribute without a class reads";
                 EXPECT_EQ(GetAttributeNegative(attribute), 0);
                 EXPECT_EQ(GetAttributeFlagclass(attribute), -1);
                 EXPECT_EQ(GetEventNegative(GetAssertionEvent(a[3])), 0);
                 for (auto* assertion : a)
                     ReleaseAssertion(assertion);
             });
}

// Lists are read, copied and released in loops: a hostile file with a very long list costs no stack depth.
TEST(WexmorRecords, AVeryLongListIsReadCopiedAndReleased)
{
    std::string refs;
    const int count = 200000;
    refs.reserve(count * 26);
    for (int i = 1; i <= count; ++i)
        refs += "<excerptref>X" + std::to_string(i) + "</excerptref>";
    ReadBody("<person id=\"P1\" sex=\"male\">" + std::string("<personalname></personalname>") + refs + "</person>",
             [&](WexmorFile* file) {
                 WZPerson* person = CreatePerson();
                 ASSERT_EQ(PersonImport(file, WZ_NEXT, person), 0);
                 WZPerson* copy = CreatePerson();
                 AddPersonExcerptref(GetPersonFirstExcerptref(person), copy);
                 int read = 0;
                 for (WZExcerptref* ref = GetPersonFirstExcerptref(copy); ref; ref = GetExcerptrefNext(ref))
                     ++read;
                 EXPECT_EQ(read, count);
                 ReleasePerson(copy);
                 ReleasePerson(person);
             });
}

TEST(WexmorRecords, TheFormatVersionSetThroughTheInterfaceIsAlways200)
{
    WZHeader* header = CreateHeader();
    EXPECT_EQ(GetHeaderWZVersion(header), 200);
    SetHeaderWZVersion(100, header);
    EXPECT_EQ(GetHeaderWZVersion(header), 200);
    ReleaseHeader(header);
}

// Codes and attribute values are the user's text too: quotes and markup in them must not break the file.
TEST(WexmorRecords, CodesWithMarkupCharactersRoundTrip)
{
    const char* language = "x\"<&>'y";
    Records out;
    FillHeader(out.header);
    SetHeaderLanguage(language, out.header);
    SetRepositoryId(1, out.repository);
    SetRepositoryName("Archive", out.repository);
    SetRepositoryLang(language, out.repository);

    TempFile temp;
    {
        FileHandle file(CreateWZFile(temp.Path(), WZ_MODE_WRITE));
        ASSERT_NE(file.file, nullptr);
        EXPECT_EQ(HeaderExport(file.file, out.header), 0);
        EXPECT_EQ(RepositoryExport(file.file, out.repository), 0);
    }
    EXPECT_EQ(temp.Read().find(language), std::string::npos) << "written unescaped";

    FileHandle file(CreateWZFile(temp.Path(), WZ_MODE_READ));
    ASSERT_NE(file.file, nullptr) << temp.Read();
    Records in;
    ASSERT_EQ(HeaderImport(file.file, WZ_NEXT, in.header), 0) << temp.Read();
    ASSERT_EQ(RepositoryImport(file.file, WZ_NEXT, in.repository), 0) << temp.Read();
    char code[WZ_CODE_SIZE];
    GetHeaderLanguage(code, in.header);
    EXPECT_STREQ(code, language);
    GetRepositoryLang(code, in.repository);
    EXPECT_STREQ(code, language);
}
