#include "export/SolucRows.h"

#include "export/AnswerCache.h"
#include "export/FallbackTally.h"
#include "export/FieldValueTally.h"
#include "export/SolucDay.h"
#include "sice/PaddedAppend.h"

#include <array>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tts::exporting {

namespace {

// What the stored bytes of a SOLUC field give every row that holds them, kept small, so that the
// answers a row looks up stay in the processor's cache: the bytes it puts in the line, and
// whether that line needs more than copying them.
struct Answer {
    std::array<char, 8> padded{}; // the line's bytes for the field, or both of DIA and HORA
    bool fits = false;            // each value fits its field of the line, as padded holds it
    bool controlBytes = false;    // one of its values, or what the table gave, may hold one
    bool plain = false;           // fits, and no control byte: copying padded is all it takes
    bool notFound = false;        // a code the table does not know, tallied on every row
    bool noDay = false;           // DIA 0 or blank: the row gives no line
    uint32_t texts = 0;           // its AnswerTexts, in the row loop's list
};

// The rest of what those bytes give, read when a line does not fit or may hold a control byte.
struct AnswerTexts {
    std::array<std::string, 2> values; // the values the line writes: one, or the slot and its day
    std::optional<std::string> found;  // what the table gave
    size_t fallback = 0;               // the code's place in the tally when not found
    // Each value's place in the tally of long values, once a written line has counted it.
    std::array<size_t, 2> longValue{kNotCounted, kNotCounted};
    static constexpr size_t kNotCounted = static_cast<size_t>(-1);
};

// The fields of the line each answer a row looks up gives, in the order of the line: the slot's
// the slot and its day, then one field each. Where its bytes go in a fitting line follows.
struct AnswerFields {
    size_t first; // a DataFieldIndex
    size_t count;
    size_t at = 0; // in a fitting line
};
enum AnswerIndex : size_t {
    kSlotAnswer,
    kTeacherAnswer,
    kGroupAnswer,
    kTaskAnswer,
    kSubjectAnswer,
    kRoomAnswer,
    kAnswers
};
constexpr auto kAnswerFields = [] {
    std::array<AnswerFields, kAnswers> answers{{{kSlotField, 2},
                                                {kTeacherField, 1},
                                                {kGroupField, 1},
                                                {kTaskField, 1},
                                                {kSubjectField, 1},
                                                {kRoomField, 1}}};
    size_t at = 1; // after the "1"
    for (AnswerFields& answer : answers) {
        answer.at = at;
        for (size_t i = 0; i < answer.count; ++i)
            at += kDataFields[answer.first + i].width;
    }
    return answers;
}();
static_assert(kDataFields[kSlotField].width + kDataFields[kDayField].width <=
              sizeof(Answer::padded));

// The values of an answer's fields (kAnswerFields), padded into `answer` when all fit.
void layOut(Answer& answer, const AnswerTexts& texts, const AnswerFields& fields) {
    answer.fits = true;
    char* at = answer.padded.data();
    for (size_t i = 0; i < fields.count; ++i) {
        const std::string& value = texts.values[i];
        const size_t width = kDataFields[fields.first + i].width;
        if (value.size() > width)
            answer.fits = false;
        else
            sice::writePadded(at, value, static_cast<int>(width));
        at += width;
        answer.controlBytes = answer.controlBytes || hasControlByte(value);
    }
    answer.plain = answer.fits && !answer.controlBytes;
}

std::optional<std::string_view> viewOf(const std::optional<std::string>& answer) {
    if (!answer)
        return std::nullopt;
    return std::string_view(*answer);
}

// A column's place in SOLUC's rows, found when the loop first reads it: a column the table
// lacks raises there, as a read of it does.
class RowField {
public:
    RowField(tables::WorkTable& soluc, const tables::DeclaredColumn& declared)
        : soluc_(soluc), column_(soluc.column(declared)) {}
    const tables::ColumnHandle& column() const { return column_; }
    std::string_view of(std::string_view row) { return place(row).of(row); }
    // Every row of the table has the same length.
    const tables::StoredField& place(std::string_view row) {
        if (!found_) {
            field_ = soluc_.storedField(column_);
            key_ = StoredKey(field_.offset, field_.width, row.size());
            found_ = true;
        }
        return field_;
    }
    // What `answers` keep for this field of `row`.
    [[gnu::always_inline]] const Answer* find(const AnswerCache<Answer>& answers,
                                              std::string_view row) {
        place(row);
        return answers.find(key_, row);
    }

private:
    tables::WorkTable& soluc_;
    tables::ColumnHandle column_;
    tables::StoredField field_;
    StoredKey key_;
    bool found_ = false;
};

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

// The loop over SOLUC's rows and what it has found so far.
class RowLoop {
public:
    RowLoop(ExportTables& tables, DayCoding coding, ExportReport& report, RowSink& sink)
        : tables_(tables), soluc_(tables.soluc()), coding_(coding), sink_(sink),
          groupFallbacks_(report.groups), taskFallbacks_(report.tasks),
          roomFallbacks_(report.rooms), slotFallbacks_(report.slots),
          longValues_(report.longValues) {}

