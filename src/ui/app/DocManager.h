#pragma once

#include <QString>

class CChildFrame;
struct CRecoveryEntry;
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
    // A recovery copy as a new window beside the others: modified, named after the file it
    // was made from (Save writes there), untitled when it had none. The copy is removed once
    // the new window has written its own. Null (and the copy kept) when it cannot be read.
    CChildFrame* OpenRecovered(const CRecoveryEntry& entry);

private:
    CMainFrame* m_pFrame = nullptr;
};
