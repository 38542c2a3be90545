#pragma once

#include <QPixmap>
#include <QWidget>

// How long the splash picture stays on screen after start, in milliseconds;
// an about window open at that moment closes with it.
inline constexpr int SPLASH_TIME_MS = 4000;

// The splash window: the device's splash picture in a frameless window above
// all others, centred on the screen, with the version in its bottom-right
// corner. The main frame shows it at start and as the about window. With no
// picture the window has no size and is not shown.
//
// Given the main window as its parent it is a transient window of it, which
// compositors that ignore "stay on top" (Wayland's) keep above it; it then
// shows once the main window does.
class CSplashWnd : public QWidget
{
    Q_OBJECT

public:
    explicit CSplashWnd(const QPixmap &picture, QWidget *parent = nullptr);

    // Shows it, centred, unless it has no picture.
    void ShowWindow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void OnPaint();
    void CenterWindow();

    QPixmap m_picture;
    int m_width;
    int m_height;
};
