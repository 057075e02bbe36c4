#include "import/CourseHoursIndex.h"
#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/SessionPattern.h"
#include "tables/WorkTable.h"

#include "base/KeyIndex.h"
#include "base/LocatedError.h"
#include "sice/FileFinder.h"
#include "sice/WholeFileReader.h"

#include <deque>
#include <exception>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace tts::import {

using tables::ColumnHandle;
using tables::OpenMode;
using tables::WorkTable;

namespace {

// The step's four passes (the assignments; their group's data from GRUPOST; the weekly hours
// from the course file; one hour for the rows that got none) give each row what it would get if
// the passes ran one after the other, so all four are done on each row as it is appended: the
// table is written once instead of being read back and rewritten three times.
//
// What the passes one after the other would show is kept too. A failure of a later pass waits
// until the earlier passes have gone through every row, so the user sees the failure the first
// pass to fail would raise, and the notice about the course file only when the groups' pass went
// through. A failure ends the step and drops the new table in any case.

// Some columns' values as a row stores them, kept to be put into later rows as they are: a value
// worked out once (looked up, converted) is then copied, not worked out again.
class StoredValues {
public:
    StoredValues(WorkTable& table, const std::vector<ColumnHandle>& columns) {
        // Columns side by side in the record form one run, kept and put with one copy.
        std::string_view previous;
        for (const ColumnHandle& column : columns) {
            const std::string_view bytes = table.storedBytes(column);
            if (!runs_.empty() && bytes.data() == previous.data() + previous.size()) {
                runs_.back().last = column;
                runs_.back().width += bytes.size();
            } else {
                runs_.push_back({column, column, bytes.size()});
            }
            previous = bytes;
        }
    }

    // Keeps the columns' values in the table's current row; where they are kept.
    size_t remember(WorkTable& table) {
        const size_t at = stored_.size();
        for (const Run& run : runs_)
            stored_.append(table.storedBytes(run.first, run.last));
        return at;
    }

    void put(WorkTable& table, size_t at) const {
        for (const Run& run : runs_) {
            table.writeStoredBytes(run.first, run.last,
                                   std::string_view(stored_).substr(at, run.width));
            at += run.width;
        }
    }

private:
    struct Run {
        ColumnHandle first, last;
        size_t width;
    };
    std::vector<Run> runs_;
    std::string stored_;
};

// Pass 2: the group's TURNO, NIVEL, CURSO and GRUPO from the first GRUPOST row whose ABREV is the
// row's group code; without one they stay empty. Looked up once per code: GRUPOST is only read,
// so every later row with the code gets the same values, kept as the row stores them.
class GroupData {
public:
    // What a row of the group holds once its values are put, for the passes that read them.
    struct Group {
        size_t storedAt;           // in values_, or kNoRow for a code GRUPOST lacks
        std::string level, course; // NIVEL and CURSO as the row reads them
    };

    GroupData(WorkTable& groups, WorkTable& assignments)
        : groups_(groups), abrev_(groups.column(schema::Groups::abrev)),
          from_(handles(groups, {schema::Groups::turno, schema::Groups::nivel,
                                 schema::Groups::curso, schema::Groups::grupo})),
          to_(handles(assignments, {schema::Assignments::turno, schema::Assignments::nivel,
                                    schema::Assignments::curso, schema::Assignments::grupo})),
          values_(assignments, to_) {}

    // Puts the group's values into the row, which was blank in those columns.
    const Group& copyTo(WorkTable& assignments, std::string_view code) {
        const Group& group = lookUp(assignments, code);
        if (group.storedAt != kNoRow)
            values_.put(assignments, group.storedAt);
        return group;
    }

private:
    static constexpr size_t kNoRow = static_cast<size_t>(-1);

    static std::vector<ColumnHandle>
    handles(WorkTable& table, std::initializer_list<tables::DeclaredColumn> columns) {
        std::vector<ColumnHandle> found;
        for (const tables::DeclaredColumn& column : columns)
            found.push_back(table.column(column));
        return found;
    }

    const Group& lookUp(WorkTable& assignments, std::string_view code) {
        if (const size_t* known = codes_.find(code))
            return found_[*known];
        value_.assign(code);
        Group group{kNoRow, {}, {}};
        if (groups_.locate(abrev_, value_)) {
            for (size_t i = 0; i < from_.size(); ++i) {
                groups_.readText(from_[i], value_);
                assignments.writeText(to_[i], value_);
            }
            group.storedAt = values_.remember(assignments);
            group.level = assignments.readTextView(to_[1]);
            group.course = assignments.readTextView(to_[2]);
        }
        codes_.add(code, found_.size());
        found_.push_back(std::move(group));
        return found_.back();
    }

    WorkTable& groups_;
    ColumnHandle abrev_;
    std::vector<ColumnHandle> from_, to_; // the copied columns in GRUPOST and in ASIGT
    StoredValues values_;                 // of to_
    KeyIndex codes_;                      // group code to its place in found_
    std::deque<Group> found_;             // stays put as it grows: rows keep references
    std::string value_;
};

// Passes 3 and 4: HORAS and SESIONES from the first course line of the row's subject, level and
// course, else one hour. Worked out once per course line, on the first row that uses it (where a
// bad hours text raises, as it would), then copied as stored.
class WeeklyHours {
public:
    WeeklyHours(const std::string& coursePath, const CourseHoursIndex& index,
                WorkTable& assignments)
        : coursePath_(coursePath), index_(index),
          casig_(assignments.column(schema::Assignments::casig)),
          horas_(assignments.column(schema::Assignments::horas)),
          sesiones_(assignments.column(schema::Assignments::sesiones)),
          values_(assignments, {horas_, sesiones_}), storedAt_(index.lineCount(), kNotYet) {}

