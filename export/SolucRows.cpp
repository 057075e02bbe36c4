#include "export/SolucRows.h"

#include "export/AnswerCache.h"
#include "export/FallbackTally.h"
#include "export/FieldValueTally.h"
#include "export/SolucDay.h"

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace tts::exporting {

namespace {

// What a row's DIA and HORA give.
struct SlotAnswer {
    bool noDay = false;              // DIA 0 or blank: the row gives no line
    std::string day;                 // as the line shows it
    std::string period;              // HORA
    std::optional<std::string> slot; // CODDIHO
    size_t fallback = 0;             // the slot's place in the tally when not found
    bool controlBytes = false;       // in the day or the slot code
};

// What a code column gives.
struct CodeAnswer {
    std::string code;                 // the column read as text
    std::optional<std::string> found; // what the table gave for it
    size_t fallback = 0;              // the code's place in the tally when not found
    // In the code or its answer: else neither can put one in the line, whichever is written.
    bool controlBytes = false;
};

std::optional<std::string_view> viewOf(const std::optional<std::string>& answer) {
    if (!answer)
        return std::nullopt;
    return std::string_view(*answer);
}

// The answer for the code in `column` of the current row: read and looked up the first time its
// stored bytes appear, remembered after that. A code not found is tallied for every row.
template <typename LookUp>
const CodeAnswer& answerFor(tables::WorkTable& soluc, const tables::ColumnHandle& column,
                            AnswerCache<CodeAnswer>& answers, FallbackTally& fallbacks,
                            int64_t rowNumber, LookUp lookUp) {
    const std::string_view stored = soluc.storedBytes(column);
    if (const CodeAnswer* known = answers.find(stored)) {
        if (!known->found)
            fallbacks.again(known->fallback);
        return *known;
    }
    CodeAnswer answer{soluc.readText(column), std::nullopt, 0};
    answer.found = lookUp(answer.code);
    if (!answer.found)
        answer.fallback = fallbacks.add(answer.code, rowNumber);
    answer.controlBytes =
        hasControlByte(answer.code) || (answer.found && hasControlByte(*answer.found));
    return answers.add(stored, std::move(answer));
}

// Where each value of a data line comes from, in the order of kDataFields: the SOLUC column
// named when it holds a control byte, and what follows that name when the value is the answer
// of `answer` rather than the column's own text.
struct WrittenField {
    const char* column;
    std::optional<std::string_view> Translations::*answer;
    const char* what;
};
using Soluc = tables::schema::Timetable;
constexpr const char* kTranslated = " (su traducci\xF3n)";
constexpr WrittenField kWrittenFields[] = {
    {Soluc::hora.name, &Translations::slot,
     " (su c\xF3"
     "digo de tramo)"},
    {Soluc::dia.name, nullptr, ""},
    {Soluc::prof.name, nullptr, ""},
    {Soluc::codGrupo.name, &Translations::group, kTranslated},
    {Soluc::tarea.name, &Translations::task, kTranslated},
    {Soluc::asig.name, nullptr, ""},
    {Soluc::aula.name, &Translations::room, kTranslated},
};
static_assert(std::size(kWrittenFields) == kDataFields.size());

// Whether the row's line may be written: each of its values looked at for control bytes.
bool controlBytesAllow(const std::string& solucPath, int64_t rowNumber, const DataValues& values,
                       const Translations& found, RowSink& sink) {
    for (size_t field = 0; field < values.size(); ++field) {
        const char byte = worstControlByte(values[field]);
        if (!byte)
            continue;
        const WrittenField& from = kWrittenFields[field];
        const bool translated = from.answer && found.*from.answer;
        ValueLocation where{solucPath, rowNumber,
                            std::string("campo ") + from.column + (translated ? from.what : "")};
        if (breaksTheFile(byte)) {
            sink.badRow(LocatedError("El valor lleva " + controlByteName(byte) +
                                         ", que no puede ir en una l\xEDnea de SICE_HORARIO.TXT",
                                     std::move(where)));
            return false;
        }
        sink.controlByte(where, byte);
    }
    return true;
}

} // namespace

void exportRows(ExportTables& tables, DayCoding coding, ExportReport& report, RowSink& sink) {
    tables::WorkTable& soluc = tables.soluc();
    const tables::ColumnHandle dia = soluc.column(Soluc::dia), hora = soluc.column(Soluc::hora),
                               codGrupo = soluc.column(Soluc::codGrupo),
                               tarea = soluc.column(Soluc::tarea), aula = soluc.column(Soluc::aula),
                               prof = soluc.column(Soluc::prof), asig = soluc.column(Soluc::asig);
    // Without HORA the first row with a day stops on it, as its read raises.
    const bool hasHora = soluc.hasColumn(Soluc::hora.name);
    const std::string dayPlace = std::string("campo ") + Soluc::dia.name;
    FallbackTally groupFallbacks(report.groups), taskFallbacks(report.tasks),
        roomFallbacks(report.rooms), slotFallbacks(report.slots);
    FieldValueTally longValues(report.longValues);
    AnswerCache<SlotAnswer> slots;
    AnswerCache<CodeAnswer> groups, tasks, rooms;
    // Kept from row to row, so that a row costs no allocation.
    std::string slotKey, teacher;
    SolucRow row;
    Translations found;
    int64_t rowNumber = 0;
    for (soluc.first(); !soluc.atEnd(); soluc.next()) {
        if (++rowNumber % kRowsPerKeepAlive == 0)
            sink.keepAlive();
        // DIA and HORA have fixed widths: their bytes side by side are one key.
        slotKey.assign(soluc.storedBytes(dia));
        if (hasHora)
            slotKey.append(soluc.storedBytes(hora));
        const SlotAnswer* slot = slots.find(slotKey);
        if (slot) {
            if (!slot->noDay && !slot->slot)
                slotFallbacks.again(slot->fallback);
        } else {
            SlotAnswer answer;
            const std::string dayText = soluc.readText(dia);
            int32_t day = 0;
            try {
                day = locateErrors({soluc.path(), rowNumber, dayPlace},
                                   [&] { return solucDayNumber(soluc, dia, dayText); });
            } catch (const LocatedError& error) {
                sink.badRow(error);
                continue;
            }
            answer.noDay = day == 0;
            if (!answer.noDay) {
                answer.day = solucDayText(dayText, day);
                answer.period = soluc.readText(hora);
                const std::string siceDay(siceDayCode(coding, answer.day));
                answer.slot = tables.slotCode(siceDay, answer.period);
                if (!answer.slot)
                    answer.fallback = slotFallbacks.add(siceDay + "/" + answer.period, rowNumber);
                answer.controlBytes =
                    hasControlByte(answer.day) || (answer.slot && hasControlByte(*answer.slot));
            }
            slot = &slots.add(slotKey, std::move(answer));
        }
        if (slot->noDay)
            continue;

        const CodeAnswer& group =
            answerFor(soluc, codGrupo, groups, groupFallbacks, rowNumber,
                      [&](const std::string& code) { return tables.shortGroup(code); });
        const CodeAnswer& task =
            answerFor(soluc, tarea, tasks, taskFallbacks, rowNumber,
                      [&](const std::string& code) { return tables.taskCode(code); });
        const CodeAnswer& room =
            answerFor(soluc, aula, rooms, roomFallbacks, rowNumber,
                      [&](const std::string& code) { return tables.shortRoom(code); });
        // A view of a column that is not text lives in one buffer of the table, which the next
        // such read takes: the teacher is kept before the subject is read.
        teacher.assign(soluc.readTextView(prof));
        row = {slot->day, slot->period, teacher, group.code, task.code, soluc.readTextView(asig),
               room.code};
        found = {viewOf(slot->slot), viewOf(group.found), viewOf(task.found), viewOf(room.found)};
        const DataValues values = dataLineValues(siceDayCode(coding, row.day), row, found);
        // Control bytes are rare: a row goes through their check only when one of its values
        // may hold one.
        const bool mayHoldControlBytes = slot->controlBytes || group.controlBytes ||
                                         task.controlBytes || room.controlBytes ||
                                         hasControlByte(row.teacher) || hasControlByte(row.subject);
        if (mayHoldControlBytes && !controlBytesAllow(soluc.path(), rowNumber, values, found, sink))
            continue;
        longValues.add(values, rowNumber);
        sink.row(rowNumber, values);
    }
    report.solucRows = rowNumber;
}

} // namespace tts::exporting
