#include "controls/classic_look.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

namespace vask {

void applyClassicLook(QWidget* window)
{
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    window->setFont(arial);
    QPalette silver = window->palette();
    silver.setColor(QPalette::Window, silverColour());
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        silver.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    window->setPalette(silver);
    window->setAutoFillBackground(true);
}

} // namespace vask
