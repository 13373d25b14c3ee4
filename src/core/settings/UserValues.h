#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// Per-user values kept between runs ("com", "Type"), scoped by [Setup] AppName. Failures are
// quiet by design: a value that cannot be read is absent, a store that cannot be written
// returns false and the caller goes on.
class CUserValues {
public:
    virtual ~CUserValues() = default;
    virtual std::optional<std::uint32_t> GetNumber(const std::string& name) = 0;
    virtual bool SetNumber(const std::string& name, std::uint32_t value) = 0;
    virtual std::optional<std::string> GetString(const std::string& name) = 0;
    virtual bool SetString(const std::string& name, const std::string& value) = 0;
};

// A small text file per AppName under $XDG_CONFIG_HOME (default ~/.config)/lh740/.
// Each line is `name=dword:N` or `name=sz:TEXT` (TEXT with \\ and \n escaped); names ignore
// letter case. Every set rewrites the file atomically.
class CFileUserValues : public CUserValues {
public:
    explicit CFileUserValues(const std::string& appName);
    // For tests and other callers that choose the folder themselves.
    CFileUserValues(const std::string& appName, const std::string& configDir);

    std::optional<std::uint32_t> GetNumber(const std::string& name) override;
    bool SetNumber(const std::string& name, std::uint32_t value) override;
    std::optional<std::string> GetString(const std::string& name) override;
    bool SetString(const std::string& name, const std::string& value) override;

    const std::string& GetFilePath() const { return m_strFile; }

private:
    struct CValue {
        bool m_isNumber = false;
        std::uint32_t m_number = 0;
        std::string m_text;
    };
    std::map<std::string, CValue> Read() const;
    bool Write(const std::map<std::string, CValue>& values) const;
    bool Set(const std::string& name, CValue value);

    std::string m_strFile;  // empty when no folder could be found
};

// $XDG_CONFIG_HOME, else $HOME/.config; empty when neither is set.
std::string UserConfigDirectory();
// An XDG base folder: $VARIABLE when it is an absolute path, else $HOME/homeFallback; empty when
// neither is known.
std::string XdgDirectory(const char* variable, const char* homeFallback);
