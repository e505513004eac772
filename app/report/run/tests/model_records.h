// Records for the object model's scripts, stored through the record classes into the run's database:
// persons with names, assertions with participants and citations, sources with repositories, excerpts and
// tasks, research objectives and media objects. Each writer answers the new record's id.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/address_record.h"
#include "core/assertion_link.h"
#include "core/date_value.h"
#include "core/event_type.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "core/role.h"
#include "core/write_transaction.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"
#include "persons/name_assertion.h"
#include "persons/person_record.h"
#include "persons/relationship.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"
#include "records/media_record.h"
#include "records/objective_record.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "records/task_record.h"
#include "report/run/tests/run_support.h"
#include "settings/settings.h"

namespace model_test {

// One participant of an assertion: the person and the role (events: 0 principal, else a ROLE id;
// relationships: 1 parent, 0 child).
struct Participant {
    std::int32_t person;
    std::int32_t role = 0;
};

// A date of the Gregorian calendar (day and month 0 when unknown).
inline DateRange GregorianDate(int day, int month, int year)
{
    DateRange date = {};
    date.type = DateRangeSingle;
    date.dates.first = EmptyDateValue();
    date.dates.first.calendar = CalendarGregorian;
    date.dates.first.day = static_cast<std::uint8_t>(day);
    date.dates.first.month = static_cast<std::uint8_t>(month);
    date.dates.first.SetYear(year);
    date.dates.second = EmptyDateValue();
    return date;
}

// What an assertion carries besides its participants.
struct AssertionFields {
    std::int8_t privacy = PrivacyPublic;
    DateRange date = GregorianDate(0, 0, 1900);
    const char* place = nullptr;
    const char* addressCity = nullptr;
    const char* note = nullptr;
    std::vector<std::int32_t> excerpts; // cited excerpt ids, in order
};

class ModelRecords {
public:
    explicit ModelRecords(Database& database) : db_(database) {}

