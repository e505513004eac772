// The value records: simple dates and dates, names, places, addresses and objects.
#include <vector>

#include "wexmor_test_util.h"

using namespace wexmor_test;

namespace {

WZSimpledate* MakeSimpledate(const char* text, int calendar, int modifier, int era)
{
    WZSimpledate* date = CreateSimpledate();
    SetSimpledateDate(text, date);
    SetSimpledateCalendar(calendar, date);
    SetSimpledateModifier(modifier, date);
    SetSimpledateEra(era, date);
    return date;
}

// An assertion holding an event of type 1 with the given date, place and address, written after a header.
std::string EventBody(WZDate* date, WZPlace* place, WZAddress* address)
{
    return WrittenBody([&](WexmorFile* file) {
        WZEvent* event = CreateWZEvent();
        SetEventType(1, event);
        SetEventDate(date, event);
        SetEventPlace(place, event);
        SetEventAddress(address, event);
        WZAssertion* assertion = CreateAssertion();
        SetAssertionID(1, assertion);
        SetAssertionEvent(event, assertion);
        EXPECT_EQ(AssertionExport(file, assertion), 0);
        ReleaseAssertion(assertion);
        ReleaseWZEvent(event);
    });
}

std::string EventElement(const std::string& content)
{
    return "<assertion id=\"A1\"><event type=\"E1\">" + content + "</event></assertion>";
}

// Reads the body's first assertion and hands its event to the check.
template <class Check> void ReadEvent(const std::string& body, Check check, int expected = 0)
{
    ReadBody(body, [&](WexmorFile* file) {
        WZAssertion* assertion = CreateAssertion();
        int result = AssertionImport(file, WZ_NEXT, assertion);
        EXPECT_EQ(result, expected) << body;
        if (result == 0 && expected == 0 && GetAssertionEvent(assertion))
            check(GetAssertionEvent(assertion));
        ReleaseAssertion(assertion);
    });
}

} // namespace

TEST(WexmorDate, AnExactDateWithoutWordsIsWrittenBareAndReadsBackUnknown)
{
    WZDate* date = CreateDate();
    WZSimpledate* exact = MakeSimpledate("1900-01-02", -1, -1, -1);
    SetDateExact(exact, date);
    std::string body = EventBody(date, nullptr, nullptr);
    EXPECT_EQ(body, EventElement("<date><exact>1900-01-02</exact></date>"));
    ReadEvent(body, [](WZEvent* event) {
        WZSimpledate* read = GetDateExact(GetEventDate(event));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(GetSimpledateCalendar(read), 0);
        EXPECT_EQ(GetSimpledateModifier(read), -1);
        EXPECT_EQ(GetSimpledateEra(read), 0);
        EXPECT_STREQ(GetSimpledateDate(read), "1900-01-02");
    });
    ReleaseSimpledate(exact);
    ReleaseDate(date);
}

TEST(WexmorDate, WordsEraAndEscapedTextRoundTrip)
{
    WZDate* date = CreateDate();
    WZSimpledate* exact = MakeSimpledate("44 & more", 8, 3, 1);
    SetDateExact(exact, date);
    std::string body = EventBody(date, nullptr, nullptr);
    EXPECT_EQ(body, EventElement("<date><exact cal=\"julian\" mod=\"estimated\" era=\"before\">44 &amp; more</exact>"
                                 "</date>"));
    ReadEvent(body, [](WZEvent* event) {
        WZSimpledate* read = GetDateExact(GetEventDate(event));
        EXPECT_EQ(GetSimpledateCalendar(read), 8);
        EXPECT_EQ(GetSimpledateModifier(read), 3);
        EXPECT_EQ(GetSimpledateEra(read), 1);
        EXPECT_STREQ(GetSimpledateDate(read), "44 & more");
    });
    ReleaseSimpledate(exact);
    ReleaseDate(date);
}

