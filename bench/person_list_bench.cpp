// The person list against the bare engine on a database of many persons: filling the list of all names
// (every NAME row in display-text order) and a name search over every NAME id, each beside the floor,
// a bare walk of the display-text index with a read of each row in one transaction. Every answer is
// checked: a failure ends the run with a message instead of printing a figure for work not done.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/open_create.h"
#include "persons/name_list_state.h"
#include "persons/person_record.h"

namespace {

const char* const Surnames[] = {"Andersson", "Bauer",  "Castillo", "Dubois", "Eriksen", "Fischer", "Hansen",
                                "Ivanova",   "Jensen", "Kowalski", "Larsen", "Nielsen", "O'Brien", "Petersen",
                                "Quist",     "Rossi",  "Schmidt",  "Ulrich", "Weber",   "Young",   "Zimmermann"};
const char* const GivenNames[] = {"Anna", "Bernt", "Clara", "David", "Elin", "Frida", "Gustav", "Hanna",
                                  "Ivar", "Johan", "Karin", "Lars",  "Maja", "Nils",  "Olga",   "Per"};

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "person_list_bench: %s\n", what.c_str());
    std::exit(1);
}

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of a few runs, so that a stray pause of the machine does not count.
double Best(int runs, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double seconds = Seconds(work);
        if (seconds < best)
            best = seconds;
    }
    return best;
}

void MakePersons(Database& database, int count)
{
    std::mt19937 random(20261211);
    EngineTransaction transaction(database.file, TLV_READWRITE);
    if (!transaction.Running())
        Fail("no transaction");
    const std::int32_t personTable = database.TableId(TablePerson);
    for (int i = 0; i < count; ++i) {
        PersonRow person = {};
        const std::int32_t personId = tlvNewID(personTable, database.file);
        NameRecord name(database);
        name.AppendPart(NamePartGiven, GivenNames[random() % std::size(GivenNames)]);
        name.AppendPart(NamePartSurname, Surnames[random() % std::size(Surnames)]);
        name.row.number = personId;
        if (personId <= 0 || !name.Save())
            Fail("cannot write person " + std::to_string(i));
        person.nameId = name.Id();
        if (tlvWriteRecord(personTable, personId, &person, database.file) != 0)
            Fail("cannot write person row " + std::to_string(i));
    }
    if (transaction.End(true) != 0)
        Fail("cannot commit the persons");
}

// The floor: the display-text index walked with each row read, in one transaction.
std::size_t WalkNameIndex(Database& database)
{
    EngineTransaction transaction(database.file, TLV_READ);
    const std::int32_t table = database.TableId(TableName);
    NameRow row = {};
    std::size_t count = 0;
    for (std::int32_t id = tlvGetFirstRecord(table, NameDisplayColumn, database.file); id > 0;
         id = tlvGetNextRecord(table, NameDisplayColumn, id, 1, database.file)) {
        if (tlvReadRecord(table, id, &row, database.file) != 0)
            Fail("a NAME row of the index does not read");
        ++count;
    }
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    const int persons = argc > 1 ? std::atoi(argv[1]) : 100000;
    InstallListStates();
    CurrentSettings.name.ListSize = 200;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vestrada_person_list_bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "persons.vdb").string();
    {
        std::unique_ptr<Database> database(CreateDatabase(path.c_str(), false));
        if (!database)
            Fail("cannot create " + path);
        const double made = Seconds([&] { MakePersons(*database, persons); });
        NameListState& list = *NameListOf(*database);

        std::size_t walked = 0;
        const double floorFirst = Best(5, [&] { walked = WalkNameIndex(*database); });
        if (walked != static_cast<std::size_t>(persons))
            Fail("the walk met " + std::to_string(walked) + " names");

        const double fill = Best(5, [&] {
            list.DiscardAllNames();
            list.ReadAllNames();
        });
        if (list.AllNames().size() != static_cast<std::size_t>(persons))
            Fail("the list holds " + std::to_string(list.AllNames().size()) + " names");

        // A surname search that matches about one name in twenty, held to the selection's limit.
        list.search.SetCriterion(0, NameListState::FieldSurname, "Lar", MatchBegin);
        list.search.clearFirst = 1;
        const double search = Best(5, [&] {
            EngineTransaction transaction(database->file, TLV_READWRITE);
            list.RunSearch();
        });
        if (list.Selection().empty())
            Fail("the search found nothing");
        // The floor once more, now that everything ran: the engine's caches are as warm for it as for the
        // others.
        const double floorAgain = Best(5, [&] { WalkNameIndex(*database); });
        const double floor = floorFirst < floorAgain ? floorFirst : floorAgain;

        std::printf("persons                          %d (made in %.2f s)\n", persons, made);
        std::printf("floor: walk of the name index    %8.1f ms\n", floor * 1000);
        std::printf("person list filled               %8.1f ms   %.2f x floor\n", fill * 1000, fill / floor);
        std::printf("name search over every name      %8.1f ms   %.2f x floor\n", search * 1000, search / floor);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
