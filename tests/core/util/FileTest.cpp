#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "util/File.h"

namespace {

namespace fs = std::filesystem;

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::size_t EntriesIn(const std::string& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

struct stat Stat(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}

// A save through `path` must land in `real`, leave every link a link, and leave no temporary
// file in either folder.
struct CLinkCase {
    const char* m_name;
    std::vector<std::pair<std::string, std::string>> m_links;  // link name -> what it holds
    const char* m_path;                                        // what the save is given
    const char* m_real;                                        // the file that must change
    bool m_realExists;
};

TEST(WriteFileSafely, WritesTheFileThatLinksLeadTo) {
    const CLinkCase cases[] = {
        {"plain file", {}, "a/real.dat", "a/real.dat", true},
        {"relative link", {{"a/link.dat", "real.dat"}}, "a/link.dat", "a/real.dat", true},
        {"link into another folder",
         {{"b/link.dat", "../a/real.dat"}},
         "b/link.dat",
         "a/real.dat",
         true},
        {"chain of links",
         {{"b/one.dat", "two.dat"}, {"b/two.dat", "ROOT/a/real.dat"}},
         "b/one.dat",
         "a/real.dat",
         true},
        {"dangling link creates its target",
         {{"b/new.dat", "../a/new.dat"}},
         "b/new.dat",
         "a/new.dat",
         false},
    };
    for (const auto& c : cases) {
        CTempDir dir;
        fs::create_directory(dir / "a");
        fs::create_directory(dir / "b");
        WriteText(dir / "a/real.dat", "old contents");
        for (auto [link, target] : c.m_links) {
            if (target.starts_with("ROOT/")) {
                target = dir / target.substr(5);
            }
            fs::create_symlink(target, dir / link);
        }
        const std::size_t before = EntriesIn(dir / "a") + EntriesIn(dir / "b");

        ASSERT_TRUE(WriteFileSafely(dir / c.m_path, Bytes("new"))) << c.m_name;
        EXPECT_EQ(ReadText(dir / c.m_real), "new") << c.m_name;
        for (const auto& [link, target] : c.m_links) {
            EXPECT_TRUE(fs::is_symlink(dir / link)) << c.m_name << ": " << link;
        }
        EXPECT_EQ(EntriesIn(dir / "a") + EntriesIn(dir / "b"), before + (c.m_realExists ? 0 : 1))
            << c.m_name;
    }
}

// Things that are not regular files, or are write-protected, are refused and stay as they were.
TEST(WriteFileSafely, RefusesWhatIsNoRegularFileAndProtectedFiles) {
    CTempDir dir;
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    const std::string socket = dir / "socket";
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", socket.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(sock);
    fs::create_directory(dir / "folder");
    // A node for the null device inside our own folder: harmless if ever written.
    const bool haveDevice = ::mknod((dir / "device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    WriteText(dir / "protected", "keep me");
    ASSERT_EQ(::chmod((dir / "protected").c_str(), 0444), 0);
    fs::create_symlink("protected", dir / "link-to-protected");
    fs::create_symlink("fifo", dir / "link-to-fifo");

    const struct {
        const char* m_name;
        const char* m_reason;
    } cases[] = {
        {"fifo", "named pipe, not a regular file"},
        {"link-to-fifo", "named pipe, not a regular file"},
        {"socket", "socket, not a regular file"},
        {"folder", "folder, not a regular file"},
        {"device", "device, not a regular file"},
        {"protected", "Permission denied (the file is write-protected)"},
        {"link-to-protected", "Permission denied (the file is write-protected)"},
    };
    for (const auto& c : cases) {
        if (std::string(c.m_name) == "device" && !haveDevice) {
            continue;  // no mknod here (a container without the capability)
        }
        const std::string path = dir / c.m_name;
        const auto type = fs::symlink_status(path).type();
        auto saved = WriteFileSafely(path, Bytes("new"));
        ASSERT_FALSE(saved) << c.m_name;
        EXPECT_NE(saved.error().Text(false).find(c.m_reason), std::string::npos)
            << saved.error().Text(false);
        EXPECT_NE(saved.error().Text(false).find(path), std::string::npos)
            << saved.error().Text(false);
        EXPECT_EQ(fs::symlink_status(path).type(), type) << c.m_name;
        EXPECT_FALSE(CheckWritableTarget(path)) << c.m_name;
    }
    EXPECT_EQ(ReadText(dir / "protected"), "keep me");
    EXPECT_EQ(EntriesIn(dir.Path()), haveDevice ? 7u : 6u);
}

TEST(WriteFileSafely, OrdinaryUserIsRefusedAFileNotTheirsToWrite) {
    // The folder takes new files, so only the file's own permission can stop the save.
    CTempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    const std::string path = dir / "root.dat";
    WriteText(path, "root's");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_EQ(RunAsOrdinaryUser([&] {
                  auto saved = WriteFileSafely(path, Bytes("mine"));
                  return !saved && saved.error().Text(false).find("Permission denied") !=
                                       std::string::npos
                             ? 0
                             : 1;
              }),
              0);
    EXPECT_EQ(ReadText(path), "root's");
    EXPECT_EQ(Stat(path).st_uid, 0u);
}

TEST(WriteFileSafely, KeepsModeOwnerAndGroup) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a file to another owner needs root";
    }
    CTempDir dir;
    const std::string path = dir / "theirs.dat";
    WriteText(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    ASSERT_EQ(::chmod(path.c_str(), 02640), 0);
    const ino_t before = Stat(path).st_ino;
    ASSERT_TRUE(WriteFileSafely(path, Bytes("new contents")));
    const struct stat st = Stat(path);
    EXPECT_EQ(ReadText(path), "new contents");
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 5678u);
    EXPECT_EQ(st.st_mode & 07777, 02640u);
    EXPECT_NE(st.st_ino, before) << "replaced through a new file, not rewritten";
}

// Where no new file can replace the old one and keep what it was (a folder that refuses new
// files, another user's writable file), the file is rewritten in place, longer or shorter.
TEST(WriteFileSafely, RewritesInPlaceWhereNoReplacementCanKeepTheFile) {
    const struct {
        const char* m_name;
        mode_t m_folderMode;
        const char* m_new;
    } cases[] = {
        {"folder refuses new files, shorter", 0555, "short"},
        {"folder refuses new files, longer", 0555, "a good deal longer than the old text"},
        {"another owner's file", 0777, "written by another user"},
    };
    for (const auto& c : cases) {
        CTempDir dir;
        const std::string sub = dir / "sub";
        fs::create_directory(sub);
        const std::string path = sub + "/shared.ini";
        WriteText(path, "old text, of some length");
        ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
        ASSERT_EQ(::chmod(sub.c_str(), c.m_folderMode), 0);
        ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
        const ino_t before = Stat(path).st_ino;
        EXPECT_EQ(RunAsOrdinaryUser([&] { return WriteFileSafely(path, Bytes(c.m_new)) ? 0 : 1; }),
                  0)
            << c.m_name;
        EXPECT_EQ(ReadText(path), c.m_new) << c.m_name;
        const struct stat st = Stat(path);
        EXPECT_EQ(st.st_ino, before) << c.m_name;
        EXPECT_EQ(st.st_uid, ::geteuid()) << c.m_name;
        EXPECT_EQ(st.st_mode & 0777, 0666u) << c.m_name;
        EXPECT_EQ(EntriesIn(sub), 1u) << c.m_name;
    }
}

TEST(WriteFileSafely, FileSizeLimitLeavesTheOldFileByteForByte) {
    // The old file is larger than the limit allows a new file to grow; the new text is larger
    // still. Replacement and in-place rewrite must both fail without touching a byte.
    for (bool folderRefuses : {false, true}) {
        CTempDir dir;
        const std::string sub = dir / "sub";
        fs::create_directory(sub);
        const std::string path = sub + "/big.ini";
        const std::string old(6000, 'o');
        WriteText(path, old);
        // The child's own file, so that only the folder decides how it is written.
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
        ASSERT_EQ(::chmod(sub.c_str(), folderRefuses ? 0555 : 0777), 0);
        ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
        EXPECT_EQ(RunAsOrdinaryUser([&] {
                      std::signal(SIGXFSZ, SIG_IGN);
                      const rlimit limit{4096, 4096};
                      ::setrlimit(RLIMIT_FSIZE, &limit);
                      auto saved = WriteFileSafely(path, Bytes(std::string(9000, 'n')));
                      return !saved && saved.error().Text(false).find("too large") !=
                                           std::string::npos
                                 ? 0
                                 : 1;
                  }),
                  0)
            << folderRefuses;
        EXPECT_EQ(ReadText(path), old) << folderRefuses;
        EXPECT_EQ(EntriesIn(sub), 1u) << folderRefuses;
    }
}

TEST(CheckWritableTarget, NewFilesNeedAFolderThatTakesThem) {
    CTempDir dir;
    fs::create_directory(dir / "closed");
    ASSERT_EQ(::chmod((dir / "closed").c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    EXPECT_TRUE(CheckWritableTarget(dir / "new.dat"));
    auto missing = CheckWritableTarget(dir / "missing/new.dat");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().Text(false).find("No such file or directory"), std::string::npos);
    EXPECT_EQ(
        RunAsOrdinaryUser([&] { return CheckWritableTarget(dir / "closed/new.dat") ? 1 : 0; }), 0);
    EXPECT_FALSE(fs::exists(dir / "new.dat"));
}

TEST(WriteOutputFile, DashIsStandardOutput) {
    CTempDir dir;
    const std::string captured = dir / "stdout";
    const int saved = ::dup(STDOUT_FILENO);
    const int fd = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ::dup2(fd, STDOUT_FILENO);
    ::close(fd);
    const auto written = WriteOutputFile("-", Bytes("to stdout"));
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    EXPECT_TRUE(written);
    EXPECT_EQ(ReadText(captured), "to stdout");
    EXPECT_FALSE(fs::exists("-"));
    ASSERT_TRUE(WriteOutputFile(dir / "out", Bytes("to a file")));
    EXPECT_EQ(ReadText(dir / "out"), "to a file");
}

// Every case runs in a child with an alarm: a read that blocks is a failure, not a hang.
TEST(ReadFileBytes, RefusesWhatIsNoRegularFileWithoutBlocking) {
    CTempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0666), 0);
    fs::create_symlink("fifo", dir / "link-to-fifo");
    fs::create_directory(dir / "folder");
    const bool haveDevice = ::mknod((dir / "device").c_str(), S_IFCHR | 0666, ::makedev(1, 5)) == 0;
    const struct {
        const char* m_name;
        bool m_create;
        const char* m_reason;
    } cases[] = {
        {"fifo", false, "named pipe, not a regular file"},
        {"fifo", true, "named pipe, not a regular file"},
        {"link-to-fifo", false, "named pipe, not a regular file"},
        {"folder", true, "folder, not a regular file"},
        {"device", false, "device, not a regular file"},
        {"missing", false, "No such file or directory"},
    };
    for (const auto& c : cases) {
        if (std::string(c.m_name) == "device" && !haveDevice) {
            continue;
        }
        EXPECT_EQ(RunWithTimeout(5,
                                 [&] {
                                     auto read = ReadFileBytes(dir / c.m_name, 100, c.m_create);
                                     return !read && read.error().Text(false).find(c.m_reason) !=
                                                         std::string::npos
                                                ? 0
                                                : 1;
                                 }),
                  0)
            << c.m_name;
    }
}

TEST(ReadFileBytes, ReadsUpToTheLimitAndCreatesOnlyWhenAsked) {
    CTempDir dir;
    WriteText(dir / "ten", "0123456789");
    const struct {
        std::size_t m_limit;
        const char* m_expected;
    } cases[] = {
        {0, ""}, {4, "0123"}, {10, "0123456789"}, {11, "0123456789"}, {1 << 20, "0123456789"}};
    for (const auto& c : cases) {
        auto read = ReadFileBytes(dir / "ten", c.m_limit);
        ASSERT_TRUE(read) << c.m_limit;
        EXPECT_EQ(std::string(read->begin(), read->end()), c.m_expected) << c.m_limit;
    }
    EXPECT_FALSE(ReadFileBytes(dir / "new", 10));
    EXPECT_FALSE(fs::exists(dir / "new"));
    auto created = ReadFileBytes(dir / "new", 10, true);
    ASSERT_TRUE(created);
    EXPECT_TRUE(created->empty());
    EXPECT_TRUE(fs::is_regular_file(dir / "new"));
}

}  // namespace

