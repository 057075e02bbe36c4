#pragma once

#include "base/platform/File.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tts::tables {

// The families of dBase writers whose tables are read. They differ in the header's shape and
// in how binary numbers are stored; records, deletion flags and text are the same for all.
enum class DbfFamily {
    Dbase,  // dBase III, IV and V (and FoxBASE, FoxPro 2): 32-byte header and field entries
    FoxPro, // Visual FoxPro: the same entries, then a 263-byte back link
    Level7, // dBase level 7: a 68-byte header and 48-byte field entries
};

// How a field's bytes hold its value, decided by the family and the field's type together:
// the same letter means different bytes in different families.
enum class FieldEncoding {
    Text,          // C: the bytes as stored
    Number,        // N, F: decimal digits in ASCII
    Logical,       // L
    LittleInteger, // FoxPro I: 4 bytes little-endian, signed
    Level7Integer, // level 7 I and +: 4 bytes big-endian, sign bit flipped; all zero: no value
    LittleDouble,  // FoxPro B: an 8-byte little-endian double
    Level7Double,  // level 7 O: 8 bytes big-endian, ordered so that bytes sort as numbers
    Currency,      // FoxPro Y: a little-endian 64-bit integer, ten-thousandths
    Unreadable,    // dates, memos, pictures, null flags...: carried along, never read
};

// One field descriptor of a dBase header.
struct DbfField {
    std::string name; // as stored, up to the first NUL, trailing spaces dropped
    char type = 'C';
    int width = 0; // bytes in the record
    int decimals = 0;
    int offset = 0; // from the start of the record; byte 0 is the deletion flag
    FieldEncoding encoding = FieldEncoding::Text;
};

// What a dBase file's header declares, after checking that the declaration is consistent with
// itself and with the file's size, so no read based on it can leave the file.
struct DbfLayout {
    unsigned char version = 0;
    DbfFamily family = DbfFamily::Dbase;
    int64_t recordCount = 0;
    int headerLength = 0; // records start here, whatever lies between the fields and them
    int recordLength = 0;
    std::vector<DbfField> fields;
    unsigned char languageDriver = 0; // byte 29: the code page the writer declared, 0 none
    std::string languageDriverName;   // level 7 only: bytes 32 to 63, up to the first NUL
};

DbfFamily familyOf(unsigned char version);
FieldEncoding encodingOf(DbfFamily family, char type, int width);

// Reads and checks the header of the open file; a header that lies (about its own length,
// the record length, the record count against the file size) or a cut-off file raises
// "El archivo de la tabla está dañado." with the reason. Bytes after the declared records are
// ignored: an append that was interrupted before the header was updated leaves them.
DbfLayout readDbfLayout(platform::File& file, const std::string& path);

// The code page the header declares when it is not Windows-1252, in words ("página de códigos
// 850 (controlador de idioma DB850ES0)"); empty when it is Windows-1252 or none is declared.
std::string foreignCodePage(const DbfLayout& layout);

} // namespace tts::tables
