// The main of the widget tests: Qt's offscreen platform, and settings in a
// temporary folder of their own, never the user's.
#include "gui_test.h"

#include "platform/settings_store.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

void ClearTestSettings()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::ORGANIZATION,
              SettingsStore::APPLICATION)
        .clear();
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    if (!config.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
