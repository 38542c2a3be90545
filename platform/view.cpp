#include "platform/view.h"

#include "platform/document.h"

#include <QPainter>
#include <QTimerEvent>

CView::CView(QWidget *parent)
    : QWidget(parent)
{
}

CView::~CView()
{
    if (m_document)
        m_document->RemoveView(this);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0);
}

void CView::OnUpdate(CView *, int)
{
    update();
}

void CView::OnTimer(int) { }

void CView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    OnDraw(painter);
}

void CView::timerEvent(QTimerEvent *event)
{
    const int id = m_timers.IdOf(event->timerId());
    if (id >= 0)
        OnTimer(id);
    else
        QWidget::timerEvent(event);
}
