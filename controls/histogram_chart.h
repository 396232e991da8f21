#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

#include <vector>

class QPainter;

namespace vask {

// The histogram chart: one or four series of points drawn as lines or areas against a fixed
// Y axis maximum, filled through the data-set calls the histogram routine makes.
//
// ChartType 1 draws the first series as a filled area (one column band per point) in
// LineColor; any other type (6 for the four channels) draws every series as a line in its
// ThisColor (yellow, red, green, blue for series never given one). A chart of one series
// always uses LineColor. Values are clipped at the axis maximum, the top of the plot; below
// 0 they sit on the X axis. The plot leaves LeftGap pixels at the left for the Y labels (0,
// a quarter, half, three quarters and the maximum, with Decimals places).
class HistogramChart : public QWidget {
    Q_OBJECT
public:
    explicit HistogramChart(QWidget* parent = nullptr);

    // kind is 1 (values); starts a new data set of series x points, all 0.
    void OpenDataSet(int kind, int seriesCount, int pointCount);
    void CloseDataSet(int kind);
    // Value of point index in the current series (ThisSerie).
    void setValueAt(int point, double value);
    double ValueAt(int series, int point) const;
    // Axis 1 is the Y axis; other axes and values not above 0 are ignored.
    void setAxisMax(int axis, double value);
    double AxisMax(int axis) const;

    int ChartType = 1;
    int ThisSerie = 0;
    int Decimals = 0;
    int LeftGap = 38;
    int PointType = 0;
    void setThisColor(const QColor& colour);
    void setLineColor(const QColor& colour) { m_lineColour = colour; }
    QColor seriesColour(int series) const;
    int seriesCount() const { return static_cast<int>(m_series.size()); }
    // The plot in widget pixels: its top row is the axis maximum, its bottom row 0.
    QRect plotRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double heightOf(double value, int plotHeight) const;
    void paintArea(QPainter& painter, const QRect& plot, int series) const;
    void paintLine(QPainter& painter, const QRect& plot, int series) const;

    std::vector<std::vector<double>> m_series;
    std::vector<QColor> m_colours;
    QColor m_lineColour = Qt::yellow;
    double m_axisMax = 5000;
    bool m_open = false;
};

} // namespace vask
