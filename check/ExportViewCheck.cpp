#include "check/ExportViewCheck.h"

#include "base/Error.h"
#include "base/platform/Folders.h"
#include "export/DayCoding.h"
#include "export/SolucDay.h"
#include "tables/WorkTable.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace tts::check {

namespace {

using tables::OpenMode;
using tables::WorkTable;

const size_t kCodesShown = 20;

// Codes a lookup did not find, with their rows and the first row, for the findings.
class Misses {
public:
    void add(const std::string& code, int64_t row) {
        auto [at, isNew] = index_.emplace(code, codes_.size());
        if (isNew)
            codes_.push_back({code, 0, row});
        ++codes_[at->second].rows;
    }

    // The most frequent first, at most kCodesShown, then how many more.
    void report(const char* what, const std::string& where, Findings& out) const {
        std::vector<size_t> order(codes_.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return codes_[a].rows > codes_[b].rows; });
        for (size_t n = 0; n < order.size() && n < kCodesShown; ++n) {
            const Code& c = codes_[order[n]];
            out.push_back({"SOLUC.DBF", c.firstRow,
                           std::string(what) + " " + quoted(c.code) + " no est\xE1 en " + where +
                               " (" + std::to_string(c.rows) + (c.rows == 1 ? " fila)" : " filas)"),
                           false});
        }
        if (order.size() > kCodesShown)
            out.push_back({"SOLUC.DBF", 0,
                           "y " + std::to_string(order.size() - kCodesShown) +
                               " c\xF3"
                               "digos m\xE1s "
                               "de " +
                               what + " que no est\xE1n en " + where,
                           false});
    }

private:
    struct Code {
        std::string code;
        int64_t rows;
        int64_t firstRow;
    };
    std::vector<Code> codes_;
    std::unordered_map<std::string, size_t> index_;
};

// A lookup of the export, remembered by its key.
class Lookup {
public:
    Lookup(WorkTable& table, std::vector<std::string> columns)
        : table_(table), columns_(std::move(columns)) {}
    bool finds(const std::vector<std::string>& values) {
        std::string key;
        for (const std::string& v : values)
            key += std::to_string(v.size()) + ':' + v;
        auto known = answers_.find(key);
        if (known != answers_.end())
            return known->second;
        const bool found = table_.locate(columns_, values);
        answers_.emplace(std::move(key), found);
        return found;
    }

private:
    WorkTable& table_;
    std::vector<std::string> columns_;
    std::unordered_map<std::string, bool> answers_;
};

std::optional<WorkTable> openTable(const std::string& workFolder, const char* name, Findings& out) {
    try {
        WorkTable table = WorkTable::open(workFolder, name, OpenMode::ReadOnly);
        if (const std::string codePage = table.foreignCodePage(); !codePage.empty())
            out.push_back({std::string(name) + ".DBF", 0,
                           "la cabecera declara " + codePage +
                               "; el texto se toma tal como est\xE1 guardado, en Windows-1252, y "
                               "las letras acentuadas pueden salir cambiadas",
                           false});
        return table;
    } catch (const Error& error) {
        out.push_back({std::string(name) + ".DBF", 0,
                       "la exportaci\xF3n se detendr\xED"
                       "a: " +
                           error.message(),
                       true});
        return std::nullopt;
    }
}

} // namespace

