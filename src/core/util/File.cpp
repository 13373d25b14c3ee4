#include "util/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

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
    return std::strerror(err);
}

CFileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        return std::unexpected("Cannot save " + Quoted(path) + ": " + SystemReason(errno) + ".");
    }
    auto fail = [&](int err) -> CFileResult {
        ::close(fd);
        ::unlink(tmp.c_str());
        return std::unexpected("Cannot save " + Quoted(path) + ": " + SystemReason(err) + ".");
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
        return std::unexpected("Cannot save " + Quoted(path) + ": " + SystemReason(err) + ".");
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return std::unexpected("Cannot save " + Quoted(path) + ": " + SystemReason(err) + ".");
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
        return std::unexpected("Cannot open " + Quoted(path) + ": " + SystemReason(errno) + ".");
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::unexpected("Cannot open " + Quoted(path) + ": it is a directory.");
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
            return std::unexpected("Cannot read " + Quoted(path) + ": " + SystemReason(err) + ".");
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
