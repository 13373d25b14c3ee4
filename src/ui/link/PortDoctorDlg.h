#pragma once

#include <QString>
#include <vector>

#include "link/PortDoctor.h"
#include "ui/app/HelpDialog.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Setup > Port Doctor: runs the port checks on the port the transfers use and lists what was
// found with its fix, as text the user can select and copy; Loopback Test adds the echo test
// once the user has joined the cable's TX and RX.
class CPortDoctorDlg : public CHelpDialog {
    Q_OBJECT
public:
    // `roots` are the system's trees; tests give a fake one.
    CPortDoctorDlg(const QString& port, QWidget* parent = nullptr, CDoctorRoots roots = {});

    QPlainTextEdit* List() const { return m_pList; }
    QLabel* Summary() const { return m_pSummary; }
    QPushButton* LoopbackButton() const { return m_pLoopback; }
    QPushButton* CheckButton() const { return m_pCheck; }
    const std::vector<CDoctorFinding>& Findings() const { return m_findings; }

    void RunChecks(bool loopback);
    // Asks for the cable's TX and RX to be joined, then checks with the echo test.
    void OnLoopback();
    int HelpContext() const override;

private:
    QString m_strPort;
    CDoctorRoots m_roots;
    std::vector<CDoctorFinding> m_findings;
    QLabel* m_pSummary;
    QPlainTextEdit* m_pList;
    QPushButton* m_pCheck;
    QPushButton* m_pLoopback;
};
