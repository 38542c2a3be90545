// The reference of the start-up benchmark: a bare Qt Widgets program whose
// one maximised window shows a picture, centred on black, as Pemblo! shows
// the device.
//   bare_window PICTURE

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    if (argc < 2)
        return 64;
    QLabel window;
    window.setAlignment(Qt::AlignCenter);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setPixmap(QPixmap(QString::fromLocal8Bit(argv[1])));
    window.showMaximized();
    return QApplication::exec();
}
