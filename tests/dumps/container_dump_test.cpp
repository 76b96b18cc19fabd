// Dumps of tables, lists, queues and stacks: titles, value formats, the order values are shown in,
// the texts of containers never set up, and the report's indent left as it was found.
#include <cstring>
#include <string>

#include "dump_helpers.hpp"
#include "rk_test.hpp"

namespace {

using rktest::ConsoleOf;
using rktest::Lines;
using rktest::ListReport;
using rktest::ConsoleWithoutMemory;
using rktest::Printed;
using rktest::Underline;

using TableDump = rktest::LibraryTest;
using ListDump = rktest::LibraryTest;
using StackDump = rktest::LibraryTest;
using QueueDump = rktest::LibraryTest;

// ---- Tables ----

TEST_F(TableDump, IntTableShowsSizeSortingAndRowsOfSevenWideCells)
{
    Rk_IntTable table;
    ASSERT_EQ(Rk_IntTableInit(&table, 2), 0);
    const int row0[] = {300, 4};
    const int row1[] = {1, -20};
    Rk_IntTableAddRow(&table, row0);
    Rk_IntTableAddRow(&table, row1);

    ListReport unsorted;
    ASSERT_EQ(Rk_IntTableDebugRpt(&table, unsorted.get()), 0);
    EXPECT_EQ(unsorted.lines(), (Lines{"Int Integer Table", "-----------------", "     Table has 2 columns",
                                       "     Table has 2 rows ( 25 allocated)", "     Table is not sorted",
                                       "        300      4", "          1    -20"}));

    const int key = 1;
    ASSERT_EQ(Rk_IntTableSort(&table, 1, &key), 0);
    ListReport sorted(3);
    ASSERT_EQ(Rk_IntTableDebugRpt(&table, sorted.get()), 0);
    EXPECT_EQ(sorted.lines(), (Lines{"   Int Integer Table", "   -----------------", "        Table has 2 columns",
                                     "        Table has 2 rows ( 25 allocated)", "        Table is sorted on column 1",
                                     "             1    -20", "           300      4"}))
        << "every line moves with the report's indent, the contents 4 further";
    EXPECT_EQ(sorted.indent(), 3) << "the indent is restored";
    Rk_IntTableFree(&table);
}

TEST_F(TableDump, LongAndDoubleCellsTakeTheRoomAWideValueNeeds)
{
    Rk_LongTable longs;
    ASSERT_EQ(Rk_LongTableInit(&longs, 2), 0);
    const long row[] = {1234567890L, -5L};
    Rk_LongTableAddRow(&longs, row);
    ListReport long_report;
    ASSERT_EQ(Rk_LongTableDebugRpt(&longs, long_report.get()), 0);
    EXPECT_EQ(long_report.lines(), (Lines{"Long Integer Table", "------------------", "     Table has 2 columns",
                                          "     Table has 1 rows ( 25 allocated)", "     Table is not sorted",
                                          "    1234567890     -5"}));
    Rk_LongTableFree(&longs);

    Rk_DblTable doubles;
    ASSERT_EQ(Rk_DblTableInit(&doubles, 1), 0);
    for (double v : {3.14159, -0.5, 1e10}) Rk_DblTableAddRow(&doubles, &v);
    ListReport dbl_report;
    ASSERT_EQ(Rk_DblTableDebugRpt(&doubles, dbl_report.get()), 0);
    EXPECT_EQ(dbl_report.lines(),
              (Lines{"Double Precision Table", "----------------------", "     Table has 1 columns",
                     "     Table has 3 rows ( 25 allocated)", "     Table is not sorted", "           3.142",
                     "          -0.500", "    10000000000.000"}))
        << "cells 12 wide with 3 decimals";
    Rk_DblTableFree(&doubles);
}

TEST_F(TableDump, StringCellsOfFifteenCharactersOrMoreShowABlankElevenCharactersAndDots)
{
    Rk_StrTable table;
    ASSERT_EQ(Rk_StrTableInit(&table, 2), 0);
    char* rows[][2] = {{const_cast<char*>("abc"), const_cast<char*>("abcdefghijklmn")},
                       {const_cast<char*>("abcdefghijklmno"), const_cast<char*>("a much longer text")},
                       {const_cast<char*>(""), const_cast<char*>("x")}};
    for (auto& row : rows) Rk_StrTableAddRow(&table, row);
    ListReport report;
    ASSERT_EQ(Rk_StrTableDebugRpt(&table, report.get()), 0);
    EXPECT_EQ(report.lines(),
              (Lines{"String Table", "------------", "     Table has 2 columns", "     Table has 3 rows ( 25 allocated)",
                     "     Table is not sorted",
                     "                abc abcdefghijklmn",  // 14 characters still fit, right-aligned in 15
                     "     abcdefghijk... a much long...",  // exactly 15 characters are cut
                     "                                 x"}));
    Rk_StrTableFree(&table);
}

TEST_F(TableDump, PointerTableShowsItsSizeButNoCells)
{
    Rk_PtrTable table;
    ASSERT_EQ(Rk_PtrTableInit(&table, 1), 0);
    int a = 0;
    void* cells[] = {&a};
    Rk_PtrTableAddRow(&table, cells);
    Rk_PtrTableAddRow(&table, cells);
    ListReport report;
    ASSERT_EQ(Rk_PtrTableDebugRpt(&table, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"Pointer Table", "-------------", "     Table has 1 columns",
                                     "     Table has 2 rows ( 25 allocated)", "     Table is not sorted"}));
    Rk_PtrTableFree(&table);
}

