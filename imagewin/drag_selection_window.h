#pragma once

#include <QWidget>

class QLabel;

namespace vask {

class TPicbuf;

// The small borderless window that floats under the pointer while something is dragged,
// showing a thumbnail of the picture or the text "-- TEXT --".
class TKV_DragSelection : public QWidget {
    Q_OBJECT
public:
    explicit TKV_DragSelection(QWidget* parent = nullptr);

    TPicbuf* KV_DS_Image = nullptr;
    QLabel* KV_DS_Text = nullptr;

    void FormResize();
    // The pointer entered the window at (x, y) in its own coordinates during a drag.
    void KV_DS_ImageDragOver(int x, int y, bool& accept);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace vask
