#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// One private folder per fuzz process for the file a target must write, removed at exit.
inline const std::string& FuzzTempDir() {
    static const std::string dir = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/lh740fuzz.XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern;
    }();
    static const bool cleanup = [] {
        return std::atexit([] {
                   std::remove((dir + "/Program.ini").c_str());
                   rmdir(dir.c_str());
               }) == 0;
    }();
    (void)cleanup;
    return dir;
}
