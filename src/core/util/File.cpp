#include "util/File.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "util/Text.h"

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel allows

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

constexpr CText kCannotOpen{"Cannot open ", "无法打开 "};
constexpr CText kCannotRead{"Cannot read ", "无法读取 "};
constexpr CText kCannotSave{"Cannot save ", "无法保存 "};

// "Cannot save "x": reason." in both languages.
CTexts FileError(const CText& verb, const std::string& path, const CTexts& reason) {
    return CTexts(verb) + CTexts::Same(Quoted(path)) + CTexts{": ", "："} + reason +
           CTexts{".", "。"};
}

CTexts CannotSave(const std::string& path, const CTexts& reason) {
    return FileError(kCannotSave, path, reason);
}

CTexts CannotSave(const std::string& path, int err) {
    return CannotSave(path, SystemReason(err));
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) {
                continue;
            }
            errno = n == 0 ? EIO : errno;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteAllAt(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n <= 0) {
            if (n < 0 && errno == EINTR) {
                continue;
            }
            errno = n == 0 ? EIO : errno;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string DirectoryPart(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The system's reasons that file work meets, in Chinese; others keep the system's English.
struct CReason {
    int m_errno;
    const char* m_zh;
};
constexpr CReason kChineseReasons[] = {
    {ENOENT, "文件或文件夹不存在"},
    {EACCES, "权限不够"},
    {EPERM, "不允许的操作"},
    {EISDIR, "这是一个文件夹"},
    {ENOTDIR, "路径中有一项不是文件夹"},
    {ENOSPC, "磁盘空间不足"},
    {EDQUOT, "超出磁盘配额"},
    {EROFS, "文件系统是只读的"},
    {EEXIST, "文件已存在"},
    {ENAMETOOLONG, "文件名太长"},
    {ELOOP, "符号链接的层数过多"},
    {EFBIG, "文件太大"},
    {EIO, "输入/输出错误"},
    {EBUSY, "设备或资源忙"},
    {ETXTBSY, "文件正被使用"},
    {EMFILE, "打开的文件过多"},
    {ENFILE, "系统中打开的文件过多"},
    {ENXIO, "没有这个设备或地址"},
    {ENODEV, "没有这个设备"},
    {EAGAIN, "资源暂时不可用"},
    {EINVAL, "参数无效"},
};

// What a path holds when it is not a regular file, for the message.
CText KindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return {"a folder", "文件夹"};
    }
    if (S_ISFIFO(mode)) {
        return {"a named pipe", "命名管道"};
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return {"a device", "设备"};
    }
    if (S_ISSOCK(mode)) {
        return {"a socket", "套接字"};
    }
    return {"a special file", "特殊文件"};
}

CTexts NotRegular(mode_t mode) {
    return {std::string("it is ") + KindOf(mode).m_en + ", not a regular file",
            std::string("这是") + KindOf(mode).m_zh + "，不是普通文件"};
}

// Follows symbolic links one at a time, so that a link to a file that does not exist yet leads
// to the place where it will be created. Folders on the way are the kernel's business.
std::expected<std::string, int> ResolveLinks(std::string path) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno == ENOENT) {
                return path;
            }
            return std::unexpected(errno);
        }
        if (!S_ISLNK(st.st_mode)) {
            return path;
        }
        std::string target(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 256, '\0');
        for (;;) {
            const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
            if (n < 0) {
                return std::unexpected(errno);
            }
            if (static_cast<std::size_t>(n) < target.size()) {
                target.resize(static_cast<std::size_t>(n));
                break;
            }
            target.resize(target.size() * 2);
        }
        path = target.starts_with('/') ? target : DirectoryPart(path) + "/" + target;
    }
    return std::unexpected(ELOOP);
}

// The system's refusal to write an existing file, 0 when it may be written. Root passes every
// permission check, but a file without a single write bit was protected on purpose.
int WriteRefusal(const std::string& path, const struct stat& st) {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno;
    }
    return (st.st_mode & 0222) == 0 ? EACCES : 0;
}

