#include "check/SiceFileSet.h"

#include "tables/TableSchemas.h"

namespace tts::check {

const std::vector<SiceFileUse>& siceFileUses() {
    using namespace sice::layout;
    namespace schema = tables::schema;
    // Which job reads the file into which table, in the words of the report.
    const auto import = [](const char* table, const char* more = "") {
        return std::string("la importaci\xF3n (") + table + more + ")";
    };
    const std::string alsoExport = " y la exportaci\xF3n";
    static const std::vector<SiceFileUse> uses = {
        SiceFileUse::of<Subjects>(true, import(schema::Subjects::table.name) + alsoExport),
        SiceFileUse::of<Activities>(false, import(schema::Subjects::table.name, ", opcional")),
        SiceFileUse::of<Teachers>(true, import(schema::Teachers::table.name)),
        SiceFileUse::of<Rooms>(true, import(schema::Rooms::table.name)),
        SiceFileUse::of<Groups>(true, import(schema::Groups::table.name)),
        SiceFileUse::of<Assignments>(true, import(schema::Assignments::table.name)),
        SiceFileUse::of<Courses>(false, "la importaci\xF3n (horas de " +
                                            std::string(schema::Assignments::table.name) +
                                            ", opcional)"),
        SiceFileUse::of<Sessions>(true, import(schema::Slots::table.name) + alsoExport),
    };
    return uses;
}

} // namespace tts::check
