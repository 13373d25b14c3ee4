#pragma once

#include <string>
#include <utility>
#include <vector>

#include "util/Error.h"

// The program's own reader and writer of Program.ini. Texts are kept as bytes (GBK for
// Chinese); nothing is converted. Section 0 is the unnamed section before the first header.
class CIniFile {
public:
    CIniFile() = default;
    ~CIniFile();
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // Loads a file by its full path; a missing file is created empty. Anything but a regular
    // file (a pipe, a device), or a file over 1 MB, is refused and nothing is loaded.
    // `createMissing` false only reads: a missing file is an error, not an empty file made.
    CResult<> LoadPath(const std::string& path, bool saveOnClose, bool ignoreCase,
                       bool createMissing = true);

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) const;
    // Modified when the stored bytes change (a change of letter case alone included).
    void SetString(const std::string& section, const std::string& key, const std::string& value);

    // Writes the whole store if it was modified; the error says why it could not.
    CResult<> Save();
    // Makes Save write to `path` (creating its folder) instead of the file loaded, which is then
    // read from: the user's copy of an installed, read-only Program.ini.
    void SetSavePath(const std::string& path) { m_strSavePath = path; }
    void Clear();

    // The store's state: a file is loaded, it holds unsaved changes.
    bool IsLoaded() const { return !m_strPath.empty(); }
    bool IsModified() const { return m_bModified; }

private:
    // Section 0 is the unnamed one; entries keep the file's order.
    struct CSection {
        std::string m_name;
        std::vector<std::pair<std::string, std::string>> m_entries;
        // False only for the lines before the first header; "[]" is a header too.
        bool m_bHeader = true;
    };

    bool Equal(const std::string& a, const std::string& b) const;
    int FindSection(const std::string& name) const;
    static int FindKey(const CSection& section, const std::string& key, const CIniFile& self);
    std::string Serialise() const;

    std::string m_strPath;
    std::string m_strSavePath;
    std::vector<CSection> m_sections;
    bool m_bIgnoreCase = false;
    bool m_bSaveOnClose = false;
    bool m_bModified = false;
};

// Trims the white space a settings line may carry: space, tab, CR, LF, VT, FF.
std::string TrimIniSpace(const std::string& text);
// Compares ASCII letters without case, character by character as GBK has them: a lead byte
// (0x81..0xFE) and the byte after it form one character and compare exactly.
bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b);