TEST(WexmorDate, TheFormOfADateFollowsWhatIsSet)
{
    WZSimpledate* first = MakeSimpledate("1800", 4, -1, -1);
    WZSimpledate* second = MakeSimpledate("1810", -1, 2, 0);

    WZDate* range = CreateDate();
    SetDateBegin(first, range);
    SetDateEnd(second, range);
    EXPECT_EQ(EventBody(range, nullptr, nullptr),
              EventElement("<date><begin cal=\"gregorian\">1800</begin><end mod=\"before\" era=\"after\">1810</end>"
                           "</date>"));

    WZDate* beginOnly = CreateDate();
    SetDateBegin(first, beginOnly);
    SetDateText("about then", beginOnly);
    EXPECT_EQ(EventBody(beginOnly, nullptr, nullptr), EventElement("<date><text>about then</text></date>"));

    // A free text keeps its from and to dates.
    WZDate* textAndSpan = CreateDate();
    SetDateText("t", textAndSpan);
    SetDateFrom(first, textAndSpan);
    SetDateTo(second, textAndSpan);
    std::string body = EventBody(textAndSpan, nullptr, nullptr);
    EXPECT_EQ(body, EventElement("<date><text>t</text><from cal=\"gregorian\">1800</from>"
                                 "<to mod=\"before\" era=\"after\">1810</to></date>"));
    ReadEvent(body, [](WZEvent* event) {
        WZDate* read = GetEventDate(event);
        EXPECT_STREQ(GetDateText(read), "t");
        EXPECT_STREQ(GetSimpledateDate(GetDateFrom(read)), "1800");
        EXPECT_STREQ(GetSimpledateDate(GetDateTo(read)), "1810");
        EXPECT_EQ(GetDateExact(read), nullptr);
        EXPECT_EQ(GetDateBegin(read), nullptr);
    });

    WZDate* empty = CreateDate();
    EXPECT_EQ(EventBody(empty, nullptr, nullptr), EventElement("<date></date>"));

    for (WZDate* date : {range, beginOnly, textAndSpan, empty})
        ReleaseDate(date);
    ReleaseSimpledate(first);
    ReleaseSimpledate(second);
}

TEST(WexmorDate, CalendarAndModifierWordsAreMatchedByPrefix)
{
    struct Case {
        const char* exact;
        int result;
        int calendar;
        int modifier;
    } cases[] = {
        {"<exact cal=\"gregorianisch\">1</exact>", 0, 4, -1},
        {"<exact cal=\"JULIAN\" mod=\"aboutish\">1</exact>", 0, 8, 0},
        {"<exact cal=\"martian\">1</exact>", 66, 0, 0},
        {"<exact mod=\"circa\">1</exact>", 67, 0, 0},
        {"<exact>1</exac>", 64, 0, 0},
        {"<exact>1</exact", 64, 0, 0},
        {"<exact>1</date>", 64, 0, 0},
        {"<exact 1</exact>", 65, 0, 0},
    };
    for (const auto& c : cases) {
        std::string body = EventElement(std::string("<date>") + c.exact + "</date>");
        ReadEvent(
            body,
            [&](WZEvent* event) {
                WZSimpledate* read = GetDateExact(GetEventDate(event));
                EXPECT_EQ(GetSimpledateCalendar(read), c.calendar) << c.exact;
                EXPECT_EQ(GetSimpledateModifier(read), c.modifier) << c.exact;
            },
            c.result);
    }
}

TEST(WexmorName, PartsAreWrittenWithTheirCodesAndReadBackByType)
{
    WZName* name = CreateName();
    AddNamePart("Anna & Marie", 6, name);
    AddNamePart("Smith", 4, name);
    AddNamePart("x", 0, name);
    AddNamePart("y", 16, name);
    AddNamePart("z", 99, name);
    SetNameLang("en", name);
    WZPerson* person = CreatePerson();
    SetPersonID(1, person);
    SetPersonName(name, person);
    std::string body = WrittenBody([&](WexmorFile* file) { EXPECT_EQ(PersonExport(file, person), 0); });
    EXPECT_EQ(body, "<person id=\"P1\" sex=\"unknown\"><personalname lang=\"en\"><np tp=\"givn\">Anna &amp; Marie</np>"
                    "<np tp=\"surn\">Smith</np><np tp=\"unkw\">x</np><np tp=\"\">y</np><np tp=\"unkw\">z</np>"
                    "</personalname></person>");
    ReadBody(body, [](WexmorFile* file) {
        WZPerson* read = CreatePerson();
        ASSERT_EQ(PersonImport(file, WZ_NEXT, read), 0);
        WZName* name = GetPersonName(read);
        char part[64];
        char lang[WZ_CODE_SIZE];
        GetNameLang(lang, name);
        EXPECT_STREQ(lang, "en");
        EXPECT_EQ(GetNamePart(part, sizeof part, 0, name), 6);
        EXPECT_STREQ(part, "Anna & Marie");
        EXPECT_EQ(GetNamePart(part, sizeof part, 1, name), 4);
        EXPECT_EQ(GetNamePart(part, sizeof part, 1, name), 1);
        EXPECT_EQ(GetNamePart(part, sizeof part, 1, name), 16);
        EXPECT_STREQ(part, "y");
        EXPECT_EQ(GetNamePart(part, sizeof part, 1, name), 1);
        EXPECT_EQ(GetNamePart(part, sizeof part, 1, name), 0);
        EXPECT_EQ(GetNamePart(part, 5, 0, name), 6) << "starts again";
        EXPECT_STREQ(part, "Anna");
        ReleasePerson(read);
    });
    ReleasePerson(person);
    ReleaseName(name);
}

