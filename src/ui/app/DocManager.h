#pragma once

#include <QString>

class CChildFrame;
class CMainFrame;

// Creates documents with their windows. Unlike the usual rule, a file that is already open is
// never brought to the front: it is read again into a new document.
class CMyDocManager {
public:
    void SetMainFrame(CMainFrame* frame) { m_pFrame = frame; }

    // Skips one leading quote, keeps at most 259 characters, cuts at the last quote.
    static QString StripFileName(const QString& name);

    // A new document with the default image in a new window.
    CChildFrame* OpenNewDocument();
    // Reads the file into a new document and window and hides the window that was showing.
    // A failure is shown and changes nothing; the result is null then.
    // `cancelled` is set when the user kept the document shown at the unsaved-changes question.
    CChildFrame* OpenDocumentFile(const QString& name, bool* cancelled = nullptr);
    // A backup's bytes as a new, untitled document: saving it never overwrites the backup.
    CChildFrame* OpenBackup(const QString& path);

private:
    CMainFrame* m_pFrame = nullptr;
};
