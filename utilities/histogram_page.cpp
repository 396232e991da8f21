#include "utilities/histogram_page.h"

#include "controls/form_widgets.h"
#include "controls/histogram_chart.h"
#include "controls/lead_ctrl.h"
#include "utilities/page_controls.h"

#include <QFrame>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace vask {

namespace {

// The chart takes the left of the sheet (about 560 x 238 pixels); the panel starts on the
// right, clear of the plot.
constexpr QRect kChartRect(4, 4, 396, 230);
constexpr QRect kFloaterRect(406, 4, 150, 230);

// Equalise glyph: a few histogram bars of even height.
QIcon equaliseGlyph()
{
    return drawGlyph([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 128));
        const int heights[] = {6, 11, 14, 9, 12, 7};
        for (int bar = 0; bar < 6; ++bar)
            painter.drawRect(1 + bar * 2 + bar / 2, 15 - heights[bar], 2, heights[bar]);
        painter.setPen(QColor(128, 0, 0));
        painter.drawLine(0, 5, 15, 5);
    });
}

} // namespace

HistogramPage::HistogramPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Options_Histogram"));

    KV_UT_Histogram_Chart = new HistogramChart(this);
    KV_UT_Histogram_Chart->setObjectName(QStringLiteral("KV_UT_Histogram_Chart"));
    KV_UT_Histogram_Chart->setGeometry(kChartRect);

    KV_UT_Histogram_Floater = new QFrame(this);
    KV_UT_Histogram_Floater->setObjectName(QStringLiteral("KV_UT_Histogram_Floater"));
    KV_UT_Histogram_Floater->setToolTip(QStringLiteral("Use Mouse to Drag to New Location"));
    KV_UT_Histogram_Floater->setFrameStyle(QFrame::Panel | QFrame::Raised);
    KV_UT_Histogram_Floater->setAutoFillBackground(true);
    KV_UT_Histogram_Floater->setGeometry(kFloaterRect);
    KV_UT_Histogram_Floater->installEventFilter(this);
    QWidget* panel = KV_UT_Histogram_Floater;

    KV_UT_Histogram_Eqalise = makeSpeedButton(panel, QStringLiteral("KV_UT_Histogram_Eqalise"), QString(),
                                              QStringLiteral("Eqalise Image using Histogram"), 20);
    KV_UT_Histogram_Eqalise->setIcon(equaliseGlyph());
    KV_UT_Histogram_Eqalise->setGeometry(50, 4, 30, 22);
    KV_UT_Histogram_Enabledrag = makeDragButton(panel, QStringLiteral("KV_UT_Histogram_Enabledrag"), 10);
    KV_UT_Histogram_Enabledrag->setGeometry(4, 4, 40, 22);

    KV_UT_Histogram_Image =
        makeFramedLead(panel, QStringLiteral("KV_UT_Histogram_Image"), QRect(4, 30, 142, 92));
    KV_UT_Histogram_Image->setToolTip(QStringLiteral("Drop any Image here to study Histogram"));

    KV_UT_Histogram_Channels =
        new RadioGroup(panel, QStringLiteral("KV_UT_Histogram_Channels"), QStringLiteral(" Channel "),
                       {QStringLiteral("RGB"), QStringLiteral("Red"), QStringLiteral("Green"),
                        QStringLiteral("Blue"), QStringLiteral("All")},
                       0, QString(), 2);
    KV_UT_Histogram_Channels->setGeometry(4, 126, 142, 72);

    KV_UT_Histogram_Scale = new SpinEdit(
        panel, QStringLiteral("KV_UT_Histogram_Scale"), 10, 1000000, 5000, 1000,
        QStringLiteral(
            "Y Axis Maximum Value - Use to Expand Detail [Steps of 1000 using Arrows - Auto Update - [10 to "
            "1000000]]"));
    KV_UT_Histogram_Scale->setGeometry(4, 202, 100, 22);
}

void HistogramPage::UtilityHistogramFloatDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    m_pressX = x;
    m_pressY = y;
}

void HistogramPage::UtilityHistogramFloatMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y)
{
    if (!buttons.testFlag(Qt::LeftButton))
        return;
    QFrame* panel = KV_UT_Histogram_Floater;
    panel->move(panel->x() - (m_pressX - x), panel->y() - (m_pressY - y));
}

bool HistogramPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == KV_UT_Histogram_Floater) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint point = mouse->position().toPoint();
            UtilityHistogramFloatDown(mouse->button(), mouse->modifiers(), point.x(), point.y());
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint point = mouse->position().toPoint();
            UtilityHistogramFloatMove(mouse->buttons(), mouse->modifiers(), point.x(), point.y());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vask