TEST(WexmorName, APartWithoutTypeOrWithAnUnknownCodeDoesNotEndTheList)
{
    ReadBody("<person id=\"P1\" sex=\"female\"><personalname><np>Ann</np><np tp=\"maiden\">Lee</np>"
             "<np tp=\"surn\">Ray</np></personalname></person>",
             [](WexmorFile* file) {
                 WZPerson* person = CreatePerson();
                 ASSERT_EQ(PersonImport(file, WZ_NEXT, person), 0);
                 char part[16];
                 WZName* name = GetPersonName(person);
                 EXPECT_EQ(GetNamePart(part, sizeof part, 0, name), 1);
                 EXPECT_STREQ(part, "Ann");
                 EXPECT_EQ(GetNamePart(part, sizeof part, 1, name), 16);
                 EXPECT_EQ(GetNamePart(part, sizeof part, 1, name), 4);
                 EXPECT_STREQ(part, "Ray");
                 EXPECT_EQ(GetNamePart(part, sizeof part, 1, name), 0);
                 ReleasePerson(person);
             });
}

TEST(WexmorPlace, APlaceRoundTripsWithPrefixPartsDateAndCoordinates)
{
    WZPlace* place = CreatePlace();
    SetPlaceLang("de", place);
    SetPlacePrefix("near", place);
    AddPlacePart("Bergen", 7, place);
    AddPlacePart("Norway", 4, place);
    AddPlacePart("Somewhere", 0, place);
    AddPlacePart("Elsewhere", 40, place);
    WZDate* date = CreateDate();
    SetDateText("1900s", date);
    SetPlaceDate(date, place);
    SetPlaceLongitude("5.32", place);
    SetPlaceLatitude("60.39", place);
    std::string body = EventBody(nullptr, place, nullptr);
    EXPECT_EQ(body, EventElement("<place lang=\"de\"><prefix>near</prefix><pnp tp=\"town\">Bergen</pnp>"
                                 "<pnp tp=\"country\">Norway</pnp><pnp>Somewhere</pnp><pnp>Elsewhere</pnp>"
                                 "<date><text>1900s</text></date><coords><lo>5.32</lo><la>60.39</la></coords>"
                                 "</place>"));
    ReadEvent(body, [](WZEvent* event) {
        WZPlace* read = GetEventPlace(event);
        char part[32];
        EXPECT_STREQ(GetPlacePrefix(read), "near");
        EXPECT_EQ(GetPlacePart(part, sizeof part, 0, read), 7);
        EXPECT_STREQ(part, "Bergen");
        EXPECT_EQ(GetPlacePart(part, sizeof part, 1, read), 4);
        EXPECT_EQ(GetPlacePart(part, sizeof part, 1, read), 1);
        EXPECT_EQ(GetPlacePart(part, sizeof part, 1, read), 1);
        EXPECT_EQ(GetPlacePart(part, sizeof part, 1, read), 0);
        EXPECT_STREQ(GetDateText(GetPlaceDate(read)), "1900s");
        EXPECT_STREQ(GetPlaceLongitude(read), "5.32");
        EXPECT_STREQ(GetPlaceLatitude(read), "60.39");
    });
    ReleaseDate(date);
    ReleasePlace(place);
}

TEST(WexmorPlace, AnUnknownPartCodeReadsAsUnknownAndOneCoordinateIsNotWritten)
{
    ReadEvent(EventElement("<place><pnp tp=\"hamlet\">Ho</pnp><pnp tp=\"farm\">Li</pnp></place>"), [](WZEvent* event) {
        char part[8];
        EXPECT_EQ(GetPlacePart(part, sizeof part, 0, GetEventPlace(event)), 1);
        EXPECT_EQ(GetPlacePart(part, sizeof part, 1, GetEventPlace(event)), 14);
        EXPECT_STREQ(part, "Li");
    });
    WZPlace* place = CreatePlace();
    SetPlaceLongitude("5.32", place);
    EXPECT_EQ(EventBody(nullptr, place, nullptr), EventElement("<place></place>"));
    ReleasePlace(place);
}

