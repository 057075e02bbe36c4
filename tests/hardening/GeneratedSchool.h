#pragma once

#include <string>

namespace tts::hardening {

// A made-up school of any size, written as the eight SICE files an import reads. `variant`
// goes into every name, so two variants give tables that differ in every row while their codes
// match: what is left after an interrupted run can be told apart, old from new, byte by byte.
struct SchoolSize {
    int groups = 40;
    int subjectsPerGroup = 12;
    int teachers = 60;
    int rooms = 30;
    int days = 5;
    int periodsPerDay = 6;
};

void writeSchool(const std::string& siceFolder, const SchoolSize& size, char variant);

// SOLUC.DBF for that school: `rows` lessons spread over its groups, days and periods, with some
// codes that the lookups do not find and some rows without a day.
void writeSoluc(const std::string& workFolder, const SchoolSize& size, int rows);

} // namespace tts::hardening
