#include "tables/DbfLayout.h"

#include "tables/TableErrors.h"

#include <climits>
#include <cstdio>

namespace tts::tables {

namespace {

constexpr unsigned char headerTerminator = 0x0D;

// Where the header's parts lie in each family.
struct HeaderShape {
    int fixedSize;      // bytes before the first field entry
    int descriptorSize; // bytes of one field entry
    int nameSize;       // the name's bytes at the start of an entry
    int typeAt, widthAt, decimalsAt;
};

constexpr HeaderShape classicShape{32, 32, 11, 11, 16, 17};
constexpr HeaderShape level7Shape{68, 48, 32, 32, 33, 34};

void readExactly(platform::File& file, unsigned char* buffer, size_t size, int64_t offset,
                 const std::string& path) {
    size_t done = 0;
    const platform::SystemError error =
        file.readAt(static_cast<std::uint64_t>(offset), buffer, size, done);
    if (error != 0)
        throw tableErrors::cannotRead(path, error);
    if (done < size)
        throw tableErrors::damaged(path, "el archivo termina antes que su cabecera");
}

int littleEndian16(const unsigned char* bytes) {
    return bytes[0] | (bytes[1] << 8);
}

uint32_t littleEndian32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// Up to the first NUL, trailing spaces dropped.
std::string storedName(const unsigned char* bytes, int size) {
    std::string name;
    for (int i = 0; i < size && bytes[i] != 0; ++i)
        name += static_cast<char>(bytes[i]);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

// The code page of a language driver byte, as the writers of every family number them; 0 when
// the byte is unknown.
int codePageOfDriver(unsigned char driver) {
    static const struct {
        unsigned char driver;
        int codePage;
    } known[] = {
        {0x01, 437},   {0x02, 850},   {0x03, 1252}, {0x04, 10000}, {0x08, 865},  {0x09, 437},
        {0x0A, 850},   {0x0B, 437},   {0x0D, 437},  {0x0E, 850},   {0x0F, 437},  {0x10, 850},
        {0x11, 437},   {0x12, 850},   {0x13, 932},  {0x14, 850},   {0x15, 437},  {0x16, 850},
        {0x17, 865},   {0x18, 437},   {0x19, 437},  {0x1A, 850},   {0x1B, 437},  {0x1C, 863},
        {0x1D, 850},   {0x1F, 852},   {0x22, 852},  {0x23, 852},   {0x24, 860},  {0x25, 850},
        {0x26, 866},   {0x37, 850},   {0x40, 852},  {0x4D, 936},   {0x4E, 949},  {0x4F, 950},
        {0x50, 874},   {0x57, 1252},  {0x58, 1252}, {0x59, 1252},  {0x64, 852},  {0x65, 866},
        {0x66, 865},   {0x67, 861},   {0x68, 895},  {0x69, 620},   {0x6A, 737},  {0x6B, 857},
        {0x6C, 863},   {0x78, 950},   {0x79, 949},  {0x7A, 936},   {0x7B, 932},  {0x7C, 874},
        {0x7D, 1255},  {0x7E, 1256},  {0x86, 737},  {0x87, 852},   {0x88, 857},  {0x96, 10007},
        {0x97, 10029}, {0x98, 10006}, {0xC8, 1250}, {0xC9, 1251},  {0xCA, 1254}, {0xCB, 1253},
        {0xCC, 1257},
    };
    for (const auto& k : known)
        if (k.driver == driver)
            return k.codePage;
    return 0;
}

// The record length the fields add up to, the deletion flag included; with `longTexts`, the
// decimals byte of a text is the high byte of its width.
int64_t sumOfWidths(const std::vector<DbfField>& fields, bool longTexts) {
    int64_t sum = 1;
    for (const DbfField& field : fields)
        sum += field.width + (longTexts && field.type == 'C' ? field.decimals << 8 : 0);
    return sum;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

DbfFamily familyOf(unsigned char version) {
    if ((version & 0x07) == 0x04) // the level in the low bits: 0x04, 0x8C
        return DbfFamily::Level7;
    if (version == 0x30 || version == 0x31 || version == 0x32)
        return DbfFamily::FoxPro;
    return DbfFamily::Dbase;
}

FieldEncoding encodingOf(DbfFamily family, char type, int width) {
    switch (type) {
    case 'C':
        return FieldEncoding::Text;
    case 'N':
    case 'F':
        return FieldEncoding::Number;
    case 'L':
        return FieldEncoding::Logical;
    default:
        break;
    }
    if (family == DbfFamily::Level7) {
        if ((type == 'I' || type == '+') && width == 4)
            return FieldEncoding::Level7Integer;
        if (type == 'O' && width == 8)
            return FieldEncoding::Level7Double;
        return FieldEncoding::Unreadable; // B is a binary memo here
    }
    // FoxPro's binary numbers; dBase IV's B is a 10-byte memo pointer, told apart by its width.
    if (type == 'I' && width == 4)
        return FieldEncoding::LittleInteger;
    if (type == 'B' && width == 8)
        return FieldEncoding::LittleDouble;
    if (type == 'Y' && width == 8)
        return FieldEncoding::Currency;
    return FieldEncoding::Unreadable;
}

DbfLayout readDbfLayout(platform::File& file, const std::string& path) {
    std::uint64_t bytes = 0;
    if (const platform::SystemError error = file.size(bytes))
        throw tableErrors::cannotRead(path, error);
    const int64_t fileSize = static_cast<int64_t>(bytes);
    if (fileSize < classicShape.fixedSize)
        throw tableErrors::damaged(path, "el archivo es demasiado corto para ser una tabla");

    unsigned char header[classicShape.fixedSize];
    readExactly(file, header, sizeof header, 0, path);

    DbfLayout layout;
    layout.version = header[0];
    layout.family = familyOf(layout.version);
    layout.headerLength = littleEndian16(header + 8);
    layout.recordLength = littleEndian16(header + 10);
    layout.languageDriver = header[29];
    const uint32_t declaredRecords = littleEndian32(header + 4);
    const HeaderShape& shape = layout.family == DbfFamily::Level7 ? level7Shape : classicShape;

    if (layout.headerLength < shape.fixedSize + shape.descriptorSize)
        throw tableErrors::damaged(path, "la cabecera es demasiado corta");
    if (layout.headerLength > fileSize)
        throw tableErrors::damaged(path, "la cabecera dice ser m\xE1s larga que el archivo");

    std::vector<unsigned char> whole(static_cast<size_t>(layout.headerLength));
    readExactly(file, whole.data(), whole.size(), 0, path);
    if (layout.family == DbfFamily::Level7)
        layout.languageDriverName = storedName(whole.data() + 32, 32);

    // Field entries end at the terminator or at the header's end; what lies between them and
    // the records (a level-7 properties area, a back link) is not ours to read.
    auto at = static_cast<size_t>(shape.fixedSize);
    const auto descriptorSize = static_cast<size_t>(shape.descriptorSize);
    while (at < whole.size() && whole[at] != headerTerminator) {
        if (at + descriptorSize > whole.size())
            throw tableErrors::damaged(path, "la descripci\xF3n de los campos est\xE1 incompleta");
        const unsigned char* descriptor = whole.data() + at;
        DbfField field;
        field.name = storedName(descriptor, shape.nameSize);
        field.type = static_cast<char>(descriptor[shape.typeAt]);
        field.width = descriptor[shape.widthAt];
        field.decimals = descriptor[shape.decimalsAt];
        if (field.name.empty())
            throw tableErrors::damaged(path, "un campo no tiene nombre");
        layout.fields.push_back(std::move(field));
        at += descriptorSize;
    }
    if (layout.fields.empty())
        throw tableErrors::damaged(path, "la tabla no tiene campos");

    // Clipper and FoxPro keep texts longer than 255 bytes with the decimals byte as the width's
    // high byte; other writers may leave a stray decimals byte on a text. The record length
    // tells which.
    int64_t recordLength = sumOfWidths(layout.fields, false);
    if (recordLength != layout.recordLength && layout.family != DbfFamily::Level7 &&
        sumOfWidths(layout.fields, true) == layout.recordLength) {
        for (DbfField& field : layout.fields)
            if (field.type == 'C') {
                field.width += field.decimals << 8;
                field.decimals = 0;
            }
        recordLength = layout.recordLength;
    }
    int offset = 1;
    for (DbfField& field : layout.fields) {
        if (field.width == 0)
            throw tableErrors::damaged(path, "el campo '" + field.name + "' tiene ancho 0");
        field.offset = offset;
        field.encoding = encodingOf(layout.family, field.type, field.width);
        offset += field.width;
    }
    if (recordLength != layout.recordLength)
        throw tableErrors::damaged(
            path, "la longitud de registro de la cabecera (" + std::to_string(layout.recordLength) +
                      ") no coincide con la de sus campos (" + std::to_string(recordLength) + ")");
    if (declaredRecords > static_cast<uint32_t>(INT_MAX))
        throw tableErrors::damaged(path, "la cabecera indica un n\xFAmero de registros imposible");
    layout.recordCount = declaredRecords;
    const int64_t completeRecords = (fileSize - layout.headerLength) / layout.recordLength;
    if (completeRecords < layout.recordCount)
        throw tableErrors::damaged(
            path, "la cabecera indica " + std::to_string(layout.recordCount) +
                      " registros y el archivo contiene " + std::to_string(completeRecords));
    return layout;
}

std::string foreignCodePage(const DbfLayout& layout) {
    const std::string& name = layout.languageDriverName;
    if (!name.empty()) {
        // The level-7 drivers of the Windows code page are DBWIN...; DOS ones carry their page.
        if (startsWith(name, "DBWIN") || name.find("ANSI") != std::string::npos)
            return "";
        if (startsWith(name, "DB") && name.size() >= 5 && isDigit(name[2]) && isDigit(name[3]) &&
            isDigit(name[4]))
            return "la p\xE1gina de c\xF3"
                   "digos " +
                   name.substr(2, 3) + " (controlador de idioma " + name + ")";
        return "el controlador de idioma " + name;
    }
    if (layout.languageDriver == 0)
        return "";
    const int codePage = codePageOfDriver(layout.languageDriver);
    if (codePage == 1252)
        return "";
    char driver[8];
    std::snprintf(driver, sizeof driver, "0x%02X", layout.languageDriver);
    if (codePage == 0)
        return std::string("el c\xF3"
                           "digo de idioma ") +
               driver;
    return "la p\xE1gina de c\xF3"
           "digos " +
           std::to_string(codePage) + " (c\xF3" + "digo de idioma " + driver + ")";
}

} // namespace tts::tables