TEST(WexmorAddress, PartsAreEscapedAndReadAsLines)
{
    WZAddress* address = CreateAddress();
    AddAddressPart("Main St <rear> & Co", 3, address);
    AddAddressPart("12", 4, address);
    AddAddressPart(nullptr, WZ_ADDRESS_LINE_BREAK, address);
    AddAddressPart("Oslo", 8, address);
    AddAddressPart("untyped", -1, address);
    SetAddressPhone("555", address);
    SetAddressFax("556", address);
    std::string body = EventBody(nullptr, nullptr, address);
    EXPECT_EQ(body, EventElement("<address><ap tp=\"street\">Main St &lt;rear&gt; &amp; Co</ap>"
                                 "<ap tp=\"number\">12</ap><lf/><ap tp=\"city\">Oslo</ap><ap>untyped</ap>"
                                 "<phone>555</phone><fax>556</fax></address>"));
    ReadEvent(body, [](WZEvent* event) {
        WZAddress* read = GetEventAddress(event);
        char text[64];
        EXPECT_EQ(GetAddressPart(text, sizeof text, 0, read), 3);
        EXPECT_STREQ(text, "Main St <rear> & Co");
        EXPECT_EQ(GetAddressPart(text, sizeof text, 1, read), 4);
        EXPECT_EQ(GetAddressPart(text, sizeof text, 1, read), WZ_ADDRESS_LINE_BREAK);
        EXPECT_EQ(GetAddressPart(text, sizeof text, 1, read), 8);
        EXPECT_EQ(GetAddressPart(text, sizeof text, 1, read), 0);
        EXPECT_EQ(GetAddressPart(text, sizeof text, 1, read), WZ_ADDRESS_END);

        EXPECT_EQ(GetAddressLine(text, sizeof text, 0, read), 1);
        EXPECT_STREQ(text, "Main St <rear> & Co 12");
        EXPECT_EQ(GetAddressLine(text, sizeof text, 1, read), 1);
        EXPECT_STREQ(text, "Oslo untyped");
        EXPECT_EQ(GetAddressLine(text, sizeof text, 1, read), 0);
        EXPECT_EQ(GetAddressLine(text, 5, 0, read), 1);
        EXPECT_STREQ(text, "Main");
        EXPECT_STREQ(GetAddressPhone(read), "555");
        EXPECT_STREQ(GetAddressFax(read), "556");
    });
    ReleaseAddress(address);
}

TEST(WexmorAddress, StreetBreakCityGivesTwoLines)
{
    WZAddress* address = CreateAddress();
    AddAddressPart("street", 3, address);
    AddAddressPart(nullptr, 0, address);
    AddAddressPart("city", 8, address);
    char line[64];
    EXPECT_EQ(GetAddressLine(line, sizeof line, 0, address), 1);
    EXPECT_STREQ(line, "street");
    EXPECT_EQ(GetAddressLine(line, sizeof line, 1, address), 1);
    EXPECT_STREQ(line, "city");
    EXPECT_EQ(GetAddressLine(line, sizeof line, 1, address), 0);
    ReleaseAddress(address);
}

namespace {

std::vector<unsigned char> Bytes(size_t count)
{
    std::vector<unsigned char> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<unsigned char>(i * 37 + 11);
    return bytes;
}

// Writes a person holding the object and reads it back; hands the written body and the read object on.
template <class Check> void PersonObjectRoundTrip(WZObject* object, Check check)
{
    WZPerson* person = CreatePerson();
    SetPersonID(1, person);
    AddPersonObject(object, person);
    std::string body = WrittenBody([&](WexmorFile* file) { EXPECT_EQ(PersonExport(file, person), 0); });
    ReleasePerson(person);
    ReadBody(body, [&](WexmorFile* file) {
        WZPerson* read = CreatePerson();
        ASSERT_EQ(PersonImport(file, WZ_NEXT, read), 0) << body;
        check(body, GetPersonFirstObject(read));
        ReleasePerson(read);
    });
}

} // namespace

