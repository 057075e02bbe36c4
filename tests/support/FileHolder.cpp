// Linked into a test program, this turns the program, when started with TTS_HOLD_FILE and
// TTS_HOLD_MODE in its environment, into a helper that holds that file the way another program
// would, writes FILE.ready, and lets go when FILE.release appears (or after a minute). The
// tests start it with tests/support/ChildProcess.h.
#include "base/platform/File.h"

#include "tests/support/FileBytes.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

bool holdFile(const std::string& path, const std::string& mode) {
    tts::platform::SystemError error = 0;
    tts::platform::File exclusive;
#ifndef _WIN32
    int fd = -1;
    if (mode != "exclusive") {
        fd = ::open(path.c_str(), O_RDWR);
        if (fd < 0)
            return false;
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (mode == "flock" && ::flock(fd, LOCK_EX) != 0)
            return false;
        if (mode == "fcntl" && ::fcntl(fd, F_SETLK, &lock) != 0)
            return false;
        if (mode == "ofd" && ::fcntl(fd, F_OFD_SETLK, &lock) != 0)
            return false;
    }
#endif
    if (mode == "exclusive") {
        exclusive = tts::platform::File::open(path, tts::platform::Access::ReadWrite,
                                              tts::platform::Share::None,
                                              tts::platform::Disposition::OpenExisting, error);
        if (error)
            return false;
    }
    tts::test::writeBytes(path + ".ready", "");
    for (int i = 0; i < 3000 && !std::filesystem::exists(path + ".release"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
#ifndef _WIN32
    if (fd >= 0)
        ::close(fd);
#endif
    return true;
}

const bool holderRan = [] {
    const char* path = std::getenv("TTS_HOLD_FILE");
    const char* mode = std::getenv("TTS_HOLD_MODE");
    if (!path || !mode)
        return false;
    std::exit(holdFile(path, mode) ? 0 : 3);
}();

} // namespace
