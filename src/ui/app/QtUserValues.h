#pragma once

#include <QString>

#include "settings/UserValues.h"

// The desktop program's former store of the per-user values ("com", "Type") in QSettings,
// scoped by [Setup] AppName: the file $XDG_CONFIG_HOME/lh740/Software_<AppName>.conf. Kept to
// read what it holds into the shared store. Failures stay quiet, as the interface asks.
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

// Copies the values of a former QSettings store into `target` where it has none of that name,
// then renames the old file to "<file>.merged" so it is read only once. False when there was
// nothing to merge or the file could not be renamed.
bool MergeOldUserValues(const QString& oldFile, CUserValues& target);

// The program's user values, created on first use from [Setup] AppName: the file store that
// lh740ctl uses too, so a port chosen in one program is the other's.
CUserValues& ProgramUserValues();
