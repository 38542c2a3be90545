#include "app/splash_wnd.h"

#include "resources/product.h"

#include <QPainter>
#include <QScreen>

namespace
{

// The version stands white on a dark blue-grey shadow one pixel down and
// to the right.
const QColor VERSION_SHADOW(32, 32, 64);

QString VersionText()
{
    return QStringLiteral("V") + QLatin1String(PRODUCT_SHORT_VERSION);
}

} // namespace

CSplashWnd::CSplashWnd(const QPixmap &picture, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_picture(picture)
    , m_width(picture.isNull() ? 0 : picture.width())
    , m_height(picture.isNull() ? 0 : picture.height())
{
    // The window only shows a picture: it takes neither the focus nor the
    // activation from the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(m_width, m_height);
    if (!parent || parent->isVisible())
        ShowWindow();
}

void CSplashWnd::ShowWindow()
{
    if (m_width == 0 || m_height == 0)
        return;
    CenterWindow();
    show();
}

void CSplashWnd::paintEvent(QPaintEvent *)
{
    OnPaint();
}

void CSplashWnd::OnPaint()
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    const QString version = VersionText();
    const QFontMetrics metrics = painter.fontMetrics();
    const int cx = metrics.horizontalAdvance(version);
    const int cy = metrics.height();
    const auto drawVersion = [&](int x, int y, const QColor &colour) {
        painter.setPen(colour);
        painter.drawText(QRect(x, y, cx, cy), Qt::AlignLeft | Qt::AlignTop, version);
    };
    drawVersion(m_width - cx - 1, m_height - cy - 1, VERSION_SHADOW);
    drawVersion(m_width - cx - 2, m_height - cy - 2, Qt::white);
}

void CSplashWnd::CenterWindow()
{
    const QScreen *target = screen();
    if (!target)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(target->availableGeometry().center());
    move(frame.topLeft());
}
