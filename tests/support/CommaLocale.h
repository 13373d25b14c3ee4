#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

// A locale that writes 1,5 for 1.5 (de_DE.UTF-8), generated with localedef into a temporary
// folder and found through LOCPATH, so the machine's own locales are never changed. It is made
// once per process; LOCPATH stays set, so child processes find it too.
class CCommaLocale {
public:
    static constexpr const char* kName = "de_DE.UTF-8";

    // The folder to give as LOCPATH, or empty (with the reason) when the locale cannot be made.
    static const std::string& Folder(std::string* error = nullptr) {
        static CTempDir dir;
        static const std::string made = [] {
            const std::string target = dir / kName;
            const std::string cmd = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
            // localedef may exit non-zero for warnings alone; the files decide.
            (void)std::system(cmd.c_str());
            return std::filesystem::exists(target + "/LC_NUMERIC") ? dir.Path() : std::string();
        }();
        if (made.empty() && error != nullptr) {
            *error = "localedef could not make " + std::string(kName) +
                     " (the Debian package locales provides its sources)";
        }
        if (!made.empty()) {
            ::setenv("LOCPATH", made.c_str(), 1);
        }
        return made;
    }

    // Environment assignments for a shell command that runs a program under the locale.
    static std::string Environment() {
        return "LOCPATH='" + Folder() + "' LC_ALL=" + kName + " LANG=" + kName + " ";
    }

    // The process runs under the comma locale while the object lives.
    CCommaLocale() {
        if (Folder(&m_error).empty()) {
            return;
        }
        if (std::setlocale(LC_ALL, kName) == nullptr) {
            m_error = "setlocale refused " + std::string(kName);
            return;
        }
        m_active = std::string(std::localeconv()->decimal_point) == ",";
        if (!m_active) {
            m_error = "the locale's decimal point is not a comma";
        }
    }
    ~CCommaLocale() { std::setlocale(LC_ALL, "C"); }
    CCommaLocale(const CCommaLocale&) = delete;
    CCommaLocale& operator=(const CCommaLocale&) = delete;

    bool Active() const { return m_active; }
    const std::string& Error() const { return m_error; }

private:
    bool m_active = false;
    std::string m_error;
};
