#pragma once

#include <map>

#include "channels/Bands.h"
#include "image/DocumentState.h"
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