struct TableMember {
    int code;
    int (*dump)(const Rk_TableStruct*, Rk_ReportStruct*);
    int (*free)(Rk_TableStruct*);
    const char* title;
    const char* location;
};

const TableMember kTableMembers[] = {
    {5, Rk_IntTableDebugRpt, Rk_IntTableFree, "Int Integer Table", "rk_inttb("},
    {3, Rk_LongTableDebugRpt, Rk_LongTableFree, "Long Integer Table", "rk_lngtb("},
    {1, Rk_DblTableDebugRpt, Rk_DblTableFree, "Double Precision Table", "rk_dbltb("},
    {8, Rk_PtrTableDebugRpt, Rk_PtrTableFree, "Pointer Table", "rk_ptrtb("},
    {2, Rk_StrTableDebugRpt, Rk_StrTableFree, "String Table", "rk_strtb("},
};

TEST_F(TableDump, TablesNeverInitialisedOrFreedSayTheyAreNotInitialized)
{
    for (const auto& member : kTableMembers) {
        Rk_TableStruct never{};
        never.type = member.code;
        ListReport report(2);
        EXPECT_EQ(member.dump(&never, report.get()), 0) << member.title;
        EXPECT_EQ(report.lines(), (Lines{std::string("  ") + member.title, "  " + Underline(member.title),
                                         "      Table not initialized"}))
            << member.title;
        EXPECT_EQ(report.indent(), 2) << member.title;
    }
    Rk_IntTable freed;
    ASSERT_EQ(Rk_IntTableInit(&freed, 3), 0);
    Rk_IntTableFree(&freed);
    ListReport report;
    EXPECT_EQ(Rk_IntTableDebugRpt(&freed, report.get()), 0);
    EXPECT_EQ(report.lines().back(), "    Table not initialized") << "a freed table keeps its type but no columns";
}

TEST_F(TableDump, ARecordOfAnotherMemberIsRefusedBeforeAnythingIsWritten)
{
    for (const auto& member : kTableMembers) {
        Rk_TableStruct other{};
        other.type = member.code == 5 ? 3 : 5;
        ListReport report;
        EXPECT_EQ(member.dump(&other, report.get()), 1) << member.title;
        EXPECT_ERROR(1, member.location);
        EXPECT_TRUE(report.lines().empty()) << member.title;
    }
    Rk_TableStruct other{};
    int status = 0;
    EXPECT_EQ(ConsoleOf([&] { status = Rk_LongTableDebug(&other); }), "\n") << "only the Debug's empty line";
    EXPECT_EQ(status, 1) << "a Debug fails when its dump fails";
    EXPECT_ERROR(1, "rk_lngtb(");
}

// A row wider than the scratch line's own room needs the heap; when that fails, the lines before
// it stay written, error 11 is raised in the table's module and the indent is restored.
TEST_F(TableDump, ARowThatCannotBeHeldFailsWithErrorElevenAfterTheLinesBefore)
{
    Rk_IntTable table;
    ASSERT_EQ(Rk_IntTableInit(&table, 40), 0);
    const std::vector<int> row(40, 9);
    Rk_IntTableAddRow(&table, row.data());
    const auto starved = ConsoleWithoutMemory([&](Rk_ReportStruct* r) { return Rk_IntTableDebugRpt(&table, r); });
    EXPECT_EQ(starved.status, 1);
    EXPECT_ERROR(11, "rk_inttb(");
    EXPECT_EQ(starved.printed, Printed({"Int Integer Table", "     Table has 40 columns",
                                        "     Table has 1 rows ( 25 allocated)", "     Table is not sorted"}))
        << "the title's underline is left out when it cannot be copied";
    EXPECT_EQ(starved.indent, 0);

    ListReport report;
    ASSERT_EQ(Rk_IntTableDebugRpt(&table, report.get()), 0);
    std::string wide;
    for (int i = 0; i < 40; ++i) wide += "      9";
    EXPECT_EQ(report.lines().back(), "    " + wide) << "with memory the whole row is written, never cut";
    Rk_IntTableFree(&table);
}

