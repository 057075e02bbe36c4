#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/SlotMinutes.h"
#include "import/StartTimeRanking.h"
#include "tables/WorkTable.h"

#include "base/LocatedError.h"

namespace tts::import {

using tables::WorkTable;

// The week's time slots into DIASHORAST: one row per slot, then, once the whole file is read,
// HORA numbers the distinct start times of all days together and DIHO is DIA followed by HORA.
void TransformaSesiones(ImportContext& context) {
    using layout::Sessions;
    const StepDefinition step{Sessions::file, "No existe archivo de grupos (SICE_SESIONES.TXT)",
                              Sessions::reading, schema::Slots::table};
    StartTimeRanking startTimes;

    const auto slots = [&](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        const std::string& path = target.filePath;
        using Table = schema::Slots;
        return [&, dia = table.column(Table::dia), hora = table.column(Table::hora),
                codDiho = table.column(Table::codDiho), horaDesde = table.column(Table::horaDesde),
                horaHasta = table.column(Table::horaHasta),
                minutos = table.column(Table::minutos)](std::string_view line, int64_t lineNumber) {
            if (!Sessions::isData(line))
                return false;
            const std::string_view slotCode = Sessions::slot.in(line);
            const std::string_view day = Sessions::day.in(line);
            const std::string_view start = Sessions::start.columns.in(line);
            const std::string_view end = Sessions::end.columns.in(line);
            startTimes.add(start);
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

            table.append();
            table.writeText(dia, day);
            table.writeText(hora, start); // until the slot numbers are known
            table.writeText(codDiho, slotCode);
            table.writeText(horaDesde, start);
            table.writeText(horaHasta, end);
            table.writeText(minutos, std::to_string(slotMinutes(startTime, endTime)));
            table.post();
            return true;
        };
    };

    const auto slotNumbers = [&](StepTarget& target) {
        WorkTable& table = target.table;
        using Table = schema::Slots;
        const tables::ColumnHandle dia = table.column(Table::dia), hora = table.column(Table::hora),
                                   horaDesde = table.column(Table::horaDesde),
                                   diho = table.column(Table::diho);
        for (table.first(); !table.atEnd(); table.next()) {
            const std::string slot =
                std::to_string(startTimes.slotNumber(table.readTextView(horaDesde)));
            table.edit();
            table.writeText(hora, slot);
            table.writeText(diho, table.readText(dia) + slot);
            table.post();
        }
    };

    runStep(context, step, slots, slotNumbers);
}

} // namespace tts::import
