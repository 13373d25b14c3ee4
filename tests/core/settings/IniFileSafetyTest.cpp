#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "settings/IniFile.h"
#include "support/TempDir.h"

namespace {

// A settings file as shipped: the sections a failed save used to cut away.
std::string ShippedIni(std::size_t size) {
    std::string text = "[Setup]\r\nLanguage=English\r\n[English]\r\nCompany=Vornex\r\n";
    while (text.size() + 40 < size) {
        text += "Line" + std::to_string(text.size()) + "=some text of the language\r\n";
    }
    return text + "[Chinese]\r\nCompany=Vornex\r\n";
}

constexpr int kSkipped = 77;

// A save that cannot be finished (file-size limit, full disk) leaves the file byte for byte.
TEST(IniFileSafety, SaveStoppedByTheFileSizeLimitKeepsTheFile) {
    CTempDir dir;
    const std::string path = dir / "Program.ini";
    const std::string old = ShippedIni(6000);
    WriteText(path, old);
    EXPECT_EQ(RunWithTimeout(10,
                             [&] {
                                 CIniFile ini;
                                 if (!ini.LoadPath(path, false, true)) {
                                     return 2;
                                 }
                                 ini.SetString("Setup", "Note", std::string(4000, 'x'));
                                 std::signal(SIGXFSZ, SIG_IGN);
                                 const rlimit limit{4096, 4096};
                                 ::setrlimit(RLIMIT_FSIZE, &limit);
                                 const auto saved = ini.Save();
                                 return !saved && !saved.error().Text(false).empty() ? 0 : 1;
                             }),
              0);
    EXPECT_EQ(ReadText(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(IniFileSafety, SaveOnAFullDiskKeepsTheFile) {
    CTempDir dir;
    const std::string mount = dir / "small";
    std::filesystem::create_directory(mount);
    const std::string path = mount + "/Program.ini";
    const std::string old = ShippedIni(3000);
    // A tmpfs of 64 KB in a mount namespace of the child's own, so nothing outside sees it.
    const int code = RunWithTimeout(20, [&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0) {
            return kSkipped;
        }
        int result = 1;
        WriteText(path, old);
        CIniFile ini;
        if (ini.LoadPath(path, false, true)) {
            const std::string filler = mount + "/filler";
            const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT, 0600);
            const std::string block(4096, 'f');
            while (::write(fd, block.data(), block.size()) > 0) {
            }
            ::close(fd);
            ini.SetString("Setup", "Note", std::string(10000, 'x'));
            const bool failed = !ini.Save().has_value();
            result = failed && ReadText(path) == old ? 0 : 1;
        }
        ::umount2(mount.c_str(), MNT_DETACH);
        return result;
    });
    if (code == kSkipped) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    EXPECT_EQ(code, 0);
}

// Program.ini that is no regular file, or far too large, is refused at once (no hang) and
// nothing is loaded, so nothing can be written back over it.
TEST(IniFileSafety, LoadRefusesPipesFoldersAndOversizedFiles) {
    CTempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo.ini").c_str(), 0666), 0);
    std::filesystem::create_directory(dir / "folder.ini");
    const std::string huge = "[Setup]\r\nLanguage=English\r\n" + std::string(1 << 20, ';');
    WriteText(dir / "huge.ini", huge);
    WriteText(dir / "large.ini",
              "[Setup]\r\nLanguage=Chinese\r\n" + std::string((1 << 20) - 40, ';'));
    const struct {
        const char* m_name;
        const char* m_error;  // nullptr: loads
    } cases[] = {
        {"fifo.ini", "named pipe"},
        {"folder.ini", "folder"},
        {"huge.ini", "larger than 1 MB"},
        {"large.ini", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunWithTimeout(5,
                                 [&] {
                                     CIniFile ini;
                                     const auto loaded = ini.LoadPath(dir / c.m_name, true, true);
                                     ini.SetString("Setup", "Language", "English");
                                     if (c.m_error == nullptr) {
                                         return loaded ? 0 : 1;
                                     }
                                     return !loaded && !ini.IsLoaded() &&
                                                    loaded.error().Text(false).find(c.m_error) !=
                                                        std::string::npos
                                                ? 0
                                                : 1;
                                 }),
                  0)
            << c.m_name;
    }
    EXPECT_EQ(ReadText(dir / "huge.ini"), huge);
}

}  // namespace
