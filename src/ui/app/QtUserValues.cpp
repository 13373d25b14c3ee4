#include "ui/app/QtUserValues.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include "settings/IniFile.h"
#include "ui/app/UiGlobals.h"

namespace {

// Names ignore letter case, as the registry's do; QSettings keys do not, so they are folded.
QString KeyOf(const std::string& name) {
    return QString::fromStdString(name).toLower();
}

QString SafeFileName(const std::string& appName) {
    QString name = QString::fromStdString(appName);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("Software_") + name + QStringLiteral(".conf");
}

}  // namespace

CQtUserValues::CQtUserValues(const std::string& appName) {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!base.isEmpty()) {
        m_strFile = base + QStringLiteral("/lh740/") + SafeFileName(appName);
    }
}

std::optional<std::uint32_t> CQtUserValues::GetNumber(const std::string& name) {
    if (m_strFile.isEmpty()) {
        return std::nullopt;
    }
    QSettings settings(m_strFile, QSettings::IniFormat);
    const QVariant value = settings.value(KeyOf(name));
    bool ok = false;
    const qulonglong number = value.toULongLong(&ok);
    // Strings are kept as byte arrays (they may be GBK), so they never read as numbers.
    if (!value.isValid() || value.typeId() == QMetaType::QByteArray || !ok ||
        number > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(number);
}

bool CQtUserValues::SetNumber(const std::string& name, std::uint32_t value) {
    if (m_strFile.isEmpty()) {
        return false;
    }
    QSettings settings(m_strFile, QSettings::IniFormat);
    settings.setValue(KeyOf(name), static_cast<qulonglong>(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::optional<std::string> CQtUserValues::GetString(const std::string& name) {
    if (m_strFile.isEmpty()) {
        return std::nullopt;
    }
    QSettings settings(m_strFile, QSettings::IniFormat);
    const QVariant value = settings.value(KeyOf(name));
    if (value.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    return value.toByteArray().toStdString();
}

bool CQtUserValues::SetString(const std::string& name, const std::string& value) {
    if (m_strFile.isEmpty()) {
        return false;
    }
    QSettings settings(m_strFile, QSettings::IniFormat);
    settings.setValue(KeyOf(name), QByteArray::fromStdString(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool MergeOldUserValues(const QString& oldFile, CUserValues& target) {
    if (oldFile.isEmpty() || !QFile::exists(oldFile)) {
        return false;
    }
    {
        QSettings settings(oldFile, QSettings::IniFormat);
        for (const QString& key : settings.allKeys()) {
            const std::string name = key.toStdString();
            if (target.GetNumber(name) || target.GetString(name)) {
                continue;  // the shared store has the newer choice
            }
            const QVariant value = settings.value(key);
            bool ok = false;
            const qulonglong number = value.toULongLong(&ok);
            if (value.typeId() == QMetaType::QByteArray) {
                target.SetString(name, value.toByteArray().toStdString());
            } else if (ok && number <= 0xFFFFFFFFull) {
                target.SetNumber(name, static_cast<std::uint32_t>(number));
            }
        }
    }
    // Renamed, not removed: nothing the user had is lost if the merge went wrong.
    const QString done = oldFile + QStringLiteral(".merged");
    QFile::remove(done);
    return QFile::rename(oldFile, done);
}

CUserValues& ProgramUserValues() {
    static CFileUserValues values = [] {
        const std::string appName = g_iniFile.GetString("Setup", "AppName", "");
        CFileUserValues shared(appName);
        MergeOldUserValues(CQtUserValues(appName).GetFilePath(), shared);
        return shared;
    }();
    return values;
}
