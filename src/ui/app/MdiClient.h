#pragma once

#include <QMdiArea>
#include <QPixmap>

// The MDI area, tiled with "background.bmp" from the program's directory, or with the built-in
// picture when that file is missing. The file is read at every painting, so a new picture
// shows without a restart.
class CMdiClientWnd : public QMdiArea {
    Q_OBJECT
public:
    explicit CMdiClientWnd(QWidget* parent = nullptr);

    // The picture the next painting uses.
    static QPixmap BackgroundPicture(bool* fromFile = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
