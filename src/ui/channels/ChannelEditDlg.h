#pragma once

#include <QWidget>

#include "channels/ChannelEditRules.h"
#include "ui/app/HelpDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class CProgramView;

// An up-down control without a buddy: it only reports steps, the dialog decides what they do.
class CSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit CSpinButton(QWidget* parent = nullptr);
    QToolButton* UpButton() const { return m_pUp; }
    QToolButton* DownButton() const { return m_pDown; }
    // A step from the keyboard, as a click on an arrow.
    void Step(int delta) { emit Delta(delta); }

signals:
    void Delta(int delta);

private:
    QToolButton* m_pUp;
    QToolButton* m_pDown;
};

// The Channel Edit dialog: a channel's optional signal and, for MSK and 2-Tone, its encode and
// decode numbers. It writes into the image as it goes and refreshes the grid.
class CChannelEditDlg : public CHelpDialog {
    Q_OBJECT
public:
    // `row` is the grid row whose channel opens (129, the Fr record, shows as 0).
    CChannelEditDlg(CProgramView& view, int row, QWidget* parent = nullptr);

    // OnInitDialog, then the modal run.
    int DoModal();
    void OnInitDialog();

    // The control of a dialog id (1023 channel, 1024 signal, 1137 signal list, 1028 group,
    // 1025/1026 encode/decode, 1031/1032/1033 spins, 1277/1278 labels, 1 OK, 2 Cancel).
    QWidget* Control(int id) const;
    const CChannelEditState& State() const { return m_state; }
    int HelpContext() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowSignal();
    void OnSignalChosen(int index);
    void ShowSignalList();
    void HideSignalList();
    void OnChannelTyped(const QString& text);
    void OnChannelSpin(int delta);
    void ChangeTo(int number);
    void ReadNumbers();
    void ShowState();
    void OnOK();

    CProgramView& m_view;
    int m_nRow;
    CChannelEditState m_state;
    QLineEdit* m_pChannel;
    CSpinButton* m_pChannelSpin;
    QLineEdit* m_pSignal;
    QComboBox* m_pSignalList;
    QGroupBox* m_pGroup;
    QLabel* m_pEncodeLabel;
    QLineEdit* m_pEncode;
    CSpinButton* m_pEncodeSpin;
    QLabel* m_pDecodeLabel;
    QLineEdit* m_pDecode;
    CSpinButton* m_pDecodeSpin;
    QWidget* m_pOk;
    QWidget* m_pCancel;
};
