#include "controls/histogram_chart.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vask {

namespace {

// Margins of the plot inside the widget, besides LeftGap for the Y labels.
constexpr int kTopGap = 8;
constexpr int kRightGap = 6;
constexpr int kBottomGap = 8;
constexpr int kYLabelCount = 4; // labels at 0, 1/4, 1/2, 3/4 and the maximum

const QColor kBackground(0, 0, 0);
const QColor kAxisColour(192, 192, 192);

// Colours of series that never had ThisColor: the histogram channels' yellow, red, green, blue.
QColor defaultSeriesColour(int series)
{
    static const QColor colours[] = {QColor(255, 255, 0), QColor(255, 0, 0), QColor(0, 255, 0),
                                     QColor(0, 0, 255)};
    return colours[series % 4];
}

} // namespace

HistogramChart::HistogramChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HistogramChart::OpenDataSet(int /*kind*/, int seriesCount, int pointCount)
{
    seriesCount = std::max(seriesCount, 0);
    pointCount = std::max(pointCount, 0);
    m_series.assign(static_cast<std::size_t>(seriesCount), std::vector<double>(pointCount, 0.0));
    m_colours.resize(static_cast<std::size_t>(seriesCount));
    m_open = true;
}

void HistogramChart::CloseDataSet(int /*kind*/)
{
    m_open = false;
    update();
}

void HistogramChart::setValueAt(int point, double value)
{
    if (ThisSerie < 0 || ThisSerie >= seriesCount())
        return;
    auto& series = m_series[static_cast<std::size_t>(ThisSerie)];
    if (point < 0 || point >= static_cast<int>(series.size()))
        return;
    series[static_cast<std::size_t>(point)] = value;
    // Values set outside an open data set show at once; inside one, at CloseDataSet.
    if (!m_open)
        update();
}

double HistogramChart::ValueAt(int series, int point) const
{
    if (series < 0 || series >= seriesCount())
        return 0;
    const auto& values = m_series[static_cast<std::size_t>(series)];
    if (point < 0 || point >= static_cast<int>(values.size()))
        return 0;
    return values[static_cast<std::size_t>(point)];
}

void HistogramChart::setAxisMax(int axis, double value)
{
    if (axis != 1 || !(value > 0))
        return;
    m_axisMax = value;
    update();
}

double HistogramChart::AxisMax(int axis) const
{
    return axis == 1 ? m_axisMax : 0;
}

void HistogramChart::setThisColor(const QColor& colour)
{
    if (ThisSerie < 0 || ThisSerie >= seriesCount())
        return;
    m_colours[static_cast<std::size_t>(ThisSerie)] = colour;
    update();
}

QColor HistogramChart::seriesColour(int series) const
{
    if (seriesCount() == 1)
        return m_lineColour;
    if (series >= 0 && series < seriesCount() && m_colours[static_cast<std::size_t>(series)].isValid())
        return m_colours[static_cast<std::size_t>(series)];
    return defaultSeriesColour(std::max(series, 0));
}

QRect HistogramChart::plotRect() const
{
    return QRect(QPoint(LeftGap, kTopGap), QPoint(width() - 1 - kRightGap, height() - 1 - kBottomGap));
}

void HistogramChart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    const QRect plot = plotRect();
    if (plot.width() < 2 || plot.height() < 2)
        return;

    painter.setPen(kAxisColour);
    painter.setFont(font());
    const int labelHeight = painter.fontMetrics().height();
    for (int i = 0; i <= kYLabelCount; ++i) {
        const double value = m_axisMax * i / kYLabelCount;
        const int y =
            plot.bottom() - static_cast<int>(std::lround(double(plot.height() - 1) * i / kYLabelCount));
        painter.drawLine(plot.left() - 3, y, plot.left() - 1, y);
        // The top and bottom labels stay whole inside the widget.
        const int labelTop = std::clamp(y - labelHeight / 2, 0, std::max(height() - labelHeight, 0));
        const QRect labelBox(0, labelTop, std::max(LeftGap - 5, 0), labelHeight);
        painter.drawText(labelBox, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value, 'f', std::clamp(Decimals, 0, 6)));
    }
    painter.drawLine(plot.left() - 1, plot.top(), plot.left() - 1, plot.bottom() + 1);
    painter.drawLine(plot.left() - 1, plot.bottom() + 1, plot.right(), plot.bottom() + 1);

    // Everything above the axis maximum is cut off at the top of the plot.
    painter.setClipRect(plot);
    if (ChartType == 1 && !m_series.empty())
        paintArea(painter, plot, 0);
    else
        for (int series = 0; series < seriesCount(); ++series)
            paintLine(painter, plot, series);
}

double HistogramChart::heightOf(double value, int plotHeight) const
{
    const double clamped = std::clamp(value, 0.0, m_axisMax);
    return clamped / m_axisMax * plotHeight;
}

void HistogramChart::paintArea(QPainter& painter, const QRect& plot, int series) const
{
    const auto& values = m_series[static_cast<std::size_t>(series)];
    const int count = static_cast<int>(values.size());
    if (count == 0)
        return;
    const QColor colour = seriesColour(series);
    // Point i covers the columns [left + i w / n, left + (i + 1) w / n): every point at least
    // one column wide as long as the plot is as wide as the points are many.
    for (int i = 0; i < count; ++i) {
        const int x0 = plot.left() + static_cast<int>(static_cast<long long>(i) * plot.width() / count);
        int x1 = plot.left() + static_cast<int>(static_cast<long long>(i + 1) * plot.width() / count);
        x1 = std::max(x1, x0 + 1);
        const double barHeight = heightOf(values[static_cast<std::size_t>(i)], plot.height());
        const int top = plot.bottom() + 1 - static_cast<int>(std::lround(barHeight));
        if (top <= plot.bottom())
            painter.fillRect(QRect(QPoint(x0, top), QPoint(x1 - 1, plot.bottom())), colour);
    }
}

void HistogramChart::paintLine(QPainter& painter, const QRect& plot, int series) const
{
    const auto& values = m_series[static_cast<std::size_t>(series)];
    const int count = static_cast<int>(values.size());
    if (count == 0)
        return;
    QPainterPath path;
    for (int i = 0; i < count; ++i) {
        const double x = plot.left() + (i + 0.5) * plot.width() / count;
        const double y = plot.bottom() + 1 - heightOf(values[static_cast<std::size_t>(i)], plot.height());
        if (i == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    painter.setPen(QPen(seriesColour(series), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

} // namespace vask
