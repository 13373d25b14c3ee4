#pragma once

#include <QString>

#include "settings/UserValues.h"

// The per-user values ("com", "Type") in QSettings, scoped by [Setup] AppName: the file
// $XDG_CONFIG_HOME/lh740/Software_<AppName>.conf. Failures stay quiet, as the interface asks.
class CQtUserValues : public CUserValues {
public:
    explicit CQtUserValues(const std::string& appName);

    std::optional<std::uint32_t> GetNumber(const std::string& name) override;
    bool SetNumber(const std::string& name, std::uint32_t value) override;
    std::optional<std::string> GetString(const std::string& name) override;
    bool SetString(const std::string& name, const std::string& value) override;

    const QString& GetFilePath() const { return m_strFile; }

private:
    QString m_strFile;
};

// The program's user values, created on first use from [Setup] AppName.
CUserValues& ProgramUserValues();
