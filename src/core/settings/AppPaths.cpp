#include "settings/AppPaths.h"

#include <unistd.h>

#include <climits>

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return "./";
    }
    return path.substr(0, slash + 1);
}

const std::string& ProgramDirectory() {
    static const std::string dir = [] {
        char buf[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
        if (n <= 0) {
            return std::string("./");
        }
        return DirectoryOf(std::string(buf, static_cast<std::size_t>(n)));
    }();
    return dir;
}
