// The channel window at common screen sizes: it fills the area beside the navigation bar,
// every column is reached by scrolling the grid, and an editor always lies over its cell in view.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "image/MemoryImage.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/MainFrame.h"
#include "ui/app/MdiClient.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"

namespace {

class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language)
        : CProgramFolder("[Setup]\r\nLanguage=" + language +
                         "\r\nAppName=Fit Test\r\nType1=LH-740A\r\nType2=LH-740B\r\n"
                         "[English]\r\nCompany=Vornex Communications\r\n"
                         "[Chinese]\r\nCompany=Vornex\r\n") {}
};

// Channel 1 at 146.025 MHz with tones off, so every column of row 1 has its editor.
CMemoryImage OneChannel() {
    CMemoryImage image = CMemoryImage::NewDocument();
    const std::uint8_t record[] = {0x00, 0x25, 0x60, 0x14, 0x00, 0x25, 0x60,
                                   0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x38};
    std::copy(std::begin(record), std::end(record), image.m_bytes.begin());
    return image;
}

int Least(int column) {
    return static_cast<int>(CMSFlexGrid::kDefaultColumnWidth * CProgramView::kWidthFactors[column]);
}

}  // namespace

class CGridFitTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;

    CMainFrame* Launch(const QByteArray& language) {
        m_dir = std::make_unique<CAppDir>(language);
        return StartOnImage(m_app, *m_dir, OneChannel());
    }

    // Every column is as wide as its share of the grid, never narrower than its least width.
    static void CheckColumns(CMSFlexGrid* grid) {
        const int available = grid->viewport()->width() + grid->ColWidth(0);
        double factors = 0;
        int least = 0;
        for (int column = 0; column < 13; ++column) {
            factors += CProgramView::kWidthFactors[column];
            least += Least(column);
        }
        int total = 0;
        for (int column = 0; column < 13; ++column) {
            const int width = grid->ColWidth(column);
            QVERIFY(width >= Least(column));
            if (available > least) {
                QVERIFY(qAbs(width - available * CProgramView::kWidthFactors[column] / factors) <=
                        2.5);
            }
            total += width;
        }
        QCOMPARE(total, std::max(available, least));
    }

