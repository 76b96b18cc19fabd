// Dumps of tables, lists, queues and stacks: one whole text per family, then the lines that carry
// each member's value format, the texts of containers never set up, and the failures.
#include <cstring>
#include <functional>

#include "rk_test.hpp"

namespace {

using rktest::ConsoleOf;
using rktest::DumpOf;
using rktest::Lines;
using rktest::Printed;
using Dump = std::function<int(Rk_ReportStruct*)>;
using ContainerDump = rktest::LibraryTest;

// The lines of a dump from its third on (after the title and its underline).
Lines Body(const Dump& dump, std::size_t from = 2)
{
    const Lines lines = DumpOf(dump).lines;
    return Lines(lines.begin() + std::min(from, lines.size()), lines.end());
}

Lines Titled(const std::string& title, const std::string& line)
{
    return {title, std::string(title.size(), '-'), line};
}

// The title and underline at the report's indent, the contents 4 further, a row per line; a Debug
// prints the same after an empty line. Cells take a width unless a value needs more: 7 for int and
// long, 12 with 3 decimals for double, 15 for a text, which from 15 characters on shows as a blank,
// 11 characters and "..."; pointers are counted, never shown.
TEST_F(ContainerDump, ATableShowsItsSizeItsSortingAndARowPerLine)
{
    Rk_TableStruct ints, longs, doubles, texts, pointers;
    Rk_IntTableInit(&ints, 2), Rk_LongTableInit(&longs, 2), Rk_DblTableInit(&doubles, 1);
    Rk_StrTableInit(&texts, 2), Rk_PtrTableInit(&pointers, 1);
    for (const auto& row : {std::vector<int>{300, 4}, {1, -20}}) Rk_IntTableAddRow(&ints, row.data());
    const long long_row[] = {1234567890L, -5L};
    Rk_LongTableAddRow(&longs, long_row);
    for (double v : {3.14159, -0.5, 1e10}) Rk_DblTableAddRow(&doubles, &v);
    for (auto row :
         {std::vector<const char*>{"abc", "abcdefghijklmn"}, {"abcdefghijklmno", "a much longer text"}, {"", "x"}})
        Rk_StrTableAddRow(&texts, const_cast<char**>(row.data()));
    Rk_PtrTableAddRow(&pointers, std::vector<void*>{&ints}.data());
    const int key = 1;
    Rk_IntTableSort(&ints, 1, &key);
    const Dump dump = [&](Rk_ReportStruct* r) { return Rk_IntTableDebugRpt(&ints, r); };
    const auto dumped = DumpOf(dump, 3);
    EXPECT_EQ(dumped.lines, (Lines{"   Int Integer Table", "   -----------------", "        Table has 2 columns",
                                   "        Table has 2 rows ( 25 allocated)", "        Table is sorted on column 1",
                                   "             1    -20", "           300      4"}));
    EXPECT_TRUE(dumped.status == 0 && dumped.indent_kept);
    int status = -1;
    EXPECT_EQ(ConsoleOf([&] { status = Rk_IntTableDebug(&ints); }), Printed(Lines{""}) + Printed(DumpOf(dump).lines));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_LongTableDebugRpt(&longs, r); }, 5),
              Lines{"    1234567890     -5"});
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_DblTableDebugRpt(&doubles, r); }, 5),
              (Lines{"           3.142", "          -0.500", "    10000000000.000"}));
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_StrTableDebugRpt(&texts, r); }, 5),
              (Lines{"                abc abcdefghijklmn", "     abcdefghijk... a much long...",
                     "                                 x"}));
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_PtrTableDebugRpt(&pointers, r); }, 4),
              Lines{"     Table is not sorted"});
    Rk_IntTableFree(&ints), Rk_LongTableFree(&longs), Rk_DblTableFree(&doubles), Rk_StrTableFree(&texts);
    Rk_PtrTableFree(&pointers);
}

