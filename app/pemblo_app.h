#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

// The start-up of Pemblo!: settles the language (asking the first time, or
// again when the command line starts with "?"), loads the German bundle for
// German, loads the device bundle named in the settings and opens the main
// window. What loads the device and what makes the main window are given to
// it, so that it runs without them in tests.
class CPembloApp
{
public:
    // Loads the device bundle of this name; false when it cannot.
    using DeviceLoader = std::function<bool(const QString &deviceName)>;
    // Makes the main window with its document and view; null when it fails.
    using MainWindowFactory = std::function<std::unique_ptr<QWidget>()>;
    // Asks for the language: 'D' or 'E'.
    using LanguageQuestion = std::function<char()>;

    CPembloApp(DeviceLoader loadDevice, MainWindowFactory createMainWindow,
        QStringList arguments = QCoreApplication::arguments());
    ~CPembloApp();

    // Shows the Language dialog unless replaced.
    void SetLanguageQuestion(LanguageQuestion ask);

    // True when the main window is up; false to end the application.
    bool InitInstance();
    QWidget *MainWindow() const { return m_mainWindow.get(); }

private:
    void ForgetLanguageIfAsked();
    QString SettleLanguage();
    bool LoadDevice();

    DeviceLoader m_loadDevice;
    MainWindowFactory m_createMainWindow;
    QStringList m_arguments;
    LanguageQuestion m_askLanguage;
    std::unique_ptr<QWidget> m_mainWindow;
};