private slots:
    void initTestCase() { SetPrompter(&m_prompter); }
    void cleanup() {
        if (m_app) {
            m_app->ExitInstance();
            m_app.reset();
        }
    }

    void windowFillsTheAreaAndEveryEditorIsInView_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QByteArray>("language");
        QTest::newRow("1024x768") << QSize(1024, 768) << QByteArray("English");
        QTest::newRow("1280x1024") << QSize(1280, 1024) << QByteArray("English");
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QByteArray("English");
        QTest::newRow("1024x768 Chinese") << QSize(1024, 768) << QByteArray("Chinese");
    }
    void windowFillsTheAreaAndEveryEditorIsInView() {
        QFETCH(QSize, screen);
        QFETCH(QByteArray, language);
        CMainFrame* frame = Launch(language);
        QVERIFY(frame != nullptr);
        frame->resize(screen);
        QTest::qWait(20);
        CChildFrame* child = frame->ActiveChild();
        CProgramView* view = child->View();
        CMSFlexGrid* grid = view->Grid();
        QWidget* area = frame->MdiClient()->viewport();
        QVERIFY(child->isMaximized());
        QCOMPARE(child->geometry(), area->rect());
        QVERIFY(frame->rect().contains(QRect(child->mapTo(frame, QPoint()), child->size())));
        CheckColumns(grid);

        // From Rx to More by Tab, as a user goes along a row: each cell comes into view and
        // its editor lies exactly over it.
        grid->SetCell(1, 1);
        for (int column = 1; column <= 12; ++column) {
            QCOMPARE(grid->Col(), column);
            const QRect cell = grid->visualRect(grid->currentIndex());
            QVERIFY2(grid->viewport()->rect().contains(cell), qPrintable(QString::number(column)));
            if (QWidget* editor = view->VisibleEditor()) {
                QCOMPARE(editor->geometry(), cell);
            } else {
                QCOMPARE(column, 12);  // More has no editor
            }
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus != nullptr);
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QVERIFY(m_prompter.m_asked.isEmpty());

        // An editor opened while its column is scrolled away brings it back first.
        grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
        grid->SetCell(1, 1);
        QWidget* editor = view->VisibleEditor();
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->geometry(), grid->visualRect(grid->currentIndex()));
        QVERIFY(grid->viewport()->rect().contains(editor->geometry()));

        // The window follows the main window; the columns grow with it.
        frame->resize(screen + QSize(200, 100));
        QTest::qWait(20);
        QCOMPARE(child->geometry(), area->rect());
        CheckColumns(grid);
        QCOMPARE(view->VisibleEditor()->geometry(), grid->visualRect(grid->currentIndex()));
    }

    void systemMenuRestoresTheOwnSize() {
        CMainFrame* frame = Launch("English");
        QVERIFY(frame != nullptr);
        frame->resize(1280, 1024);
        CChildFrame* child = frame->ActiveChild();
        auto trigger = [child](const QString& text) {
            for (QAction* action : child->systemMenu()->actions()) {
                if (action->text().remove('&') == text && action->isEnabled()) {
                    action->trigger();
                    return true;
                }
            }
            return false;
        };
        QVERIFY(trigger("Restore"));
        QVERIFY(!child->isMaximized());
        const double scale = CProgramView::ScaleForScreenWidth(child->View()->StoredScreenWidth());
        QCOMPARE(child->size(), QSize(static_cast<int>(CProgramView::kFrameWidth * scale),
                                      static_cast<int>(CProgramView::kFrameHeight * scale)));
        CheckColumns(child->View()->Grid());
        // Closed and shown again from the tree, it stays as the user left it.
        child->close();
        frame->ShowChannelInformation();
        QVERIFY(child->isVisible() && !child->isMaximized());
        QVERIFY(trigger("Maximize"));
        child->close();
        frame->ShowChannelInformation();
        QVERIFY(child->isMaximized());
        QCOMPARE(child->geometry(), frame->MdiClient()->viewport()->rect());
    }

    void cornerShowsTheChannelHeading_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("English") << QByteArray("English") << "CH";
        QTest::newRow("Chinese") << QByteArray("Chinese") << QString::fromUtf8("信道");
    }
    void cornerShowsTheChannelHeading() {
        QFETCH(QByteArray, language);
        QFETCH(QString, text);
        CMainFrame* frame = Launch(language);
        QVERIFY(frame != nullptr);
        CMSFlexGrid* grid = frame->ActiveChild()->View()->Grid();
        QLabel* corner = grid->Corner();
        QCOMPARE(corner->text(), text);
        QVERIFY(corner->isVisible());
        QCOMPARE(corner->geometry(),
                 QRect(grid->frameWidth(), grid->frameWidth(), grid->verticalHeader()->width(),
                       grid->horizontalHeader()->height()));
        QCOMPARE(corner->palette().color(QPalette::WindowText), QColor(0x00, 0x32, 0xF0));
    }

    void fitWidthsKeepProportions_data() {
        QTest::addColumn<int>("beyondLeast");  // pixels available beyond the least widths
        QTest::newRow("narrow") << -700;
        QTest::newRow("exactly") << 0;
        QTest::newRow("one more pixel") << 1;
        QTest::newRow("wide") << 636;
    }
    void fitWidthsKeepProportions() {
        QFETCH(int, beyondLeast);
        int least = 0;
        for (int column = 0; column < 13; ++column) {
            least += Least(column);
        }
        const auto widths = CProgramView::FitColumnWidths(least + beyondLeast);
        int total = 0;
        for (int column = 0; column < 13; ++column) {
            QVERIFY(widths[column] >= Least(column));
            total += widths[column];
        }
        QCOMPARE(total, std::max(least + beyondLeast, least));
    }
};

QTEST_MAIN(CGridFitTest)
#include "GridFitTest.moc"