// A table never initialised (or freed) says so; a record of another member is refused (error 1 of
// the member) before anything is written, and its Debug fails after the empty line.
TEST_F(ContainerDump, ATableNotSetUpIsDescribedAndAnotherMembersRecordRefused)
{
    const struct {
        int code;
        int (*dump)(const Rk_TableStruct*, Rk_ReportStruct*);
        int (*debug)(const Rk_TableStruct*);
        const char *title, *loc;
    } members[] = {{5, Rk_IntTableDebugRpt, Rk_IntTableDebug, "Int Integer Table", "rk_inttb("},
                   {3, Rk_LongTableDebugRpt, Rk_LongTableDebug, "Long Integer Table", "rk_lngtb("},
                   {1, Rk_DblTableDebugRpt, Rk_DblTableDebug, "Double Precision Table", "rk_dbltb("},
                   {8, Rk_PtrTableDebugRpt, Rk_PtrTableDebug, "Pointer Table", "rk_ptrtb("},
                   {2, Rk_StrTableDebugRpt, Rk_StrTableDebug, "String Table", "rk_strtb("}};
    for (const auto& m : members) {
        SCOPED_TRACE(m.title);
        Rk_TableStruct never{};
        never.type = m.code;
        const auto dumped = DumpOf([&](Rk_ReportStruct* r) { return m.dump(&never, r); }, 2);
        EXPECT_EQ(dumped.lines, (Lines{std::string("  ") + m.title, "  " + std::string(std::strlen(m.title), '-'),
                                       "      Table not initialized"}));
        EXPECT_TRUE(dumped.status == 0 && dumped.indent_kept);
        never.type = m.code == 5 ? 3 : 5;
        EXPECT_EQ(DumpOf([&](Rk_ReportStruct* r) { return m.dump(&never, r); }).lines, Lines{});
        EXPECT_ERROR(1, m.loc);
        int status = 0;
        EXPECT_EQ(ConsoleOf([&] { status = m.debug(&never); }), "\n");
        EXPECT_FAILS(status, 1, m.loc);
    }
    Rk_IntTable freed;
    Rk_IntTableInit(&freed, 3);
    Rk_IntTableFree(&freed);
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_IntTableDebugRpt(&freed, r); }),
              Lines{"    Table not initialized"});
}

// A line longer than the scratch text's own room needs the heap: with it the line is written whole,
// without it the dump fails with error 11 in the family's module (a list's own, not its table's)
// after the lines before, its indent restored.
TEST_F(ContainerDump, ALineThatCannotBeHeldFailsWithErrorElevenInTheFamilysModule)
{
    Rk_IntTable table;
    Rk_StrList list;
    Rk_IntTableInit(&table, 40), Rk_StrListInit(&list, 1);
    Rk_IntTableAddRow(&table, std::vector<int>(40, 9).data());
    Rk_StrListAdd(&list, std::string(300, 'q').c_str());
    std::string wide;
    for (int i = 0; i < 40; ++i) wide += "      9";
    const Dump table_dump = [&](Rk_ReportStruct* r) { return Rk_IntTableDebugRpt(&table, r); };
    const Dump list_dump = [&](Rk_ReportStruct* r) { return Rk_StrListDebugRpt(&list, r); };
    EXPECT_EQ(Body(table_dump, 5), Lines{"    " + wide});
    EXPECT_EQ(Body(list_dump, 4), Lines{"        " + std::string(300, 'q')});
    const auto starved_table = rktest::ConsoleWithoutMemory(table_dump);
    EXPECT_FAILS(starved_table.second, 11, "rk_inttb(");
    EXPECT_EQ(starved_table.first, Printed({"Int Integer Table", "     Table has 40 columns",
                                           "     Table has 1 rows ( 25 allocated)", "     Table is not sorted"}))
        << "the title's underline needs memory too";
    const auto starved_list = rktest::ConsoleWithoutMemory(list_dump);
    EXPECT_FAILS(starved_list.second, 11, "rk_strls(");
    EXPECT_EQ(starved_list.first,
              Printed({"String List", "    List contains 1 value(s)", "    Duplicates allowed in list"}));
    Rk_IntTableFree(&table);
    Rk_StrListFree(&list);
}

