#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// The picture shown while the program starts. It goes away on its first timer tick (one
// second) or at the first key or click, which it uses up.
class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    // Set once at start-up from the command line.
    static void EnableSplashScreen(bool enable);
    // Shows "startup.bmp" from the program's directory; returns false when there is none.
    static bool ShowSplashScreen(QWidget* parent = nullptr);
    // Gives the splash the first look at an event; true when it was used up.
    static bool PreTranslateEvent(QEvent* event);
    static CSplashWnd* Current() { return s_pSplashWnd; }
    static void HideSplashScreen();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit CSplashWnd(const QPixmap& picture, QWidget* parent);
    ~CSplashWnd() override;

    QPixmap m_bitmap;
    QTimer m_timer;

    static bool s_bShowSplashWnd;
    static CSplashWnd* s_pSplashWnd;
};
