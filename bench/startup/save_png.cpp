// The reference of pemblo-cli render: a Qt program that saves a picture, read
// from raw 32-bit pixels, as a PNG file.
//   save_png IN.bgra WIDTH HEIGHT OUT.png

#include <QFile>
#include <QImage>

#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 5)
        return 64;
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray pixels = in.readAll();
    const int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
    if (pixels.size() < qsizetype(4) * width * height)
        return 1;
    const QImage picture(
        reinterpret_cast<const uchar *>(pixels.constData()), width, height, QImage::Format_RGB32);
    return picture.save(QString::fromLocal8Bit(argv[4]), "PNG") ? 0 : 1;
}
