#include "settings/UserValues.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <sstream>

#include "util/File.h"

namespace {

constexpr std::size_t kMaxValuesSize = 1 << 20;

std::string Lower(std::string text) {
    for (auto& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// AppName may hold any byte; keep file names to a safe alphabet.
std::string FileNameFor(const std::string& appName) {
    if (appName.empty()) {
        return "Software.values";
    }
    std::string name = "Software_";
    static const char* hex = "0123456789ABCDEF";
    for (unsigned char c : appName) {
        // ASCII only: the desktop program (with the user's locale) and lh740ctl (with the "C"
        // locale) must name the same file.
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (alnum || c == '-' || c == '_' || c == '.') {
            name += static_cast<char>(c);
        } else {
            name += '%';
            name += hex[c >> 4];
            name += hex[c & 15];
        }
    }
    return name + ".values";
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char n = text[++i];
            out += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string XdgDirectory(const char* variable, const char* homeFallback) {
    if (const char* xdg = std::getenv(variable); xdg && *xdg == '/') {
        return xdg;
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::string(home) + "/" + homeFallback;
    }
    return {};
}

std::string UserConfigDirectory() {
    return XdgDirectory("XDG_CONFIG_HOME", ".config");
}

CFileUserValues::CFileUserValues(const std::string& appName)
    : CFileUserValues(appName, UserConfigDirectory()) {}

CFileUserValues::CFileUserValues(const std::string& appName, const std::string& configDir) {
    if (!configDir.empty()) {
        m_strFile = configDir + "/lh740/" + FileNameFor(appName);
    }
}

std::map<std::string, CFileUserValues::CValue> CFileUserValues::Read() const {
    std::map<std::string, CValue> values;
    // A missing, unreadable or oversized file holds no values; a pipe must not block the program.
    auto bytes = ReadFileBytes(m_strFile, kMaxValuesSize + 1);
    if (!bytes || bytes->size() > kMaxValuesSize) {
        return values;
    }
    std::istringstream in(std::string(bytes->begin(), bytes->end()));
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0) {
            continue;
        }
        const std::string name = Lower(line.substr(0, eq));
        const std::string rest = line.substr(eq + 1);
        CValue v;
        if (rest.starts_with("dword:")) {
            const char* first = rest.data() + 6;
            const char* last = rest.data() + rest.size();
            std::uint32_t n = 0;
            const auto [end, ec] = std::from_chars(first, last, n);
            if (ec != std::errc() || end != last || first == last) {
                continue;
            }
            v.m_isNumber = true;
            v.m_number = n;
        } else if (rest.starts_with("sz:")) {
            v.m_text = Unescape(rest.substr(3));
        } else {
            continue;
        }
        values[name] = v;
    }
    return values;
}

bool CFileUserValues::Write(const std::map<std::string, CValue>& values) const {
    std::string text;
    for (const auto& [name, v] : values) {
        text += name + "=" +
                (v.m_isNumber ? "dword:" + std::to_string(v.m_number) : "sz:" + Escape(v.m_text)) +
                "\n";
    }
    const auto slash = m_strFile.rfind('/');
    if (!MakePrivateFolders(m_strFile.substr(0, slash))) {
        return false;
    }
    return WriteFileSafely(m_strFile, std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                                text.size()))
        .has_value();
}

bool CFileUserValues::Set(const std::string& name, CValue value) {
    if (m_strFile.empty() || name.empty() || name.find_first_of("=\n\r") != std::string::npos) {
        return false;
    }
    auto values = Read();
    values[Lower(name)] = std::move(value);
    return Write(values);
}

std::optional<std::uint32_t> CFileUserValues::GetNumber(const std::string& name) {
    const auto values = Read();
    const auto it = values.find(Lower(name));
    if (it == values.end() || !it->second.m_isNumber) {
        return std::nullopt;
    }
    return it->second.m_number;
}

std::optional<std::string> CFileUserValues::GetString(const std::string& name) {
    const auto values = Read();
    const auto it = values.find(Lower(name));
    if (it == values.end() || it->second.m_isNumber) {
        return std::nullopt;
    }
    return it->second.m_text;
}

bool CFileUserValues::SetNumber(const std::string& name, std::uint32_t value) {
    return Set(name, {true, value, {}});
}

bool CFileUserValues::SetString(const std::string& name, const std::string& value) {
    return Set(name, {false, 0, value});
}
