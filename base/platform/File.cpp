#include "base/platform/File.h"

namespace tts::platform {

SystemError readAll(File& file, std::string& bytes) {
    bytes.clear();
    std::uint64_t size = 0;
    if (const SystemError error = file.size(size))
        return error;
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t got = 0;
    const SystemError error = file.readAt(0, bytes.data(), bytes.size(), got);
    bytes.resize(error ? 0 : got);
    return error;
}

SystemError readWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    SystemError error = 0;
    File file = File::open(path, Access::Read, Share::Read, Disposition::OpenExisting, error);
    if (error)
        return error;
    return readAll(file, bytes);
}

} // namespace tts::platform