TEST(WexmorObject, ContentIsEncodedInLinesOf72AndDecodesBack)
{
    for (size_t count : {size_t{54}, size_t{55}, size_t{1}, size_t{200}}) {
        std::vector<unsigned char> bytes = Bytes(count);
        WZObject* object = CreateObject();
        SetObjectOrgFile("C:\\photo.jpg", object);
        SetObjectBin(bytes.data(), static_cast<int>(bytes.size()), object);
        SetObjectTitle("Photo", object);
        PersonObjectRoundTrip(object, [&](const std::string& body, WZObject* read) {
            size_t bin = body.find("<bin>") + 5;
            std::string encoded = body.substr(bin, body.find("</bin>") - bin);
            if (count == 54) {
                EXPECT_EQ(encoded.size(), 74u);
                EXPECT_EQ(encoded.substr(72), "\r\n");
            }
            if (count == 55) {
                EXPECT_EQ(encoded.size(), 78u);
                EXPECT_EQ(encoded.substr(72, 2), "\r\n");
                EXPECT_EQ(encoded.substr(76), "==");
            }
            ASSERT_NE(read, nullptr);
            ASSERT_EQ(GetObjectSize(read), static_cast<int>(count));
            EXPECT_EQ(std::vector<unsigned char>(GetObjectBin(read), GetObjectBin(read) + count), bytes);
            EXPECT_STREQ(GetObjectOrgFile(read), "C:\\photo.jpg");
            EXPECT_STREQ(GetObjectTitle(read), "Photo");
        });
        ReleaseObject(object);
    }
}

TEST(WexmorObject, AnExternalFileIsWrittenWithoutContentAndObjectsFormAList)
{
    WZObject* first = CreateObject();
    SetObjectExtFile("pics/a.png", first);
    SetObjectOrgFile("ignored.png", first);
    SetObjectNote("first", first);
    SetObjectLang("no", first);
    WZObject* second = CreateObject();
    SetObjectTitle("second", second);
    WZPerson* person = CreatePerson();
    SetPersonID(1, person);
    AddPersonObject(first, person);
    AddPersonObject(second, person);
    std::string body = WrittenBody([&](WexmorFile* file) { EXPECT_EQ(PersonExport(file, person), 0); });
    EXPECT_EQ(body, "<person id=\"P1\" sex=\"unknown\"><personalname></personalname><object lang=\"no\">"
                    "<externalfile>pics/a.png</externalfile><title></title><note>first</note></object><object>"
                    "<originalfile></originalfile><bin></bin><title>second</title></object></person>");
    ReadBody(body, [](WexmorFile* file) {
        WZPerson* read = CreatePerson();
        ASSERT_EQ(PersonImport(file, WZ_NEXT, read), 0);
        WZObject* object = GetPersonFirstObject(read);
        EXPECT_STREQ(GetObjectExtFile(object), "pics/a.png");
        EXPECT_EQ(GetObjectBin(object), nullptr);
        EXPECT_EQ(GetObjectSize(object), 0);
        EXPECT_STREQ(GetObjectNote(object), "first");
        object = GetObjectNext(object);
        ASSERT_NE(object, nullptr);
        EXPECT_STREQ(GetObjectTitle(object), "second");
        EXPECT_EQ(GetObjectSize(object), 0);
        EXPECT_EQ(GetObjectNext(object), nullptr);
        ReleasePerson(read);
    });
    ReleasePerson(person);
    ReleaseObject(second);
    ReleaseObject(first);
}

TEST(WexmorObject, Base64OutsideTheAlphabetIsAReaderError)
{
    struct Case {
        const char* bin;
        int result;
        int size;
    } cases[] = {
        {"QUJD", 0, 3}, {"QU\r\nJD\t", 0, 3}, {"QQ==QkM=", 0, 3}, {"QUJ*", 111, 0}, {"QUJD&amp;", 111, 0},
    };
    for (const auto& c : cases) {
        std::string body = std::string("<person id=\"P1\" sex=\"male\"><personalname></personalname><object>"
                                       "<originalfile>f</originalfile><bin>") +
                           c.bin + "</bin><title>t</title></object></person>";
        ReadBody(body, [&](WexmorFile* file) {
            WZPerson* person = CreatePerson();
            EXPECT_EQ(PersonImport(file, WZ_NEXT, person), c.result) << c.bin;
            if (c.result == 0) {
                EXPECT_EQ(GetObjectSize(GetPersonFirstObject(person)), c.size);
                EXPECT_EQ(std::string(reinterpret_cast<const char*>(GetObjectBin(GetPersonFirstObject(person))), 3),
                          "ABC");
            }
            ReleasePerson(person);
        });
    }
}
