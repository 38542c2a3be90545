#include "app/pemblo_app.h"

#include "app/language_dlg.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "platform/settings_store.h"
#include "resources/product.h"

#include <QApplication>
#include <QWidget>

namespace
{

const QString SECTION = QString::fromLatin1(SettingsStore::SECTION);
const QString KEY_LANGUAGE = QString::fromLatin1(SettingsStore::KEY_LANGUAGE);
const QString NOT_CHOSEN = QStringLiteral("?");

bool IsChosen(const QString &language)
{
    return !language.startsWith('?');
}

// German when the value starts with "D" or "d" ("D", "Deutsch"); English
// for anything else.
bool IsGerman(const QString &language)
{
    return language.startsWith('D') || language.startsWith('d');
}

char AskWithLanguageDialog()
{
    CLanguageDlg dialog;
    dialog.DoModal();
    return dialog.LanguageCode();
}

// The message format with value in place of its "%s".
QString FormatMessage(const QString &format, const QString &value)
{
    const int at = format.indexOf(QLatin1String("%s"));
    return at < 0 ? format : format.left(at) + value + format.mid(at + 2);
}

} // namespace

CPembloApp::CPembloApp(DeviceLoader loadDevice, MainWindowFactory createMainWindow, QStringList arguments)
    : m_loadDevice(std::move(loadDevice))
    , m_createMainWindow(std::move(createMainWindow))
    , m_arguments(std::move(arguments))
    , m_askLanguage(AskWithLanguageDialog)
{
}

CPembloApp::~CPembloApp() = default;

void CPembloApp::SetLanguageQuestion(LanguageQuestion ask)
{
    m_askLanguage = std::move(ask);
}

bool CPembloApp::InitInstance()
{
    QGuiApplication::setDesktopFileName(QLatin1String(APPLICATION_ID));
    QApplication::setWindowIcon(ResourceModule::LoadIcon(IDR_MAINFRAME));

    ForgetLanguageIfAsked();
    if (IsGerman(SettleLanguage()))
        ResourceModule::LoadGermanBundle(); // without it Pemblo! stays English
    if (!LoadDevice())
        return false;

    m_mainWindow = m_createMainWindow();
    if (!m_mainWindow)
        return false;
    m_mainWindow->show();
    return true;
}

void CPembloApp::ForgetLanguageIfAsked()
{
    if (m_arguments.size() > 1 && m_arguments.at(1).startsWith('?'))
        SettingsStore::WriteProfileString(SECTION, KEY_LANGUAGE, NOT_CHOSEN);
}

QString CPembloApp::SettleLanguage()
{
    QString language = SettingsStore::GetProfileString(SECTION, KEY_LANGUAGE, NOT_CHOSEN);
    while (!IsChosen(language)) {
        const QString answer(QChar::fromLatin1(m_askLanguage()));
        // A store that cannot keep the answer would ask for ever: this run
        // takes the answer as it is, and the next start asks again.
        if (!SettingsStore::WriteProfileString(SECTION, KEY_LANGUAGE, answer))
            return answer;
        language = SettingsStore::GetProfileString(SECTION, KEY_LANGUAGE, answer);
    }
    return language;
}

bool CPembloApp::LoadDevice()
{
    const QString device = SettingsStore::GetProfileString(SECTION,
        QString::fromLatin1(SettingsStore::KEY_DEVICE), QString::fromLatin1(SettingsStore::DEFAULT_DEVICE));
    if (m_loadDevice(device))
        return true;
    ShowMessageBox(nullptr, FormatMessage(ResourceModule::LoadString(IDS_CANT_LOAD_DRIVER), device),
        QStringLiteral("Error"));
    return false;
}
