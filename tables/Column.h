#pragma once

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

} // namespace tts::tables
