#include "tables/DbfLayout.h"

#include "tables/TableErrors.h"

#include <climits>

namespace tts::tables {

namespace {

constexpr int fileHeaderSize = 32;
constexpr int descriptorSize = 32;
constexpr unsigned char headerTerminator = 0x0D;

void readExactly(const TableFile& file, unsigned char* buffer, size_t size, int64_t offset,
                 const std::string& path) {
    int error = 0;
    size_t done = file.readAt(buffer, size, offset, error);
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

std::string fieldName(const unsigned char* descriptor) {
    std::string name;
    for (int i = 0; i < 11 && descriptor[i] != 0; ++i)
        name += static_cast<char>(descriptor[i]);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

} // namespace

DbfLayout readDbfLayout(const TableFile& file, const std::string& path) {
    int error = 0;
    const int64_t fileSize = file.size(error);
    if (error != 0)
        throw tableErrors::cannotRead(path, error);
    if (fileSize < fileHeaderSize)
        throw tableErrors::damaged(path, "el archivo es demasiado corto para ser una tabla");

    unsigned char header[fileHeaderSize];
    readExactly(file, header, sizeof header, 0, path);

    DbfLayout layout;
    layout.version = header[0];
    layout.headerLength = littleEndian16(header + 8);
    layout.recordLength = littleEndian16(header + 10);
    const uint32_t declaredRecords = littleEndian32(header + 4);

    // dBase 7 describes its fields in 48-byte entries that this layer does not read.
    if ((layout.version & 0x07) == 0x04)
        throw tableErrors::damaged(path, "formato dBase 7, que no se puede leer");
    if (layout.headerLength < fileHeaderSize + descriptorSize)
        throw tableErrors::damaged(path, "la cabecera es demasiado corta");
    if (layout.headerLength > fileSize)
        throw tableErrors::damaged(path, "la cabecera dice ser m\xE1s larga que el archivo");

    std::vector<unsigned char> descriptors(
        static_cast<size_t>(layout.headerLength - fileHeaderSize));
    readExactly(file, descriptors.data(), descriptors.size(), fileHeaderSize, path);

    int offset = 1;
    size_t at = 0;
    while (at < descriptors.size() && descriptors[at] != headerTerminator) {
        if (at + descriptorSize > descriptors.size())
            throw tableErrors::damaged(path, "la descripci\xF3n de los campos est\xE1 incompleta");
        const unsigned char* descriptor = descriptors.data() + at;
        DbfField field;
        field.name = fieldName(descriptor);
        field.type = static_cast<char>(descriptor[11]);
        field.width = descriptor[16];
        field.decimals = descriptor[17];
        field.offset = offset;
        if (field.name.empty())
            throw tableErrors::damaged(path, "un campo no tiene nombre");
        if (field.width == 0)
            throw tableErrors::damaged(path, "el campo '" + field.name + "' tiene ancho 0");
        offset += field.width;
        layout.fields.push_back(std::move(field));
        at += descriptorSize;
    }
    if (layout.fields.empty())
        throw tableErrors::damaged(path, "la tabla no tiene campos");
    if (offset != layout.recordLength)
        throw tableErrors::damaged(
            path, "la longitud de registro de la cabecera (" + std::to_string(layout.recordLength) +
                      ") no coincide con la de sus campos (" + std::to_string(offset) + ")");
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

} // namespace tts::tables
