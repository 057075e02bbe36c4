#pragma once

#include "import/ImportContext.h"
#include "sice/SiceLayouts.h"
#include "tables/WorkTable.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tts::import {

// Each file's layout lives with the record files, each table's with the tables; the steps read
// and write through them.
namespace layout = sice::layout;
namespace schema = tables::schema;
using sice::FileReading;

// What a step states about itself; its rules live in its own file.
struct StepDefinition {
    const char* file;           // its required SICE file, as named in the folder
    const char* missingMessage; // its notice when that file is missing
    FileReading reading;
    const tables::TableSchema& table; // the work table it rebuilds
};

// What a step does with one line of its file (`lineNumber` from 1); true when it wrote a row.
// The line is a view into the file's bytes, valid during the call.
using LineRule = std::function<bool(std::string_view line, int64_t lineNumber)>;

// What a step works on once its file is read and its table created.
struct StepTarget {
    tables::WorkTable& table;
    TableReport& report;
    const std::string& filePath; // the step's SICE file as found, for the place of a bad value
};

// Called once the new table exists: the step finds its columns and gives its line rule.
using StepStart = std::function<LineRule(StepTarget& target)>;

// Called after the last line, for the passes over the whole table.
using StepFinish = std::function<void(StepTarget& target)>;

// The part every step shares: finds the step's file, or shows its notice, sets the result to -1
// and returns false with the table as it was; else reads the file, creates the table afresh,
// hands it every line, runs `finish`, closes both and records the table's report.
bool runStep(ImportContext& context, const StepDefinition& step, const StepStart& start,
             const StepFinish& finish = {});

// Every line of the optional SICE file `name` through `rule`, line by line; nothing when it is
// missing. Counts the rows written into `report`.
void addOptionalFile(ImportContext& context, const char* name, const LineRule& rule,
                     TableReport& report);

} // namespace tts::import