    // `level` and `course` are the row's NIVEL and CURSO, known from its group.
    void setOn(WorkTable& table, std::string_view level, std::string_view course) {
        const CourseHoursIndex::CourseLine* courseLine =
            index_.find(table.readTextView(casig_), level, course);
        if (!courseLine) {
            setDefault(table);
            return;
        }
        size_t& at = storedAt_[courseLine->index];
        if (at == kNotYet) {
            setFrom(table, *courseLine);
            at = values_.remember(table);
        }
        values_.put(table, at);
    }

private:
    static constexpr size_t kNotYet = static_cast<size_t>(-1);

    void setFrom(WorkTable& table, const CourseHoursIndex::CourseLine& courseLine) {
        using layout::Courses;
        const ValueLocation where{coursePath_, static_cast<int64_t>(courseLine.index + 1),
                                  Courses::hours.columns.place()};
        const double hours =
            locateErrors(where, [&] { return Courses::readHours(courseLine.hours); });
        locateErrors(where, [&] { table.writeFloat(horas_, hours); });
        double stored = table.readFloat(horas_); // as the row gives it back
        if (stored < 1) {
            table.writeFloat(horas_, 1);
            stored = table.readFloat(horas_);
        }
        table.writeText(sesiones_, sessionPattern(stored));
    }

    // Pass 4: a row no course line matched gets one hour (a matched one has at least one).
    void setDefault(WorkTable& table) {
        if (defaultAt_ == kNotYet) {
            table.writeFloat(horas_, 1);
            table.writeText(sesiones_, "1");
            defaultAt_ = values_.remember(table);
        }
        values_.put(table, defaultAt_);
    }

    const std::string& coursePath_;
    const CourseHoursIndex& index_;
    ColumnHandle casig_, horas_, sesiones_;
    StoredValues values_;          // HORAS and SESIONES
    std::vector<size_t> storedAt_; // by line of the course file: where its values are kept
    size_t defaultAt_ = kNotYet;
};

// Runs `pass` on the row unless that pass has failed already; its first failure is kept.
template <class Pass> void unlessFailed(std::exception_ptr& failure, Pass&& pass) {
    if (failure)
        return;
    try {
        pass();
    } catch (...) {
        failure = std::current_exception();
    }
}

} // namespace

// Subject-group assignments into ASIGT: the assignments, their group's data from GRUPOST, the
// weekly hours from the course file, one hour for the rows that got none.
void TransformaAsignaturasGrupo(ImportContext& context) {
    using layout::Assignments;
    using layout::Courses;
    const StepDefinition step{Assignments::file,
                              "No existe archivo de grupos (SICE_ASIGNATGRUPO.TXT)",
                              Assignments::reading, schema::Assignments::table};

    std::optional<WorkTable> groups;
    std::optional<GroupData> groupData;
    std::exception_ptr groupsFailed; // pass 2
    sice::FoundFile courses;
    std::string courseBytes; // the index's hours texts are views into them
    std::optional<CourseHoursIndex> courseIndex;
    std::optional<WeeklyHours> weeklyHours;
    std::exception_ptr coursesUnread; // pass 3, before its first row
    std::exception_ptr hoursFailed;   // passes 3 and 4

    const auto assignments = [&](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        unlessFailed(groupsFailed, [&] {
            groups.emplace(WorkTable::open(context.workFolder, schema::Groups::table.name,
                                           OpenMode::ReadOnly));
            groupData.emplace(*groups, table);
        });
        courses = context.locateFile(Courses::file);
        if (courses.exists)
            unlessFailed(coursesUnread, [&] {
                sice::WholeFile::load(courses.path, courseBytes);
                courseIndex.emplace(sice::WholeFileLines(courseBytes));
                weeklyHours.emplace(courses.path, *courseIndex, table);
            });
        return
            [&, casig = table.column(schema::Assignments::casig),
             cgrup = table.column(schema::Assignments::cgrup),
             ctarea = table.column(schema::Assignments::ctarea)](std::string_view line, int64_t) {
                if (!Assignments::isData(line))
                    return false;
                table.append();
                table.writeText(casig, Assignments::subject.in(line));
                table.writeText(cgrup, Assignments::group.in(line));
                table.writeText(ctarea, "*LEC");
                const GroupData::Group* group = nullptr;
                unlessFailed(groupsFailed, [&] {
                    group = &groupData->copyTo(table, table.readTextView(cgrup)); // as stored
                });
                if (!groupsFailed && weeklyHours)
                    unlessFailed(hoursFailed,
                                 [&] { weeklyHours->setOn(table, group->level, group->course); });
                table.post();
                return true;
            };
    };

    const auto afterTheLastLine = [&](StepTarget&) {
        if (groupsFailed)
            std::rethrow_exception(groupsFailed);
        groups->close();
        context.noteLeftAside(courses);
        if (!courses.exists) {
            context.host.showMessage("No existe archivo de grupos (SICE_ASIGNATCURSO.TXT)");
            return;
        }
        if (coursesUnread)
            std::rethrow_exception(coursesUnread);
        if (hoursFailed)
            std::rethrow_exception(hoursFailed);
    };

    runStep(context, step, assignments, afterTheLastLine);
}

} // namespace tts::import
