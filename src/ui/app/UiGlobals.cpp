#include "ui/app/UiGlobals.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include "settings/IniFile.h"
#include "settings/Messages.h"
#include "util/Gbk.h"

bool g_bChinese = false;
CIniFile g_iniFile;
QString g_strLanguage;
QString g_strHelpFile = QStringLiteral("enHelp");
QString g_strAppDir;
QString g_strAppTitle = QStringLiteral("Program");

QString FromIniText(const std::string& bytes) {
    return QString::fromStdString(GbkToUtf8(bytes));
}

QString LanguageSetting(const char* key) {
    return FromIniText(g_iniFile.GetString(g_strLanguage.toStdString(), key, ""));
}

namespace {

class CMessageBoxPrompter : public CPrompter {
public:
    EPromptAnswer Ask(const CPrompt& prompt) override {
        QMessageBox box;
        box.setWindowTitle(prompt.m_caption.empty() ? g_strAppTitle
                                                    : QString::fromStdString(prompt.m_caption));
        box.setText(QString::fromStdString(prompt.m_text));
        switch (prompt.m_icon) {
            case EPromptIcon::None:
                break;
            case EPromptIcon::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case EPromptIcon::Exclamation:
                box.setIcon(QMessageBox::Warning);
                break;
            case EPromptIcon::Stop:
                box.setIcon(QMessageBox::Critical);
                break;
            case EPromptIcon::Question:
                box.setIcon(QMessageBox::Question);
                break;
        }
        QPushButton* restore = nullptr;
        switch (prompt.m_buttons) {
            case EPromptButtons::Ok:
                box.setStandardButtons(QMessageBox::Ok);
                break;
            case EPromptButtons::OkCancel:
                box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                break;
            case EPromptButtons::RetryCancel:
                box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
                break;
            case EPromptButtons::YesNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
            case EPromptButtons::SaveDiscardCancel:
                box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard |
                                       QMessageBox::Cancel);
                box.setDefaultButton(QMessageBox::Save);
                break;
            case EPromptButtons::RestoreDiscard:
                restore = box.addButton(QCoreApplication::translate("CMainFrame", "Restore"),
                                        QMessageBox::AcceptRole);
                box.addButton(QMessageBox::Discard);
                box.setDefaultButton(restore);
                break;
        }
        const int answer = box.exec();
        if (restore != nullptr && box.clickedButton() == restore) {
            return EPromptAnswer::Restore;
        }
        switch (answer) {
            case QMessageBox::Ok:
                return EPromptAnswer::Ok;
            case QMessageBox::Retry:
                return EPromptAnswer::Retry;
            case QMessageBox::Yes:
                return EPromptAnswer::Yes;
            case QMessageBox::No:
                return EPromptAnswer::No;
            case QMessageBox::Save:
                return EPromptAnswer::Save;
            case QMessageBox::Discard:
                return EPromptAnswer::Discard;
            default:
                break;
        }
        // Escape or the window's close button.
        return prompt.m_buttons == EPromptButtons::YesNo ? EPromptAnswer::No
               : prompt.m_buttons == EPromptButtons::Ok  ? EPromptAnswer::Ok
                                                         : EPromptAnswer::Cancel;
    }
};

CMessageBoxPrompter g_messageBoxPrompter;
CPrompter* g_pPrompter = &g_messageBoxPrompter;
CLauncher g_launcher;
COpenChooser g_openChooser;
CSaveChooser g_saveChooser;

const QString kDatFilter = QStringLiteral("*.dat (*.dat);;* (*)");
const QString kCsvFilter = QStringLiteral("*.csv (*.csv);;%1 (*.csv);;* (*)");
const char* const kCommonCsvFilterName = QT_TRANSLATE_NOOP("CMainFrame", "Common channel CSV");

