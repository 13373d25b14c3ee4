#pragma once

#include <cstdlib>
#include <string>

// One private folder per fuzz process for the files a target must write.
inline const std::string& FuzzTempDir() {
    static const std::string dir = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/lh740fuzz.XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern;
    }();
    return dir;
}
