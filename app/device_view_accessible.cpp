#include "app/device_view_accessible.h"

#include "display/brelvim_view.h"
#include "document/brelvim_doc.h"
#include "platform/resource_module.h"
#include "resources/string_ids.h"

#include <QAccessibleWidget>

namespace
{

class DeviceViewAccessible : public QAccessibleWidget
{
public:
    explicit DeviceViewAccessible(CBrelvimView *view)
        : QAccessibleWidget(view, QAccessible::Graphic, ResourceModule::LoadString(IDS_ACCESS_DEVICE))
    {
    }

    QString text(QAccessible::Text which) const override
    {
        if (which != QAccessible::Description)
            return QAccessibleWidget::text(which);
        const CBrelvimDoc *document = static_cast<CBrelvimView *>(widget())->GetDocument();
        return document ? LedStateText(document->m_ledLevels) : QString();
    }
};

QAccessibleInterface *DeviceViewFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("CBrelvimView") && object && object->isWidgetType())
        return new DeviceViewAccessible(static_cast<CBrelvimView *>(object));
    return nullptr;
}

} // namespace

QString LedStateText(const std::array<std::uint8_t, LED_COUNT> &levels)
{
    QStringList leds;
    for (int led = 0; led < LED_COUNT; ++led)
        leds << ResourceModule::LoadString(IDS_ACCESS_LED)
                    .arg(led + 1)
                    .arg(ResourceModule::LoadString(
                        levels[std::size_t(led)] > 0 ? IDS_ACCESS_ON : IDS_ACCESS_OFF));
    return leds.join(QStringLiteral(", "));
}

void InstallDeviceViewAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(DeviceViewFactory);
        return true;
    }();
    (void)installed;
}
