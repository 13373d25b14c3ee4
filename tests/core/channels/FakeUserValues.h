#pragma once

#include <map>

#include "settings/UserValues.h"

// In-memory user values for the band refresh and the product information.
class CFakeUserValues : public CUserValues {
public:
    std::map<std::string, std::uint32_t> m_numbers;

    std::optional<std::uint32_t> GetNumber(const std::string& name) override {
        auto it = m_numbers.find(name);
        return it == m_numbers.end() ? std::nullopt : std::optional(it->second);
    }
    bool SetNumber(const std::string& name, std::uint32_t value) override {
        m_numbers[name] = value;
        return true;
    }
    std::optional<std::string> GetString(const std::string&) override { return std::nullopt; }
    bool SetString(const std::string&, const std::string&) override { return false; }
};

#include "channels/Bands.h"
#include "image/ProgramDoc.h"
#include "settings/Language.h"

// Restores the process-wide limits, the new-document flag and the language on scope exit.
class CGlobalsGuard {
public:
    CGlobalsGuard() : m_bands(CurrentBands()), m_new(g_bNewDocument), m_chinese(g_bChinese) {}
    ~CGlobalsGuard() {
        SetCurrentBands(m_bands);
        g_bNewDocument = m_new;
        g_bChinese = m_chinese;
    }

private:
    CBands m_bands;
    bool m_new;
    bool m_chinese;
};
