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

#include <QTest>
#include <memory>

#include "image/MemoryImage.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ProgramApp.h"

// Writes `image` as radio.dat in `folder` and starts the program on it (no splash pause), its
// main window shown and active; nullptr when it did not start.
template <class TFolder>
CMainFrame* StartOnImage(std::unique_ptr<CProgramApp>& app, const TFolder& folder,
                         const CMemoryImage& image) {
    const QString file = folder.Path("radio.dat");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char*>(image.m_bytes.data()), kImageSize) != kImageSize) {
        return nullptr;
    }
    out.close();
    app = std::make_unique<CProgramApp>();
    app->SetAppDir(folder.Dir());
    app->SetSplashPause(0);
    if (!app->InitInstance({file})) {
        return nullptr;
    }
    CMainFrame* frame = app->MainFrame();
    frame->show();
    frame->activateWindow();
    return QTest::qWaitForWindowActive(frame) ? frame : nullptr;
}