TEST_F(TableDump, DebugWritesAnEmptyLineAndTheDumpToTheConsole)
{
    Rk_IntTable table;
    ASSERT_EQ(Rk_IntTableInit(&table, 1), 0);
    const int v = 42;
    Rk_IntTableAddRow(&table, &v);
    int status = -1;
    const std::string printed = ConsoleOf([&] { status = Rk_IntTableDebug(&table); });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(printed, Printed({"", "Int Integer Table", "-----------------", "     Table has 1 columns",
                                "     Table has 1 rows ( 25 allocated)", "     Table is not sorted", "         42"}));
    Rk_IntTableFree(&table);
}

// ---- Lists ----

TEST_F(ListDump, ValuesFollowTheSizeAndDuplicateRuleInListOrder)
{
    Rk_IntList ints;
    ASSERT_EQ(Rk_IntListInit(&ints, 0), 0);
    for (int v : {3, -1, 3}) Rk_IntListAdd(&ints, v);
    ListReport int_report;
    ASSERT_EQ(Rk_IntListDebugRpt(&ints, int_report.get()), 0);
    EXPECT_EQ(int_report.lines(), (Lines{"Integer List", "------------", "    List contains 2 value(s)",
                                         "    Duplicates not allowed in list", "        3", "        -1"}));
    Rk_IntListFree(&ints);

    Rk_LongList longs;
    ASSERT_EQ(Rk_LongListInit(&longs, 1), 0);
    for (long v : {7L, 7L}) Rk_LongListAdd(&longs, v);
    ListReport long_report(1);
    ASSERT_EQ(Rk_LongListDebugRpt(&longs, long_report.get()), 0);
    EXPECT_EQ(long_report.lines(), (Lines{" Long Integer List", " -----------------", "     List contains 2 value(s)",
                                          "     Duplicates allowed in list", "         7", "         7"}));
    EXPECT_EQ(long_report.indent(), 1);
    Rk_LongListFree(&longs);

    Rk_StrList texts;
    ASSERT_EQ(Rk_StrListInit(&texts, 1), 0);
    for (const char* v : {"b", "a text of more than fifteen characters"}) Rk_StrListAdd(&texts, v);
    ListReport str_report;
    ASSERT_EQ(Rk_StrListDebugRpt(&texts, str_report.get()), 0);
    EXPECT_EQ(str_report.lines(),
              (Lines{"String List", "-----------", "    List contains 2 value(s)", "    Duplicates allowed in list",
                     "        b", "        a text of more than fifteen characters"}))
        << "list texts are shown whole";
    Rk_StrListFree(&texts);
}

TEST_F(ListDump, PointerListCountsPointersWithoutShowingThem)
{
    Rk_PtrList list;
    ASSERT_EQ(Rk_PtrListInit(&list, 1), 0);
    int a = 0, b = 0;
    Rk_PtrListAdd(&list, &a);
    Rk_PtrListAdd(&list, &b);
    ListReport report;
    ASSERT_EQ(Rk_PtrListDebugRpt(&list, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"Pointer List", "------------", "    List contains 2 pointer(s)",
                                     "    Duplicates allowed in list"}));
    Rk_PtrListFree(&list);
}

TEST_F(ListDump, ListsNotAllocatedSaySo)
{
    const struct {
        int (*dump)(const Rk_ListStruct*, Rk_ReportStruct*);
        const char* title;
    } members[] = {{Rk_IntListDebugRpt, "Integer List"},
                   {Rk_LongListDebugRpt, "Long Integer List"},
                   {Rk_PtrListDebugRpt, "Pointer List"},
                   {Rk_StrListDebugRpt, "String List"}};
    for (const auto& member : members) {
        Rk_ListStruct never{};
        ListReport report;
        EXPECT_EQ(member.dump(&never, report.get()), 0) << member.title;
        EXPECT_EQ(report.lines(), (Lines{member.title, Underline(member.title), "    List not allocated"}));
    }
}

