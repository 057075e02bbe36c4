// Rows per second of the timetable export over generated SOLUC tables of a whole district, at
// sizes ten times apart: the time per row must stay flat (every lookup is a hash probe).

#include "export/TimetableExport.h"
#include "tables/WorkTable.h"
#include "tests/support/RecordingRunHost.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using tts::tables::Column;
using tts::tables::WorkTable;

constexpr int kGroups = 600;
constexpr int kRooms = 400;
constexpr int kSubjects = 300;
constexpr int kTeachers = 900;
constexpr int kDays = 5;
constexpr int kPeriods = 7;

std::string code(const char* prefix, int n) {
    return prefix + std::to_string(n);
}

void le16(std::string& out, int v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void le32(std::string& out, int v) {
    le16(out, v & 0xFFFF);
    le16(out, (v >> 16) & 0xFFFF);
}
std::string padded(const std::string& value, size_t width, bool right = false) {
    std::string spaces(width > value.size() ? width - value.size() : 0, ' ');
    return right ? spaces + value : value + spaces;
}

// SOLUC written straight as dBase bytes, as the host would: a million rows through the
// table layer's append would time the generator rather than the export.
void writeSoluc(const std::string& path, int rows) {
    struct Field {
        const char* name;
        char type;
        int width;
    };
    const Field fields[] = {{"DIA", 'N', 2},       {"HORA", 'N', 2},  {"PROF", 'C', 6},
                            {"CODGRUPO", 'C', 10}, {"TAREA", 'C', 6}, {"ASIG", 'C', 6},
                            {"AULA", 'C', 10},     {"SESION", 'N', 8}};
    int recordLength = 1;
    for (const Field& f : fields)
        recordLength += f.width;
    std::string bytes;
    bytes += '\x03';
    bytes += "\x7C\x09\x05";
    le32(bytes, rows);
    le16(bytes, 32 + 32 * static_cast<int>(std::size(fields)) + 1);
    le16(bytes, recordLength);
    bytes += std::string(20, '\0');
    for (const Field& f : fields) {
        std::string d(32, '\0');
        d.replace(0, std::char_traits<char>::length(f.name), f.name);
        d[11] = f.type;
        d[16] = static_cast<char>(f.width);
        bytes += d;
    }
    bytes += '\x0D';
    bytes.reserve(bytes.size() + static_cast<size_t>(rows) * recordLength + 1);
    for (int i = 0; i < rows; ++i) {
        bytes += ' ';
        bytes += padded(std::to_string(i % kDays + 1), 2, true);
        bytes += padded(std::to_string(i / kDays % kPeriods + 1), 2, true);
        bytes += padded(code("P", i % kTeachers), 6);
        // One row in fifty names a group, a room or a task the import's tables do not know.
        bytes += padded(code(i % 50 == 0 ? "X" : "G", i % kGroups), 10);
        bytes += padded(i % 50 == 1 ? "ZZZ" : code("S", i % kSubjects), 6);
        bytes += padded(code("S", i % kSubjects), 6);
        bytes += padded(code(i % 50 == 2 ? "Y" : "R", i % kRooms), 10);
        bytes += padded(std::to_string(i), 8, true);
    }
    bytes += '\x1A';
    std::ofstream(path, std::ios::binary) << bytes;
}

void addRows(WorkTable& t, int count, const std::map<std::string, std::string (*)(int)>& values) {
    for (int i = 0; i < count; ++i) {
        t.append();
        for (const auto& [column, make] : values)
            t.writeText(t.column(column), make(i));
        t.post();
    }
    t.close();
}

class District {
public:
    explicit District(int solucRows) {
        root_ = fs::temp_directory_path() / ("tts-export-bench-" + std::to_string(::getpid()) +
                                             "-" + std::to_string(solucRows));
        fs::create_directories(root_ / "sice");
        fs::create_directories(root_ / "work");
        const std::string work = (root_ / "work").string();

        auto groups = WorkTable::createAfresh(
            work, "GRUPOST", {Column::text("ABREV", 10), Column::text("ABREVCORTA", 4)});
        addRows(groups, kGroups,
                {{"ABREV", [](int i) { return code("G", i); }},
                 {"ABREVCORTA", [](int i) { return code("g", i % 1000); }}});
        auto teachers = WorkTable::createAfresh(work, "PROFT", {Column::text("ABREV", 10)});
        addRows(teachers, kTeachers, {{"ABREV", [](int i) { return code("P", i); }}});
        auto rooms = WorkTable::createAfresh(
            work, "AULAT", {Column::text("ABREV", 10), Column::text("ABREVCORTA", 4)});
        addRows(rooms, kRooms,
                {{"ABREV", [](int i) { return code("R", i); }},
                 {"ABREVCORTA", [](int i) { return code("r", i % 1000); }}});
        auto subjects = WorkTable::createAfresh(
            work, "ASIGNOMT", {Column::text("COD", 10), Column::text("CODTAREA", 10)});
        addRows(subjects, kSubjects,
                {{"COD", [](int i) { return code("S", i); }},
                 {"CODTAREA", [](int i) { return code("T", i % 100); }}});
        auto slots = WorkTable::createAfresh(
            work, "DIASHORAST",
            {Column::text("CODDIHO", 10), Column::text("DIA", 20), Column::text("HORA", 8)});
        addRows(slots, kDays * kPeriods,
                {{"CODDIHO", [](int i) { return code("C", i); }},
                 {"DIA", [](int i) { return std::string(1, "LMXJV"[i / kPeriods]); }},
                 {"HORA", [](int i) { return std::to_string(i % kPeriods + 1); }}});
        writeSoluc((root_ / "work" / "SOLUC.DBF").string(), solucRows);

        std::ofstream(root_ / "sice" / "sice_asignat.txt", std::ios::binary)
            << "0SICE_ASIGNAT.TXT" << std::string(34, ' ') << "37999042020920240915\r\n";
        std::ofstream(root_ / "sice" / "sice_sesiones.txt", std::ios::binary)
            << "0SICE_SESIONES.TXT\r\n1   C0  L08000855\r\n";
    }
    ~District() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    std::string sice() const { return (root_ / "sice").string(); }
    std::string work() const { return (root_ / "work").string(); }

private:
    fs::path root_;
};

void Export(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    District district(rows);
    tts::test::RecordingRunHost host;
    tts::exporting::ExportReport report;
    for (auto _ : state)
        tts::exporting::runExport(host, district.sice(), district.work(), &report);
    if (report.linesWritten != rows)
        state.SkipWithError("not every row was exported");
    state.SetItemsProcessed(state.iterations() * rows);
    state.counters["time_per_row"] = benchmark::Counter(
        static_cast<double>(rows),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(Export)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