    void row(std::string_view stored);
    int64_t rows() const { return rowNumber_; }

private:
    // A code column: what its table gives for the code, else the code's fallback.
    struct CodeColumn {
        RowField field;
        AnswerIndex line;
        AnswerCache<Answer> answers;
        FallbackTally& fallbacks;
        std::optional<std::string> (ExportTables::*lookUp)(const std::string&);
    };
    // A column the line writes as it reads.
    struct TextColumn {
        RowField field;
        AnswerIndex line;
        AnswerCache<Answer> answers;
    };

    const Answer* slotOf(std::string_view stored);
    bool placeSlot(std::string_view stored);
    [[gnu::noinline]] const Answer* firstSlot(std::string_view stored, std::string_view key);
    [[gnu::always_inline]] const Answer& codeOf(CodeColumn& column, std::string_view stored) {
        const Answer* known = column.field.find(column.answers, stored);
        if (!known)
            return firstCode(column, stored);
        if (known->notFound)
            column.fallbacks.again(texts_[known->texts].fallback);
        return *known;
    }
    [[gnu::noinline]] const Answer& firstCode(CodeColumn& column, std::string_view stored);
    [[gnu::always_inline]] const Answer& textOf(TextColumn& column, std::string_view stored) {
        const Answer* known = column.field.find(column.answers, stored);
        return known ? *known : firstText(column, stored);
    }
    [[gnu::noinline]] const Answer& firstText(TextColumn& column, std::string_view stored);
    // A row's answers, in the order of kAnswerFields.
    using Answers = std::array<const Answer*, kAnswers>;
    void writeLongLine(const Answers& answers);
    void countLongValues(const Answers& answers);

    uint32_t keep(AnswerTexts texts) {
        texts_.push_back(std::move(texts));
        return static_cast<uint32_t>(texts_.size() - 1);
    }

