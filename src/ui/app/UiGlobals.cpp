#include "ui/app/UiGlobals.h"

#include <iconv.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>

#include "settings/IniFile.h"
#include "settings/Messages.h"

QString g_strLanguage;
QString g_strHelpFile = QStringLiteral("enHelp");
QString g_strAppDir;
QString g_strAppTitle = QStringLiteral("Program");

QString FromIniText(const std::string& bytes) {
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) {
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    std::string in = bytes;
    std::string out(in.size() * 4 + 4, '\0');
    char* src = in.data();
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            break;
        }
        // A byte that is not GBK shows as a replacement character rather than cutting the text.
        static const char kReplacement[] = "\xEF\xBF\xBD";
        if (dstLeft < 3) {
            break;
        }
        std::memcpy(dst, kReplacement, 3);
        dst += 3;
        dstLeft -= 3;
        ++src;
        --srcLeft;
    }
    iconv_close(cd);
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size() - dstLeft));
}

QString LanguageSetting(const char* key) {
    return FromIniText(g_iniFile.GetString(g_strLanguage.toStdString(), key, ""));
}

namespace {

// The string table as the language pack knows it: English source texts, translated by the pack.
struct CStringSource {
    int m_id;
    const char* m_text;
};
const CStringSource kStringTable[] = {
    {IDS_OUT_OF_RANGE, QT_TRANSLATE_NOOP("StringTable", "Out of range, please input again.")},
    {IDS_DATA_FORMAT, QT_TRANSLATE_NOOP("StringTable", "Error Data Format, please input again.")},
    {IDS_COMMUNICATION_ERROR,
     QT_TRANSLATE_NOOP("StringTable",
                       "Communication Error, Please check all the connections "
                       "and the radio power")},
    {IDS_DATA_CLEARED, QT_TRANSLATE_NOOP("StringTable", "All data will be Cleared!")},
    {IDS_OPEN_PORT_FAILED,
     QT_TRANSLATE_NOOP("StringTable",
                       "Could not Open the Port, Please check whether the Port "
                       "are occupied or the device are ok")},
    {IDS_PROGRAM_INTERRUPT,
     QT_TRANSLATE_NOOP("StringTable", "Program Interrupt, Please reset the radio and try again")},
    {IDS_BAND_OVER_RANGE,
     QT_TRANSLATE_NOOP("StringTable",
                       "\n\nThe frequency band over the range of the radio.\nClick the OK button "
                       "to continue, or click Cancel button to exit.")},
    {IDS_STEP_VALUE, QT_TRANSLATE_NOOP("StringTable",
                                       "Error data Value, please input according the step "
                                       "value(6.25K/5k).")},
    {IDS_CAUTION, QT_TRANSLATE_NOOP("StringTable", "Caution")},
};

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
        }
        switch (box.exec()) {
            case QMessageBox::Ok:
                return EPromptAnswer::Ok;
            case QMessageBox::Retry:
                return EPromptAnswer::Retry;
            case QMessageBox::Yes:
                return EPromptAnswer::Yes;
            case QMessageBox::No:
                return EPromptAnswer::No;
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

}  // namespace

QString StringTableText(int id) {
    for (const auto& entry : kStringTable) {
        if (entry.m_id == id) {
            return QCoreApplication::translate("StringTable", entry.m_text);
        }
    }
    return {};
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

QString ChooseOpenFile(QWidget* parent) {
    if (g_openChooser) {
        return g_openChooser(parent);
    }
    return QFileDialog::getOpenFileName(parent, QCoreApplication::translate("CMainFrame", "Open"),
                                        QString(), kDatFilter);
}

QString ChooseSaveFile(QWidget* parent, const QString& proposed) {
    if (g_saveChooser) {
        return g_saveChooser(parent, proposed);
    }
    QFileDialog dialog(parent, QCoreApplication::translate("CMainFrame", "Save As"), proposed,
                       kDatFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}
