#pragma once

#include "base/Error.h"

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

namespace tts {

// Where the value that stopped a job lies: a line of a SICE file and its columns, or a row of a
// work table and its column. The message of the error stays the one the user knows; this only
// adds where to look.
struct ValueLocation {
    std::string file;  // path as the job used it
    int64_t line = 0;  // 1-based line of the file, or row of the table; 0: the file as a whole
    std::string place; // "columnas 14-17", "campo DIA", "otro programa lo tiene abierto"

    // "<file>:<line>: <place>", or "<file>: <place>" for the whole file.
    std::string text() const {
        return line > 0 ? file + ":" + std::to_string(line) + ": " + place : file + ": " + place;
    }
};

class LocatedError : public Error {
public:
    LocatedError(const std::string& message, ValueLocation where)
        : Error(message), where_(std::move(where)) {}
    const ValueLocation& where() const { return where_; }

private:
    ValueLocation where_;
};

// Runs `action` (reading or storing one value); an error it raises leaves with the place
// `where()` gives attached. `where` is called only when the value fails, for places that cost
// more to work out than the value itself.
template <class Where, class Action>
requires std::is_invocable_r_v<ValueLocation, const Where&>
auto locateErrors(const Where& where, Action&& action) -> decltype(action()) {
    try {
        return action();
    } catch (const LocatedError&) {
        throw;
    } catch (const Error& error) {
        throw LocatedError(error.message(), where());
    }
}

// The same with the place at hand.
template <class Action>
auto locateErrors(const ValueLocation& where, Action&& action) -> decltype(action()) {
    return locateErrors([&where]() -> const ValueLocation& { return where; },
                        std::forward<Action>(action));
}

inline std::string columnsPlace(int first, int last) {
    return "columnas " + std::to_string(first) + "-" + std::to_string(last);
}

} // namespace tts
