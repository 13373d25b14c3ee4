#include "ui/link/TransferCommands.h"

#include "image/ProgramDoc.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QtUserValues.h"
#include "ui/channels/ProgramView.h"
#include "ui/link/ComSetupDlg.h"
#include "ui/link/LinkWorker.h"
#include "ui/link/PortDoctorDlg.h"
#include "ui/link/SquelchTuningDlg.h"
#include "ui/link/ViewTransfer.h"

void InstallTransferCommands(CMainFrame& frame) {
    if (frame.property("transferCommands").toBool()) {
        return;
    }
    frame.setProperty("transferCommands", true);
    // The port chosen last time; document windows that open later keep it.
    g_strComPort = RememberedPort(ProgramUserValues()).value_or(kDefaultPort);

    CMainFrame* pFrame = &frame;
    auto activeView = [pFrame]() -> CProgramView* {
        CChildFrame* child = pFrame->ActiveChild();
        return child != nullptr ? child->View() : nullptr;
    };
    frame.SetCommandHandler(ID_PROGRAM_READ, [activeView] {
        if (CProgramView* view = activeView()) {
            CViewTransfer::Of(*view).OnRead();
        }
    });
    frame.SetCommandHandler(ID_PROGRAM_WRITE, [activeView] {
        if (CProgramView* view = activeView()) {
            CViewTransfer::Of(*view).OnWrite();
        }
    });
    frame.SetCommandHandler(ID_SETUP_COM, [pFrame] {
        CComSetupDlg dialog(ProgramUserValues(), pFrame);
        dialog.DoModal();
    });
    frame.SetCommandHandler(ID_SETUP_PORT_DOCTOR, [pFrame] {
        CPortDoctorDlg dialog(g_strComPort, pFrame);
        dialog.exec();
    });
    frame.SetCommandHandler(ID_EDIT_SQUELCH_TUNING, [pFrame] {
        CSquelchTuningDlg dialog(
            [pFrame]() -> CProgramDoc* {
                CChildFrame* child = pFrame->ActiveChild();
                return child != nullptr ? &child->GetDocument() : nullptr;
            },
            pFrame);
        // What the window leaves in the document is one undo step.
        pFrame->RecordChange(pFrame->Action(ID_EDIT_SQUELCH_TUNING)->toolTip(),
                             [&dialog] { dialog.DoModal(); });
    });
}
