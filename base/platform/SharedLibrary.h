#pragma once

#include <string>

namespace tts::platform {

// A library loaded at run time, unloaded when this goes.
class SharedLibrary {
public:
    explicit SharedLibrary(const std::string& name);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    void* symbol(const char* name) const; // null when missing

private:
    void* module_ = nullptr;
};

} // namespace tts::platform
