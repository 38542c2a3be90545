#include "app/pemblo_session.h"

#include "app/crash_recovery.h"
#include "app/device_view_accessible.h"
#include "app/main_frame.h"
#include "app/main_frame_keys.h"
#include "display/brelvim_view.h"
#include "document/brelvim_doc.h"
#include "platform/bundle_file.h"
#include "platform/doc_manager.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QPixmap>

PembloSession::PembloSession()
{
    m_commands.WatchUserInput();
}

PembloSession::~PembloSession()
{
    // A normal end: the changes were saved or the user let them go.
    if (m_document)
        m_document->SetRecoveryFile(nullptr);
    m_recovery.Remove();
}

bool PembloSession::LoadDevice(const QString &deviceName)
{
    const QString path = FindBundleFile(deviceName);
    return !path.isEmpty() && m_device.Open(path);
}

std::unique_ptr<QWidget> PembloSession::CreateMainWindow()
{
    m_document = std::make_unique<CBrelvimDoc>();
    // Made after the language is settled: the template string comes in it.
    m_docManager = std::make_unique<CDocManager>(ResourceModule::LoadString(IDR_MAINFRAME), *m_document);

    auto frame = std::make_unique<CMainFrame>(m_commands, QPixmap::fromImage(m_device.SplashPicture()));
    // The view lets go of the picture once it has built its bitmaps.
    InstallDeviceViewAccessible();
    auto *view = new CBrelvimView(*m_document, m_device.TakeDevicePicture());
    if (!frame->OnCreate(view))
        return nullptr;
    frame->SetCloseQuery([this, view] {
        return view->QueryStopUploadToQuit() && m_document->QueryStopExportToQuit()
            && m_docManager->SaveModified();
    });
    m_docManager->SetMainWindow(frame.get());
    m_docManager->RegisterCommands(m_commands);
    m_document->RegisterCommands(m_commands);
    view->RegisterCommands(m_commands);
    new MainFrameKeys(
        m_commands, *frame, [this] { return dynamic_cast<QWidget *>(m_document->GetEditor()); });

    // Shown before the document starts, so that an LED Editor opened at
    // start is sized and placed by the view's real size.
    frame->show();
    if (!m_docManager->OnFileNew() || !view->IsDisplaySupported())
        return nullptr;
    return frame;
}

bool PembloSession::OpenFile(const QString &path)
{
    return m_document && m_document->CheckLoads(path) && m_docManager->OpenDocumentFile(path);
}

void PembloSession::StartRecovery(QWidget *owner)
{
    if (m_document)
        RecoverLeftOverChanges(m_recovery, *m_document, owner);
}
