#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace tts::fuzz {

// A private temporary folder, under $TTS_SCRATCH when set, else on /dev/shm when the machine has
// it, so that the thousands of files a fuzzing session writes never touch a disk. Removed with
// everything in it at destruction.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& label) {
        namespace fs = std::filesystem;
        const char* chosen = std::getenv("TTS_SCRATCH");
        std::string base = chosen && *chosen ? chosen : "/dev/shm";
        std::error_code ec;
        if (!fs::is_directory(base, ec)) {
            const char* tmp = std::getenv("TMPDIR");
            base = tmp && *tmp ? tmp : "/tmp";
        }
        std::string pattern = base + "/tts-" + label + "-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort(); // no scratch space: nothing sensible can run
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    // The folder as CarpetaSice-style prefix: with its trailing separator.
    std::string prefix() const { return path_ + "/"; }

    // Empties the folder but keeps it.
    void clear() const {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(path_, ec))
            std::filesystem::remove_all(entry.path(), ec);
    }

private:
    std::string path_;
};

} // namespace tts::fuzz
