// Dumps of tables, lists, queues and stacks: the whole text of a table, the lines that show how each
// other member lists its values, and the failures.
#include "rk_test.hpp"

namespace {

using rktest::Dumped;
using rktest::DumpOf;
using rktest::Lines;
using ContainerDump = rktest::LibraryTest;

// The lines of the dump of `record` from line `from` on.
template <class Record>
Lines From(int (*dump)(const Record*, Rk_ReportStruct*), const Record* record, std::size_t from)
{
    const Lines lines = DumpOf(dump, record).lines;
    return Lines(lines.begin() + static_cast<long>(std::min(from, lines.size())), lines.end());
}

// The title and underline at the report's indent, the contents 4 further. A cell takes 7 places for an
// int or long, 12 for a double, 15 for a text (a longer one: 11 characters and "...") or what it needs.
TEST_F(ContainerDump, ATableShowsItsSizeItsSortingAndARowPerLine)
{
    Rk_TableStruct ints, longs, doubles, texts;
    EXPECT_EQ(Rk_IntTableInit(&ints, 2) || Rk_LongTableInit(&longs, 2) || Rk_DblTableInit(&doubles, 1), 0);
    EXPECT_EQ(Rk_StrTableInit(&texts, 2), 0);
    for (const auto& row : {std::vector<int>{300, 4}, {1, -20}}) Rk_IntTableAddRow(&ints, row.data());
    Rk_LongTableAddRow(&longs, std::vector<long>{1234567890L, -5L}.data());
    const double pi = 3.14159;
    Rk_DblTableAddRow(&doubles, &pi);
    Rk_StrTableAddRow(&texts, const_cast<char**>(std::vector<const char*>{"abcdefghijklmn", "abcdefghijklmno"}.data()));
    const int key = 1;
    Rk_IntTableSort(&ints, 1, &key);
    EXPECT_EQ(DumpOf(Rk_IntTableDebugRpt, &ints, 3),
              (Dumped{0, {"   Int Integer Table", "   -----------------", "        Table has 2 columns",
                          "        Table has 2 rows ( 25 allocated)", "        Table is sorted on column 1",
                          "             1    -20", "           300      4"}}));
    EXPECT_EQ(From(Rk_LongTableDebugRpt, &longs, 5), Lines{"    1234567890     -5"});
    EXPECT_EQ(From(Rk_DblTableDebugRpt, &doubles, 5), Lines{"           3.142"});
    EXPECT_EQ(From(Rk_StrTableDebugRpt, &texts, 5), Lines{"     abcdefghijklmn abcdefghijk..."});
    EXPECT_EQ(Rk_IntTableFree(&ints) || Rk_LongTableFree(&longs) || Rk_DblTableFree(&doubles) ||
              Rk_StrTableFree(&texts), 0);
    Rk_TableStruct never{};
    never.type = 8;
    EXPECT_EQ(DumpOf(Rk_PtrTableDebugRpt, &never),
              (Dumped{0, {"Pointer Table", "-------------", "    Table not initialized"}}));
    int status = 0;
    longs.type = 3;  // a table record of another member: refused before anything is written but the empty line
    EXPECT_EQ(rktest::ConsoleOf([&] { status = Rk_IntTableDebug(&longs); }), "\n");
    EXPECT_FAILS(status, 1, "rk_inttb(");
}

// A stack shows its values from the top down, a queue from the front, neither taking anything out. A
// line longer than the scratch text's own room needs the heap: without it the dump fails with error 11
// in the list's own module, not its table's.
TEST_F(ContainerDump, ListsStacksAndQueuesShowTheirValuesInTheirOrder)
{
    Rk_ListStruct ints, pointers, texts;
    Rk_StackStruct stack;
    Rk_QueueStruct queue, doubles;
    EXPECT_EQ(Rk_IntListInit(&ints, 0) || Rk_PtrListInit(&pointers, 1) || Rk_StrListInit(&texts, 1) ||
              Rk_LongStackInit(&stack) || Rk_IntQueueInit(&queue) || Rk_DblQueueInit(&doubles), 0);
    Rk_StrListAdd(&texts, std::string(300, 'q').c_str());
    for (int v : {3, -1, 3}) Rk_IntListAdd(&ints, v), Rk_PtrListAdd(&pointers, &ints), Rk_IntQueueAdd(&queue, v + 4);
    for (long v : {7L, -8L, 9L}) Rk_LongStackPush(&stack, v);
    Rk_DblQueueAdd(&doubles, -12.25);
    EXPECT_EQ(From(Rk_IntListDebugRpt, &ints, 4), (Lines{"        3", "        -1"}));
    EXPECT_EQ(DumpOf(Rk_PtrListDebugRpt, &pointers).lines.at(2), "    List contains 3 pointer(s)");
    EXPECT_EQ(From(Rk_LongStackDebugRpt, &stack, 3), (Lines{"    Top     9", "            -8", "    Bottom  7"}));
    EXPECT_EQ(From(Rk_IntQueueDebugRpt, &queue, 4), (Lines{"    Front  7", "           3", "    End    7", "    \n"}));
    EXPECT_EQ(From(Rk_DblQueueDebugRpt, &doubles, 4), (Lines{"    Front   -12.25000", "    \n"}));
    EXPECT_EQ(std::make_pair(stack.table.num_rows, queue.table.num_rows), std::make_pair(3, 3));
    EXPECT_EQ(Rk_IntTableFree(&ints.table), 0);  // its mark still says allocated
    EXPECT_EQ(DumpOf(Rk_IntListDebugRpt, &ints, 2), (Dumped{1, {"  Integer List", "  ------------"}}));
    EXPECT_ERROR(1, "rk_inttb(");
    EXPECT_EQ(From(Rk_StrListDebugRpt, &texts, 4), Lines{"        " + std::string(300, 'q')}) << "the heap's room";
    const auto starved = rktest::ConsoleWithoutMemory([&](auto* r) { return Rk_StrListDebugRpt(&texts, r); });
    EXPECT_FAILS(starved.second, 11, "rk_strls(");
    EXPECT_EQ(starved.first,
              rktest::Printed({"String List", "    List contains 1 value(s)", "    Duplicates allowed in list"}));
    EXPECT_EQ(Rk_IntListFree(&ints) || Rk_PtrListFree(&pointers) || Rk_LongStackFree(&stack) ||
              Rk_IntQueueFree(&queue) || Rk_DblQueueFree(&doubles) || Rk_StrListFree(&texts), 0);
}

}  // namespace