    ExportTables& tables_;
    tables::WorkTable& soluc_;
    DayCoding coding_;
    RowSink& sink_;
    FallbackTally groupFallbacks_, taskFallbacks_, roomFallbacks_, slotFallbacks_;
    FieldValueTally longValues_;
    RowField dia_{soluc_, Soluc::dia}, hora_{soluc_, Soluc::hora};
    // Without HORA the first row with a day stops on it, as its read raises.
    const bool hasHora_ = soluc_.hasColumn(Soluc::hora.name);
    const std::string dayPlace_ = std::string("campo ") + Soluc::dia.name;
    AnswerCache<Answer> slots_;
    // In the order a row reads them.
    CodeColumn group_{
        {soluc_, Soluc::codGrupo}, kGroupAnswer, {}, groupFallbacks_, &ExportTables::shortGroup};
    CodeColumn task_{
        {soluc_, Soluc::tarea}, kTaskAnswer, {}, taskFallbacks_, &ExportTables::taskCode};
    CodeColumn room_{
        {soluc_, Soluc::aula}, kRoomAnswer, {}, roomFallbacks_, &ExportTables::shortRoom};
    TextColumn teacher_{{soluc_, Soluc::prof}, kTeacherAnswer, {}};
    TextColumn subject_{{soluc_, Soluc::asig}, kSubjectAnswer, {}};
    std::vector<AnswerTexts> texts_;
    int64_t rowNumber_ = 0;
    // Kept from row to row, so that a row costs no allocation.
    std::string slotKey_, longLine_;
    enum class SlotPlace { Unknown, InRow, Apart } slotPlace_ = SlotPlace::Unknown;
    StoredKey slotInRow_; // DIA and HORA, when InRow
    // Room for a whole Answer::padded after the last field, as each is copied whole.
    char line_[kFittingLineSize + sizeof(Answer::padded)];
};

const Answer* RowLoop::slotOf(std::string_view stored) {
    std::string_view key;
    const Answer* slot = nullptr;
    if (placeSlot(stored)) {
        key = slotInRow_.stored(stored);
        slot = slots_.find(slotInRow_, stored);
    } else {
        slotKey_.assign(dia_.of(stored));
        slotKey_.append(hora_.of(stored));
        key = slotKey_;
        slot = slots_.find(key);
    }
    if (!slot)
        return firstSlot(stored, key);
    if (slot->notFound)
        slotFallbacks_.again(texts_[slot->texts].fallback);
    return slot;
}

// DIA and HORA have fixed widths: their bytes side by side are one key, which SOLUC mostly
// stores as such, and which is then read straight out of the row. Whether it is, once.
bool RowLoop::placeSlot(std::string_view stored) {
    if (slotPlace_ == SlotPlace::Unknown) {
        const tables::StoredField& day = dia_.place(stored);
        size_t width = day.width;
        if (hasHora_) {
            const tables::StoredField& period = hora_.place(stored);
            width = period.offset == day.offset + day.width ? width + period.width : 0;
        }
        slotPlace_ = width > 0 ? SlotPlace::InRow : SlotPlace::Apart;
        if (width > 0)
            slotInRow_ = StoredKey(day.offset, width, stored.size());
    }
    return slotPlace_ == SlotPlace::InRow;
}

// A row's DIA and HORA the first time they appear: the day read (null when it is no number,
// which the sink is told), the slot looked up.
const Answer* RowLoop::firstSlot(std::string_view stored, std::string_view key) {
    Answer answer;
    const std::string dayText = soluc_.readStoredText(dia_.column(), stored);
    int32_t day = 0;
    try {
        day = locateErrors({soluc_.path(), rowNumber_, dayPlace_},
                           [&] { return solucDayNumber(soluc_, dia_.column(), stored, dayText); });
    } catch (const LocatedError& error) {
        sink_.badRow(error);
        return nullptr;
    }
    answer.noDay = day == 0;
    if (!answer.noDay) {
        const std::string dayShown = solucDayText(dayText, day);
        const std::string period = soluc_.readStoredText(hora_.column(), stored);
        AnswerTexts texts;
        texts.values[1] = siceDayCode(coding_, dayShown);
        texts.found = tables_.slotCode(texts.values[1], period);
        if (texts.found)
            texts.values[0] = *texts.found;
        else
            texts.fallback = slotFallbacks_.add(texts.values[1] + "/" + period, rowNumber_);
        answer.notFound = !texts.found;
        // The day as the line shows it, whichever way it is coded.
        answer.controlBytes = hasControlByte(dayShown);
        layOut(answer, texts, kAnswerFields[kSlotAnswer]);
        answer.texts = keep(std::move(texts));
    }
    return &slots_.add(key, answer);
}

const Answer& RowLoop::firstCode(CodeColumn& column, std::string_view stored) {
    AnswerTexts texts;
    const std::string code = soluc_.readStoredText(column.field.column(), stored);
    texts.found = (tables_.*column.lookUp)(code);
    if (!texts.found)
        texts.fallback = column.fallbacks.add(code, rowNumber_);
    texts.values[0] = column.line == kTaskAnswer ? writtenTask(viewOf(texts.found))
                                                 : writtenShortCode(code, viewOf(texts.found));
    Answer answer;
    answer.notFound = !texts.found;
    // In the code or its answer: else neither can put one in the line, whichever is written.
    answer.controlBytes = hasControlByte(code) || (texts.found && hasControlByte(*texts.found));
    layOut(answer, texts, kAnswerFields[column.line]);
    answer.texts = keep(std::move(texts));
    return column.answers.add(column.field.of(stored), answer);
}

const Answer& RowLoop::firstText(TextColumn& column, std::string_view stored) {
    AnswerTexts texts;
    texts.values[0] = soluc_.readStoredText(column.field.column(), stored);
    Answer answer;
    layOut(answer, texts, kAnswerFields[column.line]);
    answer.texts = keep(std::move(texts));
    return column.answers.add(column.field.of(stored), answer);
}

void RowLoop::row(std::string_view stored) {
    if (++rowNumber_ % kRowsPerKeepAlive == 0)
        sink_.keepAlive();
    const Answer* slot = slotOf(stored);
    if (!slot || slot->noDay)
        return;
    // Read in this order, so that a row's first fault is the one it always was.
    const Answer& group = codeOf(group_, stored);
    const Answer& task = codeOf(task_, stored);
    const Answer& room = codeOf(room_, stored);
    const Answer& teacher = textOf(teacher_, stored);
    const Answer& subject = textOf(subject_, stored);
    if (!(slot->plain & teacher.plain & group.plain & task.plain & subject.plain & room.plain)) {
        writeLongLine({slot, &teacher, &group, &task, &subject, &room});
        return;
    }
    // The common line: every value padded to its field, nothing to check or tally.
    line_[0] = '1';
    const auto put = [this](AnswerIndex index, const Answer& answer) {
        std::memcpy(line_ + kAnswerFields[index].at, answer.padded.data(), sizeof answer.padded);
    };
    put(kSlotAnswer, *slot);
    put(kTeacherAnswer, teacher);
    put(kGroupAnswer, group);
    put(kTaskAnswer, task);
    put(kSubjectAnswer, subject);
    put(kRoomAnswer, room);
    sink_.row(rowNumber_, std::string_view(line_, kFittingLineSize));
}

// A line with a value longer than its field, or one that may hold a control byte. The texts of
// an answer lie apart from the answers a row looks up, so they are read only where needed: for
// every value when one may hold a control byte, else for the values that do not fit.
void RowLoop::writeLongLine(const Answers& answers) {
    bool controlBytes = false;
    for (const Answer* answer : answers)
        controlBytes = controlBytes || answer->controlBytes;
    // Control bytes are rare: a row goes through their check only when one of its values may
    // hold one.
    if (controlBytes) {
        DataValues values;
        for (size_t i = 0; i < kAnswers; ++i)
            for (size_t j = 0; j < kAnswerFields[i].count; ++j)
                values[kAnswerFields[i].first + j] = texts_[answers[i]->texts].values[j];
        const auto found = [&](AnswerIndex i) { return viewOf(texts_[answers[i]->texts].found); };
        if (!controlBytesAllow(
                soluc_.path(), rowNumber_, values,
                {found(kSlotAnswer), found(kGroupAnswer), found(kTaskAnswer), found(kRoomAnswer)},
                sink_))
            return;
    }
    countLongValues(answers);
    // A value that fits is written as its padded bytes, which the line pads no further.
    DataValues shown;
    for (size_t i = 0; i < kAnswers; ++i) {
        const AnswerFields& fields = kAnswerFields[i];
        const char* padded = answers[i]->padded.data();
        for (size_t j = 0; j < fields.count; ++j) {
            const size_t width = kDataFields[fields.first + j].width;
            shown[fields.first + j] = answers[i]->fits
                                          ? std::string_view(padded, width)
                                          : std::string_view(texts_[answers[i]->texts].values[j]);
            padded += width;
        }
    }
    const TimetableDataLine line(shown);
    longLine_.resize(line.size());
    line.write(longLine_.data());
    sink_.row(rowNumber_, longLine_);
}

// The long values of a line about to be written into the tally, each answer's counted through
// the place it was given the first time.
void RowLoop::countLongValues(const Answers& answers) {
    bool counted = false;
    for (size_t i = 0; i < kAnswers; ++i) {
        if (answers[i]->fits)
            continue;
        AnswerTexts& texts = texts_[answers[i]->texts];
        for (size_t j = 0; j < kAnswerFields[i].count; ++j) {
            const size_t field = kAnswerFields[i].first + j;
            if (!FieldValueTally::tooLong(field, texts.values[j]))
                continue;
            size_t& place = texts.longValue[j];
            if (place == AnswerTexts::kNotCounted)
                place = longValues_.add(field, texts.values[j], rowNumber_);
            else
                longValues_.again(place);
            counted = true;
        }
    }
    if (counted)
        longValues_.line();
}

} // namespace

void exportRows(ExportTables& tables, DayCoding coding, ExportReport& report, RowSink& sink) {
    RowLoop loop(tables, coding, report, sink);
    tables.soluc().forEachStoredRow([&](std::string_view stored) { loop.row(stored); });
    report.solucRows = loop.rows();
}

} // namespace tts::exporting