struct CTarget {
    std::string m_path;  // the real file, links resolved
    bool m_bExists = false;
    struct stat m_stat {};
};

CResult<CTarget> FindTarget(const std::string& path) {
    if (path.empty()) {
        return std::unexpected(CannotSave(path, ENOENT));
    }
    auto resolved = ResolveLinks(path);
    if (!resolved) {
        return std::unexpected(CannotSave(path, resolved.error()));
    }
    CTarget target;
    target.m_path = *resolved;
    if (::stat(target.m_path.c_str(), &target.m_stat) != 0) {
        if (errno != ENOENT) {
            return std::unexpected(CannotSave(path, errno));
        }
        return target;
    }
    target.m_bExists = true;
    if (!S_ISREG(target.m_stat.st_mode)) {
        return std::unexpected(CannotSave(path, NotRegular(target.m_stat.st_mode)));
    }
    if (const int err = WriteRefusal(target.m_path, target.m_stat); err != 0) {
        const bool noWriteBit = (target.m_stat.st_mode & 0222) == 0;
        return std::unexpected(CannotSave(
            path, SystemReason(err) + (noWriteBit ? CTexts(CText{" (the file is write-protected)",
                                                                 "（文件有写保护）"})
                                                  : CTexts())));
    }
    return target;
}

// Temporary names carry the writer's pid, so a later save can tell the leftovers of a killed
// writer ("radio.dat.lh740-1234-Ab3xYz.tmp") from a save still running in another process.
constexpr std::string_view kTempTag = ".lh740-";
constexpr std::string_view kTempSuffix = ".tmp";

std::string TemporaryName(const std::string& path, int attempt) {
    // Keep the name within the file system's limit whatever the target's length.
    const auto slash = path.rfind('/');
    const std::string base = path.substr(slash == std::string::npos ? 0 : slash + 1);
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char random[6] = {};
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        for (std::size_t i = 0; i < sizeof random; ++i) {
            random[i] = static_cast<unsigned char>(::getpid() + attempt * 7 + i * 13);
        }
    }
    std::string name = DirectoryPart(path) + "/" + base.substr(0, 200) + std::string(kTempTag) +
                       std::to_string(::getpid()) + "-";
    for (unsigned char r : random) {
        name += kLetters[r % (sizeof kLetters - 1)];
    }
    return name + std::string(kTempSuffix);
}

