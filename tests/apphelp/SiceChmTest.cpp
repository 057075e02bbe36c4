#include <gtest/gtest.h>

#include <chm_lib.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

// The built help file, read with chmlib: the library xchm itself reads it with.
class SiceChm {
public:
    SiceChm() : file_(chm_open(TTS_SICE_CHM), chm_close) {}
    bool isOpen() const { return file_ != nullptr; }

    std::optional<std::string> read(const std::string& path) {
        chmUnitInfo unit{};
        if (chm_resolve_object(file_.get(), path.c_str(), &unit) != CHM_RESOLVE_SUCCESS)
            return std::nullopt;
        std::string bytes(static_cast<std::size_t>(unit.length), '\0');
        const auto read =
            chm_retrieve_object(file_.get(), &unit, reinterpret_cast<unsigned char*>(bytes.data()),
                                0, static_cast<LONGINT64>(unit.length));
        if (read != static_cast<LONGINT64>(unit.length))
            return std::nullopt;
        return bytes;
    }

    // The context map: #IVB holds its size and then pairs of context number and offset of the
    // page's name in #STRINGS.
    std::map<std::uint32_t, std::string> contexts() {
        std::map<std::uint32_t, std::string> map;
        const auto ivb = read("/#IVB");
        const auto strings = read("/#STRINGS");
        if (!ivb || !strings)
            return map;
        auto dword = [&](std::size_t at) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>((*ivb)[at])) |
                   static_cast<std::uint32_t>(static_cast<unsigned char>((*ivb)[at + 1])) << 8 |
                   static_cast<std::uint32_t>(static_cast<unsigned char>((*ivb)[at + 2])) << 16 |
                   static_cast<std::uint32_t>(static_cast<unsigned char>((*ivb)[at + 3])) << 24;
        };
        for (std::size_t at = 4; at + 8 <= ivb->size(); at += 8) {
            const std::uint32_t offset = dword(at + 4);
            if (offset < strings->size())
                map[dword(at)] = strings->c_str() + offset;
        }
        return map;
    }

private:
    std::unique_ptr<chmFile, void (*)(chmFile*)> file_;
};

TEST(SiceChm, MapsContext3ToTheTopicAboutTheWindow) {
    SiceChm chm;
    ASSERT_TRUE(chm.isOpen()) << TTS_SICE_CHM;

    const auto contexts = chm.contexts();
    ASSERT_EQ(contexts.count(3), 1u);
    EXPECT_EQ(contexts.at(3), "ventana.html");

    const auto page = chm.read("/" + contexts.at(3));
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("<title>La ventana del programa</title>"), std::string::npos);
    // Windows-1252, declared as such, so that the viewer shows the accents: "Botón".
    EXPECT_NE(page->find("charset=windows-1252"), std::string::npos);
    EXPECT_NE(page->find("Bot\xF3n"), std::string::npos);
}

TEST(SiceChm, HoldsEveryTopicOfItsContents) {
    SiceChm chm;
    ASSERT_TRUE(chm.isOpen());
    const auto contents = chm.read("/SICE.hhc");
    ASSERT_TRUE(contents);
    int topics = 0;
    const std::string local = "name=\"Local\" value=\"";
    for (auto at = contents->find(local); at != std::string::npos;
         at = contents->find(local, at + 1)) {
        const auto begin = at + local.size();
        const std::string page = contents->substr(begin, contents->find('"', begin) - begin);
        EXPECT_TRUE(chm.read("/" + page)) << page;
        ++topics;
    }
    EXPECT_GE(topics, 8);
}

} // namespace
