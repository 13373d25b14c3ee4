#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "link/CloneProtocol.h"
#include "ui/app/HelpDialog.h"

class QComboBox;
class QLabel;
class QPushButton;
class CProgramDoc;

// Squelch Tuning: the four squelch values of the image's last row, with Read and Write
// buttons that move exactly these four bytes with the radio. Made for each opening, modal.
class CSquelchTuningDlg : public CHelpDialog {
    Q_OBJECT
public:
    using CDocumentFinder = std::function<CProgramDoc*()>;
    CSquelchTuningDlg(CDocumentFinder findDocument, QWidget* parent = nullptr);

    // OnInitDialog, then the modal run; nothing happens without a document.
    int DoModal();
    // Fills the lists and loads them from the image; false without a document.
    bool OnInitDialog();

    // 1136..1139 the lists, 1140 Read, 1141 Write, 1 OK, 2 Cancel.
    QWidget* Control(int id) const;
    QComboBox* List(int index) const { return m_pLists[index]; }
    // True while an exchange with the radio runs.
    bool Busy() const { return m_bBusy; }
    int HelpContext() const override;

signals:
    // An exchange with the radio has ended.
    void ExchangeEnded(ETransferOutcome outcome);

public slots:
    void reject() override;

private:
    // The lists are the squelch page of the settings table: its entries, and its fields' rules
    // for the byte a list shows and the byte a list's text stores.
    void LoadLists(const CMemoryImage& image);
    void StoreLists(CMemoryImage& image) const;
    void OnOK();
    void OnRead();
    void OnWrite();
    void RunExchange(bool write);
    void SetBusy(bool busy, const QString& text);

    CDocumentFinder m_findDocument;
    std::array<QComboBox*, 4> m_pLists{};
    QPushButton* m_pRead;
    QPushButton* m_pWrite;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    QLabel* m_pBusy;
    bool m_bBusy = false;
};
