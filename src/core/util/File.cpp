#include "util/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/Text.h"

namespace {

constexpr CText kCannotOpen{"Cannot open ", "无法打开 "};
constexpr CText kCannotRead{"Cannot read ", "无法读取 "};
constexpr CText kCannotSave{"Cannot save ", "无法保存 "};
constexpr CText kIsDirectory{"it is a directory", "这是一个文件夹"};

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// "Cannot save "x": reason." in the program's language.
std::string FileError(const CText& verb, const std::string& path, const std::string& reason) {
    return verb.Get() + Quoted(path) + (g_bChinese ? "：" : ": ") + reason +
           (g_bChinese ? "。" : ".");
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

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
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

}  // namespace

std::string SystemReason(int err) {
    if (g_bChinese) {
        for (const CReason& reason : kChineseReasons) {
            if (reason.m_errno == err) {
                return reason.m_zh;
            }
        }
    }
    return std::strerror(err);
}

CFileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        return std::unexpected(FileError(kCannotSave, path, SystemReason(errno)));
    }
    auto fail = [&](int err) -> CFileResult {
        ::close(fd);
        ::unlink(tmp.c_str());
        return std::unexpected(FileError(kCannotSave, path, SystemReason(err)));
    };

    struct stat old {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd, mode) != 0) {
        return fail(errno);
    }
    if (!WriteAll(fd, bytes.data(), bytes.size())) {
        return fail(errno);
    }
    if (::fsync(fd) != 0) {
        return fail(errno);
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return std::unexpected(FileError(kCannotSave, path, SystemReason(err)));
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return std::unexpected(FileError(kCannotSave, path, SystemReason(err)));
    }
    // Make the rename itself durable.
    const int dir = ::open(DirectoryPart(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

std::expected<std::vector<std::uint8_t>, std::string> ReadFileBytes(const std::string& path,
                                                                    std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::unexpected(FileError(kCannotOpen, path, SystemReason(errno)));
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::unexpected(FileError(kCannotOpen, path, kIsDirectory.Get()));
    }
    std::vector<std::uint8_t> bytes(limit);
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, bytes.data() + got, limit - got);
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
