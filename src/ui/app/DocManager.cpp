#include "ui/app/DocManager.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "image/ProgramDoc.h"
#include "image/Recovery.h"
#include "settings/IniFile.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/MainFrame.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/DocumentHistory.h"

QString CMyDocManager::StripFileName(const QString& name) {
    QString path = name.startsWith(QLatin1Char('"')) ? name.mid(1) : name;
    path = path.left(259);
    const qsizetype quote = path.lastIndexOf(QLatin1Char('"'));
    if (quote >= 0) {
        path.truncate(quote);
    }
    return path;
}

CChildFrame* CMyDocManager::OpenNewDocument() {
    if (m_pFrame == nullptr) {
        return nullptr;
    }
    auto doc = std::make_unique<CProgramDoc>();
    doc->OnNewDocument(g_iniFile);
    return m_pFrame->AddDocumentWindow(std::move(doc));
}

CChildFrame* CMyDocManager::OpenDocumentFile(const QString& name, bool* cancelled) {
    if (m_pFrame == nullptr) {
        return nullptr;
    }
    const QString stripped = StripFileName(name);
    if (stripped.isEmpty()) {
        Ask(QCoreApplication::translate("CMyDocManager",
                                        "Could not open the document: no file "
                                        "name was given."));
        return nullptr;
    }
    const QString path = QFileInfo(stripped).absoluteFilePath();
    // Asked before the file is read, since Save may write that very file. A Discard is made
    // final only once the file has opened; a failed open leaves the changes to be asked about.
    CChildFrame* previous = m_pFrame->ActiveChild();
    if (!m_pFrame->SaveModified(previous, false)) {
        if (cancelled != nullptr) {
            *cancelled = true;
        }
        return nullptr;
    }
    auto doc = std::make_unique<CProgramDoc>();
    const auto opened = doc->OnOpenDocument(path.toStdString());
    if (!opened) {
        Ask(Tr(opened.error()));
        return nullptr;
    }
    // The window that was showing steps back, as if the user had closed it.
    if (previous != nullptr) {
        CDocumentHistory::Of(*previous->View()).SetDiscarded();
        previous->close();
    }
    CChildFrame* child = m_pFrame->AddDocumentWindow(std::move(doc));
    m_pFrame->AddRecentFile(path);
    return child;
}

CChildFrame* CMyDocManager::OpenBackup(const QString& path) {
    if (m_pFrame == nullptr) {
        return nullptr;
    }
    CChildFrame* previous = m_pFrame->ActiveChild();
    if (!m_pFrame->SaveModified(previous, false)) {
        return nullptr;
    }
    // As Open reads a file, without taking its name.
    const auto image = LoadDatFile(path.toStdString());
    if (!image) {
        Ask(Tr(image.error()));
        return nullptr;
    }
    auto doc = std::make_unique<CProgramDoc>();
    doc->m_image = *image;
    doc->m_bNewDocument = false;
    if (previous != nullptr) {
        CDocumentHistory::Of(*previous->View()).SetDiscarded();
        previous->close();
    }
    return m_pFrame->AddDocumentWindow(std::move(doc));
}

CChildFrame* CMyDocManager::OpenRecovered(const CRecoveryEntry& entry) {
    if (m_pFrame == nullptr) {
        return nullptr;
    }
    const auto image = LoadDatFile(entry.m_dataPath);
    if (!image) {
        Ask(Tr(image.error()));
        return nullptr;
    }
    auto doc = std::make_unique<CProgramDoc>();
    doc->OnNewDocument(g_iniFile);
    doc->m_image = *image;
    doc->m_bNewDocument = false;
    if (!entry.m_originalPath.empty()) {
        doc->SetPathName(entry.m_originalPath);
    }
    CChildFrame* child = m_pFrame->AddDocumentWindow(std::move(doc));
    CDocumentHistory::Of(*child->View()).SetUnsaved();
    // The new window's copy first, so the work is on disk throughout.
    m_pFrame->SaveRecoveryCopies();
    if (QFileInfo::exists(CMainFrame::RecoveryPath(child))) {
        RemoveRecovery(entry.m_dataPath);
    }
    return child;
}
