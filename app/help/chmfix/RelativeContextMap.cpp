// Build tool: makes the context map of a CHM written by chmcmd point at pages inside the CHM.
//
// chmcmd stores each context's page in #STRINGS as the absolute path of the page on the build
// machine ("/home/.../chm/ventana.html"). Viewers look that path up inside the CHM and find
// nothing, so a help context opens the home page instead of its topic. This tool appends the
// relative page names to #STRINGS, points #IVB at them, and stores both objects uncompressed at
// the end of the file; every other object, and every offset into #STRINGS, stays as it was.
//
// Usage: RelativeContextMap <in.chm> <out.chm> <project folder>

#include <chm_lib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

std::uint32_t get32(const Bytes& bytes, std::size_t at) {
    if (at + 4 > bytes.size())
        fail("truncated data");
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint64_t get64(const Bytes& bytes, std::size_t at) {
    return get32(bytes, at) | static_cast<std::uint64_t>(get32(bytes, at + 4)) << 32;
}

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

void put64(Bytes& bytes, std::size_t at, std::uint64_t value) {
    put32(bytes, at, static_cast<std::uint32_t>(value));
    put32(bytes, at + 4, static_cast<std::uint32_t>(value >> 32));
}

// The directory's variable-length numbers: 7 bits a byte, most significant first.
std::uint64_t getEncInt(const Bytes& bytes, std::size_t& at, std::size_t end) {
    std::uint64_t value = 0;
    for (;;) {
        if (at >= end)
            fail("truncated directory entry");
        const unsigned char byte = bytes[at++];
        value = (value << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0)
            return value;
    }
}

void putEncInt(Bytes& out, std::uint64_t value) {
    unsigned char groups[10];
    int count = 0;
    do {
        groups[count++] = static_cast<unsigned char>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count-- > 0)
        out.push_back(static_cast<unsigned char>(groups[count] | (count > 0 ? 0x80 : 0)));
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes readObject(chmFile* chm, const char* name) {
    chmUnitInfo unit{};
    if (chm_resolve_object(chm, name, &unit) != CHM_RESOLVE_SUCCESS)
        fail(std::string("no ") + name + " in the help file");
    Bytes bytes(static_cast<std::size_t>(unit.length));
    if (chm_retrieve_object(chm, &unit, bytes.data(), 0, static_cast<LONGINT64>(unit.length)) !=
        static_cast<LONGINT64>(unit.length))
        fail(std::string("cannot read ") + name);
    return bytes;
}

struct DirectoryEntry {
    std::string name;
    std::uint64_t section, offset, length;
};

// Rewrites the listing chunk at `chunkStart` with the entries of `moved` placed in section 0.
// Returns whether the chunk held any of them.
bool rewriteListingChunk(Bytes& file, std::size_t chunkStart, std::size_t chunkSize,
                         unsigned density, const std::vector<DirectoryEntry>& moved) {
    Bytes chunk(file.begin() + static_cast<std::ptrdiff_t>(chunkStart),
                file.begin() + static_cast<std::ptrdiff_t>(chunkStart + chunkSize));
    if (chunk[0] != 'P' || chunk[1] != 'M' || chunk[2] != 'G' || chunk[3] != 'L')
        return false;
    const std::size_t used = chunkSize - get32(chunk, 4);
    std::vector<DirectoryEntry> entries;
    std::vector<std::size_t> entryStarts;
    for (std::size_t at = 0x14; at < used;) {
        entryStarts.push_back(at);
        const auto nameLength = getEncInt(chunk, at, used);
        if (at + nameLength > used)
            fail("truncated directory entry");
        DirectoryEntry entry;
        entry.name.assign(chunk.begin() + static_cast<std::ptrdiff_t>(at),
                          chunk.begin() + static_cast<std::ptrdiff_t>(at + nameLength));
        at += nameLength;
        entry.section = getEncInt(chunk, at, used);
        entry.offset = getEncInt(chunk, at, used);
        entry.length = getEncInt(chunk, at, used);
        entries.push_back(entry);
    }
    bool touched = false;
    for (auto& entry : entries)
        for (const auto& replacement : moved)
            if (entry.name == replacement.name) {
                entry = replacement;
                touched = true;
            }
    if (!touched)
        return false;

    // The quick-reference area at the end keeps, from the last bytes backwards, the number of
    // entries and the position of one entry in every (1 + 2^density). Writers differ in which
    // entry and from where they count (chmcmd: the last of each group, from the end of the
    // header), so the convention is read off the original chunk and kept.
    const std::size_t interval = 1 + (std::size_t{1} << density);
    auto storedQuickRef = [&](std::size_t i) {
        const std::size_t at = chunkSize - 2 - 2 * i;
        return static_cast<std::size_t>(chunk[at]) | static_cast<std::size_t>(chunk[at + 1]) << 8;
    };
    struct Convention {
        std::size_t shift, base;
    };
    std::optional<Convention> convention;
    for (const Convention candidate :
         {Convention{1, 0x14}, Convention{0, 0x14}, Convention{1, 0}, Convention{0, 0}}) {
        bool fits = true;
        for (std::size_t i = 1; i * interval - candidate.shift < entries.size() && fits; ++i)
            fits =
                storedQuickRef(i) == entryStarts[i * interval - candidate.shift] - candidate.base;
        if (fits) {
            convention = candidate;
            break;
        }
    }
    if (!convention)
        fail("unknown layout of the directory's quick references");
    Bytes body;
    std::vector<std::size_t> starts;
    for (const auto& entry : entries) {
        starts.push_back(0x14 + body.size());
        putEncInt(body, entry.name.size());
        body.insert(body.end(), entry.name.begin(), entry.name.end());
        putEncInt(body, entry.section);
        putEncInt(body, entry.offset);
        putEncInt(body, entry.length);
    }
    std::size_t quickRefs = 0;
    while ((quickRefs + 1) * interval - convention->shift < entries.size())
        ++quickRefs;
    const std::size_t quickRefBytes = 2 + 2 * quickRefs;
    if (0x14 + body.size() + quickRefBytes > chunkSize)
        fail("the directory chunk has no room left");
    Bytes rewritten(chunkSize, 0);
    std::copy(chunk.begin(), chunk.begin() + 0x14, rewritten.begin());
    std::copy(body.begin(), body.end(), rewritten.begin() + 0x14);
    put32(rewritten, 4, static_cast<std::uint32_t>(chunkSize - 0x14 - body.size()));
    for (std::size_t i = 1; i <= quickRefs; ++i) {
        const std::size_t value = starts[i * interval - convention->shift] - convention->base;
        const std::size_t at = chunkSize - 2 - 2 * i;
        rewritten[at] = static_cast<unsigned char>(value);
        rewritten[at + 1] = static_cast<unsigned char>(value >> 8);
    }
    rewritten[chunkSize - 2] = static_cast<unsigned char>(entries.size());
    rewritten[chunkSize - 1] = static_cast<unsigned char>(entries.size() >> 8);
    std::copy(rewritten.begin(), rewritten.end(),
              file.begin() + static_cast<std::ptrdiff_t>(chunkStart));
    return true;
}

// Every help context of the written file must open a page that the file holds.
void verifyContexts(const std::string& path) {
    std::unique_ptr<chmFile, void (*)(chmFile*)> chm(chm_open(path.c_str()), chm_close);
    if (!chm)
        fail("cannot open the written " + path);
    const Bytes ivb = readObject(chm.get(), "/#IVB");
    const Bytes strings = readObject(chm.get(), "/#STRINGS");
    for (std::size_t at = 4; at + 8 <= ivb.size(); at += 8) {
        const std::uint32_t offset = get32(ivb, at + 4);
        if (offset >= strings.size())
            fail("context map points outside #STRINGS");
        const std::string page = reinterpret_cast<const char*>(strings.data()) + offset;
        chmUnitInfo unit{};
        if (chm_resolve_object(chm.get(), ("/" + page).c_str(), &unit) != CHM_RESOLVE_SUCCESS)
            fail("help context " + std::to_string(get32(ivb, at)) + " opens " + page + ", which " +
                 path + " does not hold");
    }
}

int run(const std::string& input, const std::string& output, std::string projectFolder) {
    if (!projectFolder.empty() && projectFolder.back() != '/')
        projectFolder += '/';

    std::unique_ptr<chmFile, void (*)(chmFile*)> chm(chm_open(input.c_str()), chm_close);
    if (!chm)
        fail("cannot open " + input + " as a help file");
    Bytes ivb = readObject(chm.get(), "/#IVB");
    Bytes strings = readObject(chm.get(), "/#STRINGS");
    chm.reset();

    // #IVB: its size, then pairs of context number and offset of the page's name in #STRINGS.
    bool changed = false;
    for (std::size_t at = 4; at + 8 <= ivb.size(); at += 8) {
        const std::uint32_t offset = get32(ivb, at + 4);
        if (offset >= strings.size())
            fail("context map points outside #STRINGS");
        const std::string page(reinterpret_cast<const char*>(strings.data()) + offset);
        if (page.rfind(projectFolder, 0) != 0)
            continue;
        const std::string relative = page.substr(projectFolder.size());
        put32(ivb, at + 4, static_cast<std::uint32_t>(strings.size()));
        strings.insert(strings.end(), relative.begin(), relative.end());
        strings.push_back(0);
        changed = true;
    }

    Bytes file = readFile(input);
    if (changed) {
        if (file.size() < 0x60 || file[0] != 'I' || file[1] != 'T' || file[2] != 'S' ||
            file[3] != 'F' || get32(file, 4) != 3)
            fail(input + " is not a CHM file of version 3");
        const std::uint64_t header0 = get64(file, 0x38);
        const std::uint64_t directory = get64(file, 0x48);
        const std::uint64_t content = get64(file, 0x58);
        const std::size_t chunkSize = get32(file, static_cast<std::size_t>(directory) + 0x10);
        const unsigned density = get32(file, static_cast<std::size_t>(directory) + 0x14);
        const std::size_t chunks = get32(file, static_cast<std::size_t>(directory) + 0x2C);
        const std::size_t directoryHeader = get32(file, static_cast<std::size_t>(directory) + 0x08);

        const std::uint64_t stringsOffset = file.size() - content;
        const std::vector<DirectoryEntry> moved{
            {"/#STRINGS", 0, stringsOffset, strings.size()},
            {"/#IVB", 0, stringsOffset + strings.size(), ivb.size()},
        };
        int rewritten = 0;
        for (std::size_t i = 0; i < chunks; ++i)
            rewritten += rewriteListingChunk(
                file, static_cast<std::size_t>(directory) + directoryHeader + i * chunkSize,
                chunkSize, density, moved);
        if (rewritten == 0)
            fail("no directory entry for the context map");
        file.insert(file.end(), strings.begin(), strings.end());
        file.insert(file.end(), ivb.begin(), ivb.end());
        put64(file, static_cast<std::size_t>(header0) + 0x08, file.size());
    }

    {
        std::ofstream out(output, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()),
                  static_cast<std::streamsize>(file.size()));
        if (!out)
            fail("cannot write " + output);
    }
    verifyContexts(output);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <in.chm> <out.chm> <project folder>\n", argv[0]);
        return 2;
    }
    try {
        return run(argv[1], argv[2], argv[3]);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s: %s\n", argv[0], failure.what());
        return 1;
    }
}
