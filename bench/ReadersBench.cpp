// Lines per second of the two ways of reading a SICE record file, on a generated file of a
// million subject-like lines (CR LF, Windows-1252 letters, the lengths vary).

#include "sice/LineReader.h"
#include "sice/WholeFileReader.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kLines = 1000000;

class GeneratedFile {
public:
    GeneratedFile() {
        path_ = folder_.file("SICE_ASIGNAT.TXT");
        std::ofstream out(path_, std::ios::binary);
        out << "0SICE_ASIGNAT.TXT                                  37999042020920240915\r\n";
        for (int i = 0; i < kLines - 2; ++i) {
            std::string line = "1M" + std::to_string(i % 1000);
            line.resize(5, ' ');
            line += "MATEMATICAS " + std::to_string(i % 4 + 1);
            line.resize(25, ' ');
            line += "Matem\xE1ticas aplicadas a las ciencias sociales, a\xF1o ";
            line += std::string(static_cast<size_t>(i % 40), 'x');
            out << line << "\r\n";
        }
        out << "9SICE_ASIGNAT.TXT                                  37999042020920240915"
            << kLines - 2 << "\r\n";
        bytes_ = static_cast<int64_t>(std::filesystem::file_size(path_));
    }

    const std::string& path() const { return path_; }
    int64_t bytes() const { return bytes_; }

private:
    tts::test::TempFolder folder_;
    std::string path_;
    int64_t bytes_ = 0;
};

const GeneratedFile& generatedFile() {
    static const GeneratedFile file;
    return file;
}

void LineByLine(benchmark::State& state) {
    const GeneratedFile& file = generatedFile();
    for (auto _ : state) {
        tts::sice::LineReader reader(file.path());
        int64_t lines = 0;
        size_t characters = 0;
        while (!reader.atEnd()) {
            characters += reader.next().size();
            ++lines;
        }
        reader.close();
        benchmark::DoNotOptimize(characters);
        if (lines != kLines)
            state.SkipWithError("wrong number of lines");
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.SetBytesProcessed(state.iterations() * file.bytes());
}
BENCHMARK(LineByLine)->Unit(benchmark::kMillisecond);

void WholeFile(benchmark::State& state) {
    const GeneratedFile& file = generatedFile();
    for (auto _ : state) {
        const tts::sice::WholeFile whole(file.path());
        tts::sice::WholeFileLines lines = whole.lines();
        int64_t count = 0;
        size_t characters = 0;
        for (std::string_view line; lines.next(line); ++count)
            characters += line.size();
        benchmark::DoNotOptimize(characters);
        if (count != kLines)
            state.SkipWithError("wrong number of lines");
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.SetBytesProcessed(state.iterations() * file.bytes());
}
BENCHMARK(WholeFile)->Unit(benchmark::kMillisecond);

} // namespace