QString CommonCsvFilter() {
    return QCoreApplication::translate("CMainFrame", kCommonCsvFilterName) +
           QStringLiteral(" (*.csv)");
}
QString CsvFilters() {
    return kCsvFilter.arg(QCoreApplication::translate("CMainFrame", kCommonCsvFilterName));
}
void ReportLayout(const QFileDialog& dialog, ECsvLayout* layout) {
    if (layout != nullptr) {
        *layout = dialog.selectedNameFilter() == CommonCsvFilter() ? ECsvLayout::kCommon
                                                                   : ECsvLayout::kGrid;
    }
}

}  // namespace

QString StringTableText(int id) {
    const char* source = LoadString(id, false);
    if (*source == '\0') {
        return {};
    }
    return QCoreApplication::translate("StringTable", source);
}

EPromptAnswer AskCorePrompt(const CPrompt& prompt) {
    CPrompt shown = prompt;
    if (prompt.m_stringId != 0) {
        const QString text = StringTableText(prompt.m_stringId);
        if (!text.isEmpty()) {
            shown.m_text = PromptText(text.toStdString(), prompt.m_detail);
        }
    }
    if (shown.m_caption.empty()) {
        shown.m_caption = g_strAppTitle.toStdString();
    }
    return Prompter().Ask(shown);
}

CPrompter& Prompter() {
    return *g_pPrompter;
}

void SetPrompter(CPrompter* prompter) {
    g_pPrompter = prompter != nullptr ? prompter : &g_messageBoxPrompter;
}

EPromptAnswer Ask(const QString& text, EPromptButtons buttons, EPromptIcon icon, int stringId) {
    CPrompt prompt;
    prompt.m_text = text.toStdString();
    prompt.m_caption = g_strAppTitle.toStdString();
    prompt.m_icon = icon;
    prompt.m_buttons = buttons;
    prompt.m_stringId = stringId;
    return Prompter().Ask(prompt);
}

EPromptAnswer AskStringId(int id, EPromptButtons buttons, EPromptIcon icon) {
    return Ask(StringTableText(id), buttons, icon, id);
}

void SetLauncher(CLauncher launcher) {
    g_launcher = std::move(launcher);
}

bool LaunchProgram(const QString& program) {
    if (g_launcher) {
        return g_launcher(program);
    }
    return QProcess::startDetached(program, {});
}

void SetFileChoosers(COpenChooser open, CSaveChooser save) {
    g_openChooser = std::move(open);
    g_saveChooser = std::move(save);
}

QString ChooseOpenFile(QWidget* parent, ESaveKind kind, ECsvLayout* layout) {
    if (layout != nullptr) {
        *layout = ECsvLayout::kGrid;
    }
    if (g_openChooser) {
        return g_openChooser(parent);
    }
    const bool csv = kind == ESaveKind::kCsv;
    QFileDialog dialog(parent,
                       csv ? QCoreApplication::translate("CMainFrame", "Import Channels")
                           : QCoreApplication::translate("CMainFrame", "Open"),
                       QString(), csv ? CsvFilters() : kDatFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    ReportLayout(dialog, layout);
    return dialog.selectedFiles().first();
}

QString ChooseSaveFile(QWidget* parent, const QString& proposed, ESaveKind kind,
                       ECsvLayout* layout) {
    if (layout != nullptr) {
        *layout = ECsvLayout::kGrid;
    }
    if (g_saveChooser) {
        return g_saveChooser(parent, proposed);
    }
    struct CKind {
        const char* m_title;
        QString m_filter;
        QString m_suffix;
    };
    const CKind kinds[] = {
        {QT_TRANSLATE_NOOP("CMainFrame", "Save As"), kDatFilter, QStringLiteral("dat")},
        {QT_TRANSLATE_NOOP("CMainFrame", "Export to PDF"), QStringLiteral("*.pdf (*.pdf)"),
         QStringLiteral("pdf")},
        {QT_TRANSLATE_NOOP("CMainFrame", "Export Channels"), CsvFilters(), QStringLiteral("csv")},
    };
    const CKind& chosen = kinds[static_cast<int>(kind)];
    QFileDialog dialog(parent, QCoreApplication::translate("CMainFrame", chosen.m_title), proposed,
                       chosen.m_filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(chosen.m_suffix);
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    ReportLayout(dialog, layout);
    return dialog.selectedFiles().first();
}
