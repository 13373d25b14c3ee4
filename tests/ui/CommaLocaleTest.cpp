// The desktop program started under a locale that writes 1,5 for 1.5, as a user with
// LANG=de_DE.UTF-8 starts it: the application takes the C library's locale from the
// environment, and the channel cells must still read and write a full stop.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <clocale>
#include <cstdio>
#include <memory>

#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "support/CommaLocale.h"
#include "ui/ChannelGridInput.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CellEditors.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"

namespace {

// Channel 1 on 146.02500 MHz receiving with the tone 67.0 Hz.
CMemoryImage OneChannel() {
    CMemoryImage image = CMemoryImage::NewDocument();
    std::uint8_t* record = image.m_bytes.data();
    const std::uint8_t frequency[4] = {0x00, 0x25, 0x60, 0x14};
    std::copy(frequency, frequency + 4, record);
    std::copy(frequency, frequency + 4, record + 4);
    record[8] = 0x70;
    record[9] = 0x06;
    record[10] = record[11] = 0xFF;
    record[12] = 0x00;
    record[13] = 0x38;
    return image;
}

}  // namespace

class CCommaLocaleTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_config;
    std::unique_ptr<CProgramFolder> m_dir;
    std::unique_ptr<CProgramApp> m_app;

    CProgramView* Launch(const CMemoryImage& image) {
        m_dir = std::make_unique<CProgramFolder>(
            "[Setup]\r\nLanguage=English\r\nAppName=Locale Test\r\nType1=LH-740A\r\n"
            "[English]\r\nCompany=Vornex Communications\r\n");
        const QString file = m_dir->Path("radio.dat");
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(reinterpret_cast<const char*>(image.m_bytes.data()), kImageSize);
        out.close();
        m_app = std::make_unique<CProgramApp>();
        m_app->SetAppDir(m_dir->Dir());
        m_app->SetSplashPause(0);
        if (!m_app->InitInstance({file})) {
            return nullptr;
        }
        CMainFrame* frame = m_app->MainFrame();
        frame->show();
        frame->activateWindow();
        if (!QTest::qWaitForWindowActive(frame)) {
            return nullptr;
        }
        return frame->ActiveChild()->View();
    }

    static std::uint8_t Byte(CProgramView* view, int offset) {
        return view->GetDocument().m_image.m_bytes[static_cast<std::size_t>(offset)];
    }

private slots:
    void initTestCase() {
        // The program runs under the comma locale, or the test proves nothing.
        QCOMPARE(QString(std::localeconv()->decimal_point), QString(","));
        QCOMPARE(QLocale().decimalPoint(), QString(","));
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8());
        SetPrompter(&m_prompter);
    }
    void cleanup() {
        if (m_app) {
            m_app->ExitInstance();
        }
        m_app.reset();
        m_dir.reset();
        m_prompter.m_asked.clear();
    }
    void cleanupTestCase() { SetPrompter(nullptr); }

    void typedFrequencyKeepsItsDecimals() {
        CProgramView* view = Launch(OneChannel());
        QVERIFY(view != nullptr);
        CMSFlexGrid* grid = view->Grid();
        QCOMPARE(grid->TextMatrix(1, 1), QString("146.02500"));
        ClickCell(view, 3, 1);
        QTest::keyClicks(view->Editors()->FrequencyEdit(), "146.525");
        ClickCell(view, 3, 5);
        QCOMPARE(grid->TextMatrix(3, 1), QString("146.52500"));
        QCOMPARE(grid->TextMatrix(3, 2), QString("146.52500"));
        QVERIFY(m_prompter.m_asked.isEmpty());
        // Off the channel step it is refused, not cut to a whole megahertz.
        ClickCell(view, 1, 1);
        view->Editors()->FrequencyEdit()->clear();
        QTest::keyClicks(view->Editors()->FrequencyEdit(), "146.0025");
        ClickCell(view, 1, 5);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(grid->TextMatrix(1, 1), QString("146.02500"));
        QTest::keyClick(view->Editors()->FrequencyEdit(), Qt::Key_Escape);
        view->StoreGrid();
        const int record = 2 * 24;
        QCOMPARE(Byte(view, record + 0), std::uint8_t{0x00});
        QCOMPARE(Byte(view, record + 1), std::uint8_t{0x25});
        QCOMPARE(Byte(view, record + 2), std::uint8_t{0x65});
        QCOMPARE(Byte(view, record + 3), std::uint8_t{0x14});
    }

    void toneCellKeepsItsToneOnEnterAndLeave() {
        CProgramView* view = Launch(OneChannel());
        QVERIFY(view != nullptr);
        CMSFlexGrid* grid = view->Grid();
        QCOMPARE(grid->TextMatrix(1, 3), QString("67.0"));
        ClickCell(view, 1, 3);
        QCOMPARE(view->Editors()->Combo(ECellEditor::Tone)->currentText(), QString("67.0"));
        ClickCell(view, 1, 6);
        QCOMPARE(grid->TextMatrix(1, 3), QString("67.0"));
        view->StoreGrid();
        QCOMPARE(Byte(view, 8), std::uint8_t{0x70});
        QCOMPARE(Byte(view, 9), std::uint8_t{0x06});
        QVERIFY(m_prompter.m_asked.isEmpty());
    }
};

int main(int argc, char** argv) {
    std::string error;
    if (CCommaLocale::Folder(&error).empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    qputenv("LC_ALL", CCommaLocale::kName);
    qputenv("LANG", CCommaLocale::kName);
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    CCommaLocaleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CommaLocaleTest.moc"
