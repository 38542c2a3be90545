#include "qt_test_environment.h"

#include "platform/settings_store.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace
{

class QtTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_configHome = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_configHome->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome->path()));
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }

    void TearDown() override
    {
        m_application.reset();
        m_configHome.reset();
    }

private:
    char m_name[6] = "tests";
    char *m_argv[2] = { m_name, nullptr };
    int m_argc = 1;
    std::unique_ptr<QTemporaryDir> m_configHome;
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment *const environment
    = ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

} // namespace

void ClearTestSettings()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::ORGANIZATION,
        SettingsStore::APPLICATION)
        .clear();
}
