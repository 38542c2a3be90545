#pragma once

#include "core/constants.h"
#include "display/device_bitmaps.h"
#include "display/display_format.h"
#include "display/fitted_device.h"
#include "platform/view.h"

#include <QByteArray>
#include <QColor>
#include <QRegion>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CBrelvimDoc;
class CCmdUI;
class CUploadController;
class CommandTable;
class BrelvimViewTest;

// The simulation view: the device picture, centred in the main window, with
// each LED at the brightness of the document's LED level. Its window timer
// drives the simulation clock, the left button held on it works the device's
// input switch, it opens the LED Editor and it uploads the sequence into the
// device through the sound output.
//
// A full paint (when the view is first shown or resized) draws the picture,
// the margins and every LED. A document update asks for the pieces of the
// LEDs whose brightness step changed, once per timer message however many
// ticks it ran; every paint then paints every pixel of the region asked for,
// as no backing store (a compositor's least of all) keeps earlier ones.
// Where LED areas overlap, the LED painted last shows, as on a screen
// painted LED by LED: the view keeps the order in which the LEDs were last
// painted and paints any part of itself from that.
//
// A view smaller than the picture shows all of it, scaled to fit: once the
// size has settled, the device is scaled for it at every brightness step
// (FittedDevice), and until then each paint scales the picture as it is.
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
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    friend class BrelvimViewTest;

    // One bit per LED level that PaintLeds painted.
    using LedMask = std::uint16_t;

    // Builds the background now and the brightness steps before any LED
    // shows one: now when one does, else right after this paint.
    void BuildDevicePicture();
    void BuildSteps();
    // Takes the brightness steps of the LEDs whose step changed since they
    // were last taken, or of all of them with force; returns which.
    LedMask TakeChangedSteps(bool force);
    // Paints the LEDs at the steps last taken, and puts them on top of the
    // others in that order.
    void PaintLeds(QPainter &painter, LedMask leds);
    // Builds the steps if one of the LEDs shows a lit one.
    void BuildStepsFor(LedMask leds);
    // The level that shows LED k at the step it was last painted with.
    int LastLevel(int led) const;
    // Makes LED k the one painted last.
    void PaintOnTop(int led);
    void PaintMargins(QPainter &painter, QPoint origin);
    // The side of the square the picture shows in, and whether it is scaled
    // down to that.
    int ShownSize() const;
    bool IsFitted() const;
    // Scales the picture for the view's size and shows it anew.
    void BuildFittedDevice();
    bool HasFittedDevice() const;
    // Paints the part of region that the scaled picture covers.
    void PaintFitted(QPainter &painter, const QRegion &region);
    // The pieces of the LEDs whose step changed, in the scaled picture.
    QRegion ShowFittedSteps(LedMask leds);
    // Paints region as the last paints left it: background and margins,
    // then the LEDs in the order they were painted.
    void PaintRegion(QPainter &painter, const QRegion &region);
    // Paints the pieces ShowLeds asked for, whole, in the order of their
    // LEDs: all of the region it asked for.
    void PaintAskedPieces(QPainter &painter);
    QPoint PictureOrigin() const;
    void ShowLeds(LedMask leds);
    void ScheduleCommandUpdate();

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
    // For each LED level, the step the window was last asked to show.
    std::array<std::int8_t, LED_COUNT> m_shownStep;
    std::uint32_t m_simTime = 0;
    // Owned as the view's child.
    CUploadController *m_upload;

    // The next paint is a full one: the view was shown or resized.
    bool m_fullPaintPending = true;
    // LED levels 0..9, from the one painted first to the one painted last.
    std::array<int, LED_COUNT> m_paintOrder;
    // While a timer message runs its ticks: the LEDs they changed, shown
    // once all have run.
    bool m_catchingUp = false;
    LedMask m_unshownLeds = 0;
    // The pieces ShowLeds asked for since the last paint, and their area.
    std::vector<bool> m_askedPieces;
    QRegion m_askedArea;
    // The scaled picture of a view smaller than the device picture, made
    // when the size has settled: that long after the last resize.
    std::unique_ptr<FittedDevice> m_fitted;
    QTimer m_fitTimer;
};