void checkExportView(const SiceFolder& folder, const std::string& workFolder, Findings& out,
                     EmptyCodes& empty) {
    std::optional<exporting::DayCoding> coding;
    if (auto it = folder.find("sice_sesiones.txt"); it != folder.end() && it->second.exists) {
        try {
            coding = exporting::dayCodingFrom(sice::WholeFileLines(it->second.bytes));
        } catch (const Error& error) {
            out.push_back({it->second.storedName, 0,
                           "la exportaci\xF3n se detendr\xED"
                           "a: " +
                               error.message() + " (necesita al menos dos l\xEDneas)",
                           true});
        }
    }

    // Said once, rather than once for every table it hides.
    std::vector<std::string> names;
    if (const platform::SystemError listing = platform::listFolder(workFolder, names);
        listing && !platform::isNotFound(listing)) {
        out.push_back({workFolder, 0,
                       "no se puede leer la carpeta de trabajo (" +
                           platform::reasonInSpanish(listing) +
                           "): la exportaci\xF3n se detendr\xED"
                           "a",
                       true});
        return;
    }
    names.clear();

    std::optional<WorkTable> soluc = openTable(workFolder, "SOLUC", out);
    std::optional<WorkTable> groups = openTable(workFolder, "GRUPOST", out);
    std::optional<WorkTable> rooms = openTable(workFolder, "AULAT", out);
    std::optional<WorkTable> subjects = openTable(workFolder, "ASIGNOMT", out);
    std::optional<WorkTable> slots = openTable(workFolder, "DIASHORAST", out);
    if (!soluc || !groups || !rooms || !subjects || !slots)
        return;
    try {
        std::vector<std::string> days;
        std::unordered_set<std::string> seenDays;
        for (slots->first(); !slots->atEnd(); slots->next())
            if (std::string day = slots->readText("DIA"); seenDays.insert(day).second)
                days.push_back(day);
        const exporting::DayCoding mode = coding.value_or(exporting::DayCoding::Letters);
        const bool mismatch = coding && exporting::slotDaysDisagree(mode, days);
        if (mismatch)
            out.push_back({folder.at("sice_sesiones.txt").storedName, 2,
                           std::string("los d\xED"
                                       "as van con ") +
                               (mode == exporting::DayCoding::Letters ? "letras" : "n\xFAmeros") +
                               " y DIASHORAST los tiene con " +
                               (mode == exporting::DayCoding::Letters ? "n\xFAmeros" : "letras") +
                               ": ning\xFAn tramo de SOLUC tendr\xE1 c\xF3"
                               "digo; vuelva a importar",
                           true});

        Lookup groupOf(*groups, {"ABREV"}), roomOf(*rooms, {"ABREV"}), taskOf(*subjects, {"COD"}),
            slotOf(*slots, {"DIA", "HORA"});
        Misses groupMisses, roomMisses, taskMisses, slotMisses;
        int64_t row = 0;
        for (soluc->first(); !soluc->atEnd(); soluc->next()) {
            ++row;
            std::string dayText = soluc->readText("DIA");
            int32_t day = 0;
            try {
                day = exporting::solucDayNumber(*soluc, dayText);
            } catch (const Error& error) {
                out.push_back({"SOLUC.DBF", row,
                               "campo DIA: la exportaci\xF3n se detendr\xED"
                               "a: " +
                                   error.message(),
                               true});
                continue;
            }
            if (day == 0)
                continue;
            const std::string siceDay =
                exporting::siceDayCode(mode, exporting::solucDayText(dayText, day));
            const std::string period = soluc->readText("HORA");
            if (!slotOf.finds({siceDay, period}))
                slotMisses.add(siceDay + "/" + period, row);
            struct Kind {
                const char* column;
                Lookup& lookup;
                Misses& misses;
                int64_t& emptyRows;
            };
            for (Kind k : {Kind{"CODGRUPO", groupOf, groupMisses, empty.groups},
                           Kind{"TAREA", taskOf, taskMisses, empty.tasks},
                           Kind{"AULA", roomOf, roomMisses, empty.rooms}}) {
                const std::string code = soluc->readText(k.column);
                if (k.lookup.finds({code}))
                    continue;
                if (code.empty())
                    ++k.emptyRows;
                else
                    k.misses.add(code, row);
            }
        }
        groupMisses.report("grupo", "GRUPOST", out);
        taskMisses.report("tarea", "ASIGNOMT (se escribe LEC)", out);
        roomMisses.report("aula", "AULAT", out);
        // With the day coding at odds every slot misses: the finding above names the cause.
        if (!mismatch)
            slotMisses.report("d\xED"
                              "a/hora",
                              "DIASHORAST (c\xF3"
                              "digo de tramo en blanco)",
                              out);
    } catch (const Error& error) {
        // A missing column: the export would stop on it the same way.
        out.push_back({"SOLUC.DBF", 0,
                       "la exportaci\xF3n se detendr\xED"
                       "a: " +
                           error.message(),
                       true});
    }
}

} // namespace tts::check
