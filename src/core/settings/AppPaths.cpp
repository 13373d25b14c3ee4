#include "settings/AppPaths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <memory>

#include "settings/IniFile.h"
#include "settings/UserValues.h"

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

CSharedFiles LocateSharedFiles(const std::string& programDir) {
    struct stat st {};
    if (::stat((programDir + "Program.ini").c_str(), &st) == 0) {
        return {programDir, false};
    }
    const std::string installed = programDir + "../share/lh740/";
    if (::stat(installed.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        // A clean path for messages: PREFIX/share/lh740/ rather than PREFIX/bin/../share/lh740/.
        char resolved[PATH_MAX];
        if (::realpath(installed.c_str(), resolved) != nullptr) {
            return {std::string(resolved) + "/", true};
        }
        return {installed, true};
    }
    return {programDir, false};
}

const CSharedFiles& SharedFiles() {
    static const CSharedFiles files = LocateSharedFiles(ProgramDirectory());
    return files;
}

CProgramIniPlace LocateProgramIni(const std::string& dir, bool installed) {
    const std::string own = dir + "Program.ini";
    if (!installed && ::access(own.c_str(), W_OK) == 0) {
        return {own, own};
    }
    const std::string config = UserConfigDirectory();
    if (config.empty()) {
        return {own, {}};
    }
    const std::string user = config + "/lh740/Program.ini";
    struct stat st {};
    return {::stat(user.c_str(), &st) == 0 ? user : own, user};
}

CProgramIniPlace ProgramIniPlace() {
    return LocateProgramIni(SharedFiles().m_dir, SharedFiles().m_bInstalled);
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
