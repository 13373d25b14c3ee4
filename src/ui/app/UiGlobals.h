#pragma once

#include <QString>
#include <functional>
#include <string>

#include "settings/Language.h"
#include "util/Error.h"
#include "util/Prompt.h"

class CIniFile;
class QWidget;

// Process-wide values of the desktop program, set during start-up. The core keeps none: the
// language and the settings store are handed to its functions from here.
extern bool g_bChinese;        // [Setup] Language is "Chinese"
extern CIniFile g_iniFile;     // Program.ini beside the program
extern QString g_strLanguage;  // [Setup] Language as written (the language pack's name)
extern QString g_strHelpFile;  // "chHelp" or "enHelp": the help folder next to the program
extern QString g_strAppDir;    // the program's directory, ending with '/'
extern QString g_strAppTitle;  // caption of every message box: [<language>] Company

// Program.ini keeps Chinese texts as GBK bytes; the windows want Unicode.
QString FromIniText(const std::string& bytes);
// A settings value of the current language's section, ready for display.
QString LanguageSetting(const char* key);
// A text built in code, in the current language.
inline QString Tr(const CText& text) {
    return QString::fromUtf8(text.Get(g_bChinese));
}
inline QString Tr(const CTexts& text) {
    return QString::fromStdString(text.Get(g_bChinese));
}
// An error of the core in the program's language.
inline QString Tr(const CError& error) {
    return QString::fromStdString(error.Text(g_bChinese));
}
// A string-table message (61446..61456) from the loaded language pack. The pack's entries are
// keyed by the core's English texts (settings/Messages); unknown ids give the empty text.
QString StringTableText(int id);

// Every message box goes through the prompter; tests install their own.
CPrompter& Prompter();
void SetPrompter(CPrompter* prompter);  // nullptr restores the message-box prompter
EPromptAnswer Ask(const QString& text, EPromptButtons buttons = EPromptButtons::Ok,
                  EPromptIcon icon = EPromptIcon::Exclamation, int stringId = 0);
EPromptAnswer AskStringId(int id, EPromptButtons buttons = EPromptButtons::Ok,
                          EPromptIcon icon = EPromptIcon::Exclamation);
// A message the core composed: a string-table text comes from the language pack (with the
// core's detail line under it), and an empty caption becomes the application's title.
EPromptAnswer AskCorePrompt(const CPrompt& prompt);

// Starting the program again after a language change; tests install their own.
using CLauncher = std::function<bool(const QString& program)>;
void SetLauncher(CLauncher launcher);  // empty restores the real one
bool LaunchProgram(const QString& program);

// File choosers of Open and Save As; tests install their own. Empty result: cancelled.
using COpenChooser = std::function<QString(QWidget* parent)>;
using CSaveChooser = std::function<QString(QWidget* parent, const QString& proposed)>;
void SetFileChoosers(COpenChooser open, CSaveChooser save);  // empty restores the dialogs
// The kind of file a dialog asks for: .dat documents, the report as PDF, or channels as CSV.
enum class ESaveKind { kDocument, kPdf, kCsv };
// The channel CSV's layouts; the dialogs offer the common one as a file type of its own.
enum class ECsvLayout { kGrid, kCommon };
// `layout`, when given, receives the layout of the file type chosen (always kGrid from a
// chooser that tests installed).
QString ChooseOpenFile(QWidget* parent, ESaveKind kind = ESaveKind::kDocument,
                       ECsvLayout* layout = nullptr);
QString ChooseSaveFile(QWidget* parent, const QString& proposed,
                       ESaveKind kind = ESaveKind::kDocument, ECsvLayout* layout = nullptr);
