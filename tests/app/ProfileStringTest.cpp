#include "app/ProfileString.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace tts::app {
namespace {

struct Case {
    const char* name;
    std::string before;
    std::string after;
};

TEST(ProfileStringTest, SetsTheEntryAndKeepsEveryOtherByte) {
    const Case cases[] = {
        {"new file", "", "[Transformadores]\r\nTransformado=1\r\n"},
        {"other section, CR LF", "[Rutas]\r\nDatos=C:\\HTEMP\r\n",
         "[Rutas]\r\nDatos=C:\\HTEMP\r\n[Transformadores]\r\nTransformado=1\r\n"},
        {"other section, LF", "[Rutas]\nDatos=x\n",
         "[Rutas]\nDatos=x\n[Transformadores]\nTransformado=1\n"},
        {"last line without end", "[Rutas]\r\nDatos=x",
         "[Rutas]\r\nDatos=x\r\n[Transformadores]\r\nTransformado=1\r\n"},
        {"value replaced", "[Transformadores]\r\nTransformado=0\r\n",
         "[Transformadores]\r\nTransformado=1\r\n"},
        {"value replaced in a last line without end", "[Transformadores]\r\nTransformado=-1",
         "[Transformadores]\r\nTransformado=1"},
        {"names in another case, blanks around", "[TRANSFORMADORES]\r\n  transformado = -1 \r\n",
         "[TRANSFORMADORES]\r\ntransformado=1\r\n"},
        {"blanks inside the brackets", "[ Transformadores ]\nTransformado=0\n",
         "[ Transformadores ]\nTransformado=1\n"},
        {"key added after the section's last entry, before the blank line",
         "[Transformadores]\r\nOtro=5\r\n\r\n[Rutas]\r\nTransformado=9\r\n",
         "[Transformadores]\r\nOtro=5\r\nTransformado=1\r\n\r\n[Rutas]\r\nTransformado=9\r\n"},
        {"same key in an earlier section left alone",
         "[Rutas]\r\nTransformado=9\r\n[Transformadores]\r\nTransformado=0\r\n",
         "[Rutas]\r\nTransformado=9\r\n[Transformadores]\r\nTransformado=1\r\n"},
        {"same key in a later section left alone",
         "[Transformadores]\r\n[Rutas]\r\nTransformado=9\r\n",
         "[Transformadores]\r\nTransformado=1\r\n[Rutas]\r\nTransformado=9\r\n"},
        {"comments are lines like others",
         "; escrito por Horvane\r\n[Transformadores]\r\n;Transformado=7\r\nTransformado=0\r\n",
         "; escrito por Horvane\r\n[Transformadores]\r\n;Transformado=7\r\nTransformado=1\r\n"},
        {"first of two sections of the name",
         "[Transformadores]\nA=1\n[transformadores]\nTransformado=0\n",
         "[Transformadores]\nA=1\nTransformado=1\n[transformadores]\nTransformado=0\n"},
        {"header as the file's last line", "[Transformadores]",
         "[Transformadores]\r\nTransformado=1\r\n"},
        {"a key that only starts like ours", "[Transformadores]\r\nTransformados=4\r\n",
         "[Transformadores]\r\nTransformados=4\r\nTransformado=1\r\n"},
        {"Windows-1252 bytes and mixed endings kept",
         "[A\xF1o]\r\nNombre=Pe\xF1"
         "alara\n\n",
         "[A\xF1o]\r\nNombre=Pe\xF1"
         "alara\n\n[Transformadores]\r\nTransformado=1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(withProfileString(c.before, "Transformadores", "Transformado", "1"), c.after);
    }
}

class ProfileFileTest : public testing::Test {
protected:
    QTemporaryDir folder;
    std::string path(const char* name) const {
        return QFile::encodeName(folder.filePath(name)).toStdString();
    }
    static std::string read(const std::string& path) {
        QFile file(QFile::decodeName(path.c_str()));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }
    static void write(const std::string& path, const std::string& bytes) {
        QFile file(QFile::decodeName(path.c_str()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
    }
    QStringList entries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

TEST_F(ProfileFileTest, CreatesAMissingFile) {
    ASSERT_EQ(writeProfileString(path("Horvane.ini"), "Transformadores", "Transformado", "0"), 0);
    EXPECT_EQ(read(path("Horvane.ini")), "[Transformadores]\r\nTransformado=0\r\n");
    EXPECT_EQ(entries(), QStringList{"Horvane.ini"});
}

TEST_F(ProfileFileTest, UpdatesInPlaceKeepingModeAndLink) {
    write(path("real.ini"), "[Rutas]\r\nA=1\r\n[Transformadores]\r\nTransformado=1\r\n");
    ::chmod(path("real.ini").c_str(), 0640);
    ASSERT_EQ(::symlink("real.ini", path("Horvane.ini").c_str()), 0);

    ASSERT_EQ(writeProfileString(path("Horvane.ini"), "Transformadores", "Transformado", "-1"), 0);

    EXPECT_TRUE(QFileInfo(folder.filePath("Horvane.ini")).isSymLink());
    EXPECT_EQ(read(path("real.ini")), "[Rutas]\r\nA=1\r\n[Transformadores]\r\nTransformado=-1\r\n");
    struct stat info;
    ASSERT_EQ(::stat(path("real.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), (QStringList{"Horvane.ini", "real.ini"}));
}

TEST_F(ProfileFileTest, ReportsWhatCannotBeWrittenAndLeavesNoTrace) {
    // Root may write anywhere, but not into a folder that is a file, nor over a folder.
    write(path("plain"), "x");
    EXPECT_EQ(writeProfileString(path("plain") + "/Horvane.ini", "S", "K", "1"), ENOTDIR);
    ASSERT_TRUE(QDir(folder.path()).mkdir("Horvane.ini"));
    EXPECT_EQ(writeProfileString(path("Horvane.ini"), "S", "K", "1"), platform::kNotRegularFile);
    EXPECT_EQ(entries(), (QStringList{"Horvane.ini", "plain"}));
    EXPECT_EQ(read(path("plain")), "x");
}

} // namespace
} // namespace tts::app
