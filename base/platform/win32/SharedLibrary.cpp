#include "base/platform/SharedLibrary.h"

#include <windows.h>

namespace tts::platform {

SharedLibrary::SharedLibrary(const std::string& name)
    : module_(reinterpret_cast<void*>(::LoadLibraryA(name.c_str()))) {}

SharedLibrary::~SharedLibrary() {
    if (module_)
        ::FreeLibrary(static_cast<HMODULE>(module_));
}

void* SharedLibrary::symbol(const char* name) const {
    return module_ ? reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module_), name))
                   : nullptr;
}

} // namespace tts::platform
