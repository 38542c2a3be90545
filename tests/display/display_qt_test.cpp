#include "display/device_bitmaps.h"
#include "display/device_bundle.h"
#include "display/device_picture.h"
#include "display/led_painter.h"
#include "display/led_tables.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace
{

const QString BUILT_BUNDLE = QStringLiteral(PEMBLO_BIN_DIR "/veltor.rcc");

QByteArray BuiltPicture()
{
    DeviceBundle bundle;
    return bundle.Open(BUILT_BUNDLE) ? bundle.DevicePicture() : QByteArray();
}

// The device picture as ComposeDevicePicture makes it.
QImage Composed(const QByteArray &picture, const LedLevels &levels)
{
    QImage image(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE, QImage::Format_RGB32);
    ComposeDevicePicture(reinterpret_cast<const std::uint8_t *>(picture.constData()),
        static_cast<std::size_t>(picture.size()), levels, image.bits());
    return image;
}

LedLevels Lit(int channel, int level)
{
    LedLevels levels {};
    for (int k = 0; k < LED_COUNT; ++k)
        if (LED_CHANNEL[k] == channel)
            levels[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(level);
    return levels;
}

bool InAreaOfChannel(int channel, int x, int y)
{
    for (int k = 0; k < LED_COUNT; ++k)
        if (LED_CHANNEL[k] == channel && IsInLedArea(LED_ORDER[static_cast<std::size_t>(k)], x, y))
            return true;
    return false;
}

TEST(DeviceBundle, TheBuiltBundleHasThePicturesAndAForeignFileGivesNone)
{
    DeviceBundle bundle;
    ASSERT_TRUE(bundle.Open(BUILT_BUNDLE));
    EXPECT_FALSE(bundle.SplashPicture().isNull());
    EXPECT_EQ(bundle.DevicePicture().size(), 8 + 2 * 4 * DEVICE_PICTURE_SIZE * DEVICE_PICTURE_SIZE);

    // A file that is no bundle leaves none open.
    QTemporaryFile foreign;
    ASSERT_TRUE(foreign.open() && foreign.write("a letter\n") > 0);
    foreign.close();
    EXPECT_FALSE(bundle.Open(foreign.fileName()));
    EXPECT_FALSE(bundle.IsOpen());
    EXPECT_TRUE(bundle.DevicePicture().isEmpty());
    EXPECT_TRUE(bundle.SplashPicture().isNull());
}

TEST(DeviceBitmaps, EveryDisplayDepthShowsTheComposedPicture)
{
    // A 16-bit screen of unknown layout gets 32-bit pixmaps.
    EXPECT_EQ(PixmapFormat({ 16, 0x123456 }).depth, 32);
    const QByteArray picture = BuiltPicture();
    const LedLevels levels = { 127, 9, 70, 0, 127, 33, 0, 120, 16, 64 };
    const QImage expected = Composed(picture, levels);
    for (const DisplayFormat &display : { DisplayFormat { 24, 0 }, { 32, 0 }, { 16, FORMAT16_565 } }) {
        SCOPED_TRACE(display.depth);
        DeviceBitmaps bitmaps;
        ASSERT_TRUE(bitmaps.Build(picture, display));
        QImage shown(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE, QImage::Format_RGB32);
        QPainter painter(&shown);
        painter.drawPixmap(0, 0, bitmaps.Background());
        for (int led = 0; led < LED_COUNT; ++led)
            PaintLed(
                painter, QPoint(0, 0), bitmaps, led, levels[static_cast<std::size_t>(led)], shown.rect());
        painter.end();
        // 5-6-5 keeps the top 5, 6 and 5 bits of each colour.
        const QImage::Format kept = display.depth == 16 ? QImage::Format_RGB16 : QImage::Format_RGB32;
        EXPECT_EQ(shown.convertToFormat(kept), expected.convertToFormat(kept));
    }
}

TEST(ComposeDevicePicture, EachChannelLightsOnlyItsOwnAreasAndGrowsWithItsLevel)
{
    const QByteArray picture = BuiltPicture();
    const QImage dark = Composed(picture, LedLevels {});
    for (int channel = 0; channel < CHANNEL_COUNT; ++channel) {
        long previous = -1;
        for (const int level : { 16, 64, 127 }) {
            const QImage lit = Composed(picture, Lit(channel, level));
            long gained = 0;
            for (int y = 0; y < DEVICE_PICTURE_SIZE; ++y)
                for (int x = 0; x < DEVICE_PICTURE_SIZE; ++x) {
                    const QRgb before = dark.pixel(x, y), after = lit.pixel(x, y);
                    if (before == after)
                        continue;
                    ASSERT_TRUE(InAreaOfChannel(channel, x, y)) << channel << " at " << x << "," << y;
                    gained += qRed(after) + qGreen(after) + qBlue(after) - qRed(before) - qGreen(before)
                        - qBlue(before);
                }
            EXPECT_GT(gained, previous) << channel << " at level " << level;
            previous = gained;
        }
    }
}

} // namespace
