#pragma once

#include "base/LocatedError.h"
#include "export/DayCoding.h"
#include "export/ExportTables.h"
#include "export/TimetableExport.h"
#include "export/TimetableLines.h"

#include <cstdint>
#include <string_view>

namespace tts::exporting {

// Where the rows of SOLUC go once read and looked up: the export writes a line for each, the
// folder check writes nothing and keeps only what the loop found.
class RowSink {
public:
    virtual ~RowSink() = default;
    // A row the export cannot write: its DIA is no number, or a value would break the file (a
    // CR, LF or Ctrl-Z). The export stops on it; the check notes it and goes on.
    virtual void badRow(const LocatedError& error) { throw error; }
    // A value that goes into the line with another control byte, as it stands.
    virtual void controlByte(const ValueLocation& where, char byte) {
        (void)where;
        (void)byte;
    }
    // A row with a day, `rowNumber` from 1, as its data line, without CR LF; the view is valid
    // during the call.
    virtual void row(int64_t rowNumber, std::string_view line) = 0;
    // Now and then during a long loop: after every kRowsPerKeepAlive rows.
    virtual void keepAlive() {}
};

inline constexpr int64_t kRowsPerKeepAlive = 256;

// Every SOLUC row in stored order: its day read (a row without one is skipped), its codes looked
// up in the tables, each code they do not know tallied into the report's fallbacks and each value
// too long for its field into its long values, then the row's data line handed to `sink`. What a
// field gives, down to its bytes in the line, is worked out the first time its stored bytes
// appear and remembered after that, so a row costs a few hashes of a few bytes each and a few
// copies.
void exportRows(ExportTables& tables, DayCoding coding, ExportReport& report, RowSink& sink);

} // namespace tts::exporting
