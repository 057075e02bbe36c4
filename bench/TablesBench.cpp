// Rows per second of the work-table layer: appending rows to a table being rebuilt (including
// its final sync and rename), walking a table with First/Next, and locating rows by code once
// the index is built and including its build.

#include "tables/WorkTable.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using tts::tables::Column;
using tts::tables::OpenMode;
using tts::tables::WorkTable;

const tts::test::TempFolder& benchFolder() {
    static const tts::test::TempFolder folder;
    return folder;
}

std::string codeOf(int64_t i) {
    return "G" + std::to_string(i);
}

void fillTable(const std::string& name, int64_t rows) {
    WorkTable table = WorkTable::createAfresh(benchFolder().path(), name,
                                              {Column::text("CASIG", 10), Column::text("CGRUP", 10),
                                               Column::text("NIVEL", 5), Column::floating("HORAS"),
                                               Column::text("SESIONES", 20)});
    for (int64_t i = 0; i < rows; ++i) {
        table.append();
        table.writeText(table.column("CASIG"), codeOf(i));
        table.writeText(table.column("CGRUP"), "1ESOA");
        table.writeText(table.column("NIVEL"), "ESO");
        table.writeFloat(table.column("HORAS"), 2.5);
        table.writeText(table.column("SESIONES"), "11\xBD");
        table.post();
    }
    table.close();
}

void Append(benchmark::State& state) {
    for (auto _ : state)
        fillTable("APPEND", state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Append)->Arg(10000)->Unit(benchmark::kMillisecond);

void Walk(benchmark::State& state) {
    fillTable("WALK", state.range(0));
    for (auto _ : state) {
        WorkTable table = WorkTable::open(benchFolder().path(), "WALK", OpenMode::ReadOnly);
        size_t characters = 0;
        for (table.first(); !table.atEnd(); table.next())
            characters += table.readText(table.column("CASIG")).size();
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Walk)->Arg(10000)->Unit(benchmark::kMillisecond);

void LocateWithIndexBuilt(benchmark::State& state) {
    const int64_t rows = state.range(0);
    fillTable("LOCATE", rows);
    WorkTable table = WorkTable::open(benchFolder().path(), "LOCATE", OpenMode::Exclusive);
    table.locate(table.column("CASIG"), codeOf(0));
    int64_t i = 0;
    for (auto _ : state) {
        bool found = table.locate(table.column("CASIG"), codeOf((i * 7919) % rows));
        benchmark::DoNotOptimize(found);
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LocateWithIndexBuilt)->Arg(10000)->Arg(100000);

void LocateIncludingIndexBuild(benchmark::State& state) {
    const int64_t rows = state.range(0);
    fillTable("BUILD", rows);
    for (auto _ : state) {
        WorkTable table = WorkTable::open(benchFolder().path(), "BUILD", OpenMode::ReadOnly);
        for (int64_t i = 0; i < rows; ++i)
            benchmark::DoNotOptimize(
                table.locate(table.column("CASIG"), codeOf((i * 7919) % rows)));
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(LocateIncludingIndexBuild)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
