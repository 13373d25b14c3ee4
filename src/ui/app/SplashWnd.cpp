#include "ui/app/SplashWnd.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>

#include "ui/app/UiGlobals.h"

const QString CSplashWnd::kChineseSplashFile = QStringLiteral("startup-zh.bmp");
bool CSplashWnd::s_bShowSplashWnd = true;
CSplashWnd* CSplashWnd::s_pSplashWnd = nullptr;

void CSplashWnd::EnableSplashScreen(bool enable) {
    s_bShowSplashWnd = enable;
}

bool CSplashWnd::ShowSplashScreen(QWidget* parent) {
    if (!s_bShowSplashWnd || s_pSplashWnd != nullptr) {
        return false;
    }
    QPixmap picture;
    if (!picture.load(g_strAppDir + QStringLiteral("startup.bmp")) || picture.isNull()) {
        return false;
    }
    // "startup.bmp" decides whether there is a splash; Chinese shows its own picture when the
    // program has one.
    if (QPixmap chinese; g_bChinese && chinese.load(g_strAppDir + kChineseSplashFile)) {
        picture = chinese;
    }
    s_pSplashWnd = new CSplashWnd(picture, parent);
    s_pSplashWnd->show();
    s_pSplashWnd->repaint();
    return true;
}

CSplashWnd::CSplashWnd(const QPixmap& picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_bitmap(picture) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(m_bitmap.deviceIndependentSize().toSize());
    // Centred on the owner, or on the screen without one.
    const QRect area = parent != nullptr     ? parent->geometry()
                       : screen() != nullptr ? screen()->geometry()
                                             : QRect();
    if (area.isValid()) {
        move(area.center() - rect().center());
    }
    // A coarse timer may fire up to 5% early; the picture stays a full second.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CSplashWnd::OnTimer);
    m_timer.start();
}

void CSplashWnd::OnTimer() {
    // Start-up may still be busy (its own pause runs an event loop): the splash waits for the
    // main window rather than leave an empty screen.
    m_timer.stop();
    m_bTimeUp = true;
    if (m_bMainShown) {
        HideSplashScreen();
    }
}

void CSplashWnd::MainWindowShown() {
    if (s_pSplashWnd == nullptr) {
        return;
    }
    s_pSplashWnd->m_bMainShown = true;
    if (s_pSplashWnd->m_bTimeUp) {
        HideSplashScreen();
    }
}

CSplashWnd::~CSplashWnd() {
    if (s_pSplashWnd == this) {
        s_pSplashWnd = nullptr;
    }
}

void CSplashWnd::HideSplashScreen() {
    CSplashWnd* splash = s_pSplashWnd;
    if (splash == nullptr) {
        return;
    }
    s_pSplashWnd = nullptr;
    splash->m_timer.stop();
    splash->close();
    if (QWidget* main = QApplication::activeWindow()) {
        main->update();
    }
}

bool CSplashWnd::PreTranslateEvent(QEvent* event) {
    if (s_pSplashWnd == nullptr) {
        return false;
    }
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Keep the key from firing a shortcut; its key press takes the splash down.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
            HideSplashScreen();
            return true;
        default:
            return false;
    }
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_bitmap);
}
