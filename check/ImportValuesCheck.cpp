#include "check/ImportValuesCheck.h"

#include "base/CaseTable.h"
#include "base/Error.h"
#include "base/Numbers.h"
#include "import/CourseHoursIndex.h"
#include "sice/Field.h"
#include "sice/LineKind.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace tts::check {

namespace {

const SiceFile* present(const SiceFolder& folder, const std::string& name) {
    auto it = folder.find(name);
    return it != folder.end() && it->second.exists && it->second.readFailure.empty() ? &it->second
                                                                                     : nullptr;
}

// Calls `each(lineNumber, line)` for every data line of the file as the import reads it.
template <class Each> void forDataLines(const SiceFile& file, Each&& each) {
    forEachLine(file, [&](int64_t n, std::string_view line) {
        if (sice::isDataLine(line, file.use->readerName))
            each(n, line);
    });
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
            toInteger(lastValue);
        } catch (const Error& error) {
            lastProblem = error.message();
        }
        return lastProblem;
    };
    forDataLines(file, [&](int64_t n, std::string_view line) {
        struct Time {
            int first, last;
            const char* what;
        };
        for (const Time& t : {Time{14, 17, "hora de fin"}, Time{10, 13, "hora de inicio"}}) {
            if (const std::optional<std::string>& problem =
                    problemOf(sice::fieldView(line, t.first, t.last))) {
                std::string text = "columnas " + std::to_string(t.first) + "-" +
                                   std::to_string(t.last) + " (" + t.what +
                                   "): la importaci\xF3n se detendr\xED"
                                   "a: " +
                                   *problem;
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
        auto [at, isNew] = first_.emplace(foldCase(code), Place{file.storedName, line});
        if (isNew)
            return;
        const std::string where = at->second.file == file.storedName
                                      ? "la l\xEDnea " + std::to_string(at->second.line)
                                      : at->second.file + ":" + std::to_string(at->second.line);
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
    std::unordered_map<std::string, Place> first_;
    std::map<std::string, CappedFindings> caps_;
};

void checkRepeats(const SiceFolder& folder, Findings& out) {
    RepeatWatch subjects(out);
    if (const SiceFile* f = present(folder, "sice_asignat.txt")) {
        forDataLines(*f, [&](int64_t n, std::string_view line) {
            subjects.see(*f, n, sice::field(line, 2, 5));
        });
        // The import reads the activities only after the subjects.
        if (const SiceFile* a = present(folder, "SICE_ACTIVIDADES.TXT"))
            forDataLines(*a, [&](int64_t n, std::string_view line) {
                subjects.see(*a, n, "*" + sice::field(line, 2, 5));
            });
    }
    RepeatWatch teachers(out);
    if (const SiceFile* f = present(folder, "sice_prof.txt"))
        forDataLines(*f, [&](int64_t n, std::string_view line) {
            teachers.see(*f, n, sice::field(line, 2, 5));
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
void checkAssignments(const SiceFolder& folder, Findings& out) {
    const SiceFile* assignments = present(folder, "sice_asignatgrupo.txt");
    const SiceFile* groupsFile = present(folder, "sice_grupo.txt");
    const SiceFile* subjectsFile = present(folder, "sice_asignat.txt");
    const SiceFile* courses = present(folder, "sice_asignatcurso.txt");

    std::unordered_map<std::string, Group> groups; // first line of each unit code, as GRUPOST
    if (groupsFile)
        forDataLines(*groupsFile, [&](int64_t, std::string_view line) {
            std::string level = sice::field(line, 16, 18);
            groups.emplace(sice::field(line, 2, 11),
                           Group{level.empty() ? "NIV" : level, sice::field(line, 22, 24)});
        });
    std::unordered_set<std::string> subjects;
    if (subjectsFile)
        forDataLines(*subjectsFile, [&](int64_t, std::string_view line) {
            subjects.insert(sice::field(line, 2, 5));
        });

    const import::CourseHoursIndex index(
        sice::WholeFileLines(courses ? std::string_view(courses->bytes) : std::string_view()));
    std::unordered_set<size_t> usedCourseLines;
    DanglingReferences dangling;

    if (assignments)
        forDataLines(*assignments, [&](int64_t n, std::string_view line) {
            const std::string groupCode = sice::field(line, 2, 11);
            const std::string subject = sice::field(line, 16, 19);
            auto group = groups.find(groupCode);
            if (groupsFile && group == groups.end())
                dangling.add(assignments->storedName, n,
                             "grupo " + quoted(groupCode) + " (columnas 2-11) no est\xE1 en " +
                                 groupsFile->storedName);
            if (subjectsFile && !subjects.count(subject))
                dangling.add(assignments->storedName, n,
                             "asignatura " + quoted(subject) + " (columnas 16-19) no est\xE1 en " +
                                 subjectsFile->storedName);
            const Group g = group == groups.end() ? Group{} : group->second;
            if (auto at = index.lineIndex(subject, g.level, g.course))
                usedCourseLines.insert(*at);
        });

    if (!courses) {
        dangling.report(out);
        return;
    }
    forDataLines(*courses, [&](int64_t n, std::string_view line) {
        const std::string subject = sice::field(line, 24, 27);
        if (subjectsFile && !subjects.count(subject))
            dangling.add(courses->storedName, n,
                         "asignatura " + quoted(subject) + " (columnas 24-27) no est\xE1 en " +
                             subjectsFile->storedName);
        // Without the assignments or the groups we cannot tell which lines are used: all count.
        if (assignments && groupsFile && !usedCourseLines.count(static_cast<size_t>(n - 1)))
            return;
        std::string hours = sice::field(line, 28, 33);
        if (hours.empty())
            hours = "1";
        std::replace(hours.begin(), hours.end(), ',', '.');
        std::string problem;
        try {
            // The table's number column holds less than 1E20.
            if (toDecimal(hours) >= 1e20)
                problem = "El valor " + hours + " no cabe en el campo 'HORAS'";
        } catch (const Error& error) {
            problem = error.message();
        }
        if (!problem.empty())
            out.push_back({courses->storedName, n,
                           "columnas 28-33 (horas semanales): la importaci\xF3n se detendr\xED"
                           "a: " +
                               problem,
                           true});
    });
    dangling.report(out);
}

} // namespace

void checkImportValues(const SiceFolder& folder, Findings& findings) {
    if (const SiceFile* sessions = present(folder, "sice_sesiones.txt"))
        checkTimes(*sessions, findings);
    checkRepeats(folder, findings);
    checkAssignments(folder, findings);
}

} // namespace tts::check
