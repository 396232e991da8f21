#include "controls/histogram_chart.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <array>

namespace vask {
namespace {

const QColor kYellow(255, 255, 0);

// The middle column of a point's band in the plot.
int columnOf(const HistogramChart& chart, int point)
{
    const QRect plot = chart.plotRect();
    return plot.left() + static_cast<int>((point + 0.5) * plot.width() / 256);
}

int countColour(const QImage& image, const QRect& area, QColor colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

// What the histogram routine does first: series of 256 points, the axis maximum, labels in a gap.
void openChart(HistogramChart& chart, int series, int type, double axisMax)
{
    chart.OpenDataSet(1, series, 256);
    chart.ChartType = type;
    chart.setAxisMax(1, axisMax);
    chart.Decimals = 0;
    chart.LeftGap = 38;
}

TEST(HistogramChart, ValuesAreScaledAgainstTheAxisMaximumCutAtTheTopAndLabelledInTheLeftGap)
{
    HistogramChart chart;
    chart.resize(400, 221);
    chart.setLineColor(kYellow);
    openChart(chart, 1, 1, 5000);
    chart.ThisSerie = 0;
    chart.PointType = 0;
    for (int i = 0; i < 256; ++i)
        chart.setValueAt(i, i == 64 ? 2500 : i == 128 ? 12000 : 0); // half the axis maximum, far above it
    chart.CloseDataSet(1);
    const QImage shown = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    EXPECT_EQ(plot.left(), 38);
    int labelPixels = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < plot.left() - 4; ++x)
            labelPixels += shown.pixelColor(x, y) != shown.pixelColor(2, 2) ? 1 : 0;
    EXPECT_GT(labelPixels, 20);
    const int spike = columnOf(chart, 128);
    EXPECT_EQ(shown.pixelColor(spike, plot.top()), kYellow);
    EXPECT_EQ(shown.pixelColor(spike, plot.bottom()), kYellow);
    EXPECT_EQ(countColour(shown, QRect(0, 0, shown.width(), plot.top()), kYellow), 0);
    EXPECT_EQ(countColour(shown, QRect(0, 0, plot.left(), shown.height()), kYellow), 0);
    EXPECT_NE(shown.pixelColor(columnOf(chart, 100), plot.bottom()), kYellow); // only the values' bands
    const int half = columnOf(chart, 64);
    const int halfway = plot.bottom() - plot.height() / 2;
    EXPECT_EQ(shown.pixelColor(half, halfway + 2), kYellow);
    EXPECT_NE(shown.pixelColor(half, halfway - 3), kYellow);

    // A larger axis maximum lowers the same value.
    chart.setAxisMax(1, 10000);
    const QImage lowered = chart.grab().toImage();
    const int quarter = plot.bottom() - plot.height() / 4;
    EXPECT_EQ(lowered.pixelColor(half, quarter + 2), kYellow);
    EXPECT_NE(lowered.pixelColor(half, quarter - 3), kYellow);
}

TEST(HistogramChart, FourSeriesAreDrawnInTheirOwnColours)
{
    const std::array<QColor, 4> colours = {kYellow, QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
    const std::array<int, 4> spikes = {30, 90, 150, 210};
    HistogramChart chart;
    chart.resize(420, 200);
    openChart(chart, 4, 6, 1000);
    for (int j = 0; j < 4; ++j) {
        chart.PointType = 0;
        chart.ThisSerie = j;
        chart.setThisColor(colours[j]);
        for (int i = 0; i < 256; ++i)
            chart.setValueAt(i, i == spikes[j] ? 5000 : 0);
    }
    chart.CloseDataSet(1);
    const QImage shown = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    for (int j = 0; j < 4; ++j) {
        const int x = columnOf(chart, spikes[j]);
        // The spike's peak sits on the top row of the plot, in the series' colour.
        EXPECT_GT(countColour(shown, QRect(x - 2, plot.top(), 5, 3), colours[j]), 0) << "series " << j;
        // Far from the other spikes, halfway up, only the own series shows.
        const QRect halfway(x - 3, plot.top() + plot.height() / 2, 7, 1);
        for (int other = 0; other < 4; ++other)
            EXPECT_EQ(countColour(shown, halfway, colours[other]) > 0, other == j) << j << " " << other;
    }
}

} // namespace
} // namespace vask
