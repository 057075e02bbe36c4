#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/SlotMinutes.h"
#include "import/StartTimeRanking.h"
#include "tables/WorkTable.h"

#include "base/LocatedError.h"

#include <string>
#include <string_view>
#include <vector>

namespace tts::import {

using tables::WorkTable;

// The week's time slots into DIASHORAST: one row per slot, then, once the whole file is read,
// HORA numbers the distinct start times of all days together and DIHO is DIA followed by HORA.
void TransformaSesiones(ImportContext& context) {
    using layout::Sessions;
    const StepDefinition step{Sessions::file, "No existe archivo de grupos (SICE_SESIONES.TXT)",
                              Sessions::reading, schema::Slots::table};
    StartTimeRanking startTimes;

    // Each slot line is checked as it is read, and its row appended once every start time is
    // known, with its slot number: one write of each row instead of a row appended, then read
    // back and rewritten. A failure drops the new table all the same. The lines of a file read
    // whole are views into its bytes, which last until the step ends.
    static_assert(Sessions::reading == FileReading::Whole);
    struct Slot {
        std::string_view line;
        int64_t minutes;
    };
    std::vector<Slot> slotLines;

    const auto slots = [&](StepTarget& target) -> LineRule {
        const std::string& path = target.filePath;
        return [&](std::string_view line, int64_t lineNumber) {
            if (!Sessions::isData(line))
                return false;
            startTimes.add(Sessions::start.columns.in(line));
            const auto timeIn = [&](const layout::StoppingValue& time) {
                return locateErrors(
                    [&] {
                        return ValueLocation{path, lineNumber, time.columns.place()};
                    },
                    [&] { return Sessions::readTime(time.columns.in(line)); });
            };
            // In the layout's order, which `check` follows too.
            static_assert(Sessions::times[0].columns.first == Sessions::end.columns.first);
            const int32_t endTime = timeIn(Sessions::end);
            const int32_t startTime = timeIn(Sessions::start);
            slotLines.push_back({line, slotMinutes(startTime, endTime)});
            return true;
        };
    };

    const auto appendSlots = [&](StepTarget& target) {
        WorkTable& table = target.table;
        using Table = schema::Slots;
        const tables::ColumnHandle dia = table.column(Table::dia), hora = table.column(Table::hora),
                                   codDiho = table.column(Table::codDiho),
                                   horaDesde = table.column(Table::horaDesde),
                                   horaHasta = table.column(Table::horaHasta),
                                   minutos = table.column(Table::minutos),
                                   diho = table.column(Table::diho);
        std::string slot, dayAndSlot;
        for (const Slot& each : slotLines) {
            const std::string_view line = each.line;
            table.append();
            table.writeText(dia, Sessions::day.in(line));
            table.writeText(codDiho, Sessions::slot.in(line));
            table.writeText(horaDesde, Sessions::start.columns.in(line));
            table.writeText(horaHasta, Sessions::end.columns.in(line));
            table.writeText(minutos, std::to_string(each.minutes));
            // Numbered and joined as the row stores its start time and day.
            slot = std::to_string(startTimes.slotNumber(table.readTextView(horaDesde)));
            table.writeText(hora, slot);
            dayAndSlot.assign(table.readTextView(dia)).append(slot);
            table.writeText(diho, dayAndSlot);
            table.post();
        }
    };

    runStep(context, step, slots, appendSlots);
}

} // namespace tts::import
