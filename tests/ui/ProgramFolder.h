#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A folder laid out as the program's own: the given Program.ini, the language packs and help
// pages of the built program, and (when asked) its pictures.
class CProgramFolder {
public:
    explicit CProgramFolder(const QByteArray& ini, bool pictures = false) {
        QFile file(Path("Program.ini"));
        file.open(QIODevice::WriteOnly);
        file.write(ini);
        file.close();
        const QString bin = QStringLiteral(LH740_BIN_DIR "/");
        QStringList files = {"English.qm", "Chinese.qm"};
        if (pictures) {
            files << "startup.bmp"
                  << "startup-zh.bmp"
                  << "background.bmp"
                  << "title.ico";
        }
        for (const QString& name : files) {
            QFile::copy(bin + name, Path(name));
        }
        for (const QString& help : {QStringLiteral("enHelp"), QStringLiteral("chHelp")}) {
            QDir().mkpath(Path(help));
            for (const QString& page : QDir(bin + help).entryList(QDir::Files)) {
                QFile::copy(bin + help + "/" + page, Path(help + "/" + page));
            }
        }
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Dir() const { return m_dir.path() + "/"; }

private:
    QTemporaryDir m_dir;
};
