#include "imagewin/drag_selection_window.h"

#include "controls/classic_look.h"

#include "controls/control_drag.h"
#include "controls/picbuf.h"
#include "shell/fault_report.h"
#include "shell/program_state.h"

#include <QLabel>

namespace vask {

TKV_DragSelection::TKV_DragSelection(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("KV_DragSelection"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    applyClassicLook(this);

    KV_DS_Image = new TPicbuf(this);
    KV_DS_Image->setObjectName(QStringLiteral("KV_DS_Image"));
    KV_DS_Image->setGeometry(0, 0, 26, 21);

    KV_DS_Text = new QLabel(QStringLiteral("-- TEXT --"), this);
    KV_DS_Text->setObjectName(QStringLiteral("KV_DS_Text"));
    KV_DS_Text->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setItalic(true);
    KV_DS_Text->setFont(font);
    KV_DS_Text->setStyleSheet(QStringLiteral("color: blue;"));
    KV_DS_Text->hide();

    resize(104, 50);

    // The floating window steps out from under the pointer, or it would take the drop itself.
    ControlDrag& layer = ControlDrag::instance();
    auto stepAside = [this](QWidget*, int x, int y, bool& accept) { KV_DS_ImageDragOver(x, y, accept); };
    layer.setDragOverHandler(KV_DS_Image, stepAside);
    layer.setDragOverHandler(KV_DS_Text, stepAside);
}

void TKV_DragSelection::FormResize()
{
    guardedHandler("UDragSelection32v1", 45, [&] {
        if (programState().DropInProgress != 0 || width() < 1 || height() < 1)
            return;
        KV_DS_Image->resize(width() + 1, height() + 1);
        KV_DS_Text->setGeometry(0, 0, width(), height());
    });
}

void TKV_DragSelection::KV_DS_ImageDragOver(int x, int y, bool& accept)
{
    guardedHandler("UDragSelection32v1", 63, [&] {
        accept = true;
        move(pos().x() + x + 1, pos().y() + y + 1);
    });
}

void TKV_DragSelection::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

} // namespace vask