    // A person named by an edit text ("Given/Surname/").
    std::int32_t Person(const char* name, std::uint8_t sex = SexMale, const char* note = nullptr)
    {
        PersonRecord person(db_);
        person.LoadLinked();
        person.Name()->ParseEditText(name);
        person.row.sex = sex;
        if (note != nullptr)
            person.Note()->SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db_, [&] { return person.Save(); }));
        return person.Id();
    }

    // An event or attribute type whose sentences name the person and the type: "{f}: {c}".
    std::int32_t Type(const char* name, int kind, int classCode, int gedcomTag = NoGedcomTag,
                      int attributeKind = AttributeKindText, const char* principalTemplate = "{f}: {c}",
                      const char* witnessTemplate = "{f} as {r}: {c}")
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(db_, [&] {
            id = CreateEventType(name, attributeKind, classCode, gedcomTag, kind, 1, 1, principalTemplate,
                                 witnessTemplate, db_);
            return id != 0;
        }));
        return id;
    }

    std::int32_t Role(const char* name)
    {
        RoleRecord role(db_);
        role.SetName(name);
        EXPECT_TRUE(RunWriteTransaction(db_, [&] { return role.Save(); }));
        return role.Id();
    }

    std::int32_t Event(std::int32_t type, std::initializer_list<Participant> participants,
                       const AssertionFields& fields = {})
    {
        EventAssertion event(db_);
        event.LoadLinked();
        event.row.typeId = type;
        event.SetDate(fields.date);
        if (fields.place != nullptr)
            event.Place()->Parse(fields.place);
        if (fields.addressCity != nullptr)
            CopyCity(*event.Address(), fields.addressCity);
        return Store(event, AssertionEvent, participants, fields);
    }

    std::int32_t Attribute(std::int32_t type, std::int32_t person, const char* text, std::int32_t value,
                           const AssertionFields& fields = {})
    {
        AttributeAssertion attribute(db_);
        attribute.LoadLinked();
        attribute.row.typeId = type;
        attribute.row.value = value;
        attribute.SetDate(fields.date);
        attribute.ValueText()->SetText(text);
        if (fields.place != nullptr)
            attribute.Place()->Parse(fields.place);
        return Store(attribute, AssertionAttribute, {{person}}, fields);
    }

    std::int32_t Relationship(std::int32_t parent, std::int32_t child, std::int8_t relation,
                              const AssertionFields& fields = {})
    {
        ::Relationship relationship(db_);
        relationship.LoadLinked();
        relationship.row.relation = relation;
        return Store(relationship, AssertionRelationship,
                     {{parent, RelationshipParentRole}, {child, RelationshipChildRole}}, fields);
    }

    std::int32_t Information(std::int32_t person, const char* text, const AssertionFields& fields = {})
    {
        InfoAssertion information(db_);
        information.LoadLinked();
        information.Text()->SetText(text);
        return Store(information, AssertionInfo, {{person}}, fields);
    }

    std::int32_t Alias(std::int32_t person, const char* name, const AssertionFields& fields = {})
    {
        NameAssertion alias(db_);
        alias.LoadLinked();
        alias.Name()->ParseEditText(name);
        alias.SetDate(fields.date);
        return Store(alias, AssertionName, {{person}}, fields);
    }

    struct SourceFields {
        const char* title = "";
        const char* shortTitle = "";
        const char* author = "";
        const char* published = "";
        const char* serial = "";
        std::uint8_t serialType = 0;
        std::uint8_t kind = 0;
        std::uint8_t sourceClass = 0;
        std::uint8_t media = 0;
        std::int32_t superior = 0;
        const char* text = nullptr;
        const char* note = nullptr;
    };

    std::int32_t Source(const SourceFields& fields)
    {
        SourceRecord source(db_);
        source.LoadLinked();
        source.SetTitle(fields.title);
        source.SetShortTitle(fields.shortTitle);
        source.SetAuthor(fields.author);
        CopyColumn(source.row.published, fields.published);
        CopyColumn(source.row.serialNumber, fields.serial);
        source.row.serialType = fields.serialType;
        source.row.kind = fields.kind;
        source.row.sourceClass = fields.sourceClass;
        source.row.media = fields.media;
        source.row.superiorId = fields.superior;
        if (fields.text != nullptr)
            source.Text()->SetText(fields.text);
        if (fields.note != nullptr)
            source.Note()->SetText(fields.note);
        EXPECT_TRUE(source.Save());
        return source.Id();
    }

    std::int32_t Excerpt(std::int32_t source, const char* page, std::uint8_t quality = 0, const char* text = "",
                         const char* note = "")
    {
        ExcerptRecord excerpt(db_);
        excerpt.row.sourceId = source;
        excerpt.row.quality = quality;
        excerpt.SetPage(page);
        excerpt.EnsureText().SetText(text);
        excerpt.EnsureNote().SetText(note);
        EXPECT_TRUE(excerpt.Save());
        return excerpt.Id();
    }

    std::int32_t Repository(const char* name, const char* email = "", const char* url = "", const char* city = nullptr,
                            const char* note = nullptr)
    {
        RepositoryRecord repository(db_);
        repository.LoadLinked();
        repository.SetName(name);
        repository.SetEmail(email);
        repository.SetUrl(url);
        if (city != nullptr)
            CopyCity(*repository.Address(), city);
        if (note != nullptr)
            repository.Note()->SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db_, [&] { return repository.Save(); }));
        return repository.Id();
    }

    std::int32_t RepositoryRef(std::int32_t repository, std::int32_t source, const char* callNumber,
                               const char* note = "")
    {
        ::RepositoryRef reference(db_);
        reference.row.repositoryId = repository;
        reference.row.sourceId = source;
        reference.SetCallNumber(callNumber);
        reference.EnsureNote().SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db_, [&] { return reference.Save(); }));
        return reference.Id();
    }

    std::int32_t Objective(const char* title, std::int8_t priority, const char* problem = "", const char* solution = "")
    {
        ObjectiveRecord objective(db_);
        objective.LoadLinked();
        objective.SetTitle(title);
        objective.row.priority = priority;
        objective.Problem()->SetText(problem);
        objective.Solution()->SetText(solution);
        EXPECT_TRUE(RunWriteTransaction(db_, [&] { return objective.Save(); }));
        return objective.Id();
    }

    struct TaskFields {
        const char* title = "";
        std::int32_t objective = 0;
        std::int32_t person = 0;
        std::int32_t source = 0;
        std::int8_t status = TaskStatusNew;
        const char* problem = "";
        const char* solution = "";
    };

    std::int32_t Task(const TaskFields& fields)
    {
        TaskRecord task(db_);
        task.LoadLinked();
        task.SetTitle(fields.title);
        task.row.objectiveId = fields.objective;
        task.row.personId = fields.person;
        task.row.sourceId = fields.source;
        task.row.status = fields.status;
        task.Problem()->SetText(fields.problem);
        task.Solution()->SetText(fields.solution);
        EXPECT_TRUE(task.Save());
        return task.Id();
    }

    // A media object of a person, at the end of the person's list.
    std::int32_t Media(std::int32_t person, std::uint32_t order, const char* description, const char* fileName,
                       const char* note = "")
    {
        MediaRecord media(db_);
        media.SetDescription(description);
        media.SetFileName(fileName);
        media.SetOwnerKind(MediaOwnerPerson);
        media.SetOwnerId(person);
        media.SetOrder(order);
        media.EnsureNote().SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db_, [&] { return media.Create(); }));
        return media.Id();
    }

    // Deletes a person's row alone, so that its id is issued but reads no record.
    void DeletePersonRow(std::int32_t person)
    {
        PersonRecord record(person, db_);
        record.LoadLinked();
        EXPECT_TRUE(RunWriteTransaction(db_, [&] { return record.Delete(); }));
    }

