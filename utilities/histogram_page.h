#pragma once

#include <QWidget>

class QFrame;
class QToolButton;

namespace vask {

class HistogramChart;
class RadioGroup;
class SpinEdit;
class TLeadCtrl;

// The "Histogram" sheet: the chart fills the sheet; a floating panel holds the image being
// studied, the channel choice, the axis scale and the equalise and drag buttons. The user
// drags the panel anywhere over the sheet by its background.
class HistogramPage : public QWidget {
    Q_OBJECT
public:
    explicit HistogramPage(QWidget* parent = nullptr);

    // Mouse press on the floating panel: remembers the point (panel pixels).
    void UtilityHistogramFloatDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // Mouse move over the panel: with the left button held the panel follows the pointer, so
    // the remembered point stays under it.
    void UtilityHistogramFloatMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);

    HistogramChart* KV_UT_Histogram_Chart = nullptr;
    QFrame* KV_UT_Histogram_Floater = nullptr;
    QToolButton* KV_UT_Histogram_Eqalise = nullptr;
    QToolButton* KV_UT_Histogram_Enabledrag = nullptr;
    TLeadCtrl* KV_UT_Histogram_Image = nullptr;
    RadioGroup* KV_UT_Histogram_Channels = nullptr;
    SpinEdit* KV_UT_Histogram_Scale = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_pressX = 0;
    int m_pressY = 0;
};

} // namespace vask
