#include "export/AnswerCache.h"

namespace tts::exporting {

namespace {

uint64_t lengthTag(size_t length) {
    return uint64_t{length + 1} << 56;
}

} // namespace

// Whole words where the key has them; the rest read as overlapping words shifted clear of the
// bytes already taken, so that no byte past the key is read.
PackedKey PackedKey::of(std::string_view stored) {
    const char* bytes = stored.data();
    const size_t size = stored.size();
    PackedKey key;
    if constexpr (std::endian::native == std::endian::little) {
        if (size >= 8) {
            key.low = wordOf(bytes, 8);
            if (size > 8)
                key.high = wordOf(bytes + size - 8, 8) >> (8 * (16 - size));
        } else if (size >= 4) {
            key.low = wordOf(bytes, 4) | (wordOf(bytes + size - 4, 4) >> (8 * (8 - size))) << 32;
        } else {
            key.low = wordOf(bytes, size);
        }
    } else {
        unsigned char padded[16] = {};
        std::memcpy(padded, bytes, size);
        std::memcpy(&key.low, padded, 8);
        std::memcpy(&key.high, padded + 8, 8);
    }
    key.high |= lengthTag(size);
    return key;
}

StoredKey::StoredKey(size_t offset, size_t width, size_t rowSize)
    : offset_(offset), width_(width), tag_(lengthTag(width)),
      direct_(std::endian::native == std::endian::little && width <= PackedKey::kLongest &&
              offset + 16 <= rowSize) {
    if (!direct_)
        return;
    lowMask_ = width >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * width)) - 1;
    highMask_ = width > 8 ? (uint64_t{1} << (8 * (width - 8))) - 1 : 0;
}

} // namespace tts::exporting
