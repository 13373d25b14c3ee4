#include "settings/AppPaths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <memory>

#include "settings/IniFile.h"

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

std::string FindFileIgnoringCase(const std::string& directory, const std::string& name) {
    auto isFile = [&](const std::string& entry) {
        struct stat st {};
        return ::stat((directory + entry).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    };
    if (name.empty()) {
        return {};
    }
    if (isFile(name)) {
        return name;
    }
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.c_str()), ::closedir);
    if (!dir) {
        return {};
    }
    std::string found;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string candidate = entry->d_name;
        if (EqualIgnoringAsciiCase(candidate, name) && (found.empty() || candidate < found) &&
            isFile(candidate)) {
            found = candidate;
        }
    }
    return found;
}