// Saves killed at random moments, from unnamed and from named temporaries: the file is always
// whole, and after the next save nothing but the file is left in its folder.
TEST(WriteFileSafely, KilledSavesLeaveNoTemporaryFile) {
    for (const bool unnamed : {true, false}) {
        CTempDir dir;
        const std::string path = dir / "radio.dat";
        ASSERT_TRUE(WriteFileSafely(path, Bytes(std::string(6144, 'A'))));
        for (int i = 0; i < 40; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                UseUnnamedTemporaries(unnamed);
                const std::string text(6144, static_cast<char>('B' + i % 20));
                for (;;) {
                    (void)WriteFileSafely(path, Bytes(text));
                }
            }
            ::usleep(static_cast<useconds_t>(500 + (i * 397) % 4000));
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            const std::string now = ReadText(path);
            ASSERT_EQ(now.size(), 6144u);
            EXPECT_EQ(now.find_first_not_of(now[0]), std::string::npos);
        }
        UseUnnamedTemporaries(unnamed);
        ASSERT_TRUE(WriteFileSafely(path, Bytes(std::string(6144, 'Z'))));
        UseUnnamedTemporaries(true);
        EXPECT_EQ(EntriesIn(dir.Path()), 1u) << (unnamed ? "unnamed" : "named");
    }
}

// Only a dead writer's temporaries of this very file are removed.
TEST(WriteFileSafely, RemovesOnlyDeadWritersTemporaries) {
    CTempDir dir;
    const pid_t dead = ::fork();
    if (dead == 0) {
        ::_exit(0);
    }
    ::waitpid(dead, nullptr, 0);
    const std::string stale = "radio.dat.lh740-" + std::to_string(dead) + "-abcDEF.tmp";
    const std::string running = "radio.dat.lh740-" + std::to_string(::getpid()) + "-abcDEF.tmp";
    for (const std::string& name : {stale, running, std::string("radio.dat.lh740-x-abcDEF.tmp"),
                                    std::string("other.dat.lh740-1-abcDEF.tmp")}) {
        WriteText(dir / name, "x");
    }
    ASSERT_TRUE(WriteFileSafely(dir / "radio.dat", Bytes("new")));
    EXPECT_FALSE(fs::exists(dir / stale));
    EXPECT_TRUE(fs::exists(dir / running));
    EXPECT_EQ(EntriesIn(dir.Path()), 4u);
}
