#pragma once

#include <QDialog>
#include <atomic>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window "Process" of a read or write: Start, Cancel, the bar 0..191 and the
// status text. Modeless; it exists from the Read or Write command to the end of the transfer.
// While another transfer holds the lock, Start is disabled.
class CProcessDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProcessDlg(const QString& title, QWidget* parent = nullptr);

    // Set by Cancel, read by the running transfer at its cancel points.
    std::atomic<bool> m_bCancel{false};

    // One progress step: the bar moves to `position` and the text shows it.
    void Step(int position);
    void SetStatus(const QString& text);
    // The window's help context: the command that opened it.
    void SetHelpContext(int context) { m_nHelpContext = context; }

    // 1 Start, 2 Cancel, 1245 the bar, 1062 the status text.
    QWidget* Control(int id) const;
    QPushButton* StartButton() const { return m_pStart; }
    QProgressBar* Bar() const { return m_pBar; }
    QString StatusText() const;
    // True from Start to the end of the transfer.
    bool Running() const { return m_bRunning; }

signals:
    // Start was pressed. The receiver takes the transfer lock at once, so no other window can
    // start, and begins the transfer on the next turn of the event loop.
    void StartRequested();
    // Cancel, Escape or the close box.
    void CancelPressed();
    // The status text has changed.
    void StatusShown(const QString& text);

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnStart();

    QPushButton* m_pStart;
    QPushButton* m_pCancel;
    QProgressBar* m_pBar;
    QLabel* m_pStatus;
    int m_nHelpContext = 0;
    bool m_bRunning = false;
};
