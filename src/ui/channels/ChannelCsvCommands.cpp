#include "ui/channels/ChannelCsvCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "channels/ChannelCsv.h"
#include "channels/CommonChannelCsv.h"
#include "image/ProgramDoc.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/ProgramView.h"

namespace {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
}

// Beside the document's file, named after it.
QString ProposedCsv(const CProgramDoc& doc) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(doc.GetPathName()));
    if (path.isEmpty()) {
        return QDir::current().filePath(QStringLiteral("channels.csv"));
    }
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".csv"));
}

void ShowStatus(QWidget* parent, const QString& text) {
    if (auto* frame = qobject_cast<CMainFrame*>(parent)) {
        frame->statusBar()->showMessage(text, 10000);
    }
}

// A message box stays on the screen: the first lines, then how many more.
QString ShownItems(const std::vector<std::string>& items) {
    constexpr std::size_t kShown = 15;
    QStringList lines;
    for (std::size_t i = 0; i < items.size() && i < kShown; ++i) {
        lines << QString::fromStdString(items[i]);
    }
    if (items.size() > kShown) {
        lines << QCoreApplication::translate("CCsvErrorsDlg", "... and %1 more")
                     .arg(items.size() - kShown);
    }
    return lines.join(QLatin1Char('\n'));
}

// The rows the radio cannot hold, and whether to import the others without them.
bool AskToSkipRows(const QString& path, const std::vector<std::string>& refused) {
    const QString text =
        QCoreApplication::translate("CCsvErrorsDlg", "%1 rows of %2 cannot be stored in the radio:")
            .arg(refused.size())
            .arg(QDir::toNativeSeparators(path)) +
        QLatin1Char('\n') + ShownItems(refused) + QStringLiteral("\n\n") +
        QCoreApplication::translate("CCsvErrorsDlg",
                                    "Skip these rows and import the others? No leaves the "
                                    "channels as they are.");
    return Ask(text, EPromptButtons::YesNo, EPromptIcon::Question) == EPromptAnswer::Yes;
}

}  // namespace

CCsvErrorsDlg::CCsvErrorsDlg(const QString& file, const QStringList& items, QWidget* parent)
    : CTextListDlg(tr("The channels of %1 were not imported; nothing was changed.\n"
                      "Entries of the file that were refused: %2")
                       .arg(QDir::toNativeSeparators(file))
                       .arg(items.size()),
                   items, parent) {
    resize(560, 320);
}

bool ImportChannels(CProgramView& view, QWidget* parent) {
    if (!view.CommitCellEdit()) {
        return false;
    }
    ECsvLayout layout = ECsvLayout::kGrid;
    const QString path = ChooseOpenFile(parent, ESaveKind::kCsv, &layout);
    if (path.isEmpty()) {
        return false;
    }
    const auto csv = ReadChannelsCsvFile(LocalPath(path));
    if (!csv) {
        Ask(QCoreApplication::translate("CCsvErrorsDlg", "The channels could not be imported.") +
            QLatin1Char('\n') + Tr(csv.error()));
        return false;
    }
    // Tried on a copy first, so a refused file changes nothing at all.
    CProgramDoc& doc = view.GetDocument();
    CDocumentState trial = doc;
    view.Table().StoreGrid(trial);
    auto refuse = [&](const CError& error) {
        QStringList items;
        for (const std::string& item : error.m_items) {
            items << QString::fromStdString(item);
        }
        CCsvErrorsDlg dialog(path, items, parent);
        dialog.exec();
        return false;
    };
    std::vector<std::string> notices;
    if (layout == ECsvLayout::kCommon) {
        const auto plan = PlanCommonCsvImport(*csv, trial.m_image);
        if (!plan) {
            return refuse(plan.error());
        }
        // Nothing left to import: the refusals are all there is to show.
        if (plan->m_rows.empty()) {
            CError none;
            none.m_items = plan->m_refused;
            return refuse(none);
        }
        const bool skip = !plan->m_refused.empty();
        if (skip && !AskToSkipRows(path, plan->m_refused)) {
            return false;
        }
        if (const auto applied = ApplyCommonCsvPlan(*plan, trial.m_image, skip); !applied) {
            return refuse(applied.error());
        }
        notices = plan->m_notices;
    } else if (const auto imported = ImportChannelsCsv(*csv, trial.m_image); !imported) {
        return refuse(imported.error());
    }
    CDocumentHistory::Of(view).Record(
        QCoreApplication::translate("CCsvErrorsDlg", "Import Channels"), [&] {
            view.StoreGrid();
            doc.m_image = trial.m_image;
            view.FillGrid();
        });
    ShowStatus(parent, QCoreApplication::translate("CCsvErrorsDlg", "Channels imported from %1")
                           .arg(QDir::toNativeSeparators(path)));
    if (!notices.empty()) {
        Ask(QCoreApplication::translate("CCsvErrorsDlg",
                                        "Names longer than the radio holds were cut:") +
                QLatin1Char('\n') + ShownItems(notices),
            EPromptButtons::Ok, EPromptIcon::Information);
    }
    return true;
}

bool ExportChannels(CProgramView& view, QWidget* parent) {
    if (!view.CommitCellEdit()) {
        return false;
    }
    view.StoreGrid();
    ECsvLayout layout = ECsvLayout::kGrid;
    const QString path =
        ChooseSaveFile(parent, ProposedCsv(view.GetDocument()), ESaveKind::kCsv, &layout);
    if (path.isEmpty()) {
        return false;
    }
    const CMemoryImage& image = view.GetDocument().m_image;
    const auto written = layout == ECsvLayout::kCommon
                             ? WriteCommonCsvFile(image, LocalPath(path))
                             : WriteChannelsCsvFile(image, LocalPath(path));
    if (!written) {
        Ask(QCoreApplication::translate("CCsvErrorsDlg", "The channels could not be exported.") +
            QLatin1Char('\n') + Tr(written.error()));
        return false;
    }
    ShowStatus(parent, QCoreApplication::translate("CCsvErrorsDlg", "Channels exported to %1")
                           .arg(QDir::toNativeSeparators(path)));
    return true;
}

void InstallChannelCsvCommands(CMainFrame& frame) {
    if (frame.property("channelCsvCommands").toBool()) {
        return;
    }
    frame.setProperty("channelCsvCommands", true);
    CMainFrame* pFrame = &frame;
    auto run = [pFrame](bool (*command)(CProgramView&, QWidget*)) {
        if (CChildFrame* child = pFrame->ActiveChild()) {
            command(*child->View(), pFrame);
        }
    };
    frame.SetCommandHandler(ID_FILE_IMPORT_CHANNELS, [run] { run(ImportChannels); });
    frame.SetCommandHandler(ID_FILE_EXPORT_CHANNELS, [run] { run(ExportChannels); });
}
