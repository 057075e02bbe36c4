#include "import/ImportWarnings.h"

#include "base/WarningText.h"
#include "sice/SiceLayouts.h"
#include "tables/TableSchemas.h"

namespace tts::import {

std::vector<std::string> importWarnings(const ImportReport& report) {
    std::vector<std::string> out;
    for (const TableReport& table : report.tables) {
        if (!table.fileWithoutData.empty())
            out.push_back(table.fileWithoutData + " no tiene l\xEDneas con datos: " + table.table +
                          " se ha rehecho sin ellas (" + std::to_string(table.rowsWritten) +
                          (table.rowsWritten == 1 ? " fila" : " filas") +
                          "); exporte de nuevo el fichero desde SICE");
        if (table.table == tables::schema::Groups::table.name && !table.rebuilt)
            out.push_back(std::string("No hay ") + sice::layout::Groups::file + ": " + table.table +
                          " se queda como estaba, con los grupos de una "
                          "importaci\xF3n anterior");
        for (const RepeatedCodes& repeats : table.repeats)
            out.push_back(repeats.file + ": " + std::to_string(repeats.lines) +
                          (repeats.lines == 1 ? " l\xEDnea con un c\xF3"
                                                "digo repetido se ha dejado fuera"
                                              : " l\xEDneas con un c\xF3"
                                                "digo repetido se han dejado fuera") +
                          " (vale la primera): " + namedCodes(repeats.codes, repeats.distinct));
    }
    for (const std::string& leftAside : report.filesLeftAside)
        out.push_back("Nombres que solo difieren en may\xFAsculas: " + leftAside);
    return out;
}

} // namespace tts::import
