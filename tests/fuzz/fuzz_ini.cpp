// Program.ini: whatever a file holds, a saved store reloads to the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzTemp.h"
#include "settings/IniFile.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_ini: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the case rule, the rest is the file.
    const bool ignoreCase = (data[0] & 1) != 0;
    const std::string path = FuzzTempDir() + "/Program.ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    std::string first;
    {
        CIniFile ini;
        if (!ini.LoadPath(path, false, ignoreCase, false)) {
            return 0;
        }
        // A change makes Save write the whole store.
        ini.SetString("Fuzz", "Key", "one");
        Check(ini.Save().has_value(), "first save failed");
        first = ReadAll(path);
    }
    CIniFile again;
    Check(again.LoadPath(path, false, ignoreCase, false).has_value(), "reload failed");
    Check(again.GetString("Fuzz", "Key", "") == "one", "written value lost");
    again.SetString("Fuzz", "Key", "two");
    again.SetString("Fuzz", "Key", "one");
    Check(again.Save().has_value(), "second save failed");
    Check(ReadAll(path) == first, "reloaded store saves a different text");
    return 0;
}
