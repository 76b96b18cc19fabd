// Containers against the same work done on a std::vector in the same run: appending rows,
// finding by scan and by bisection, the exchange sort on one and on three keys, string list Add
// with and without the duplicate check, and draining a queue from the front.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "bench_pairs.hpp"
#include "rk_basekit.h"

namespace {

constexpr int kRows = 10000;
constexpr int kSortRows = 2000;
constexpr int kListTexts = 2000;

std::vector<int> RandomInts(int n, int range, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<int> values(static_cast<std::size_t>(n));
    for (int& v : values) v = static_cast<int>(rng() % static_cast<unsigned>(range));
    return values;
}

std::vector<std::string> Texts(int n)
{
    std::vector<std::string> texts;
    for (int i = 0; i < n; ++i) texts.push_back("setting_" + std::to_string(i * 7919 % n));
    return texts;
}

// ---- AddRow of 10,000 rows

void TableAddRow(benchmark::State& state)
{
    const int ncols = static_cast<int>(state.range(0));
    std::vector<int> row(static_cast<std::size_t>(ncols), 7);
    for (auto _ : state) {
        Rk_IntTable t;
        Rk_IntTableInit(&t, ncols);
        for (int r = 0; r < kRows; ++r) {
            row[0] = r;
            Rk_IntTableAddRow(&t, row.data());
        }
        benchmark::DoNotOptimize(t.table.itable);
        Rk_IntTableFree(&t);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(TableAddRow)->Arg(1)->Arg(3);

// The peer of AddRow: one row of values appended, one value to each column, out of line as the
// library's function is behind its C interface.
RK_NOINLINE void AppendRow(std::vector<std::vector<int>>& columns, const int* row)
{
    for (std::size_t c = 0; c < columns.size(); ++c) columns[c].push_back(row[c]);
}

void VectorPushBack(benchmark::State& state)
{
    const int ncols = static_cast<int>(state.range(0));
    std::vector<int> row(static_cast<std::size_t>(ncols), 7);
    for (auto _ : state) {
        std::vector<std::vector<int>> columns(static_cast<std::size_t>(ncols));
        for (int r = 0; r < kRows; ++r) {
            row[0] = r;
            AppendRow(columns, row.data());
        }
        benchmark::DoNotOptimize(columns.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(VectorPushBack)->Arg(1)->Arg(3);

void StrTableAddRow(benchmark::State& state)
{
    const std::vector<std::string> texts = Texts(kRows);
    for (auto _ : state) {
        Rk_StrTable t;
        Rk_StrTableInit(&t, 1);
        for (const std::string& text : texts) {
            char* row[] = {const_cast<char*>(text.c_str())};
            Rk_StrTableAddRow(&t, row);
        }
        Rk_StrTableFree(&t);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(StrTableAddRow);

void VectorOfStringsPushBack(benchmark::State& state)
{
    const std::vector<std::string> texts = Texts(kRows);
    for (auto _ : state) {
        std::vector<std::string> copies;
        for (const std::string& text : texts) copies.push_back(text);
        benchmark::DoNotOptimize(copies.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(VectorOfStringsPushBack);

// ---- Find by scan and by bisection on 10,000 rows (one search per item)

struct SearchData {
    std::vector<int> sorted = [] {
        std::vector<int> v = RandomInts(kRows, 4 * kRows, 5);
        std::sort(v.begin(), v.end());
        return v;
    }();
    std::vector<int> probes = RandomInts(1000, 4 * kRows, 9);
};

void TableFind(benchmark::State& state)
{
    const bool bisect = state.range(0) != 0;
    SearchData data;
    Rk_IntTable t;
    Rk_IntTableInit(&t, 1);
    for (int v : data.sorted) Rk_IntTableAddRow(&t, &v);
    const int key = 0;
    if (bisect) Rk_IntTableSort(&t, 1, &key);
    for (auto _ : state)
        for (int probe : data.probes) {
            int found = 0;
            Rk_IntTableFind(&t, 0, probe, &found);
            benchmark::DoNotOptimize(found);
        }
    Rk_IntTableFree(&t);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(data.probes.size()));
    state.SetLabel(bisect ? "bisection" : "scan");
}
BENCHMARK(TableFind)->Arg(0)->Arg(1);

void VectorFind(benchmark::State& state)
{
    const bool bisect = state.range(0) != 0;
    SearchData data;
    for (auto _ : state)
        for (int probe : data.probes) {
            const auto begin = data.sorted.begin(), end = data.sorted.end();
            const bool found = bisect ? std::binary_search(begin, end, probe) : std::find(begin, end, probe) != end;
            benchmark::DoNotOptimize(found);
        }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(data.probes.size()));
    state.SetLabel(bisect ? "std::binary_search" : "std::find");
}
BENCHMARK(VectorFind)->Arg(0)->Arg(1);

// ---- Sort of 2,000 rows of three columns, on one key and on three keys

using Row3 = std::array<int, 3>;

std::vector<Row3> SortRows()
{
    const std::vector<int> a = RandomInts(kSortRows, 50, 1), b = RandomInts(kSortRows, 50, 2),
                           c = RandomInts(kSortRows, 50, 3);
    std::vector<Row3> rows;
    for (std::size_t i = 0; i < a.size(); ++i) rows.push_back({a[i], b[i], c[i]});
    return rows;
}

void TableSort(benchmark::State& state)
{
    const int n_keys = static_cast<int>(state.range(0));
    const int keys[] = {0, 1, 2};
    const std::vector<Row3> rows = SortRows();
    Rk_IntTable t;
    Rk_IntTableInit(&t, 3);
    for (const Row3& row : rows) Rk_IntTableAddRow(&t, row.data());
    for (auto _ : state) {
        state.PauseTiming();
        for (int r = 0; r < kSortRows; ++r) Rk_IntTableSetRow(&t, r, rows[static_cast<std::size_t>(r)].data());
        state.ResumeTiming();
        Rk_IntTableSort(&t, n_keys, keys);
    }
    Rk_IntTableFree(&t);
    state.SetLabel(std::to_string(n_keys) + " key(s)");
}
BENCHMARK(TableSort)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

// Runs `sort_rows(rows, n_keys)` on a fresh copy of the rows in every iteration.
template <class SortRows3>
void SortVector(benchmark::State& state, SortRows3 sort_rows)
{
    const int n_keys = static_cast<int>(state.range(0));
    const std::vector<Row3> original = SortRows();
    std::vector<Row3> rows;
    for (auto _ : state) {
        state.PauseTiming();
        rows = original;
        state.ResumeTiming();
        sort_rows(rows, n_keys);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetLabel(std::to_string(n_keys) + " key(s)");
}

// The same exchange procedure on a vector of rows.
void VectorExchangeSort(benchmark::State& state)
{
    SortVector(state, [](std::vector<Row3>& rows, int n_keys) {
        for (std::size_t i = 0; i + 1 < rows.size(); ++i)
            for (std::size_t j = i + 1; j < rows.size(); ++j)
                for (std::size_t k = 0; k < static_cast<std::size_t>(n_keys); ++k) {
                    if (rows[i][k] == rows[j][k]) continue;
                    if (rows[i][k] > rows[j][k]) std::swap(rows[i], rows[j]);
                    break;
                }
    });
}
BENCHMARK(VectorExchangeSort)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

// std::sort, for scale: what the same ordering costs without the exchange procedure.
void VectorStdSort(benchmark::State& state)
{
    SortVector(state, [](std::vector<Row3>& rows, int n_keys) {
        std::sort(rows.begin(), rows.end(), [n_keys](const Row3& x, const Row3& y) {
            return std::lexicographical_compare(x.begin(), x.begin() + n_keys, y.begin(), y.begin() + n_keys);
        });
    });
}
BENCHMARK(VectorStdSort)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

// ---- String list Add of 2,000 texts, duplicates allowed (plain append) or refused (a scan each)

void StrListAdd(benchmark::State& state)
{
    const int allow_dups = static_cast<int>(state.range(0));
    const std::vector<std::string> texts = Texts(kListTexts);
    for (auto _ : state) {
        Rk_StrList list;
        Rk_StrListInit(&list, allow_dups);
        for (const std::string& text : texts) Rk_StrListAdd(&list, text.c_str());
        Rk_StrListFree(&list);
    }
    state.SetItemsProcessed(state.iterations() * kListTexts);
    state.SetLabel(allow_dups ? "duplicates allowed" : "duplicates refused");
}
BENCHMARK(StrListAdd)->Arg(1)->Arg(0);

void VectorOfStringsAdd(benchmark::State& state)
{
    const bool allow_dups = state.range(0) != 0;
    const std::vector<std::string> texts = Texts(kListTexts);
    for (auto _ : state) {
        std::vector<std::string> list;
        for (const std::string& text : texts)
            if (allow_dups || std::find(list.begin(), list.end(), text) == list.end()) list.push_back(text);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * kListTexts);
    state.SetLabel(allow_dups ? "push_back" : "std::find, then push_back");
}
BENCHMARK(VectorOfStringsAdd)->Arg(1)->Arg(0);

// ---- Draining a queue of 10,000 values from the front

void IntQueueDrain(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Rk_IntQueue queue;
        Rk_IntQueueInit(&queue);
        for (int i = 0; i < kRows; ++i) Rk_IntQueueAdd(&queue, i);
        state.ResumeTiming();
        int value = 0, found = 1;
        while (found) Rk_IntQueueGet(&queue, &value, &found);
        benchmark::DoNotOptimize(value);
        state.PauseTiming();
        Rk_IntQueueFree(&queue);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(IntQueueDrain);

void VectorEraseFront(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<int> queue(kRows);
        for (int i = 0; i < kRows; ++i) queue[static_cast<std::size_t>(i)] = i;
        state.ResumeTiming();
        int value = 0;
        while (!queue.empty()) {
            value = queue.front();
            queue.erase(queue.begin());
        }
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(VectorEraseFront);

}  // namespace