// A list shows its size, its duplicate rule and its values in order (texts whole, pointers not at
// all); a list not allocated says so; one whose table cannot be read ends after its title.
TEST_F(ContainerDump, AListShowsItsSizeItsRuleAndItsValues)
{
    Rk_ListStruct ints, longs, texts, pointers, never{};
    Rk_IntListInit(&ints, 0), Rk_LongListInit(&longs, 1), Rk_StrListInit(&texts, 1), Rk_PtrListInit(&pointers, 1);
    for (int v : {3, -1, 3}) Rk_IntListAdd(&ints, v), Rk_LongListAdd(&longs, v), Rk_PtrListAdd(&pointers, &ints);
    Rk_StrListAdd(&texts, "a text of more than fifteen characters");
    const auto dumped = DumpOf([&](Rk_ReportStruct* r) { return Rk_IntListDebugRpt(&ints, r); }, 1);
    EXPECT_EQ(dumped.lines, (Lines{" Integer List", " ------------", "     List contains 2 value(s)",
                                   "     Duplicates not allowed in list", "         3", "         -1"}));
    EXPECT_TRUE(dumped.status == 0 && dumped.indent_kept);
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_LongListDebugRpt(&longs, r); }),
              (Lines{"    List contains 3 value(s)", "    Duplicates allowed in list", "        3", "        -1",
                     "        3"}));
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_StrListDebugRpt(&texts, r); }, 4),
              Lines{"        a text of more than fifteen characters"});
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_PtrListDebugRpt(&pointers, r); }),
              (Lines{"    List contains 3 pointer(s)", "    Duplicates allowed in list"}));
    for (auto [dump, title] : {std::pair{&Rk_IntListDebugRpt, "Integer List"},
                               {&Rk_LongListDebugRpt, "Long Integer List"},
                               {&Rk_PtrListDebugRpt, "Pointer List"},
                               {&Rk_StrListDebugRpt, "String List"}})
        EXPECT_EQ(DumpOf(std::bind(dump, &never, std::placeholders::_1)).lines,
                  Titled(title, "    List not allocated"));
    Rk_IntTableFree(&ints.table);  // the list's mark still says allocated
    const auto unreadable = DumpOf([&](Rk_ReportStruct* r) { return Rk_IntListDebugRpt(&ints, r); }, 2);
    EXPECT_FAILS(unreadable.status, 1, "rk_inttb(");
    EXPECT_EQ(unreadable.lines, (Lines{"  Integer List", "  ------------"}));
    EXPECT_TRUE(unreadable.indent_kept);
    Rk_IntListFree(&ints), Rk_LongListFree(&longs), Rk_StrListFree(&texts), Rk_PtrListFree(&pointers);
}

