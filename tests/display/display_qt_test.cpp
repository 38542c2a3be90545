#include "display/device_bitmaps.h"
#include "display/device_bundle.h"
#include "display/led_painter.h"
#include "display/led_tables.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

const QString BUILT_BUNDLE = QStringLiteral(PEMBLO_BIN_DIR "/veltor.rcc");

QByteArray BuiltPicture()
{
    DeviceBundle bundle;
    return bundle.Open(BUILT_BUNDLE) ? bundle.DevicePicture() : QByteArray();
}

// The bitmaps of the bundle the build made, built once for all tests.
const DeviceBitmaps &Bitmaps32()
{
    static DeviceBitmaps bitmaps;
    if (!bitmaps.IsBuilt())
        bitmaps.Build(BuiltPicture(), { 32, 0 });
    return bitmaps;
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

// A copy of the built bundle with bytes changed: (offset, value), where an
// offset from TREE on counts from the start of the tree.
constexpr std::uint32_t TREE = 1u << 31;
using Damage = std::vector<std::pair<std::uint32_t, char>>;

QString DamagedBundle(const QTemporaryDir &dir, const Damage &damage)
{
    QFile built(BUILT_BUNDLE);
    built.open(QIODevice::ReadOnly);
    QByteArray bytes = built.readAll();
    const std::uint32_t tree = qFromBigEndian<std::uint32_t>(bytes.constData() + 8);
    for (const auto &[offset, value] : damage)
        bytes[(offset & TREE ? tree + (offset & ~TREE) : offset)] = value;
    const QString path = dir.filePath(QStringLiteral("damaged.rcc"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

TEST(DeviceBundle, TheBuiltBundleHasThePicturesAndADamagedOrForeignFileGivesNone)
{
    DeviceBundle bundle;
    ASSERT_TRUE(bundle.Open(BUILT_BUNDLE));
    EXPECT_FALSE(bundle.SplashPicture().isNull());
    EXPECT_EQ(bundle.DevicePicture().size(), 8 + 2 * 4 * DEVICE_PICTURE_SIZE * DEVICE_PICTURE_SIZE);

    // Damage that crashed readers before: tree or names moved, the root's
    // child count or first child changed; and a foreign file.
    QTemporaryDir dir;
    const Damage cases[] = { { { 8, '\xC4' } }, { { 16, '\xA4' } }, { { TREE + 6, '\x1B' } },
        { { TREE + 10, '\xE5' } }, { { 0, 'Q' } } };
    for (const Damage &damage : cases) {
        ASSERT_TRUE(bundle.Open(BUILT_BUNDLE));
        EXPECT_FALSE(bundle.Open(DamagedBundle(dir, damage))) << damage[0].first;
        EXPECT_FALSE(bundle.IsOpen());
        EXPECT_TRUE(bundle.DevicePicture().isEmpty());
        EXPECT_TRUE(bundle.SplashPicture().isNull());
    }
}

TEST(DeviceBitmaps, OtherDisplayDepthsShowTheSamePicture)
{
    // A 16-bit screen of unknown layout gets 32-bit bitmaps.
    EXPECT_EQ(ConvertibleFormat({ 16, 0x123456 }).depth, 32);
    DeviceBitmaps bitmaps24;
    DeviceBitmaps bitmaps16;
    ASSERT_TRUE(bitmaps24.Build(BuiltPicture(), { 24, 0 }));
    ASSERT_TRUE(bitmaps16.Build(BuiltPicture(), { 16, 0xB55605 }));
    // Frames of odd width show whether padded 24-bit rows are read right.
    for (const auto &[step, position] : { std::pair { 15, 0 }, { 7, 4 }, { 15, 3 } }) {
        const QImage exact = Bitmaps32().Frame(step, position).toImage();
        const QImage from24 = bitmaps24.Frame(step, position).toImage();
        const QImage from16 = bitmaps16.Frame(step, position).toImage();
        for (int y = 0; y < exact.height(); y += 7)
            for (int x = 0; x < exact.width(); x += 5) {
                ASSERT_EQ(from24.pixel(x, y), exact.pixel(x, y)) << x << "," << y;
                ASSERT_LE(std::abs(qRed(from16.pixel(x, y)) - qRed(exact.pixel(x, y))), 8);
                ASSERT_LE(std::abs(qGreen(from16.pixel(x, y)) - qGreen(exact.pixel(x, y))), 4);
            }
    }
}

TEST(RenderDevice, EachChannelLightsOnlyItsOwnAreasAndGrowsWithItsLevel)
{
    const QImage dark = RenderDevice(Bitmaps32(), LedLevels {});
    EXPECT_EQ(dark, Bitmaps32().Background().toImage().convertToFormat(QImage::Format_RGB32));
    for (int channel = 0; channel < CHANNEL_COUNT; ++channel) {
        long previous = -1;
        for (const int level : { 16, 64, 127 }) {
            const QImage lit = RenderDevice(Bitmaps32(), Lit(channel, level));
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
