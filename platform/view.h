#pragma once

#include "platform/window_timers.h"

#include <QWidget>

class CDocument;
class QPainter;

// A window that shows a document, in the framework's document/view style.
// Qt's event overrides only translate and call the handlers below.
class CView : public QWidget
{
    Q_OBJECT

public:
    explicit CView(QWidget *parent = nullptr);
    ~CView() override;

    CDocument *GetDocument() const { return m_document; }

    // Called once the document has been started or opened; by default the
    // same as an update without a hint.
    virtual void OnInitialUpdate();
    // The document changed; by default the whole view is repainted.
    virtual void OnUpdate(CView *sender, int hint);
    virtual void OnDraw(QPainter &painter) = 0;

    // Window timers by our own ids; OnTimer is called for each expiry.
    void SetTimer(int id, int intervalMs) { m_timers.SetTimer(id, intervalMs); }
    void KillTimer(int id) { m_timers.KillTimer(id); }
    virtual void OnTimer(int id);

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    friend class CDocument;

    CDocument *m_document = nullptr;
    WindowTimers m_timers { *this };
};