// A stack shows its values from the top down (one value is the top), a queue from the front between
// newline texts; neither takes anything out. An empty queue ends after its count; one whose table
// cannot be read is described, not failed; only a mark of exactly 1 counts as allocated.
TEST_F(ContainerDump, AStackShowsItsTopFirstAndAQueueItsFront)
{
    Rk_StackStruct longs, texts, never_stack{};
    Rk_QueueStruct ints, doubles, big, words, never{};
    Rk_LongStackInit(&longs), Rk_StrStackInit(&texts), Rk_IntQueueInit(&ints), Rk_DblQueueInit(&doubles);
    Rk_LongQueueInit(&big), Rk_StrQueueInit(&words);
    const Dump long_stack = [&](Rk_ReportStruct* r) { return Rk_LongStackDebugRpt(&longs, r); };
    Rk_LongStackPush(&longs, 7);
    EXPECT_EQ(Body(long_stack), (Lines{"    Stack contains 1 value(s)", "    Top     7"}));
    for (long v : {-8L, 9L}) Rk_LongStackPush(&longs, v);
    EXPECT_EQ(DumpOf(long_stack).lines, (Lines{"Long Stack", "----------", "    Stack contains 3 value(s)",
                                               "    Top     9", "            -8", "    Bottom  7"}));
    for (const char* s : {"first", "second"}) Rk_StrStackPush(&texts, s), Rk_StrQueueAdd(&words, s);
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_StrStackDebugRpt(&texts, r); }, 3),
              (Lines{"    Top     second", "    Bottom  first"}));
    const Dump int_queue = [&](Rk_ReportStruct* r) { return Rk_IntQueueDebugRpt(&ints, r); };
    EXPECT_EQ(DumpOf(int_queue).lines,
              (Lines{"\n", "Integer Queue", "-------------", "    \nQueue has 0 rows (empty).\n"}));
    for (int v : {5, 6, 7}) Rk_IntQueueAdd(&ints, v);
    const auto dumped = DumpOf(int_queue, 2);
    EXPECT_EQ(dumped.lines, (Lines{"  \n", "  Integer Queue", "  -------------", "      \nQueue has 3 rows.\n",
                                   "      Front  5", "             6", "      End    7", "      \n"}));
    EXPECT_TRUE(dumped.status == 0 && dumped.indent_kept);
    for (double v : {1.5, -12.25}) Rk_DblQueueAdd(&doubles, v);
    Rk_LongQueueAdd(&big, 123456789012L);
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_DblQueueDebugRpt(&doubles, r); }, 4),
              (Lines{"    Front     1.50000", "    End     -12.25000", "    \n"}));
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_LongQueueDebugRpt(&big, r); }, 4),
              (Lines{"    Front  123456789012", "    \n"}));
    EXPECT_EQ(Body([&](Rk_ReportStruct* r) { return Rk_StrQueueDebugRpt(&words, r); }, 4),
              (Lines{"    Front  first", "    End    second", "    \n"}));
    EXPECT_EQ(std::make_tuple(longs.table.num_rows, ints.table.num_rows, words.table.num_rows),
              std::make_tuple(3, 3, 2));
    EXPECT_EQ(
        ConsoleOf([&] { Rk_LongQueueDebug(&big); }),
        "\n\n\nLong Integer Queue\n------------------\n    \nQueue has 1 rows.\n\n    Front  123456789012\n    \n\n");
    Rk_IntTableFree(&ints.table);  // the queue's mark still says allocated
    EXPECT_EQ(Body(int_queue, 3), Lines{"    Queue not initialized"});
    EXPECT_NO_ERROR();
    never.allocated = 2;
    for (auto [dump, title] : {std::pair{&Rk_IntQueueDebugRpt, "Integer Queue"},
                               {&Rk_LongQueueDebugRpt, "Long Integer Queue"},
                               {&Rk_DblQueueDebugRpt, "Double-Precision Queue"},
                               {&Rk_StrQueueDebugRpt, "String Queue"}})
        EXPECT_EQ(
            DumpOf(std::bind(dump, &never, std::placeholders::_1)).lines,
            (Lines{"\n", title, std::string(std::strlen(title), '-'), "    \nQueue was not initialized/allocated.\n"}));
    for (auto [dump, title] : {std::pair{&Rk_LongStackDebugRpt, "Long Stack"}, {&Rk_StrStackDebugRpt, "String Stack"}})
        EXPECT_EQ(DumpOf(std::bind(dump, &never_stack, std::placeholders::_1)).lines,
                  Titled(title, "    Stack not allocated"));
    Rk_LongStackFree(&longs), Rk_StrStackFree(&texts), Rk_IntQueueFree(&ints), Rk_DblQueueFree(&doubles);
    Rk_LongQueueFree(&big), Rk_StrQueueFree(&words);
}

}  // namespace
