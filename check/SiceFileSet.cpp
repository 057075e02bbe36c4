#include "check/SiceFileSet.h"

namespace tts::check {

const std::vector<SiceFileUse>& siceFileUses() {
    using namespace sice::layout;
    static const std::vector<SiceFileUse> uses = {
        SiceFileUse::of<Subjects>(true, "la importaci\xF3n (ASIGNOMT) y la exportaci\xF3n"),
        SiceFileUse::of<Activities>(false, "la importaci\xF3n (ASIGNOMT, opcional)"),
        SiceFileUse::of<Teachers>(true, "la importaci\xF3n (PROFT)"),
        SiceFileUse::of<Rooms>(true, "la importaci\xF3n (AULAT)"),
        SiceFileUse::of<Groups>(true, "la importaci\xF3n (GRUPOST)"),
        SiceFileUse::of<Assignments>(true, "la importaci\xF3n (ASIGT)"),
        SiceFileUse::of<Courses>(false, "la importaci\xF3n (horas de ASIGT, opcional)"),
        SiceFileUse::of<Sessions>(true, "la importaci\xF3n (DIASHORAST) y la exportaci\xF3n"),
    };
    return uses;
}

} // namespace tts::check
