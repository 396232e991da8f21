#include "controls/histogram_chart.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <array>

namespace vask {
namespace {

const QColor kYellow(255, 255, 0);
const std::array<QColor, 4> kChannelColours = {QColor(255, 255, 0), QColor(255, 0, 0), QColor(0, 255, 0),
                                               QColor(0, 0, 255)};

// The middle column of a point's band in the plot.
int columnOf(const HistogramChart& chart, int point, int points = 256)
{
    const QRect plot = chart.plotRect();
    return plot.left() + static_cast<int>((point + 0.5) * plot.width() / points);
}

int countColour(const QImage& image, const QRect& area, QColor colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

// What the histogram routine does for one channel.
void fillSingleSeries(HistogramChart& chart, QColor colour, double axisMax,
                      const std::array<double, 256>& values)
{
    chart.setLineColor(colour);
    chart.OpenDataSet(1, 1, 256);
    chart.ChartType = 1;
    chart.ThisSerie = 0;
    chart.setAxisMax(1, axisMax);
    chart.Decimals = 0;
    chart.LeftGap = 38;
    chart.PointType = 0;
    for (int i = 0; i < 256; ++i)
        chart.setValueAt(i, values[i]);
    chart.CloseDataSet(1);
}

TEST(HistogramChart, SpikeAboveTheAxisMaximumIsCutAtTheTopOfThePlot)
{
    HistogramChart chart;
    chart.resize(400, 200);
    std::array<double, 256> values{};
    values[128] = 12000;
    fillSingleSeries(chart, kYellow, 5000, values);
    const QImage shown = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    const int middle = columnOf(chart, 128);
    EXPECT_NEAR(middle, plot.left() + plot.width() / 2, 2);
    EXPECT_EQ(shown.pixelColor(middle, plot.top()), kYellow);
    EXPECT_EQ(shown.pixelColor(middle, plot.bottom()), kYellow);
    EXPECT_EQ(countColour(shown, QRect(0, 0, shown.width(), plot.top()), kYellow), 0);
    // Only the spike's band is painted.
    EXPECT_EQ(shown.pixelColor(columnOf(chart, 100), plot.bottom()) == kYellow, false);
    EXPECT_EQ(countColour(shown, QRect(0, 0, plot.left(), shown.height()), kYellow), 0);
}

TEST(HistogramChart, ValuesAreScaledAgainstTheAxisMaximum)
{
    HistogramChart chart;
    chart.resize(300, 221);
    std::array<double, 256> values{};
    values[64] = 2500; // half of the axis maximum
    fillSingleSeries(chart, QColor(255, 0, 0), 5000, values);
    const QImage shown = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    const int x = columnOf(chart, 64);
    const int halfway = plot.bottom() - plot.height() / 2;
    EXPECT_EQ(shown.pixelColor(x, halfway + 2), QColor(255, 0, 0));
    EXPECT_NE(shown.pixelColor(x, halfway - 3), QColor(255, 0, 0));

    // A larger axis maximum lowers the same value.
    chart.setAxisMax(1, 10000);
    const QImage lowered = chart.grab().toImage();
    const int quarter = plot.bottom() - plot.height() / 4;
    EXPECT_EQ(lowered.pixelColor(x, quarter + 2), QColor(255, 0, 0));
    EXPECT_NE(lowered.pixelColor(x, quarter - 3), QColor(255, 0, 0));
}

TEST(HistogramChart, FourSeriesAreDrawnInTheirOwnColours)
{
    HistogramChart chart;
    chart.resize(420, 200);
    chart.OpenDataSet(1, 4, 256);
    chart.ChartType = 6;
    chart.setAxisMax(1, 1000);
    chart.Decimals = 0;
    chart.LeftGap = 38;
    const std::array<int, 4> spikes = {30, 90, 150, 210};
    for (int j = 0; j < 4; ++j) {
        chart.PointType = 0;
        chart.ThisSerie = j;
        chart.setThisColor(kChannelColours[j]);
        for (int i = 0; i < 256; ++i)
            chart.setValueAt(i, i == spikes[j] ? 5000 : 0);
    }
    chart.CloseDataSet(1);
    const QImage shown = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    for (int j = 0; j < 4; ++j) {
        const int x = columnOf(chart, spikes[j]);
        // The spike's peak sits on the top row of the plot, in the series' colour.
        const QRect nearPeak(x - 2, plot.top(), 5, 3);
        EXPECT_GT(countColour(shown, nearPeak, kChannelColours[j]), 0) << "series " << j;
        EXPECT_EQ(countColour(shown, QRect(0, 0, shown.width(), plot.top()), kChannelColours[j]), 0);
        // Far from the other spikes, halfway up, only the own series shows.
        const QRect halfway(x - 3, plot.top() + plot.height() / 2, 7, 1);
        for (int other = 0; other < 4; ++other) {
            if (other == j)
                continue;
            EXPECT_EQ(countColour(shown, halfway, kChannelColours[other]), 0) << j << " " << other;
        }
    }
}

TEST(HistogramChart, YAxisLabelsAreDrawnInTheLeftGap)
{
    HistogramChart chart;
    chart.resize(300, 200);
    std::array<double, 256> values{};
    values.fill(100);
    fillSingleSeries(chart, kYellow, 5000, values);
    const QImage shown = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    EXPECT_EQ(plot.left(), 38);
    const QColor background = shown.pixelColor(2, 2);
    int labelPixels = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < plot.left() - 4; ++x)
            labelPixels += shown.pixelColor(x, y) != background ? 1 : 0;
    EXPECT_GT(labelPixels, 20);
    // The series fills the whole plot width at its level and starts right of the gap.
    EXPECT_EQ(shown.pixelColor(plot.left(), plot.bottom()), kYellow);
    EXPECT_EQ(shown.pixelColor(plot.right(), plot.bottom()), kYellow);
}

TEST(HistogramChart, ValuesOutsideTheSeriesAreIgnored)
{
    HistogramChart chart;
    chart.OpenDataSet(1, 1, 256);
    chart.ThisSerie = 0;
    chart.setValueAt(256, 7);
    chart.setValueAt(-1, 7);
    chart.ThisSerie = 3;
    chart.setValueAt(5, 7);
    chart.CloseDataSet(1);
    EXPECT_EQ(chart.ValueAt(0, 255), 0);
    EXPECT_EQ(chart.ValueAt(0, 5), 0);
    EXPECT_EQ(chart.ValueAt(3, 5), 0);
}

} // namespace
} // namespace vask
