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

    // The byte a list shows for an image byte (out of range: the list's default), and the
    // byte a list's text stores (empty: the default).
    static std::uint8_t ShownByte(int list, std::uint8_t imageByte);
    static std::uint8_t StoredByte(int list, const QString& text);
    static constexpr std::array<std::uint8_t, 4> kDefaults = {0x29, 0x27, 0x22, 0x1E};

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

protected:
private:
    void LoadLists(const CMemoryImage& image);
    std::array<std::uint8_t, 4> ListBytes() const;
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
