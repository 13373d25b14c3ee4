#pragma once

#include <functional>
#include <vector>

#include "link/SerialPort.h"
#include "ui/app/HelpDialog.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class CUserValues;

// Com Setup: the port the transfers use. Lists the system's serial ports with their
// descriptions (each disabled when it cannot be opened now) and the simulated radio, and takes
// any other path in its field. OK sets g_strComPort and remembers the port in "com".
class CComSetupDlg : public CHelpDialog {
    Q_OBJECT
public:
    using CPortLister = std::function<std::vector<CSerialPortInfo>()>;
    // `lister` defaults to the system's ports.
    CComSetupDlg(CUserValues& values, QWidget* parent = nullptr, CPortLister lister = {});

    int DoModal();
    void OnInitDialog();

    // The port OK would choose.
    QString Port() const;
    QListWidget* PortList() const { return m_pList; }
    QLineEdit* PortField() const { return m_pField; }
    // The list entry of a port path ("sim" for the simulated radio), or null.
    QListWidgetItem* ItemOf(const QString& port) const;
    // 1 OK, 2 Cancel; the list and the field stand for the port choice (32777).
    QWidget* Control(int id) const;
    int HelpContext() const override;

protected:
private:
    void OnOK();
    void OnItemChanged();
    void OnFieldEdited(const QString& text);

    CUserValues& m_values;
    CPortLister m_lister;
    QListWidget* m_pList;
    QLineEdit* m_pField;
    QWidget* m_pOk;
};
