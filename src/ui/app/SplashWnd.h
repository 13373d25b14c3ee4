#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// The picture shown while the program starts. It goes away once the main window is shown and
// a second has passed since the picture appeared, or at the first key or click, which it uses
// up.
class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    // Set once at start-up from the command line.
    static void EnableSplashScreen(bool enable);
    // Shows "startup.bmp" from the program's directory, in Chinese "startup-zh.bmp" when that
    // exists too; returns false when there is no "startup.bmp".
    static bool ShowSplashScreen(QWidget* parent = nullptr);
    static const QString kChineseSplashFile;
    const QPixmap& Picture() const { return m_bitmap; }
    // Gives the splash the first look at an event; true when it was used up.
    static bool PreTranslateEvent(QEvent* event);
    static CSplashWnd* Current() { return s_pSplashWnd; }
    static void HideSplashScreen();
    // Start-up has shown the main window; the splash may go once its second is over.
    static void MainWindowShown();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit CSplashWnd(const QPixmap& picture, QWidget* parent);
    ~CSplashWnd() override;

    void OnTimer();

    QPixmap m_bitmap;
    QTimer m_timer;
    bool m_bTimeUp = false;
    bool m_bMainShown = false;

    static bool s_bShowSplashWnd;
    static CSplashWnd* s_pSplashWnd;
};
