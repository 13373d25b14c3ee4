#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "channels/Bands.h"
#include "channels/Codecs.h"
#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "settings/Messages.h"
#include "ui/ChannelGridInput.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/MainFrame.h"
#include "ui/app/NavigationBar.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/QtUserValues.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CellEditors.h"
#include "ui/channels/ChannelEditDlg.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProductInfoDlg.h"
#include "ui/channels/ProgramView.h"

namespace {

// A program folder of its own: Program.ini with two models, the language packs, help pages.
class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language)
        : CProgramFolder("[Setup]\r\nLanguage=" + language +
                         "\r\nAppName=Editing Test\r\nType1=LH-740A\r\nType2=LH-740B\r\n"
                         "[English]\r\nCompany=Vornex Communications\r\n"
                         "[Chinese]\r\nCompany=Vornex\r\n") {}
};

// Record k's frequencies, both given as BCD bytes, least significant first.
void SetFrequencies(CMemoryImage& image, int record, std::uint32_t rx, std::uint32_t tx) {
    for (int i = 0; i < 4; ++i) {
        image.m_bytes[record * 24 + i] = static_cast<std::uint8_t>(rx >> (8 * i));
        image.m_bytes[record * 24 + 4 + i] = static_cast<std::uint8_t>(tx >> (8 * i));
    }
}

constexpr std::uint32_t k146025 = 0x14602500;  // 146.02500 MHz as it lies in the record

// Channel 1 on 146.02500 MHz with no tones, high power, wide, scan, PTT ID off, busy lock off
// and no optional signal; every other record empty.
CMemoryImage OneChannel() {
    CMemoryImage image = CMemoryImage::NewDocument();
    SetFrequencies(image, 0, k146025, k146025);
    std::uint8_t* record = image.m_bytes.data();
    record[8] = record[9] = record[10] = record[11] = 0xFF;
    record[12] = 0x00;
    record[13] = 0x38;
    return image;
}

std::uint8_t Byte(CProgramView* view, int record, int offset) {
    return view->GetDocument().m_image.m_bytes[record * 24 + offset];
}

// Typed character by character, for texts beyond ASCII.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

}  // namespace

class CChannelEditingTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_config;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;

    // Starts the program on a file holding `image` and shows its window.
    CProgramView* Launch(const CMemoryImage& image, const QByteArray& language = "English") {
        m_dir = std::make_unique<CAppDir>(language);
        CMainFrame* frame = StartOnImage(m_app, *m_dir, image);
        if (frame == nullptr) {
            return nullptr;
        }
        m_prompter.m_asked.clear();
        return frame->ActiveChild()->View();
    }

    static QLineEdit* FrequencyEdit(CProgramView* view) { return view->Editors()->FrequencyEdit(); }

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8());
        SetPrompter(&m_prompter);
    }
    void init() { m_prompter.m_asked.clear(); }
    void cleanup() {
        if (m_app) {
            m_app->ExitInstance();
        }
        m_app.reset();
        m_dir.reset();
        SetFileChoosers({}, {});
    }
    void cleanupTestCase() { SetPrompter(nullptr); }

    void typingAFrequencyIntoAnEmptyRowCreatesTheChannel_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("English") << QByteArray("English")
                                 << QStringList{"146.02500", "146.02500", "None", "None",
                                                "",          "High",      "Wide", "Yes",
                                                "Off",       "Off",       "None", ">>"};
        QTest::newRow("Chinese") << QByteArray("Chinese")
                                 << QStringList{"146.02500", "146.02500", "无", "无", "",   "高",
                                                "宽",        "是",        "关", "关", "无", ">>"};
    }
    void typingAFrequencyIntoAnEmptyRowCreatesTheChannel() {
        QFETCH(QByteArray, language);
        QFETCH(QStringList, expected);
        CProgramView* view = Launch(CMemoryImage::NewDocument(), language);
        QVERIFY(view != nullptr);
        ClickCell(view, 3, 1);
        QLineEdit* edit = FrequencyEdit(view);
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->geometry(), view->Grid()->visualRect(view->Grid()->currentIndex()));
        QTest::keyClicks(edit, "146.025");
        ClickCell(view, 3, 5);
        QCOMPARE(RowTexts(view->Grid(), 3), expected);
        QVERIFY(!edit->isVisible());
        QVERIFY(view->Editors()->NameEdit()->isVisible());
        QVERIFY(m_prompter.m_asked.isEmpty());
        // The lists carry the language's entries.
        ClickCell(view, 3, 6);
        QCOMPARE(view->Editors()->Combo(ECellEditor::Power)->currentText(), expected[5]);
        QCOMPARE(view->Editors()->Combo(ECellEditor::Power)->itemText(0),
                 language == "Chinese" ? QString("低") : QString("Low"));
    }

    void refusedReceiveFrequencyKeepsTheRowAndTheEditor_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<EPromptIcon>("icon");
        QTest::newRow("off the step") << QByteArray("English") << "146.0025" << int(IDS_STEP_VALUE)
                                      << EPromptIcon::Exclamation;
        QTest::newRow("below 67 MHz")
            << QByteArray("English") << "66.99999" << int(IDS_DATA_FORMAT) << EPromptIcon::Stop;
        QTest::newRow("above 600 MHz")
            << QByteArray("English") << "600.0001" << int(IDS_DATA_FORMAT) << EPromptIcon::Stop;
        QTest::newRow("above band 1") << QByteArray("English") << "174.005" << int(IDS_OUT_OF_RANGE)
                                      << EPromptIcon::Exclamation;
        QTest::newRow("below band 2, Chinese") << QByteArray("Chinese") << "349.995"
                                               << int(IDS_OUT_OF_RANGE) << EPromptIcon::Exclamation;
    }
    void refusedReceiveFrequencyKeepsTheRowAndTheEditor() {
        QFETCH(QByteArray, language);
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(EPromptIcon, icon);
        CProgramView* view = Launch(OneChannel(), language);
        QVERIFY(view != nullptr);
        CMSFlexGrid* grid = view->Grid();
        const QStringList before = RowTexts(grid, 1);
        ClickCell(view, 1, 1);
        QLineEdit* edit = FrequencyEdit(view);
        edit->clear();
        QTest::keyClicks(edit, typed);
        ClickCell(view, 2, 3);  // leaving by the mouse
        QCOMPARE(m_prompter.m_asked.size(), 1);
        const CPrompt& prompt = m_prompter.m_asked[0];
        QCOMPARE(prompt.m_stringId, message);
        // The texts come from the language pack.
        QCOMPARE(QString::fromStdString(prompt.m_text), StringTableText(message));
        QCOMPARE(QString::fromStdString(prompt.m_caption),
                 language == "Chinese" ? QString::fromUtf8("警告") : QString("Caution"));
        if (language == "Chinese") {
            QCOMPARE(QString::fromStdString(prompt.m_text),
                     QString::fromUtf8("超出范围，请重新输入。"));
        }
        QCOMPARE(prompt.m_icon, icon);
        QCOMPARE(prompt.m_buttons, EPromptButtons::Ok);
        // The row is as it was; the editor stays open over the cell that was being left.
        QCOMPARE(RowTexts(grid, 1), before);
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(grid->Col(), 1);
        QVERIFY(edit->isVisible());
        QVERIFY(!edit->text().isEmpty());
        QVERIFY(!view->Editors()->Combo(ECellEditor::Tone)->isVisible());
        // Escape abandons the edit.
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!edit->isVisible());
        QCOMPARE(RowTexts(grid, 1), before);
        view->StoreGrid();
        QCOMPARE(Byte(view, 0, 3), 0x14);
    }

    void acceptedReceiveFrequencyKeepsTheTransmitFrequency() {
        CProgramView* view = Launch(OneChannel());
        ClickCell(view, 1, 1);
        FrequencyEdit(view)->clear();
        QTest::keyClicks(FrequencyEdit(view), "146.00625");
        ClickCell(view, 1, 2);
        QCOMPARE(view->Grid()->TextMatrix(1, 1), QString("146.00625"));
        QCOMPARE(view->Grid()->TextMatrix(1, 2), QString("146.02500"));
        // The transmit frequency has no band: 600 MHz is out of its range and becomes 67.
        FrequencyEdit(view)->clear();
        QTest::keyClicks(FrequencyEdit(view), "600");
        ClickCell(view, 1, 3);
        QCOMPARE(view->Grid()->TextMatrix(1, 2), QString("67.00000"));
        // Deleting the receive frequency deletes the channel.
        ClickCell(view, 1, 1);
        FrequencyEdit(view)->clear();
        ClickCell(view, 2, 1);
        QCOMPARE(RowTexts(view->Grid(), 1), QStringList(12, QString()));
        QVERIFY(m_prompter.m_asked.isEmpty());
    }

    void enterCommitsOrClearsTheEditor() {
        CProgramView* view = Launch(OneChannel());
        CMSFlexGrid* grid = view->Grid();
        const QStringList before = RowTexts(grid, 1);
        ClickCell(view, 1, 1);
        QLineEdit* edit = FrequencyEdit(view);
        edit->clear();
        QTest::keyClicks(edit, "146.0025");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(m_prompter.m_asked[0].m_stringId, int(IDS_STEP_VALUE));
        // The row stays, the editor stays open and empty for another try.
        QCOMPARE(RowTexts(grid, 1), before);
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->text(), QString());
        QTest::keyClicks(edit, "147.5");
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(grid->TextMatrix(1, 1), QString("147.50000"));
        QCOMPARE(grid->TextMatrix(1, 2), QString("146.02500"));
        QVERIFY(!edit->isVisible());
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(grid->Col(), 1);
        QCOMPARE(m_prompter.m_asked.size(), 1);
    }

    void frequencyEditorTakesOnlyDigitsAndThePoint() {
        CProgramView* view = Launch(CMemoryImage::NewDocument());
        ClickCell(view, 2, 1);
        QLineEdit* edit = FrequencyEdit(view);
        QTest::keyClick(edit, Qt::Key_8, Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_Asterisk, Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_Period, Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_A);
        QTest::keyClick(edit, Qt::Key_Minus);
        QTest::keyClick(edit, Qt::Key_Space);
        QCOMPARE(edit->text(), QString());
        for (Qt::Key key : {Qt::Key_1, Qt::Key_4, Qt::Key_6, Qt::Key_Period}) {
            QTest::keyClick(edit, key, Qt::KeypadModifier);
        }
        QTest::keyClick(edit, Qt::Key_0);
        QTest::keyClick(edit, Qt::Key_9);
        QCOMPARE(edit->text(), QString("146.09"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QString("146."));
        QTest::keyClicks(edit, "0250000");  // nine characters at most
        QCOMPARE(edit->text(), QString("146.02500"));
        QVERIFY(m_prompter.m_asked.isEmpty());
    }

    void listsSelectTheEntryTheCellBeginsWith() {
        CMemoryImage image = OneChannel();
        image.m_bytes[8] = 0x71;  // receive tone 67.1 Hz: not in the list
        image.m_bytes[9] = 0x06;
        image.m_bytes[10] = 0x23;  // transmit D023N
        image.m_bytes[11] = 0x80;
        image.m_bytes[12] = 0x01;  // MSK: the grid's list has only None and DTMF
        CProgramView* view = Launch(image);
        CMSFlexGrid* grid = view->Grid();
        QCOMPARE(grid->TextMatrix(1, 3), QString("67.1"));
        QCOMPARE(grid->TextMatrix(1, 11), QString("MSK"));
        QComboBox* tone = view->Editors()->Combo(ECellEditor::Tone);
        QCOMPARE(tone->count(), 261);
        ClickCell(view, 1, 4);
        QVERIFY(tone->isVisible());
        QCOMPARE(tone->currentText(), QString("D023N"));
        ClickCell(view, 1, 3);
        QCOMPARE(grid->TextMatrix(1, 4), QString("D023N"));
        QCOMPARE(tone->currentText(), QString("None"));
        ClickCell(view, 1, 11);
        QCOMPARE(grid->TextMatrix(1, 3), QString("None"));
        QComboBox* signal = view->Editors()->Combo(ECellEditor::OptSignal);
        QCOMPARE(signal->currentText(), QString("None"));
        // Choosing in an open list, then leaving.
        QTest::keyClick(signal, Qt::Key_Down);
        QCOMPARE(signal->currentText(), QString("DTMF"));
        ClickCell(view, 1, 10);
        QCOMPARE(grid->TextMatrix(1, 11), QString("DTMF"));
        ClickCell(view, 1, 9);
        view->StoreGrid();
        QCOMPARE(Byte(view, 0, 8), 0xFF);
        QCOMPARE(Byte(view, 0, 9), 0xFF);
        QCOMPARE(Byte(view, 0, 12) & 0x07, 0x02);
    }

    void settingsOfAnEmptyRowStayEmpty_data() {
        QTest::addColumn<int>("column");
        for (int column = 3; column <= 11; ++column) {
            QTest::addRow("column %d", column) << column;
        }
    }
    void settingsOfAnEmptyRowStayEmpty() {
        QFETCH(int, column);
        CProgramView* view = Launch(CMemoryImage::NewDocument());
        ClickCell(view, 7, column);
        QWidget* editor = view->VisibleEditor();
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->property("controlId").toInt(),
                 CCellEditors::ControlId(EditorForColumn(column)));
        ClickCell(view, 8, column);
        QCOMPARE(view->Grid()->TextMatrix(7, column), QString());
    }

    void tabAndArrowsMoveAndCommit() {
        CProgramView* view = Launch(OneChannel());
        CMSFlexGrid* grid = view->Grid();
        ClickCell(view, 1, 1);
        QLineEdit* edit = FrequencyEdit(view);
        edit->clear();
        QTest::keyClicks(edit, "147");
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(grid->TextMatrix(1, 1), QString("147.00000"));
        QCOMPARE(grid->Col(), 2);
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->text(), QString("146.02500"));
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(grid->Row(), 2);
        QCOMPARE(edit->text(), QString());
        QTest::keyClick(edit, Qt::Key_Backtab);
        QCOMPARE(grid->Col(), 1);
        // A refused edit keeps the cell current.
        QTest::keyClicks(edit, "1");
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(grid->Row(), 2);
        QVERIFY(edit->isVisible());
    }

    void scrollingHidesTheEditors() {
        CProgramView* view = Launch(OneChannel());
        ClickCell(view, 1, 5);
        QVERIFY(view->Editors()->NameEdit()->isVisible());
        view->Grid()->verticalScrollBar()->setValue(20);
        QCOMPARE(view->VisibleEditor(), nullptr);
    }

    void nameEditorCountsTheRadiosBytes() {
        CMemoryImage image = OneChannel();
        const char name[] = "ABCDEFGH";  // eight bytes, no 0xFF: shown and kept whole
        std::copy(name, name + 8, image.m_bytes.begin() + 16);
        CProgramView* view = Launch(image);
        ClickCell(view, 1, 5);
        QLineEdit* edit = view->Editors()->NameEdit();
        QCOMPARE(edit->text(), QString("ABCDEFGH"));
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_X);
        QCOMPARE(edit->text(), QString("ABCDEFGH"));
        ClickCell(view, 1, 6);
        QCOMPARE(view->Grid()->TextMatrix(1, 5), QString("ABCDEFGH"));
        ClickCell(view, 1, 5);
        edit->clear();
        TypeText(edit, QString::fromUtf8("信道12345"));  // 2 + 2 + 3 bytes, then full
        QCOMPARE(edit->text(), QString::fromUtf8("信道123"));
    }

    void moreOpensTheDialogOnlyForAChannel() {
        CProgramView* view = Launch(OneChannel());
        bool opened =
            OnModal<CChannelEditDlg>([&] { ClickCell(view, 2, 12); }, [](CChannelEditDlg*) {});
        QVERIFY(!opened);
        // A name typed but not committed reaches the image before the dialog reads it.
        ClickCell(view, 1, 5);
        QTest::keyClicks(view->Editors()->NameEdit(), "AB");
        int shown = -1;
        std::uint8_t stored = 0;
        opened = OnModal<CChannelEditDlg>([&] { ClickCell(view, 1, 12); },
                                          [&](CChannelEditDlg* dialog) {
                                              shown = dialog->State().m_number;
                                              stored = Byte(view, 0, 16);
                                          });
        QVERIFY(opened);
        QCOMPARE(shown, 1);
        QCOMPARE(stored, std::uint8_t('A'));
        QCOMPARE(view->CurChannel(), 1);
        QCOMPARE(view->VisibleEditor(), nullptr);
        QCOMPARE(view->focusWidget(), static_cast<QWidget*>(view->Grid()));
    }

    void channelEditDialogSpinsWrap() {
        CMemoryImage image = OneChannel();
        image.m_bytes[12] = 0x04;  // 2-Tone
        image.m_bytes[14] = 0xFF;
        image.m_bytes[15] = 0xFF;
        CProgramView* view = Launch(image);
        CChannelEditDlg dialog(*view, 1);
        dialog.OnInitDialog();
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* encode = qobject_cast<QLineEdit*>(dialog.Control(1025));
        auto* decode = qobject_cast<QLineEdit*>(dialog.Control(1026));
        auto* encodeSpin = qobject_cast<CSpinButton*>(dialog.Control(1032));
        auto* decodeSpin = qobject_cast<CSpinButton*>(dialog.Control(1033));
        auto* channel = qobject_cast<QLineEdit*>(dialog.Control(1023));
        auto* channelSpin = qobject_cast<CSpinButton*>(dialog.Control(1031));
        auto* group = qobject_cast<QGroupBox*>(dialog.Control(1028));
        QVERIFY(group->isVisible());
        QCOMPARE(group->title(), QString("Optional Signal(2-Tone)"));
        QVERIFY(decode->isVisible());
        QCOMPARE(encode->text(), QString("None"));
        QTest::mouseClick(encodeSpin->UpButton(), Qt::LeftButton);
        QCOMPARE(encode->text(), QString("1"));
        QTest::mouseClick(encodeSpin->DownButton(), Qt::LeftButton);
        QTest::mouseClick(encodeSpin->DownButton(), Qt::LeftButton);
        QCOMPARE(encode->text(), QString("32"));
        QTest::mouseClick(decodeSpin->DownButton(), Qt::LeftButton);
        QCOMPARE(decode->text(), QString("8"));
        // A number typed beyond the range is cut when the edit loses the focus.
        decode->setFocus();
        decode->clear();
        QTest::keyClicks(decode, "12");
        encode->setFocus();
        QCOMPARE(decode->text(), QString("8"));

        // The channel number: 1, below 0 comes 128, above 128 comes 0 (the Fr record).
        QTest::mouseClick(channelSpin->DownButton(), Qt::LeftButton);
        QCOMPARE(channel->text(), QString("0"));
        QCOMPARE(dialog.State().m_number, 0);
        // The numbers on display went into channel 1 on the way.
        QCOMPARE(Byte(view, 0, 14), 32);
        QCOMPARE(Byte(view, 0, 15), 8);
        QTest::mouseClick(channelSpin->DownButton(), Qt::LeftButton);
        QCOMPARE(channel->text(), QString("128"));
        QTest::mouseClick(channelSpin->UpButton(), Qt::LeftButton);
        QTest::keyClick(channel, Qt::Key_Up);  // the arrow keys step too
        QCOMPARE(channel->text(), QString("1"));
        QCOMPARE(encode->text(), QString("32"));

        // A typed number beyond 128 is refused and the channel stays.
        channel->selectAll();
        QTest::keyClicks(channel, "129");
        QCOMPARE(dialog.State().m_number, 12);
        QVERIFY(!m_prompter.m_asked.isEmpty());
        QCOMPARE(QString::fromStdString(m_prompter.m_asked.last().m_text),
                 QString("Please enter an integer between 0 and 128."));
        QCOMPARE(channel->text(), QString("12"));
        dialog.reject();
    }

    void changingChannelStoresTheShownNumbers() {
        CMemoryImage image = OneChannel();
        for (int record : {4, 5}) {
            SetFrequencies(image, record, k146025, k146025);
            image.m_bytes[record * 24 + 12] = 0x01;  // MSK
            image.m_bytes[record * 24 + 14] = 0xFF;
            image.m_bytes[record * 24 + 15] = 0x42;
        }
        image.m_bytes[5 * 24 + 14] = 7;
        CProgramView* view = Launch(image);
        CChannelEditDlg dialog(*view, 5);
        dialog.OnInitDialog();
        dialog.show();
        auto* encode = qobject_cast<QLineEdit*>(dialog.Control(1025));
        QVERIFY(!dialog.Control(1026)->isVisible());
        QCOMPARE(qobject_cast<QGroupBox*>(dialog.Control(1028))->title(),
                 QString("Optional Signal(MSK)"));
        encode->clear();
        QTest::keyClicks(encode, "3");
        QTest::mouseClick(qobject_cast<CSpinButton*>(dialog.Control(1031))->UpButton(),
                          Qt::LeftButton);
        QCOMPARE(Byte(view, 4, 14), 3);
        QCOMPARE(Byte(view, 4, 15), 0x42);  // MSK has no decode number
        QCOMPARE(encode->text(), QString("7"));
        // OK with MSK: byte 14 only.
        QTest::mouseClick(qobject_cast<CSpinButton*>(dialog.Control(1032))->UpButton(),
                          Qt::LeftButton);
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(1)), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Byte(view, 5, 14), 8);
        QCOMPARE(Byte(view, 5, 15), 0x42);
    }

    void signalListStandsInForTheEdit() {
        CMemoryImage image = OneChannel();
        image.m_bytes[12] = 0x32;  // DTMF, PTT ID EOT
        image.m_bytes[14] = 0x05;
        image.m_bytes[15] = 0x06;
        CProgramView* view = Launch(image);
        CChannelEditDlg dialog(*view, 1);
        dialog.OnInitDialog();
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* signal = qobject_cast<QLineEdit*>(dialog.Control(1024));
        auto* list = qobject_cast<QComboBox*>(dialog.Control(1137));
        QCOMPARE(signal->text(), QString("DTMF"));
        QVERIFY(!dialog.Control(1028)->isVisible());
        QVERIFY(!list->isVisible());
        signal->setFocus();
        QVERIFY(list->isVisible());
        QVERIFY(!signal->isVisible());
        QCOMPARE(list->currentText(), QString("DTMF"));
        QCOMPARE(list->geometry().topLeft(), signal->geometry().topLeft());
        // Choosing 2-Tone writes the signal and refreshes the grid at once.
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(Byte(view, 0, 12), 0x34);
        QCOMPARE(view->Grid()->TextMatrix(1, 11), QString("2-Tone"));
        QVERIFY(dialog.Control(1028)->isVisible());
        QCOMPARE(qobject_cast<QLineEdit*>(dialog.Control(1025))->text(), QString("5"));
        QCOMPARE(qobject_cast<QLineEdit*>(dialog.Control(1026))->text(), QString("6"));
        QVERIFY(!view->GetDocument().m_bNewDocument);
        // Leaving the list shows the edit again with the choice.
        dialog.Control(1023)->setFocus();
        QVERIFY(!list->isVisible());
        QCOMPARE(signal->text(), QString("2-Tone"));
        // F1 on the numbers names the signal's page, elsewhere the control's id.
        dialog.Control(1025)->setFocus();
        QCOMPARE(dialog.HelpContext(), 2026);
        QTest::keyClick(dialog.Control(1025), Qt::Key_F1);
        QVERIFY(CHelpWindow::Instance()->CurrentSource().toString().endsWith(
            "channeledit.html#twotone"));
        CHelpWindow::Instance()->hide();
        dialog.Control(1023)->setFocus();
        QCOMPARE(dialog.HelpContext(), 1023);
        // Cancel keeps what the choice wrote.
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(2)), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Byte(view, 0, 12), 0x34);
        QCOMPARE(Byte(view, 0, 14), 0x05);
    }

    void okWithoutNumbersClearsThem_data() {
        QTest::addColumn<std::uint8_t>("signalByte");
        QTest::newRow("DTMF") << std::uint8_t(0x02);
        QTest::newRow("None") << std::uint8_t(0x00);
        QTest::newRow("unknown") << std::uint8_t(0x03);
    }
    void okWithoutNumbersClearsThem() {
        QFETCH(std::uint8_t, signalByte);
        CMemoryImage image = OneChannel();
        image.m_bytes[12] = signalByte;
        image.m_bytes[14] = 0x05;
        image.m_bytes[15] = 0x06;
        CProgramView* view = Launch(image);
        CChannelEditDlg dialog(*view, 1);
        dialog.OnInitDialog();
        dialog.show();
        QCOMPARE(dialog.Control(1024)->isEnabled(), signalByte != 0x03);
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(1)), Qt::LeftButton);
        QCOMPARE(Byte(view, 0, 14), 0xFF);
        QCOMPARE(Byte(view, 0, 15), 0xFF);
    }

    void productInformationChecksTheBands_data() {
        QTest::addColumn<QStringList>("limits");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("reversed band 1") << QStringList{"174", "136", "350", "520"} << false;
        QTest::newRow("reversed band 2") << QStringList{"136", "174", "520", "350"} << false;
        QTest::newRow("above 999 MHz") << QStringList{"136", "1000", "350", "520"} << false;
        QTest::newRow("equal limits") << QStringList{"146", "146", "350", "520"} << true;
        QTest::newRow("bands swapped") << QStringList{"400", "470", "136", "174"} << true;
        QTest::newRow("empty reads 0") << QStringList{"", "5", "350", "520"} << true;
    }
    void productInformationChecksTheBands() {
        QFETCH(QStringList, limits);
        QFETCH(bool, accepted);
        CProgramView* view = Launch(OneChannel());
        CMainFrame* frame = m_app->MainFrame();
        QVERIFY(frame->Action(ID_EDIT_PRODUCT_INFO)->isEnabled());
        const CMemoryImage before = view->GetDocument().m_image;
        const CBandsMHz bandsBefore = view->GetDocument().m_bands;
        int result = -1;
        QStringList shown;
        const bool opened = OnModal<CProductInfoDlg>(
            [&] { frame->OnCommand(ID_EDIT_PRODUCT_INFO); },
            [&](CProductInfoDlg* dialog) {
                auto* model = qobject_cast<QComboBox*>(dialog->Control(1013));
                shown << model->itemText(0) << model->itemText(1);
                QTest::keyClick(model, Qt::Key_Down);
                for (int i = 0; i < 4; ++i) {
                    auto* edit = qobject_cast<QLineEdit*>(dialog->Control(1113 + i));
                    shown << edit->text();
                    edit->clear();
                    QTest::keyClicks(edit, limits[i] + "x");  // digits only
                }
                QTest::mouseClick(qobject_cast<QPushButton*>(dialog->Control(1)), Qt::LeftButton);
                result = dialog->isVisible() ? 0 : dialog->result();
            });
        QVERIFY(opened);
        QCOMPARE(shown, (QStringList{"LH-740A", "LH-740B", "136", "174", "350", "520"}));
        const auto& bytes = view->GetDocument().m_image.m_bytes;
        QCOMPARE(bytes[kModelIndexOffset], 1);  // the model is stored either way
        if (!accepted) {
            QCOMPARE(result, 0);
            QCOMPARE(m_prompter.m_asked.size(), 1);
            QCOMPARE(QString::fromStdString(m_prompter.m_asked[0].m_text),
                     QString("Frequency input error"));
            QCOMPARE(QString::fromStdString(m_prompter.m_asked[0].m_caption), QString("Error"));
            QVERIFY(view->GetDocument().m_bands == bandsBefore);
            for (int i = 0; i < 6; ++i) {
                QCOMPARE(bytes[kBandBytesOffset + i], before.m_bytes[kBandBytesOffset + i]);
            }
            return;
        }
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(m_prompter.m_asked.isEmpty());
        QCOMPARE(view->GetDocument().m_bands.m_band1Low, limits[0].toInt());
        QCOMPARE(view->GetDocument().m_bands.m_band1High, limits[1].toInt());
        QVERIFY(DecodeBands(view->GetDocument().m_image) == view->GetDocument().m_bands);
        QCOMPARE(ProgramUserValues().GetNumber("Type"), std::optional<std::uint32_t>(1));
        // The grid checks against the new bands.
        ClickCell(view, 3, 1);
        QTest::keyClicks(FrequencyEdit(view), limits[2] + ".5");
        ClickCell(view, 3, 2);
        QCOMPARE(view->Grid()->TextMatrix(3, 1), QString::number(limits[2].toInt()) + ".50000");
    }

    void treeItemOpensProductInformation() {
        Launch(OneChannel(), "Chinese");
        CMainFrame* frame = m_app->MainFrame();
        QString title;
        int context = 0;
        const bool opened = OnModal<CProductInfoDlg>(
            [&] { emit frame->NavigationBar()->ItemChosen(QString::fromUtf8("机型设置")); },
            [&](CProductInfoDlg* dialog) {
                title = dialog->windowTitle();
                dialog->Control(1114)->setFocus();
                context = dialog->HelpContext();
            });
        QVERIFY(opened);
        QCOMPARE(title, QString::fromUtf8("机型设置"));
        QCOMPARE(context, 1114);  // F1 opens the page of the focused control
    }

    void saveRightAfterTypingKeepsTheText() {
        CProgramView* view = Launch(OneChannel());
        CMainFrame* frame = m_app->MainFrame();
        const QString file = m_dir->Path("saved.dat");
        SetFileChoosers({}, [&](QWidget*, const QString&) { return file; });
        ClickCell(view, 2, 1);
        QTest::keyClicks(FrequencyEdit(view), "147.5");
        frame->OnCommand(ID_FILE_SAVE_AS);
        const auto saved = LoadDatFile(file.toStdString());
        QVERIFY(saved.has_value());
        QCOMPARE(saved->m_bytes[24 + 3], 0x14);
        QCOMPARE(saved->m_bytes[24 + 2], 0x75);
        QCOMPARE(saved->m_bytes[24 + 7], 0x14);  // a new channel: Tx follows Rx
        QCOMPARE(view->Grid()->TextMatrix(2, 3), QString("None"));
    }

    void helpContextFollowsTheEditorAndItsColumn_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("context");
        QTest::newRow("Rx") << 1 << 2127;
        QTest::newRow("Tx") << 2 << 2128;
        QTest::newRow("QT/DQT Dec") << 3 << 2132;
        QTest::newRow("QT/DQT Enc") << 4 << 2133;
        QTest::newRow("name") << 5 << 1126;
        QTest::newRow("power") << 6 << 1129;
        QTest::newRow("bandwidth") << 7 << 1128;
        QTest::newRow("scan add") << 8 << 1134;
        QTest::newRow("PTT ID") << 9 << 1131;
        QTest::newRow("busy lock") << 10 << 1130;
        QTest::newRow("signal") << 11 << 1133;
        QTest::newRow("More") << 12 << int(IDC_CHANNEL_GRID);
    }
    void helpContextFollowsTheEditorAndItsColumn() {
        QFETCH(int, column);
        QFETCH(int, context);
        CProgramView* view = Launch(CMemoryImage::NewDocument());
        ClickCell(view, 4, column);
        QCOMPARE(view->HelpContext(), context);
        QCOMPARE(m_app->MainFrame()->HelpContext(), context);
        if (column == 2) {
            QTest::keyClick(FrequencyEdit(view), Qt::Key_F1);
            QVERIFY(
                CHelpWindow::Instance()->CurrentSource().toString().endsWith("channels.html#tx"));
            CHelpWindow::Instance()->hide();
            QCOMPARE(FrequencyEdit(view)->text(), QString());  // the key itself is swallowed
        }
    }
};

QTEST_MAIN(CChannelEditingTest)
#include "ChannelEditingTest.moc"
