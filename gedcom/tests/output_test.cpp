// The Wexmor document written for small GEDCOM files: exact elements and their forms.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "gedcom/tests/test_host.h"
#include "gedcom/wexmor_writer.h"

namespace pendrax::test {
namespace {

std::string Gedcom(std::initializer_list<std::string_view> records, std::string_view head = "")
{
    std::string text = "0 HEAD\r\n1 CHAR ANSI\r\n";
    text += head;
    for (std::string_view line : records) {
        text += line;
        text += "\r\n";
    }
    return text + "0 TRLR\r\n";
}

std::string Convert(std::initializer_list<std::string_view> records, const ConvertOptions& options = {},
                    TestHost* hostOut = nullptr)
{
    TestHost local;
    TestHost& host = hostOut ? *hostOut : local;
    EXPECT_EQ(ConvertText(Gedcom(records), options, host), ConvertOk) << host.log;
    return host.output;
}

bool Has(const std::string& output, std::string_view piece)
{
    return output.find(piece) != std::string::npos;
}

TEST(GedcomOutputTest, DocumentFrameHeaderAndTotals)
{
    TestHost host;
    ASSERT_EQ(ConvertText("0 HEAD\r\n1 CHAR ANSI\r\n0 TRLR\r\n", {}, host), ConvertOk);
    EXPECT_EQ(host.output,
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><wexmor "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"wexmor20.xsd\">"
              "<file><version>200</version><level>3</level></file>"
              "<header><exportingsystem>Unknown</exportingsystem><version>Unknown</version>"
              "<exported>0000-00-00</exported></header>"
              "<total><repositories>0</repositories><sources>0</sources><excerpts>0</excerpts>"
              "<eventtypes>0</eventtypes><persons>0</persons><assertions>0</assertions>"
              "<objectives>0</objectives><tasks>0</tasks></total></wexmor>");
}

TEST(GedcomOutputTest, HeaderNamesSystemVersionDateAndOwner)
{
    TestHost host;
    std::string head = "1 SOUR PAF\r\n2 VERS 2.2\r\n2 NAME Personal Ancestral File\r\n1 DATE 20 NOV 1992\r\n"
                       "2 TIME 13:05\r\n1 SUBM @U1@\r\n";
    ASSERT_EQ(ConvertText(
                  Gedcom({"0 @U1@ SUBM", "1 NAME Ann & Co", "1 ADDR 1 Main St", "2 CONT Springfield", "1 PHON 555",
                          "1 _EMAIL ann@example.org"},
                         head),
                  [] {
                      ConvertOptions options;
                      options.readExtensions = true;
                      return options;
                  }(),
                  host),
              ConvertOk);
    EXPECT_TRUE(Has(host.output,
                    "<header><exportingsystem>Personal Ancestral File</exportingsystem><version>2.2</version>"
                    "<exported>1992-11-20T13:05</exported><owner><name>Ann &amp; Co</name><address><ap>1 Main "
                    "St</ap><lf/><ap>Springfield</ap><lf/><phone>555</phone></address>"
                    "<email>ann@example.org</email></owner></header>"))
        << host.output;
}

TEST(GedcomOutputTest, PersonsNamesAndAliases)
{
    ConvertOptions split;
    split.givenNameFirst = true;
    std::string output = Convert({"0 @I1@ INDI", "0 @I2@ INDI", "1 NAME John /Smith/ Jr.", "2 SOUR @S1@",
                                  "1 NAME Johnny", "1 SEX M", "0 @S1@ SOUR", "1 TITL Census"},
                                 split);
    EXPECT_TRUE(Has(output, "<person id=\"P1\" sex=\"unknown\"><personalname><np tp=\"unkw\">Unknown</np>"
                            "</personalname></person>"));
    EXPECT_TRUE(Has(output, "<person id=\"P2\" sex=\"male\"><personalname><np tp=\"givn\">John </np>"
                            "<np tp=\"surn\">Smith</np><np tp=\"unkw\"> Jr.</np></personalname></person>"));
    // The first name has a citation: it is written again as an alias, and so is the second name.
    EXPECT_TRUE(Has(output, "<assertion id=\"A1\"><alias negative=\"false\"><personalname><np tp=\"givn\">John "
                            "</np><np tp=\"surn\">Smith</np><np tp=\"unkw\"> Jr.</np></personalname>"
                            "<personref>P2</personref></alias><excerptref>X1</excerptref></assertion>"));
    EXPECT_TRUE(Has(output, "<assertion id=\"A2\"><alias negative=\"false\"><personalname><np tp=\"givn\">Johnny"
                            "</np></personalname><personref>P2</personref></alias></assertion>"));

    ConvertOptions structured;
    structured.structuredNames = true;
    std::string parts = Convert({"0 @I1@ INDI", "1 NAME x", "2 NPFX Dr.", "2 GIVN Ann", "2 NICK Annie", "2 SPFX van",
                                 "2 SURN Berg", "2 NSFX PhD"},
                                structured);
    EXPECT_TRUE(Has(parts, "<personalname><np tp=\"pref\">Dr.</np><np tp=\"givn\">Ann</np><np tp=\"nick\">Annie"
                           "</np><np tp=\"art\">van</np><np tp=\"surn\">Berg</np><np tp=\"sufx\">PhD</np>"
                           "</personalname>"));
}

TEST(GedcomOutputTest, SourcesRepositoriesAndExcerpts)
{
    std::string output = Convert({"0 @R1@ REPO",
                                  "1 NAME First",
                                  "0 @R2@ REPO",
                                  "1 NAME Second",
                                  "0 @R3@ REPO",
                                  "1 NAME Third",
                                  "1 ADDR Main St",
                                  "1 WWW example.org",
                                  "0 @S1@ SOUR",
                                  "1 TITL Parish book",
                                  "1 REPO @R3@",
                                  "2 CALN 920.23",
                                  "0 @I1@ INDI",
                                  "1 SOUR @S1@",
                                  "2 PAGE p. 5",
                                  "2 QUAY 3",
                                  "2 DATA",
                                  "3 DATE (1 JAN 1850) & more",
                                  "3 TEXT Baptised <here>",
                                  "1 SOUR @S1@",
                                  "2 QUAY 0",
                                  "1 SOUR Family Bible",
                                  "2 QUAY 2"});
    EXPECT_TRUE(Has(output, "<repository id=\"R3\"><name>Third</name><address><ap>Main St</ap><lf/></address>"
                            "<uri>example.org</uri></repository>"));
    EXPECT_TRUE(Has(output, "<source id=\"S1\"><author></author><title>Parish book</title><shorttitle>"
                            "</shorttitle><repositoryref ref=\"R3\"><callnumber>920.23</callnumber>"
                            "</repositoryref></source>"));
    EXPECT_TRUE(Has(output, "<source id=\"S2\"><author></author><title>Family Bible</title><shorttitle>"
                            "</shorttitle></source>"));
    // The DATA date keeps its text, escaped like every other text.
    EXPECT_TRUE(Has(output, "<excerpt id=\"X1\"><text>1 JAN 1850) &amp; more:\r\nBaptised &lt;here&gt;</text>"
                            "<quality>98</quality><page>p. 5</page><sourceref>S1</sourceref></excerpt>"));
    EXPECT_TRUE(Has(output, "<excerpt id=\"X2\"><quality>80</quality><sourceref>S1</sourceref></excerpt>"));
    EXPECT_TRUE(Has(output, "<excerpt id=\"X3\"><sourceref>S2</sourceref></excerpt>"));
    EXPECT_TRUE(Has(output, "<person id=\"P1\" sex=\"unknown\"><personalname><np tp=\"unkw\">Unknown</np>"
                            "</personalname><excerptref>X1</excerptref><excerptref>X2</excerptref>"
                            "<excerptref>X3</excerptref></person>"));
    EXPECT_TRUE(Has(output, "<sources>2</sources><excerpts>3</excerpts>"));
}

TEST(GedcomOutputTest, EventsAttributesDatesPlacesAndEventTypes)
{
    TestHost host;
    ConvertOptions options;
    options.defaultGregorian = true;
    std::string output =
        Convert({"0 @I1@ INDI", "1 BIRT", "2 DATE ABT 44 BC", "2 PLAC Rome, , Latium ,Italy", "1 EVEN", "2 TYPE Duel",
                 "2 DATE BET 1850 AND @#DJULIAN@ 1860", "1 OCCU Smith & sons", "2 DATE FROM 1870 TO 1880",
                 "1 FACT tall", "1 NOTE A @@ sign", "1 BIRT", "2 DATE 1 JAN 1851/52"},
                options, &host);
    EXPECT_TRUE(Has(output, "<eventtype id=\"E1\" class=\"birth\"><description>Type1000</description>"
                            "<gedcomtag>BIRT</gedcomtag><roles>1</roles></eventtype>"
                            "<eventtype id=\"E2\" class=\"other\"><description>Duel</description>"
                            "<gedcomtag>EVEN</gedcomtag><roles>1</roles></eventtype><person"));
    EXPECT_TRUE(Has(output, "<event type=\"E1\"><principal>P1</principal><date><exact cal=\"gregorian\" "
                            "mod=\"about\" era=\"before\">0044-00-00</exact></date><place><pnp>Rome</pnp>"
                            "<pnp>Latium </pnp><pnp>Italy</pnp></place></event>"));
    EXPECT_TRUE(Has(output, "<date><begin cal=\"gregorian\">1850-00-00</begin><end cal=\"julian\">1860-00-00"
                            "</end></date>"));
    EXPECT_TRUE(Has(output, "<attribute><description>Type1030</description><textclass>work</textclass>"
                            "<text>Smith &amp; sons</text><personref>P1</personref><date><from cal=\"gregorian\">"
                            "1870-00-00</from><to cal=\"gregorian\">1880-00-00</to></date></attribute>"));
    EXPECT_TRUE(Has(output, "<attribute><description>Message 0</description><textclass>other</textclass>"
                            "<text>tall</text>"));
    EXPECT_TRUE(Has(output, "<info><text>A @ sign</text><personref>P1</personref></info>"));
    EXPECT_TRUE(Has(output, "<exact cal=\"gregorian\">1851/52-01-01</exact>"));
    // The same tag and TYPE share one event type.
    EXPECT_TRUE(Has(output, "<eventtypes>2</eventtypes>"));
}

TEST(GedcomOutputTest, FamiliesWriteRelationshipsEventsWithAllTheirCitationsAndNotes)
{
    std::string output = Convert({"0 @W@ INDI", "0 @C1@ INDI", "0 @C2@ INDI", "0 @S1@ SOUR", "0 @F1@ FAM", "1 WIFE @W@",
                                  "1 CHIL @C1@", "1 CHIL @C2@", "1 SOUR @S1@", "1 MARR", "2 SOUR @S1@",
                                  "2 NOTE at home", "1 NOTE family note", "0 @F2@ FAM", "1 CHIL @C1@", "1 MARR"});
    std::string body = Body(output);
    EXPECT_TRUE(Has(body, "<assertion id=\"A1\"><relationship negative=\"false\"><relation>biological</relation>"
                          "<mother>P1</mother><child>P2</child></relationship><excerptref>X1</excerptref>"
                          "</assertion><assertion id=\"A2\"><relationship negative=\"false\"><relation>biological"
                          "</relation><mother>P1</mother><child>P3</child></relationship><excerptref>X1"
                          "</excerptref></assertion>"));
    EXPECT_TRUE(Has(body, "<assertion id=\"A3\"><event type=\"E1\"><principal>P1</principal></event>"
                          "<excerptref>X1</excerptref><excerptref>X2</excerptref><note>at home</note>"
                          "</assertion>"));
    EXPECT_TRUE(Has(body, "<assertion id=\"A4\"><info><text>family note</text><personref>P1</personref>"
                          "</info></assertion>"));
    // A family without husband and wife writes nothing.
    EXPECT_FALSE(Has(body, "A5"));
    EXPECT_FALSE(Has(body, "<gedcomtag>EVEN</gedcomtag>"));
    EXPECT_TRUE(Has(output, "<eventtype id=\"E1\" class=\"marriage\"><description>Type1039</description>"
                            "<gedcomtag>MARR</gedcomtag><roles>2</roles></eventtype>"));
}

TEST(GedcomOutputTest, CouplesWithoutChildrenOrEventsStayCouples)
{
    TestHost host;
    std::string output =
        Convert({"0 @I1@ INDI", "0 @I2@ INDI", "0 @S1@ SOUR", "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 SOUR @S1@",
                 "1 NOTE met in Bergen", "0 @F2@ FAM", "1 HUSB @I2@", "1 WIFE @I1@"},
                {}, &host);
    std::string body = Body(output);
    EXPECT_TRUE(Has(output, "<eventtype id=\"E1\" class=\"other\"><description>Type1051</description>"
                            "<gedcomtag>EVEN</gedcomtag><roles>2</roles></eventtype>"));
    EXPECT_FALSE(Has(output, "<eventtype id=\"E2\""));
    EXPECT_TRUE(Has(body, "<assertion id=\"A1\"><event type=\"E1\"><principal>P1</principal><principal>P2"
                          "</principal></event><excerptref>X1</excerptref><note>met in Bergen</note></assertion>"
                          "<assertion id=\"A2\"><event type=\"E1\"><principal>P2</principal><principal>P1"
                          "</principal></event></assertion>"));
    EXPECT_FALSE(Has(body, "<info>"));
    EXPECT_EQ(host.log, "");

    // A family with a child or an event, or with one partner, writes no couple event.
    std::string other =
        Convert({"0 @I1@ INDI", "0 @I2@ INDI", "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 MARR", "0 @F2@ FAM",
                 "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I1@", "0 @F3@ FAM", "1 HUSB @I1@"});
    EXPECT_FALSE(Has(other, "<gedcomtag>EVEN</gedcomtag>"));
}

TEST(GedcomOutputTest, ChildrenLinksByPedigreeOnceAndOnlyToPersonsOfTheFile)
{
    struct Case {
        std::string_view pedigree;
        std::string_view relation;
    };
    const Case cases[] = {
        {"", "biological"},
        {"2 PEDI birth", "biological"},
        {"2 PEDI adopted", "adoptive"},
        {"2 PEDI ADOPTED", "adoptive"},
        {"2 PEDI foster", "foster"},
        {"2 PEDI sealing", "other"},
    };
    for (const Case& c : cases) {
        TestHost host;
        std::string gedcom = "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n0 @I2@ INDI\r\n1 FAMC @F1@\r\n";
        if (!c.pedigree.empty())
            gedcom += std::string(c.pedigree) + "\r\n";
        gedcom += "1 FAMC @F2@\r\n2 PEDI foster\r\n0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 CHIL @I2@\r\n1 CHIL @I9@\r\n"
                  "1 CHIL @I2@\r\n0 TRLR\r\n";
        ASSERT_EQ(ConvertText(gedcom, {}, host), ConvertOk) << c.pedigree;
        std::string body = Body(host.output);
        EXPECT_TRUE(Has(body, "<assertion id=\"A1\"><relationship negative=\"false\"><relation>" +
                                  std::string(c.relation) +
                                  "</relation><father>P1</father><child>P2</child></relationship></assertion>"))
            << c.pedigree << body;
        // The repeated child gives no second relationship, the missing one none at all.
        EXPECT_FALSE(Has(body, "A2")) << c.pedigree;
        EXPECT_FALSE(Has(body, "P0")) << c.pedigree;
        int chilLine = c.pedigree.empty() ? 11 : 12;
        EXPECT_EQ(host.log, "\r\nError on line " + std::to_string(chilLine) + ": Message 17\r\n1 CHIL @I9@\r\n")
            << c.pedigree;
    }
}

TEST(GedcomOutputTest, FamiliesWithoutPartnersAndMissingPartnersAreLogged)
{
    TestHost host;
    std::string output = Convert({"0 @I1@ INDI", "0 @I2@ INDI", "0 @F1@ FAM", "1 CHIL @I1@", "1 CHIL @I2@",
                                  "0 @F2@ FAM", "1 HUSB @I8@", "1 WIFE @I2@", "1 CHIL @I1@"},
                                 {}, &host);
    std::string body = Body(output);
    EXPECT_TRUE(Has(body, "<relation>biological</relation><mother>P2</mother><child>P1</child>")) << body;
    EXPECT_FALSE(Has(body, "<father>"));
    EXPECT_EQ(host.log, "\r\nError on line 5: Message 16\r\n0 @F1@ FAM\r\n"
                        "\r\nError on line 9: Message 17\r\n1 HUSB @I8@\r\n");
}

TEST(GedcomOutputTest, ExtrasAndPersonNumbersGoIntoNotes)
{
    ConvertOptions options;
    options.eventExtras = 2;
    options.personNumbers = 2;
    TestHost host;
    std::string output = Convert({"0 @I1@ INDI", "1 BIRT", "2 AGE 0", "2 CAUS fever", "1 AFN 12", "1 RIN 7", "1 CHAN",
                                  "2 DATE 5 MAR 2001", "3 TIME 10:30:05"},
                                 options, &host);
    EXPECT_TRUE(Has(output, "<note>Ancestry file number 12.\r\nAutomated record ID 7.</note>"
                            "<change>2001-03-05T10:30:05</change></person>"));
    EXPECT_TRUE(Has(output, "</event><note>Age 0.\r\nfever.</note></assertion>"));
    EXPECT_EQ(host.log, "");

    TestHost logged;
    Convert({"0 @I1@ INDI", "1 BIRT", "2 AGE 0", "1 AFN 12"}, {}, &logged);
    EXPECT_TRUE(Has(logged.log, "\r\nLine 5: Message 100\r\n2 AGE 0\r\n      ^\r\n"));
    EXPECT_TRUE(Has(logged.log, "\r\nLine 6: Message 100\r\n1 AFN 12\r\n      ^\r\n"));
}

TEST(GedcomOutputTest, MediaLinksRecordsCopiesAndInlineData)
{
    ConvertOptions copy;
    copy.copyObjectFiles = 1;
    TestHost host;
    host.media.files["D:\\pics\\a.jpg"] = "abc";
    std::string output = Convert({"0 @M1@ OBJE", "1 FILE D:\\pics\\a.jpg", "1 TITL A & B", "0 @M2@ OBJE",
                                  "1 FILE D:\\pics\\missing.jpg", "0 @I1@ INDI", "1 OBJE @M1@", "1 OBJE @M2@",
                                  "1 OBJE @M9@", "1 OBJE", "2 FILE E:\\x.gif", "2 TITL inline"},
                                 copy, &host);
    EXPECT_TRUE(Has(output, "<object><externalfile>C:\\current\\a.jpg</externalfile><originalfile>D:\\pics\\a.jpg"
                            "</originalfile><bin>YWJj</bin><title>A &amp; B</title></object>"
                            "<object><originalfile>D:\\pics\\missing.jpg</originalfile><title></title></object>"
                            "<object><externalfile>E:\\x.gif</externalfile><title>inline</title></object>"));

    // A copy that fails names no copy; the bytes are embedded instead.
    TestHost failing;
    failing.media.files["D:\\pics\\a.jpg"] = "abc";
    failing.media.copyFails = true;
    std::string embedded =
        Convert({"0 @M1@ OBJE", "1 FILE D:\\pics\\a.jpg", "0 @I1@ INDI", "1 OBJE @M1@"}, copy, &failing);
    EXPECT_TRUE(Has(embedded, "<object><originalfile>D:\\pics\\a.jpg</originalfile><bin>YWJj</bin><title>"
                              "</title></object>"));

    // Inline data is decoded into a temporary file whose type keeps only letters and digits.
    TestHost blob;
    std::string decoded = Convert(
        {"0 @M1@ OBJE", "1 FORM ../x.j\\pg", "1 BLOB", "2 CONT HE.0", "2 CONT HE.0x", "0 @I1@ INDI", "1 OBJE @M1@"}, {},
        &blob);
    ASSERT_EQ(blob.media.temporary.size(), 1u);
    const auto& [name, bytes] = *blob.media.temporary.begin();
    EXPECT_TRUE(name.starts_with("OBJ")) << name;
    EXPECT_TRUE(name.ends_with(".xjpg")) << name;
    EXPECT_EQ(name.size(), 3 + 5 + 5u);
    EXPECT_EQ(bytes, std::string("M\0\x02M\0\x02", 6));
}

TEST(GedcomOutputTest, OneMediaFileIsReadAndEmbeddedOnceForAllItsLinks)
{
    TestHost host;
    host.media.files["D:\\pics\\big.jpg"] = std::string(1 << 20, 'x');
    std::string gedcom = "0 HEAD\r\n1 CHAR ANSI\r\n0 @M1@ OBJE\r\n1 FILE D:\\pics\\big.jpg\r\n";
    for (int i = 1; i <= 200; ++i)
        gedcom += "0 @I" + std::to_string(i) + "@ INDI\r\n1 OBJE @M1@\r\n";
    // An inline link naming the same file refers to it too.
    gedcom += "0 @I201@ INDI\r\n1 OBJE\r\n2 FILE D:\\pics\\big.jpg\r\n0 TRLR\r\n";
    ASSERT_EQ(ConvertText(gedcom, {}, host), ConvertOk);
    EXPECT_EQ(host.media.read, std::vector<std::string>{"D:\\pics\\big.jpg"});
    std::string encodedLine = EncodeBase64(std::string(54, 'x'));
    size_t first = host.output.find(encodedLine);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(host.output.find("<bin>", host.output.find("<bin>") + 1), std::string::npos);
    EXPECT_LT(host.output.size(), (1u << 20) * 3 / 2);
    size_t links = 0;
    for (size_t at = 0;
         (at = host.output.find("<originalfile>D:\\pics\\big.jpg</originalfile>", at)) != std::string::npos; ++at)
        ++links;
    EXPECT_EQ(links, 201u);
    EXPECT_EQ(host.log, "");
}

TEST(GedcomOutputTest, DevicesAreLeftOutAndLargeFilesLinkedByName)
{
    TestHost host;
    host.media.notRegular = {"C:\\", "\\\\.\\PIPE\\x"};
    host.media.files["D:\\scan.tif"] = "tiny";
    host.media.sizes["D:\\scan.tif"] = kMediaEmbedLimit + 1;
    host.media.files["D:\\ok.jpg"] = "abc";
    ASSERT_EQ(ConvertText("0 HEAD\r\n1 CHAR ANSI\r\n0 @M1@ OBJE\r\n1 FILE C:\\\r\n1 TITL root\r\n0 @I1@ INDI\r\n"
                          "1 OBJE @M1@\r\n1 OBJE @M1@\r\n1 OBJE\r\n2 FILE D:\\scan.tif\r\n1 OBJE\r\n"
                          "2 FILE \\\\.\\PIPE\\x\r\n1 OBJE\r\n2 FILE D:\\ok.jpg\r\n0 TRLR\r\n",
                          {}, host),
              ConvertOk);
    EXPECT_EQ(host.media.read, std::vector<std::string>{"D:\\ok.jpg"});
    EXPECT_EQ(host.log, "\r\nError on line 4: Message 18\r\nFILE C:\\\r\n"
                        "\r\nError on line 10: Message 19\r\nFILE D:\\scan.tif\r\n"
                        "\r\nError on line 12: Message 18\r\nFILE \\\\.\\PIPE\\x\r\n");
    EXPECT_TRUE(Has(host.output, "<object><title>root</title></object><object><title>root</title></object>"
                                 "<object><originalfile>D:\\scan.tif</originalfile><title></title></object>"
                                 "<object><title></title></object>"
                                 "<object><originalfile>D:\\ok.jpg</originalfile><bin>YWJj</bin>"));
}

TEST(GedcomOutputTest, FailureWhileWritingDiscardsTheOutputAndTemporaryFilesGo)
{
    TestHost host;
    host.media.files["D:\\a.jpg"] = "abc";
    host.media.readThrows = true;
    const char gedcom[] = "0 HEAD\r\n1 CHAR ANSI\r\n0 @M1@ OBJE\r\n1 FORM gif\r\n1 BLOB\r\n2 CONT .HE.0\r\n"
                          "0 @I1@ INDI\r\n1 OBJE @M1@\r\n1 OBJE\r\n2 FILE D:\\a.jpg\r\n0 TRLR\r\n";
    EXPECT_EQ(ConvertText(gedcom, {}, host), ConvertReadFailed);
    EXPECT_TRUE(host.outputDiscarded);
    EXPECT_EQ(host.output, "");
    EXPECT_TRUE(host.media.temporariesRemoved);

    TestHost fine;
    fine.media.files["D:\\a.jpg"] = "abc";
    EXPECT_EQ(ConvertText(gedcom, {}, fine), ConvertOk);
    EXPECT_FALSE(fine.outputDiscarded);
    EXPECT_TRUE(fine.media.temporariesRemoved);
}

TEST(GedcomOutputTest, TasksOfTheProgramThatWritesThemInTheFormsTheReaderTakes)
{
    ConvertOptions options;
    options.readExtensions = true;
    TestHost host;
    ASSERT_EQ(ConvertText("0 HEAD\r\n1 SOUR FamilyOrigins\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n0 @I2@ INDI\r\n"
                          "1 _TODO\r\n2 DESC Find baptism\r\n2 DATE 3 FEB 2004\r\n2 NOTE try parish\r\n0 TRLR\r\n",
                          options, host),
              ConvertOk);
    EXPECT_TRUE(Has(host.output, "<task id=\"1\"><title>Find baptism</title><problem>try parish</problem>"
                                 "<personref>P2</personref><status>new</status><statusdate>2004-02-03"
                                 "</statusdate></task><total>"));
    EXPECT_TRUE(Has(host.output, "<tasks>1</tasks>"));
}

TEST(GedcomOutputTest, EncodingHelpers)
{
    EXPECT_EQ(EscapeGedcomText("a<b>&\"c'@@d@"), "a&lt;b&gt;&amp;&quot;c&apos;@d@");
    // Control characters that XML readers refuse become blanks; tab and line ends stay.
    EXPECT_EQ(EscapeGedcomText("a\x01"
                               "b\tc\x1F\x0B\r\nd"),
              "a b\tc  \r\nd");
    EXPECT_EQ(EncodeBase64(std::string(54, 'x')).size(), 72u);
    std::string two = EncodeBase64(std::string(55, 'x'));
    EXPECT_EQ(two.substr(72, 2), "\r\n");
    EXPECT_EQ(two.substr(74), "eA==");
    SimpleDate date;
    date.year = -44;
    date.month = 3;
    date.day = 15;
    EXPECT_EQ(FormatSimpleDate(date, true), "0044-03-15");
}

} // namespace
} // namespace pendrax::test
