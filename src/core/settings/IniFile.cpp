#include "settings/IniFile.h"

#include <sstream>

#include "settings/AppPaths.h"
#include "util/File.h"

namespace {

constexpr const char* kSpace = " \t\r\n\v\f";
constexpr std::size_t kMaxIniSize = 1 << 20;

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool IsCommentMarker(char c) {
    return c == ';' || c == '/' || c == '\\' || c == '*';
}

// Cuts a value at the first occurrence of `marker`, if any.
void CutAt(std::string& value, const char* marker) {
    const auto at = value.find(marker);
    if (at != std::string::npos) {
        value.erase(at);
    }
}

}  // namespace

std::string TrimIniSpace(const std::string& text) {
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        // A GBK lead byte takes the next byte with it, and the pair compares exactly: its
        // second byte may be 0x41..0x5A or 0x61..0x7A without being a letter.
        if (ca >= 0x81 && ca <= 0xFE && i + 1 < a.size()) {
            if (ca != cb || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
            continue;
        }
        if (FoldAscii(ca) != FoldAscii(cb)) {
            return false;
        }
    }
    return true;
}

CIniFile::~CIniFile() {
    if (m_bSaveOnClose) {
        (void)Save();
    }
    Clear();
}

bool CIniFile::Equal(const std::string& a, const std::string& b) const {
    return m_bIgnoreCase ? EqualIgnoringAsciiCase(a, b) : a == b;
}

int CIniFile::FindSection(const std::string& name) const {
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        if (Equal(m_sections[i].m_name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CIniFile::FindKey(const CSection& section, const std::string& key, const CIniFile& self) {
    // From the last entry back: of duplicate keys the later one wins.
    for (int i = static_cast<int>(section.m_entries.size()) - 1; i >= 0; --i) {
        if (self.Equal(section.m_entries[static_cast<std::size_t>(i)].first, key)) {
            return i;
        }
    }
    return -1;
}

CResult<> CIniFile::LoadPath(const std::string& path, bool saveOnClose, bool ignoreCase,
                             bool createMissing) {
    if (IsLoaded()) {
        if (m_bSaveOnClose) {
            (void)Save();
        }
        Clear();
    }
    m_bSaveOnClose = saveOnClose;
    m_bIgnoreCase = ignoreCase;

    // A missing file is created empty, never truncated. A settings file is a few kilobytes;
    // anything beyond the bound is not one, and is refused rather than cut and written back.
    auto bytes = ReadFileBytes(path, kMaxIniSize + 1, createMissing);
    if (!bytes) {
        return std::unexpected(bytes.error());
    }
    if (bytes->size() > kMaxIniSize) {
        return std::unexpected(CTexts{"Cannot read \"" + path + "\": it is larger than 1 MB.",
                                      "无法读取 \"" + path + "\"：文件大于 1 MB。"});
    }
    std::istringstream in(std::string(bytes->begin(), bytes->end()));

    m_strPath = path;
    m_sections.push_back({.m_name = {}, .m_entries = {}, .m_bHeader = false});
    std::string line;
    while (std::getline(in, line)) {
        line = TrimIniSpace(line);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            m_sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        std::string key;
        std::string value;
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            key = line;
        } else {
            key = TrimIniSpace(line.substr(0, eq));
            value = TrimIniSpace(line.substr(eq + 1));
        }
        if (key.empty() || IsCommentMarker(key.front())) {
            continue;
        }
        m_sections.back().m_entries.emplace_back(std::move(key), std::move(value));
    }
    return {};
}

std::string CIniFile::GetString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    const int s = FindSection(section);
    if (s < 0) {
        return def;
    }
    const auto& sec = m_sections[static_cast<std::size_t>(s)];
    const int k = FindKey(sec, key, *this);
    if (k < 0) {
        return TrimIniSpace(def);
    }
    std::string value = sec.m_entries[static_cast<std::size_t>(k)].second;
    CutAt(value, "//");
    CutAt(value, "\t;");
    CutAt(value, "/*");
    return value;
}

void CIniFile::SetString(const std::string& section, const std::string& key,
                         const std::string& value) {
    if (!IsLoaded()) {
        return;
    }
    int s = FindSection(section);
    if (s < 0) {
        m_sections.push_back({section, {}});
        s = static_cast<int>(m_sections.size()) - 1;
        m_bModified = true;
    }
    auto& sec = m_sections[static_cast<std::size_t>(s)];
    const int k = FindKey(sec, key, *this);
    if (k < 0) {
        sec.m_entries.emplace_back(key, value);
        m_bModified = true;
        return;
    }
    auto& stored = sec.m_entries[static_cast<std::size_t>(k)].second;
    // Different bytes are a change, letter case included: a value stored but never written
    // would be back to the old one at the next start.
    if (stored != value) {
        m_bModified = true;
    }
    stored = value;
}

std::string CIniFile::Serialise() const {
    std::string text;
    for (const auto& sec : m_sections) {
        if (sec.m_bHeader) {
            text += "[" + sec.m_name + "]\r\n";
        }
        for (const auto& [key, value] : sec.m_entries) {
            text += key + (key.empty() ? "" : "=") + value + "\r\n";
        }
    }
    return text;
}

CResult<> CIniFile::Save() {
    if (!m_bModified || !IsLoaded()) {
        return {};
    }
    const std::string text = Serialise();
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    const std::string target = m_strSavePath.empty() ? m_strPath : m_strSavePath;
    if (target != m_strPath) {
        if (auto made = MakePrivateFolders(DirectoryOf(target)); !made) {
            return made;
        }
    }
    auto saved = WriteFileSafely(target, bytes);
    if (!saved) {
        return saved;
    }
    m_strPath = target;
    m_bModified = false;
    return {};
}

void CIniFile::Clear() {
    m_sections.clear();
    m_strPath.clear();
    m_strSavePath.clear();
    m_bModified = false;
}
