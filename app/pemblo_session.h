#pragma once

#include "display/device_bundle.h"
#include "document/recovery_file.h"
#include "platform/command_table.h"

#include <QString>

#include <memory>

class CBrelvimDoc;
class CDocManager;
class QWidget;

// What Pemblo! runs on besides the application object: the command table
// that the toolbar, the document and the view share, the device bundle, and,
// once the main window has been made, the one document with its file
// commands, as the single document template ties document, frame and view
// together. The document, and with it the LED Editor, goes with the session,
// so the session must go before the QApplication does.
class PembloSession
{
public:
    PembloSession();
    ~PembloSession();
    PembloSession(const PembloSession &) = delete;
    PembloSession &operator=(const PembloSession &) = delete;

    // The device loader of the start-up: opens the device bundle of this
    // name, found as bundles are found.
    bool LoadDevice(const QString &deviceName);
    // The main-window factory of the start-up: the maximised main frame with
    // the splash, the simulation view as its client and a new document, which
    // loads the last file and may open the LED Editor. Null when the frame
    // cannot be made or the display cannot be shown; the user has been told.
    std::unique_ptr<QWidget> CreateMainWindow();
    // Opens the file named on the command line as the Open command would;
    // one that does not load is reported and leaves the document as the
    // start showed it.
    bool OpenFile(const QString &path);
    // Once the start-up is over: offers what a run that did not end normally
    // left unsaved, then keeps this run's own unsaved changes in a recovery
    // file, which a normal end removes.
    void StartRecovery(QWidget *owner);

    CommandTable &Commands() { return m_commands; }
    // Null until the main window has been made.
    CBrelvimDoc *Document() const { return m_document.get(); }

private:
    CommandTable m_commands;
    DeviceBundle m_device;
    RecoveryFile m_recovery;
    std::unique_ptr<CBrelvimDoc> m_document;
    std::unique_ptr<CDocManager> m_docManager;
};