TEST_F(ListDump, AListWhoseTableCannotBeReadEndsTheDumpWithItsIndentRestored)
{
    Rk_IntList list;
    ASSERT_EQ(Rk_IntListInit(&list, 1), 0);
    Rk_IntTableFree(&list.table);  // the list's mark still says allocated
    ListReport report(2);
    EXPECT_EQ(Rk_IntListDebugRpt(&list, report.get()), 1);
    EXPECT_ERROR(1, "rk_inttb(");
    EXPECT_EQ(report.lines(), (Lines{"  Integer List", "  ------------"}));
    EXPECT_EQ(report.indent(), 2);
    Rk_IntListFree(&list);
}

TEST_F(ListDump, AValueLineThatCannotBeHeldRaisesErrorElevenInTheListsModule)
{
    Rk_StrList list;
    ASSERT_EQ(Rk_StrListInit(&list, 1), 0);
    const std::string long_text(300, 'q');
    Rk_StrListAdd(&list, long_text.c_str());
    const auto starved = ConsoleWithoutMemory([&](Rk_ReportStruct* r) { return Rk_StrListDebugRpt(&list, r); });
    EXPECT_EQ(starved.status, 1);
    EXPECT_ERROR(11, "rk_strls(");
    EXPECT_EQ(starved.printed,
              Printed({"String List", "    List contains 1 value(s)", "    Duplicates allowed in list"}));
    EXPECT_EQ(starved.indent, 0);
    Rk_StrListFree(&list);
}

// ---- Stacks ----

TEST_F(StackDump, ValuesAreShownFromTheTopDown)
{
    Rk_LongStack stack;
    ASSERT_EQ(Rk_LongStackInit(&stack), 0);
    Rk_LongStackPush(&stack, 7);
    ListReport one;
    ASSERT_EQ(Rk_LongStackDebugRpt(&stack, one.get()), 0);
    EXPECT_EQ(one.lines(), (Lines{"Long Stack", "----------", "    Stack contains 1 value(s)", "    Top     7"}))
        << "a single value is the top";

    Rk_LongStackPush(&stack, -8);
    ListReport two;
    ASSERT_EQ(Rk_LongStackDebugRpt(&stack, two.get()), 0);
    EXPECT_EQ(two.lines(), (Lines{"Long Stack", "----------", "    Stack contains 2 value(s)", "    Top     -8",
                                  "    Bottom  7"}));

    Rk_LongStackPush(&stack, 9);
    ListReport three;
    ASSERT_EQ(Rk_LongStackDebugRpt(&stack, three.get()), 0);
    EXPECT_EQ(three.lines(), (Lines{"Long Stack", "----------", "    Stack contains 3 value(s)", "    Top     9",
                                    "            -8", "    Bottom  7"}));
    int size = 0;
    Rk_LongStackGetSize(&stack, &size);
    EXPECT_EQ(size, 3) << "the dump takes nothing off";
    Rk_LongStackFree(&stack);
}

TEST_F(StackDump, StringStackAndStacksNotAllocated)
{
    Rk_StrStack stack;
    ASSERT_EQ(Rk_StrStackInit(&stack), 0);
    Rk_StrStackPush(&stack, "first");
    Rk_StrStackPush(&stack, "second");
    ListReport report;
    ASSERT_EQ(Rk_StrStackDebugRpt(&stack, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"String Stack", "------------", "    Stack contains 2 value(s)",
                                     "    Top     second", "    Bottom  first"}));
    Rk_StrStackFree(&stack);

    Rk_StackStruct never{};
    ListReport long_never;
    EXPECT_EQ(Rk_LongStackDebugRpt(&never, long_never.get()), 0);
    EXPECT_EQ(long_never.lines(), (Lines{"Long Stack", "----------", "    Stack not allocated"}));
    ListReport str_never;
    EXPECT_EQ(Rk_StrStackDebugRpt(&never, str_never.get()), 0);
    EXPECT_EQ(str_never.lines(), (Lines{"String Stack", "------------", "    Stack not allocated"}));
}

// ---- Queues ----

TEST_F(QueueDump, IntegerQueueShowsFrontMiddleAndEndBetweenItsNewlineTexts)
{
    Rk_IntQueue queue;
    ASSERT_EQ(Rk_IntQueueInit(&queue), 0);
    for (int v : {5, 6, 7}) Rk_IntQueueAdd(&queue, v);
    ListReport report(2);
    ASSERT_EQ(Rk_IntQueueDebugRpt(&queue, report.get()), 0);
    EXPECT_EQ(report.lines(), (Lines{"  \n", "  Integer Queue", "  -------------", "      \nQueue has 3 rows.\n",
                                     "      Front  5", "             6", "      End    7", "      \n"}));
    EXPECT_EQ(report.indent(), 2);
    int size = 0;
    Rk_IntQueueGetSize(&queue, &size);
    EXPECT_EQ(size, 3) << "the dump takes nothing out";
    Rk_IntQueueFree(&queue);
}