private:
    template <std::size_t N> static void CopyColumn(char (&column)[N], const char* text)
    {
        std::snprintf(column, N, "%s", text);
    }

    static void CopyCity(AddressRecord& address, const char* city) { CopyColumn(address.row.city, city); }

    std::int32_t Store(CitedAssertion& assertion, std::uint8_t kind, std::initializer_list<Participant> participants,
                       const AssertionFields& fields)
    {
        for (const Participant& p : participants) {
            auto link = std::make_unique<AssertionLink>(db_);
            link->row.kind = kind;
            link->row.personId = p.person;
            link->row.roleId = p.role;
            link->row.order = ++order_;
            assertion.Links().Append(std::move(link));
        }
        for (std::int32_t excerpt : fields.excerpts) {
            auto reference = std::make_unique<ExcerptRef>(db_);
            reference->row.excerptId = excerpt;
            assertion.ExcerptRefs().Append(std::move(reference));
        }
        if (fields.note != nullptr)
            assertion.Note()->SetText(fields.note);
        SetPrivacy(assertion, fields.privacy);
        EXPECT_TRUE(RunWriteTransaction(db_, [&] { return assertion.Save(); }));
        return assertion.Id();
    }

    static void SetPrivacy(CitedAssertion& assertion, std::int8_t privacy)
    {
        if (auto* event = dynamic_cast<EventAssertion*>(&assertion))
            event->row.privacy = privacy;
        else if (auto* attribute = dynamic_cast<AttributeAssertion*>(&assertion))
            attribute->row.privacy = privacy;
        else if (auto* relationship = dynamic_cast<::Relationship*>(&assertion))
            relationship->row.privacy = privacy;
        else if (auto* information = dynamic_cast<InfoAssertion*>(&assertion))
            information->row.privacy = privacy;
        else if (auto* alias = dynamic_cast<NameAssertion*>(&assertion))
            alias->row.privacy = privacy;
    }

    Database& db_;
    std::int32_t order_ = 0;
};

// What printing one expression after the setup lines gives: the printed text, or "error N" for the run's
// first error.
inline std::string PrintedResult(run_test::ScriptRun& run, const std::string& setup, const std::string& expression)
{
    run.ui = run_test::TestUi();
    run.ui.stopOnError = true;
    run.Run(setup + "PRINT " + expression);
    if (!run.ui.errors.empty()) {
        const std::string& text = run.ui.errors.front();
        const std::size_t key = text.find("REPORT_ERROR");
        if (key == std::string::npos)
            return text;
        std::size_t end = key + 12;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        return "error " + text.substr(key + 12, end - key - 12);
    }
    const std::vector<std::string> printed = run.Printed();
    return printed.empty() ? std::string("(nothing)") : printed.front();
}

// One expression of a table of cases and what printing it gives.
struct Case {
    const char* expression;
    const char* expected;
};

// A script run over a database of the test's own, with every report data switch on and the privacy level
// at its widest; the settings are restored afterwards.
class ModelScriptTest : public ::testing::Test {
protected:
    ModelScriptTest() : saved_(CurrentSettings)
    {
        ReportSettings& report = CurrentSettings.report;
        for (std::int32_t* on :
             {&report.IncludePersons, &report.IncludeEvents, &report.IncludeAttributes, &report.IncludeAlias,
              &report.IncludeRelationships, &report.IncludeInfos, &report.IncludeObjects, &report.IncludePlaces,
              &report.IncludeAddresses, &report.IncludeNotes, &report.IncludeRepositories, &report.IncludeSources,
              &report.IncludeResearch})
            *on = 1;
        report.PrivacyLevel = PrivacyInfo;
        report.SourceIndex = 0;
        std::snprintf(CurrentSettings.dateFormat.Formats[0], sizeof CurrentSettings.dateFormat.Formats[0],
                      "{dd}.{mm}.{yyyy}");
        CurrentSettings.dateFormat.FormatCount = 1;
        CurrentSettings.dateFormat.OutputFormat = 0;
        CurrentSettings.dateFormat.PrintFormat = 0;
        CurrentSettings.dateFormat.ShowTime = 0;
        for (std::int32_t& shown : CurrentSettings.place.PartShown)
            shown = 1;
        std::snprintf(report.InfoFormatting, sizeof report.InfoFormatting, "{f}: information");
        std::snprintf(report.AliasFormatting, sizeof report.AliasFormatting, "{f}: alias");
        std::snprintf(report.ParentFormatting, sizeof report.ParentFormatting, "Parent of {v}");
        std::snprintf(report.ChildFormatting, sizeof report.ChildFormatting, "Child of {v}");
    }
    ~ModelScriptTest() override { CurrentSettings = saved_; }

    std::string Print(const std::string& expression, const std::string& setup = "")
    {
        return PrintedResult(run, setup, expression);
    }
    template <std::size_t N> void Check(const Case (&cases)[N], const std::string& setup = "")
    {
        for (const Case& c : cases)
            EXPECT_EQ(Print(c.expression, setup), c.expected) << c.expression;
    }

    run_test::ScriptRun run;
    ModelRecords records{*run.database};

private:
    Settings saved_;
};

} // namespace model_test
