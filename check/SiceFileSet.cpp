#include "check/SiceFileSet.h"

namespace tts::check {

const std::vector<SiceFileUse>& siceFileUses() {
    using namespace sice::layout;
    // Which job reads the file into which table, in the words of the report.
    const auto import = [](const char* table, const char* more = "") {
        return std::string("la importaci\xF3n (") + table + more + ")";
    };
    const std::string alsoExport = " y la exportaci\xF3n";
    static const std::vector<SiceFileUse> uses = {
        SiceFileUse::of<Subjects>(true, import(Subjects::table) + alsoExport),
        SiceFileUse::of<Activities>(false, import(Activities::table, ", opcional")),
        SiceFileUse::of<Teachers>(true, import(Teachers::table)),
        SiceFileUse::of<Rooms>(true, import(Rooms::table)),
        SiceFileUse::of<Groups>(true, import(Groups::table)),
        SiceFileUse::of<Assignments>(true, import(Assignments::table)),
        SiceFileUse::of<Courses>(false, "la importaci\xF3n (horas de " +
                                            std::string(Courses::hoursTable) + ", opcional)"),
        SiceFileUse::of<Sessions>(true, import(Sessions::table) + alsoExport),
    };
    return uses;
}

} // namespace tts::check
