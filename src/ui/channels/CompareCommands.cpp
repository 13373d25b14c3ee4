#include "ui/channels/CompareCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "channels/ProductInfo.h"
#include "editors/ImageDiff.h"
#include "image/ProgramDoc.h"
#include "settings/IniFile.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/ProgramView.h"
#include "ui/link/ViewTransfer.h"

CCompareDlg::CCompareDlg(const QString& other, const QStringList& lines, QWidget* parent)
    : CTextListDlg(tr("Differences between the document and %1: %2")
                       .arg(QDir::toNativeSeparators(other))
                       .arg(lines.size()),
                   lines, parent) {
    resize(640, 400);
}

void ShowComparison(const CMemoryImage& document, const CMemoryImage& other, const QString& name,
                    QWidget* parent, const QString& same) {
    const auto differences =
        DiffImages(document, other, CFieldContext(g_bChinese, ModelNames(g_iniFile)));
    if (differences.empty()) {
        Ask(same.isEmpty()
                ? QCoreApplication::translate("CCompareDlg", "The documents are the same.")
                : same,
            EPromptButtons::Ok, EPromptIcon::Information);
        return;
    }
    QStringList lines;
    for (const CDifference& difference : differences) {
        lines << QString::fromStdString(DifferenceLine(difference));
    }
    CCompareDlg dialog(name, lines, parent);
    dialog.exec();
}

bool CompareWithFile(CProgramView& view, QWidget* parent) {
    if (!view.CommitCellEdit()) {
        return false;
    }
    view.StoreGrid();
    const QString path = ChooseOpenFile(parent);
    if (path.isEmpty()) {
        return false;
    }
    const auto other =
        LoadDatFile(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString());
    if (!other) {
        Ask(Tr(other.error()));
        return false;
    }
    ShowComparison(view.GetDocument().m_image, *other, path, parent);
    return true;
}

void CompareWithRadio(CProgramView& view) {
    CViewTransfer::Of(view).OnCompare();
}

void InstallCompareCommands(CMainFrame& frame) {
    if (frame.property("compareCommands").toBool()) {
        return;
    }
    frame.setProperty("compareCommands", true);
    CMainFrame* pFrame = &frame;
    frame.SetCommandHandler(ID_TOOLS_COMPARE_FILE, [pFrame] {
        if (CChildFrame* child = pFrame->ActiveChild()) {
            CompareWithFile(*child->View(), pFrame);
        }
    });
    frame.SetCommandHandler(ID_TOOLS_COMPARE_RADIO, [pFrame] {
        if (CChildFrame* child = pFrame->ActiveChild()) {
            CompareWithRadio(*child->View());
        }
    });
}
