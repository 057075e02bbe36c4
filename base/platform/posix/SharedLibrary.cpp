#include "base/platform/SharedLibrary.h"

#include <dlfcn.h>

namespace tts::platform {

SharedLibrary::SharedLibrary(const std::string& name)
    : module_(::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

SharedLibrary::~SharedLibrary() {
    if (module_)
        ::dlclose(module_);
}

void* SharedLibrary::symbol(const char* name) const {
    return module_ ? ::dlsym(module_, name) : nullptr;
}

} // namespace tts::platform
