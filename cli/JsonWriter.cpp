#include "cli/JsonWriter.h"

#include <ostream>

namespace tts::cli {

std::string jsonString(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasItems_.empty()) {
        if (hasItems_.back())
            out_ << ',';
        hasItems_.back() = true;
        out_ << '\n' << std::string(2 * hasItems_.size(), ' ');
    }
}

void JsonWriter::open(char bracket) {
    beforeValue();
    out_ << bracket;
    hasItems_.push_back(false);
}

void JsonWriter::close(char bracket) {
    bool hadItems = hasItems_.back();
    hasItems_.pop_back();
    if (hadItems)
        out_ << '\n' << std::string(2 * hasItems_.size(), ' ');
    out_ << bracket;
}

void JsonWriter::beginObject() {
    open('{');
}
void JsonWriter::endObject() {
    close('}');
}
void JsonWriter::beginArray() {
    open('[');
}
void JsonWriter::endArray() {
    close(']');
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    out_ << jsonString(name) << ": ";
    afterKey_ = true;
}

void JsonWriter::value(std::string_view text) {
    beforeValue();
    out_ << jsonString(text);
}

void JsonWriter::value(int64_t number) {
    beforeValue();
    out_ << number;
}

void JsonWriter::value(bool flag) {
    beforeValue();
    out_ << (flag ? "true" : "false");
}

void JsonWriter::null() {
    beforeValue();
    out_ << "null";
}

void JsonWriter::finish() {
    out_ << '\n';
}

} // namespace tts::cli
