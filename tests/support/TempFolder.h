#pragma once

#include <stdlib.h>
#ifdef _WIN32
#include <process.h>
#endif

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace tts::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end,
// also when the test took away the rights to change it or a folder inside it.
class TempFolder {
public:
    TempFolder() {
#ifdef _WIN32
        // No mkdtemp: a name of our own, taken when nobody has it yet.
        static unsigned sequence = 0;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            const auto candidate = base / ("tts-test-" + std::to_string(::_getpid()) + "-" +
                                           std::to_string(sequence++));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = candidate.string();
                break;
            }
            if (error)
                throw std::runtime_error("cannot make a temporary folder");
        }
#else
        std::string pattern = (std::filesystem::temp_directory_path() / "tts-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
#endif
    }
    ~TempFolder() {
        giveBackRights(path_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const {
        return path_;
    }
    // Joined as the program joins paths, so that messages naming the file read the same.
    std::string file(const std::string& name) const {
#ifdef _WIN32
        return path_ + "\\" + name;
#else
        return path_ + "/" + name;
#endif
    }

    // The names of everything directly in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> all;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            all.push_back(entry.path().filename().string());
        std::sort(all.begin(), all.end());
        return all;
    }

private:
    // A folder that cannot be read or written cannot be emptied: the owner gets every right back
    // on each folder of the tree first. Links are not followed out of it.
    static void giveBackRights(const std::filesystem::path& folder) {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (it->symlink_status(ignored).type() == fs::file_type::directory)
                giveBackRights(it->path());
        }
    }

    std::string path_;
};

} // namespace tts::test