// Removes the temporary files a killed save of `path` left beside it.
void RemoveStaleTemporaries(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string prefix =
        path.substr(slash == std::string::npos ? 0 : slash + 1).substr(0, 200) +
        std::string(kTempTag);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(DirectoryPart(path), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(kTempSuffix)) {
            continue;
        }
        const std::string rest = name.substr(prefix.size());
        const auto dash = rest.find('-');
        if (dash == std::string::npos || dash == 0 ||
            rest.size() != dash + 1 + 6 + kTempSuffix.size() ||
            !std::all_of(rest.begin(), rest.begin() + static_cast<long>(dash),
                         [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        const long pid = std::strtol(rest.substr(0, dash).c_str(), nullptr, 10);
        const bool alive = pid > 0 && pid <= INT_MAX &&
                           (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
        struct stat st {};
        if (!alive && ::lstat(entry.path().c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            ::unlink(entry.path().c_str());
        }
    }
}

bool g_bUnnamedTemporaries = true;

// A new named file beside `path`, created with mode 0666 less the umask (and any default ACL),
// as a new file of that name would be.
int CreateTemporary(const std::string& path, std::string& tmp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = TemporaryName(path, attempt);
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Gives the unnamed file `fd` a temporary name beside `path`, just before the rename; false with
// errno when it cannot be linked.
bool LinkUnnamed(int fd, const std::string& path, std::string& tmp) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = TemporaryName(path, attempt);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tmp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return true;
        }
        if (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, tmp.c_str(), AT_EMPTY_PATH) == 0) {
            return true;
        }
        if (errno != EEXIST) {
            tmp.clear();
            return false;
        }
    }
    tmp.clear();
    errno = EEXIST;
    return false;
}

// Rewrites an existing regular file through its own inode. Used only when no temporary file
// can stand beside it; the old bytes are kept in memory and put back on any failure.
CFileResult RewriteInPlace(const std::string& shown, const CTarget& target,
                           std::span<const std::uint8_t> bytes) {
    const int fd = ::open(target.m_path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::unexpected(CannotSave(shown, errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_ino != target.m_stat.st_ino ||
        st.st_dev != target.m_stat.st_dev) {
        ::close(fd);
        return std::unexpected(
            CannotSave(shown, CText{"the file was replaced while saving", "保存时文件被替换了"}));
    }
    std::vector<std::uint8_t> old(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < old.size()) {
        const ssize_t n = ::pread(fd, old.data() + got, old.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const int err = n < 0 ? errno : EIO;
            ::close(fd);
            return std::unexpected(CannotSave(shown, err));
        }
        got += static_cast<std::size_t>(n);
    }
    // Claim the room first: a full disk or a file-size limit then refuses before a single old
    // byte is overwritten. File systems without fallocate fall back on the restore below.
    if (bytes.size() > old.size() && ::fallocate(fd, 0, 0, static_cast<off_t>(bytes.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        const int err = errno;
        ::ftruncate(fd, static_cast<off_t>(old.size()));
        ::close(fd);
        return std::unexpected(CannotSave(shown, err));
    }
    bool ok = WriteAllAt(fd, bytes);
    ok = ok &&
         (bytes.size() >= old.size() || ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0);
    ok = ok && ::fsync(fd) == 0;
    if (!ok) {
        const int err = errno;
        // Every byte goes back where it was, in room the file already had.
        WriteAllAt(fd, old);
        ::ftruncate(fd, static_cast<off_t>(old.size()));
        ::fsync(fd);
        ::close(fd);
        return std::unexpected(CannotSave(shown, err));
    }
    if (::close(fd) != 0) {
        return std::unexpected(CannotSave(shown, errno));
    }
    return {};
}

}  // namespace

CTexts SystemReason(int err) {
    CTexts reason = CTexts::Same(std::strerror(err));
    for (const CReason& chinese : kChineseReasons) {
        if (chinese.m_errno == err) {
            reason.m_zh = chinese.m_zh;
        }
    }
    return reason;
}

CFileResult CheckWritableTarget(const std::string& path) {
    auto target = FindTarget(path);
    if (!target) {
        return std::unexpected(target.error());
    }
    // A new file needs a folder that takes it.
    if (!target->m_bExists && ::faccessat(AT_FDCWD, DirectoryPart(target->m_path).c_str(),
                                          W_OK | X_OK, AT_EACCESS) != 0) {
        return std::unexpected(CannotSave(path, errno));
    }
    return {};
}

CFileResult WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
    auto found = FindTarget(path);
    if (!found) {
        return std::unexpected(found.error());
    }
    const CTarget& target = *found;
    RemoveStaleTemporaries(target.m_path);
    // An unnamed file first: a save killed while it writes leaves nothing behind. A file system
    // without them gets a named one.
    std::string tmp;
    int fd = -1;
    if (g_bUnnamedTemporaries) {
        fd = ::open(DirectoryPart(target.m_path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    }
    const bool unnamed = fd >= 0;
    if (!unnamed) {
        fd = CreateTemporary(target.m_path, tmp);
    }
    if (fd < 0) {
        const int err = errno;
        // A folder that takes no new files may still hold a file we may write.
        if (target.m_bExists && (err == EACCES || err == EPERM || err == EROFS)) {
            return RewriteInPlace(path, target, bytes);
        }
        return std::unexpected(CannotSave(path, err));
    }
    // From here on the target is untouched until the rename.
    auto fail = [&](int err) -> CFileResult {
        ::close(fd);
        if (!tmp.empty()) {
            ::unlink(tmp.c_str());
        }
        return std::unexpected(CannotSave(path, err));
    };
    if (target.m_bExists) {
        struct stat mine {};
        if (::fstat(fd, &mine) != 0) {
            return fail(errno);
        }
        if (mine.st_uid != target.m_stat.st_uid || mine.st_gid != target.m_stat.st_gid) {
            if (::fchown(fd, target.m_stat.st_uid, target.m_stat.st_gid) != 0) {
                if (errno != EPERM) {
                    return fail(errno);
                }
                // Only the owner's own file keeps its owner: write that one where it is.
                ::close(fd);
                if (!tmp.empty()) {
                    ::unlink(tmp.c_str());
                }
                return RewriteInPlace(path, target, bytes);
            }
        }
        // After the chown, which clears the set-id bits.
        if (::fchmod(fd, target.m_stat.st_mode & 07777) != 0) {
            return fail(errno);
        }
    }
    if (!WriteAll(fd, bytes.data(), bytes.size())) {
        return fail(errno);
    }
    if (::fsync(fd) != 0) {
        return fail(errno);
    }
    if (unnamed && !LinkUnnamed(fd, target.m_path, tmp)) {
        return fail(errno);
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return std::unexpected(CannotSave(path, err));
    }
    if (::rename(tmp.c_str(), target.m_path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return std::unexpected(CannotSave(path, err));
    }
    // Make the rename itself durable.
    const int dir =
        ::open(DirectoryPart(target.m_path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

CFileResult WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (path != "-") {
        return WriteFileSafely(path, bytes);
    }
    if (!WriteAll(STDOUT_FILENO, bytes.data(), bytes.size())) {
        return std::unexpected(CTexts{"Cannot write to standard output: ", "无法写入标准输出："} +
                               SystemReason(errno) + CTexts{".", "。"});
    }
    return {};
}

CResult<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t limit,
                                                 bool createIfMissing) {
    auto cannotOpen = [&](const CTexts& reason) {
        return std::unexpected(CError(FileError(kCannotOpen, path, reason)));
    };
    // Decided before opening: opening a pipe or a device may block or act on the device.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            return cannotOpen(NotRegular(st.st_mode));
        }
    } else if (errno != ENOENT || !createIfMissing) {
        return cannotOpen(SystemReason(errno));
    }
    const int flags =
        O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (createIfMissing ? O_CREAT : 0);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        return cannotOpen(SystemReason(errno));
    }
    // The path may have changed between the two looks.
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return cannotOpen(SystemReason(err));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return cannotOpen(NotRegular(st.st_mode));
    }
    std::vector<std::uint8_t> bytes(
        std::min<std::size_t>(limit, static_cast<std::size_t>(st.st_size) + 1));
    std::size_t got = 0;
    while (got < limit) {
        if (got == bytes.size()) {
            bytes.resize(std::min(limit, bytes.size() * 2 + 4096));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            ::close(fd);
            return std::unexpected(FileError(kCannotRead, path, SystemReason(err)));
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return bytes;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0) {
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    std::error_code ec;
    const auto pa = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ec), ec);
    const auto pb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, ec), ec);
    return !ec && pa == pb;
}

void UseUnnamedTemporaries(bool use) {
    g_bUnnamedTemporaries = use;
}

std::string ReadFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
        line.pop_back();
    }
    return line;
}

CResult<> MakePrivateFolders(const std::string& folder) {
    std::string path;
    std::size_t at = 0;
    while (at != std::string::npos) {
        at = folder.find('/', at + 1);
        path = folder.substr(0, at);
        if (path.empty() || ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) {
            continue;
        }
        const CTexts reason = SystemReason(errno);
        return std::unexpected(
            CError(CTexts{path + ": " + reason.m_en, path + "：" + reason.m_zh}));
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        const CTexts reason = SystemReason(ENOTDIR);
        return std::unexpected(
            CError(CTexts{folder + ": " + reason.m_en, folder + "：" + reason.m_zh}));
    }
    return {};
}
