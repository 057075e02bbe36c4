#pragma once

// The columns a work table is created with: as a definition, and as a schema declares them.

#include <string>

namespace tts::tables {

enum class ColumnType { Text, Boolean, Integer, Float };

struct Column {
    std::string name;
    ColumnType type = ColumnType::Text;
    int width = 0; // text columns only

    static Column text(std::string name, int width) {
        return {std::move(name), ColumnType::Text, width};
    }
    static Column boolean(std::string name) { return {std::move(name), ColumnType::Boolean, 0}; }
    static Column integer(std::string name) { return {std::move(name), ColumnType::Integer, 0}; }
    static Column floating(std::string name) { return {std::move(name), ColumnType::Float, 0}; }
};

// A column declared once for good: every product file that reads or writes it names it through
// its declaration, never by a literal of its own.
struct DeclaredColumn {
    const char* name;
    ColumnType type = ColumnType::Text;
    int width = 0; // text columns only

    static constexpr DeclaredColumn text(const char* name, int width) {
        return {name, ColumnType::Text, width};
    }
    static constexpr DeclaredColumn boolean(const char* name) {
        return {name, ColumnType::Boolean};
    }
    static constexpr DeclaredColumn integer(const char* name) {
        return {name, ColumnType::Integer};
    }
    static constexpr DeclaredColumn floating(const char* name) { return {name, ColumnType::Float}; }

    Column definition() const { return {name, type, width}; }
};

} // namespace tts::tables
