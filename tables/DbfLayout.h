#pragma once

#include "tables/TableFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tts::tables {

// One field descriptor of a dBase header.
struct DbfField {
    std::string name; // as stored, up to the first NUL, trailing spaces dropped
    char type = 'C';  // 'C', 'N', 'F', 'L' are read and written; any other is carried along
    int width = 0;    // bytes in the record
    int decimals = 0;
    int offset = 0; // from the start of the record; byte 0 is the deletion flag
};

// What a dBase file's header declares, after checking that the declaration is consistent with
// itself and with the file's size, so no read based on it can leave the file.
struct DbfLayout {
    unsigned char version = 0;
    int64_t recordCount = 0;
    int headerLength = 0;
    int recordLength = 0;
    std::vector<DbfField> fields;
};

// Reads and checks the header of the open file; a header that lies (about its own length,
// the record length, the record count against the file size) or a cut-off file raises
// "El archivo de la tabla está dañado." with the reason. Bytes after the declared records are
// ignored: an append that was interrupted before the header was updated leaves them.
DbfLayout readDbfLayout(const TableFile& file, const std::string& path);

} // namespace tts::tables
