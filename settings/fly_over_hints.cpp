#include "settings/fly_over_hints.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace vask {

namespace {

bool hintsEnabled = true;

class FlyOverHintFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        if (!hintsEnabled)
            return true;
        if (auto* widget = qobject_cast<QWidget*>(watched);
            widget != nullptr && widget->toolTipDuration() < 0)
            widget->setToolTipDuration(kHintDisplayTimeMs);
        return false;
    }
};

class HintTimingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintWakeUpDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

void installFilterOnce()
{
    static QPointer<FlyOverHintFilter> filter;
    if (filter != nullptr || QCoreApplication::instance() == nullptr)
        return;
    filter = new FlyOverHintFilter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

} // namespace

void setFlyOverHintsEnabled(bool enabled)
{
    hintsEnabled = enabled;
    installFilterOnce();
    if (!enabled)
        QToolTip::hideText();
}

bool flyOverHintsEnabled()
{
    return hintsEnabled;
}

void applyHintAppearance()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    installFilterOnce();
    if (dynamic_cast<HintTimingStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new HintTimingStyle(QApplication::style()->name()));
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::All, QPalette::ToolTipBase, QColor(0, 255, 255));
    palette.setColor(QPalette::All, QPalette::ToolTipText, QColor(0, 0, 0));
    QToolTip::setPalette(palette);
}

} // namespace vask
