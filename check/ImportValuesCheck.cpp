#include "check/ImportValuesCheck.h"

#include "base/Error.h"
#include "import/CourseHoursIndex.h"
#include "sice/SiceLayouts.h"
#include "sice/CodeList.h"
#include "sice/Field.h"
#include "tables/TableErrors.h"
#include "tables/WorkTable.h"

#include <cmath>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace tts::check {

namespace {

using namespace sice::layout;

const SiceFile* present(const FoundSiceFiles& folder, const std::string& name) {
    auto it = folder.find(name);
    return it != folder.end() && it->second.exists && it->second.readFailure.empty() ? &it->second
                                                                                     : nullptr;
}

// Calls `each(lineNumber, line)` for every data line of the file as the import reads it.
template <class Each> void forDataLines(const SiceFile& file, Each&& each) {
    forEachLine(file, [&](int64_t n, std::string_view line) {
        if (file.use->isData(line))
            each(n, line);
    });
}

// "columnas 14-17 (hora de fin): la importación se detendría: <why>".
std::string stopsImport(const StoppingValue& value, const std::string& why) {
    return value.columns.place() + " (" + value.what +
           "): la importaci\xF3n se detendr\xED"
           "a: " +
           why;
}

bool onlyControls(std::string_view line) {
    return sice::trimControls(line).empty();
}

// The time slots: the end time, then the start time, must be whole numbers.
void checkTimes(const SiceFile& file, Findings& findings) {
    CappedFindings out(findings, "horas m\xE1s que detendr\xED"
                                 "an la importaci\xF3n");
    // The last value's answer: a file of a million blank lines asks the same question a million
    // times, and an error thrown for each would take minutes.
    std::string lastValue;
    std::optional<std::string> lastProblem;
    bool asked = false;
    const auto problemOf = [&](std::string_view value) -> const std::optional<std::string>& {
        if (asked && value == lastValue)
            return lastProblem;
        asked = true;
        lastValue.assign(value);
        lastProblem.reset();
        try {
            Sessions::readTime(lastValue);
        } catch (const Error& error) {
            lastProblem = error.message();
        }
        return lastProblem;
    };
    forDataLines(file, [&](int64_t n, std::string_view line) {
        for (const StoppingValue& time : Sessions::times) {
            if (const std::optional<std::string>& problem = problemOf(time.columns.in(line))) {
                std::string text = stopsImport(time, *problem);
                if (onlyControls(line))
                    text += " (la l\xEDnea est\xE1 vac\xED"
                            "a o s\xF3lo tiene caracteres de control, "
                            "como un Ctrl-Z final)";
                out.add({file.storedName, n, text, true});
            }
        }
    });
}

// The codes a step de-duplicates: the first line with a code wins, letter case ignored.
class RepeatWatch {
public:
    explicit RepeatWatch(Findings& out) : out_(out) {}
    void see(const SiceFile& file, int64_t line, std::string_view code) {
        // The import's own list of codes, so that both take the same codes for equal.
        const auto [at, isNew] = codes_.addOrFind(code);
        if (isNew) {
            first_.push_back({file.storedName, line});
            return;
        }
        const Place& first = first_[at];
        const std::string where = first.file == file.storedName
                                      ? "la l\xEDnea " + std::to_string(first.line)
                                      : first.file + ":" + std::to_string(first.line);
        capFor(file.storedName)
            .add({file.storedName, line,
                  "c\xF3"
                  "digo " +
                      quoted(std::string(code)) +
                      " repetido: se descarta esta l\xEDnea; "
                      "vale la de " +
                      where,
                  false, true});
    }

private:
    struct Place {
        std::string file;
        int64_t line;
    };
    // The notes of each file, capped apart.
    CappedFindings& capFor(const std::string& file) {
        auto it = caps_.find(file);
        if (it == caps_.end())
            it = caps_
                     .emplace(std::piecewise_construct, std::forward_as_tuple(file),
                              std::forward_as_tuple(out_, "c\xF3"
                                                          "digos repetidos m\xE1s"))
                     .first;
        return it->second;
    }
    Findings& out_;
    sice::CodeList codes_;
    std::vector<Place> first_; // the first line of each code, in the order of codes_
    std::map<std::string, CappedFindings> caps_;
};

void checkRepeats(const FoundSiceFiles& folder, Findings& out) {
    RepeatWatch subjects(out);
    if (const SiceFile* f = present(folder, Subjects::file)) {
        forDataLines(*f, [&](int64_t n, std::string_view line) {
            subjects.see(*f, n, Subjects::code.in(line));
        });
        // The import reads the activities only after the subjects.
        if (const SiceFile* a = present(folder, Activities::file))
            forDataLines(*a, [&](int64_t n, std::string_view line) {
                subjects.see(*a, n, Activities::codeOf(line));
            });
    }
    RepeatWatch teachers(out);
    if (const SiceFile* f = present(folder, Teachers::file))
        forDataLines(*f, [&](int64_t n, std::string_view line) {
            teachers.see(*f, n, Teachers::code.in(line));
        });
}

struct Group {
    std::string level, course;
};

// References that find nothing, one finding per unknown code at its first line with the count
// of its lines: a lost groups file must not bury the folder under one line per assignment.
class DanglingReferences {
public:
    void add(const std::string& file, int64_t line, const std::string& text) {
        auto [at, isNew] = index_.emplace(file + '\n' + text, found_.size());
        if (isNew)
            found_.push_back({file, line, text, 0});
        ++found_[at->second].lines;
    }
    void report(Findings& out) const {
        for (const Dangling& d : found_)
            out.push_back(
                {d.file, d.line,
                 d.text + (d.lines > 1 ? " (" + std::to_string(d.lines) + " l\xEDneas, desde esta)"
                                       : std::string()),
                 false});
    }

private:
    struct Dangling {
        std::string file;
        int64_t line;
        std::string text;
        int64_t lines;
    };
    std::vector<Dangling> found_;
    std::unordered_map<std::string, size_t> index_;
};

// The assignments against the groups and subjects files, and the hours they would take from the
// course file: those lines are the ones whose text must be a number.
void checkAssignments(const FoundSiceFiles& folder, Findings& out) {
    const SiceFile* assignments = present(folder, Assignments::file);
    const SiceFile* groupsFile = present(folder, Groups::file);
    const SiceFile* subjectsFile = present(folder, Subjects::file);
    const SiceFile* courses = present(folder, Courses::file);

    std::unordered_map<std::string, Group> groups; // first line of each unit code, as GRUPOST
    if (groupsFile)
        forDataLines(*groupsFile, [&](int64_t, std::string_view line) {
            groups.emplace(Groups::unit.textIn(line),
                           Group{std::string(Groups::levelOf(line)), Groups::course.textIn(line)});
        });
    std::unordered_set<std::string> subjects;
    if (subjectsFile)
        forDataLines(*subjectsFile, [&](int64_t, std::string_view line) {
            subjects.insert(Subjects::code.textIn(line));
        });

    const import::CourseHoursIndex index(
        sice::WholeFileLines(courses ? std::string_view(courses->bytes) : std::string_view()));
    std::unordered_set<size_t> usedCourseLines;
    DanglingReferences dangling;

    if (assignments)
        forDataLines(*assignments, [&](int64_t n, std::string_view line) {
            const std::string groupCode = Assignments::group.textIn(line);
            const std::string subject = Assignments::subject.textIn(line);
            auto group = groups.find(groupCode);
            if (groupsFile && group == groups.end())
                dangling.add(assignments->storedName, n,
                             "grupo " + quoted(groupCode) + " (" + Assignments::group.place() +
                                 ") no est\xE1 en " + groupsFile->storedName);
            if (subjectsFile && !subjects.count(subject))
                dangling.add(assignments->storedName, n,
                             "asignatura " + quoted(subject) + " (" + Assignments::subject.place() +
                                 ") no est\xE1 en " + subjectsFile->storedName);
            const Group g = group == groups.end() ? Group{} : group->second;
            if (auto at = index.lineIndex(subject, g.level, g.course))
                usedCourseLines.insert(*at);
        });

    if (!courses) {
        dangling.report(out);
        return;
    }
    forDataLines(*courses, [&](int64_t n, std::string_view line) {
        const std::string subject = Courses::subject.textIn(line);
        if (subjectsFile && !subjects.count(subject))
            dangling.add(courses->storedName, n,
                         "asignatura " + quoted(subject) + " (" + Courses::subject.place() +
                             ") no est\xE1 en " + subjectsFile->storedName);
        // Without the assignments or the groups we cannot tell which lines are used: all count.
        if (assignments && groupsFile && !usedCourseLines.count(static_cast<size_t>(n - 1)))
            return;
        const std::string_view hoursText = Courses::hours.columns.in(line);
        std::string problem;
        try {
            if (!tables::fitsFloatColumn(Courses::readHours(hoursText)))
                problem = tables::tableErrors::valueDoesNotFitText(
                    tables::schema::Assignments::horas.name, Courses::hoursNumberText(hoursText));
        } catch (const Error& error) {
            problem = error.message();
        }
        if (!problem.empty())
            out.push_back({courses->storedName, n, stopsImport(Courses::hours, problem), true});
    });
    dangling.report(out);
}

} // namespace

void checkImportValues(const FoundSiceFiles& folder, Findings& findings) {
    if (const SiceFile* sessions = present(folder, Sessions::file))
        checkTimes(*sessions, findings);
    checkRepeats(folder, findings);
    checkAssignments(folder, findings);
}

} // namespace tts::check
