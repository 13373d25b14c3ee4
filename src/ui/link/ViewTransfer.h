#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include "link/CloneProtocol.h"
#include "ui/link/ProcessDlg.h"

class CProgramView;

// The channel view's radio transfers: the Read and Write commands open the progress window,
// its Start runs the full read or write on a worker thread, and the end of the transfer
// applies a read to the document and closes the window. One per view, a child of it.
class CViewTransfer : public QObject {
    Q_OBJECT
public:
    explicit CViewTransfer(CProgramView& view);
    ~CViewTransfer() override;

    // The view's transfer object, made on first use.
    static CViewTransfer& Of(CProgramView& view);

    void OnRead();
    void OnWrite();
    // A read into a copy, listed against the document as on screen; the document is left alone.
    void OnCompare();

    bool IsWrite() const { return m_bWrite; }
    bool IsCompare() const { return m_bCompare; }
    bool Running() const { return m_bRunning; }
    // The progress window, while it exists.
    CProcessDlg* ProcessDlg() const { return m_pProcessDlg; }

signals:
    // The transfer has ended (the window is gone); for tests and the status bar.
    void TransferEnded(ETransferOutcome outcome);

private:
    int HelpContext() const;
    // Start will run in this direction, under this title.
    void OpenProcessDlg(bool write, bool compare, const QString& title);
    void OnStartPressed();
    void OnTransfer();
    void Finish(const CTransferResult& result, const CMemoryImage& received);

    CProgramView& m_view;
    bool m_bWrite = false;
    bool m_bCompare = false;
    bool m_bRunning = false;
    QString m_strTitle;
    QElapsedTimer m_timer;  // from Start to the end, for the status bar
    QPointer<CProcessDlg> m_pProcessDlg;
};