TEST_F(QueueDump, EachMemberFormatsItsValues)
{
    Rk_DblQueue doubles;
    ASSERT_EQ(Rk_DblQueueInit(&doubles), 0);
    Rk_DblQueueAdd(&doubles, 1.5);
    Rk_DblQueueAdd(&doubles, -12.25);
    ListReport dbl_report;
    ASSERT_EQ(Rk_DblQueueDebugRpt(&doubles, dbl_report.get()), 0);
    EXPECT_EQ(dbl_report.lines(), (Lines{"\n", "Double-Precision Queue", "----------------------",
                                         "    \nQueue has 2 rows.\n", "    Front     1.50000", "    End     -12.25000",
                                         "    \n"}));
    Rk_DblQueueFree(&doubles);

    Rk_LongQueue longs;
    ASSERT_EQ(Rk_LongQueueInit(&longs), 0);
    Rk_LongQueueAdd(&longs, 123456789012L);
    ListReport long_report;
    ASSERT_EQ(Rk_LongQueueDebugRpt(&longs, long_report.get()), 0);
    EXPECT_EQ(long_report.lines(), (Lines{"\n", "Long Integer Queue", "------------------", "    \nQueue has 1 rows.\n",
                                          "    Front  123456789012", "    \n"}))
        << "a single value is the front";
    Rk_LongQueueFree(&longs);

    Rk_StrQueue texts;
    ASSERT_EQ(Rk_StrQueueInit(&texts), 0);
    Rk_StrQueueAdd(&texts, "in");
    Rk_StrQueueAdd(&texts, "out");
    ListReport str_report;
    ASSERT_EQ(Rk_StrQueueDebugRpt(&texts, str_report.get()), 0);
    EXPECT_EQ(str_report.lines(), (Lines{"\n", "String Queue", "------------", "    \nQueue has 2 rows.\n",
                                         "    Front  in", "    End    out", "    \n"}));
    Rk_StrQueueFree(&texts);
}

TEST_F(QueueDump, EmptyUnallocatedAndUnreadableQueues)
{
    Rk_IntQueue queue;
    ASSERT_EQ(Rk_IntQueueInit(&queue), 0);
    ListReport empty;
    ASSERT_EQ(Rk_IntQueueDebugRpt(&queue, empty.get()), 0);
    EXPECT_EQ(empty.lines(), (Lines{"\n", "Integer Queue", "-------------", "    \nQueue has 0 rows (empty).\n"}))
        << "no trailing newline text after an empty queue";

    Rk_IntTableFree(&queue.table);  // the queue's mark still says allocated
    ListReport unreadable;
    ASSERT_EQ(Rk_IntQueueDebugRpt(&queue, unreadable.get()), 0);
    EXPECT_EQ(unreadable.lines(), (Lines{"\n", "Integer Queue", "-------------", "    Queue not initialized"}));
    EXPECT_NO_ERROR() << "the state is described, not reported as a failure";
    Rk_IntQueueFree(&queue);

    const struct {
        int (*dump)(const Rk_QueueStruct*, Rk_ReportStruct*);
        const char* title;
    } members[] = {{Rk_IntQueueDebugRpt, "Integer Queue"},
                   {Rk_LongQueueDebugRpt, "Long Integer Queue"},
                   {Rk_DblQueueDebugRpt, "Double-Precision Queue"},
                   {Rk_StrQueueDebugRpt, "String Queue"}};
    for (const auto& member : members) {
        Rk_QueueStruct never{};
        never.allocated = 2;  // only a mark of exactly 1 counts as allocated
        ListReport report;
        EXPECT_EQ(member.dump(&never, report.get()), 0) << member.title;
        EXPECT_EQ(report.lines(), (Lines{"\n", member.title, Underline(member.title),
                                         "    \nQueue was not initialized/allocated.\n"}));
    }
}

TEST_F(QueueDump, DebugPrintsTheNewlineTextsAsExtraLineEnds)
{
    Rk_IntQueue queue;
    ASSERT_EQ(Rk_IntQueueInit(&queue), 0);
    Rk_IntQueueAdd(&queue, 5);
    int status = -1;
    const std::string printed = ConsoleOf([&] { status = Rk_IntQueueDebug(&queue); });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(printed, "\n"
                       "\n\n"
                       "Integer Queue\n"
                       "-------------\n"
                       "    \nQueue has 1 rows.\n\n"
                       "    Front  5\n"
                       "    \n\n");
    Rk_IntQueueFree(&queue);
}

}  // namespace
