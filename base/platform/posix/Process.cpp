#include "base/platform/Process.h"

#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#endif

#include <vector>

namespace tts::platform {

long currentProcessId() {
    return static_cast<long>(::getpid());
}

std::string executablePath() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length <= 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

#if defined(__GLIBC__)
namespace {
constexpr size_t kHugePage = 2 * 1024 * 1024;
constexpr size_t kHeapStep = 64 * 1024 * 1024; // virtual: only what is touched is backed
constexpr int kDefaultThreshold = 128 * 1024;  // glibc's own mmap, trim and top pad
} // namespace

// glibc gives large blocks back at once (they are mapped on their own) and trims the heap's top
// beyond a threshold: both are raised for the job. One allocation then grows the heap by a large
// step, which is marked for huge pages; later growth of the heap would not be, as the system
// keeps a marked range apart from what is added to it.
JobMemory::JobMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024); // the most glibc takes
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    mallopt(M_TOP_PAD, static_cast<int>(kHeapStep));
    const auto before = reinterpret_cast<uintptr_t>(sbrk(0));
    // Used, so that the compiler keeps the allocation and the heap grows.
    auto* volatile probe = static_cast<char*>(std::malloc(kHugePage));
    const auto after = reinterpret_cast<uintptr_t>(sbrk(0));
    std::free(probe);
    mallopt(M_TOP_PAD, kDefaultThreshold);
    const uintptr_t from = (before + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t to = after & ~(kHugePage - 1);
    if (before != static_cast<uintptr_t>(-1) && to > from)
        (void)madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

JobMemory::~JobMemory() {
    mallopt(M_MMAP_THRESHOLD, kDefaultThreshold);
    mallopt(M_TRIM_THRESHOLD, kDefaultThreshold);
    malloc_trim(0);
}
#else
JobMemory::JobMemory() = default;
JobMemory::~JobMemory() = default;
#endif

} // namespace tts::platform
