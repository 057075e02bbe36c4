#include "GeneratedSchool.h"

#include "tests/support/FileBytes.h"
#include "tables/WorkTable.h"

#include <cstdio>
#include <string>
#include <vector>

namespace tts::hardening {

namespace {

// Places each value at its 1-based column, blanks in between.
class FixedLine {
public:
    explicit FixedLine(char recordType) : text_(1, recordType) {}
    FixedLine& at(int column, const std::string& value) {
        if (text_.size() < static_cast<size_t>(column - 1))
            text_.resize(static_cast<size_t>(column - 1), ' ');
        text_.replace(static_cast<size_t>(column - 1), value.size(), value);
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

std::string numbered(const char* prefix, int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%03d", prefix, number % 1000);
    return text;
}

// Four-character codes, distinct for up to 36^3 numbers after the letter.
std::string code4(char letter, int number) {
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string code(1, letter);
    code += digits[(number / 1296) % 36];
    code += digits[(number / 36) % 36];
    code += digits[number % 36];
    return code;
}

std::string groupCode(int g) {
    return "G" + std::to_string(g);
}
const char* const kLevels[] = {"ESO", "BAC", "FPB"};
std::string level(int g) {
    return kLevels[g % 3];
}
std::string course(int g) {
    return std::to_string(1 + g % 4);
}

void writeFile(const std::string& folder, const std::string& name,
               const std::vector<std::string>& data) {
    std::vector<std::string> lines;
    std::string upper = name;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    lines.push_back(FixedLine('0').at(2, upper).at(52, "37999042").at(60, "020920240915").text());
    lines.insert(lines.end(), data.begin(), data.end());
    lines.push_back(FixedLine('9').at(2, upper).at(52, "37999042").at(60, "020920240915").text() +
                    std::to_string(data.size()));
    test::writeLines(folder + "/" + name, lines);
}

} // namespace

void writeSchool(const std::string& siceFolder, const SchoolSize& size, char variant) {
    const std::string tag(1, variant);
    const int subjects = size.subjectsPerGroup * 3;
    std::vector<std::string> data;

    for (int s = 0; s < subjects; ++s)
        data.push_back(FixedLine('1')
                           .at(2, code4('S', s))
                           .at(6, numbered("ASIGNATURA", s) + tag)
                           .at(26, "Asignatura " + std::to_string(s) + " variante " + tag)
                           .text());
    writeFile(siceFolder, "sice_asignat.txt", data);

    data.clear();
    for (int a = 0; a < 5; ++a)
        data.push_back(FixedLine('1')
                           .at(2, code4('A', a))
                           .at(6, "Actividad " + std::to_string(a) + " " + tag)
                           .at(66, code4('T', a).substr(0, 3))
                           .text());
    writeFile(siceFolder, "SICE_ACTIVIDADES.TXT", data);

    data.clear();
    for (int t = 0; t < size.teachers; ++t)
        data.push_back(FixedLine('1')
                           .at(2, code4('P', t))
                           .at(6, "Profesor " + std::to_string(t) + " " + tag)
                           .at(96, "Departamento " + std::to_string(t % 17))
                           .text());
    writeFile(siceFolder, "sice_prof.txt", data);

    data.clear();
    for (int r = 0; r < size.rooms; ++r)
        data.push_back(FixedLine('1')
                           .at(2, "AULA" + std::to_string(r))
                           .at(12, code4('R', r))
                           .at(86, "Aula " + std::to_string(r) + " " + tag)
                           .text());
    writeFile(siceFolder, "sice_aulas.txt", data);

    data.clear();
    for (int g = 0; g < size.groups; ++g)
        data.push_back(FixedLine('1')
                           .at(2, groupCode(g))
                           .at(12, code4('U', g))
                           .at(16, level(g))
                           .at(19, "LOM")
                           .at(22, course(g))
                           .at(25, "Grupo " + tag)
                           .at(35, "M")
                           .text());
    writeFile(siceFolder, "sice_grupo.txt", data);

    data.clear();
    for (int g = 0; g < size.groups; ++g)
        for (int k = 0; k < size.subjectsPerGroup; ++k)
            data.push_back(FixedLine('1')
                               .at(2, groupCode(g))
                               .at(12, code4('U', g))
                               .at(16, code4('S', (g + k) % subjects))
                               .at(20, code4('P', (g * 7 + k) % size.teachers))
                               .text());
    writeFile(siceFolder, "sice_asignatgrupo.txt", data);

    data.clear();
    for (int l = 0; l < 3; ++l)
        for (int c = 1; c <= 4; ++c)
            for (int s = 0; s < subjects; ++s)
                data.push_back(
                    FixedLine('1')
                        .at(2, kLevels[l])
                        .at(8, std::to_string(c))
                        .at(11, "Curso " + tag)
                        .at(24, code4('S', s))
                        .at(28, std::to_string(1 + (s + c + (variant == 'B')) % 5) + ",5")
                        .text());
    writeFile(siceFolder, "sice_asignatcurso.txt", data);

    data.clear();
    static const char days[] = "LMXJVSD";
    for (int d = 0; d < size.days; ++d)
        for (int p = 0; p < size.periodsPerDay; ++p) {
            const int start = 800 + p * 100 + (variant == 'B' ? 5 : 0);
            data.push_back(FixedLine('1')
                               .at(5, code4('H', d * 100 + p))
                               .at(9, std::string(1, days[d % 7]))
                               .at(10, std::to_string(start))
                               .at(14, std::to_string(start + 55))
                               .at(18, "Sesion " + tag)
                               .text());
        }
    writeFile(siceFolder, "sice_sesiones.txt", data);
}

void writeSoluc(const std::string& workFolder, const SchoolSize& size, int rows) {
    using S = tables::schema::Timetable;
    auto soluc = tables::WorkTable::createAfresh(workFolder, S::table);
    const tables::ColumnHandle dia = soluc.column(S::dia), hora = soluc.column(S::hora),
                               prof = soluc.column(S::prof), codGrupo = soluc.column(S::codGrupo),
                               tarea = soluc.column(S::tarea), asig = soluc.column(S::asig),
                               aula = soluc.column(S::aula);
    const int subjects = size.subjectsPerGroup * 3;
    for (int i = 0; i < rows; ++i) {
        soluc.append();
        if (i % 97 != 0) // now and then a row without a day, which the export skips
            soluc.writeFloat(dia, 1 + i % size.days);
        soluc.writeFloat(hora, 1 + (i / size.days) % size.periodsPerDay);
        soluc.writeText(prof, code4('P', i % size.teachers));
        soluc.writeText(codGrupo, i % 50 == 1 ? "NOGROUP" : groupCode(i % size.groups));
        soluc.writeText(tarea, i % 10 == 0 ? "*" + code4('A', i % 5) : "NOTASK");
        soluc.writeText(asig, code4('S', i % subjects));
        soluc.writeText(aula, i % 40 == 3 ? "NOROOM" : "AULA" + std::to_string(i % size.rooms));
        soluc.post();
    }
    soluc.close();
}

} // namespace tts::hardening
