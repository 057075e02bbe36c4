#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tts::cli {

// A small streaming JSON writer for the command line's reports, indented two spaces.
// Strings go in as UTF-8 (convert Windows-1252 with tts::windows1252ToUtf8 or tts::textForDisplay
// first).
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    void key(std::string_view name); // inside an object, before each value
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(int64_t number);
    void value(int number) { value(static_cast<int64_t>(number)); }
    void value(bool flag);
    void null();
    // key(name) then value(v): one member of an object.
    template <class Value> void member(std::string_view name, const Value& v) {
        key(name);
        value(v);
    }

    // Ends the document with a line end.
    void finish();

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);

    std::ostream& out_;
    std::vector<bool> hasItems_; // per open object/array
    bool afterKey_ = false;
};

// `text` as a JSON string literal, quotes included.
std::string jsonString(std::string_view text);

} // namespace tts::cli
