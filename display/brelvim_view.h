#pragma once

#include "core/constants.h"
#include "display/device_bitmaps.h"
#include "display/display_format.h"
#include "platform/view.h"
#include "upload/fsk_transmitter.h"

#include <QByteArray>
#include <QColor>
#include <QPixmap>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class CBrelvimDoc;
class CCmdUI;
class CUploadProgressDlg;
class CommandTable;
class BrelvimViewTest;

// The simulation view: the device picture, centred in the main window, with
// each LED at the brightness of the document's LED level. Its window timer
// drives the simulation clock, the left button held on it works the device's
// input switch, it opens the LED Editor and it uploads the sequence into the
// device through the sound output.
//
// Painting goes into a canvas of the view's size: a full paint (when the view
// is first shown or resized) draws the picture, the margins and every LED;
// a document update marks only the LEDs whose brightness step changed, and
// the next paint draws just those and shows just their rectangles.
class CBrelvimView : public CView
{
    Q_OBJECT

public:
    // Reads the display's depth and 16-bit layout at the initial update.
    using DisplayFormatSource = std::function<DisplayFormat()>;

    // devicePicture is the device bundle's picture data, built into screen
    // bitmaps at the first paint.
    CBrelvimView(CBrelvimDoc &document, QByteArray devicePicture,
        DisplayFormatSource readDisplayFormat = ScreenDisplayFormat, QWidget *parent = nullptr);
    ~CBrelvimView() override;

    CBrelvimDoc *GetDocument() const;

    // Commands 134 (open editor) and 132 (upload) and their enable rules.
    void RegisterCommands(CommandTable &commands);
    void OnUpdateOpenEditor(CCmdUI &ui) const;
    void OnOpenEditor();
    void OnUpdateUpload(CCmdUI &ui) const;
    void OnUpload();
    // The upload's last sample has played, or it was stopped.
    void OnTransmitDone();
    // Silences the upload; it ends as its last sample would end it.
    void OnStopUpload();
    // Asked before the main window closes: true when no upload plays or the
    // user agrees to stop it, which then stops.
    bool QueryStopUploadToQuit();

    // False when the display's depth is one the view cannot show; known
    // after the initial update.
    bool IsDisplaySupported() const;

    void OnInitialUpdate() override;
    void OnDraw(QPainter &painter) override;
    void OnUpdate(CView *sender, int hint) override;
    void OnTimer(int id) override;
    void OnLButtonDown(Qt::KeyboardModifiers flags, QPoint point);
    void OnLButtonUp(Qt::KeyboardModifiers flags, QPoint point);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    friend class BrelvimViewTest;

    // One bit per LED level that PaintLeds painted.
    using LedMask = std::uint16_t;

    void BuildDevicePicture();
    // Takes the brightness steps of the LEDs whose step changed since they
    // were last taken, or of all of them with force; returns which.
    LedMask TakeChangedSteps(bool force);
    // Paints the LEDs at the steps last taken.
    void PaintLeds(QPainter &painter, LedMask leds);
    void PaintMargins(QPainter &painter, QPoint origin);
    QPoint PictureOrigin() const;
    void ShowLeds(LedMask leds);
    void RenderCanvas();
    void ShowUploadFailure();
    void PaintPendingLeds();
    void ShowUploadProgress();

    QByteArray m_devicePicture;
    DisplayFormatSource m_readDisplayFormat;
    CommandTable *m_commands = nullptr;

    DeviceBitmaps m_bitmaps;
    bool m_buildPending = true;
    std::int32_t m_depth = 0;
    std::int32_t m_format16 = 0;
    QColor m_marginColour = Qt::black;
    bool m_inputSwitch = false;
    std::array<std::int8_t, LED_COUNT> m_lastStep;
    std::uint32_t m_simTime = 0;
    bool m_sending = false;
    FskTransmitter m_transmitter;
    std::unique_ptr<CUploadProgressDlg> m_uploadProgress;

    // What the window shows; stale until the next paint renders all of it.
    QPixmap m_canvas;
    bool m_canvasStale = true;
    // LEDs whose step changed since the canvas last showed them. Several
    // ticks run per timer message and only the last is seen, so the canvas
    // takes them once, at the next paint.
    LedMask m_pendingLeds = 0;
};
