#include "utilities/about_page.h"

#include "controls/form_widgets.h"

#include <QLabel>

namespace vask {

AboutPage::AboutPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_About"));

    titleLabel = makeLabel(this, QStringLiteral(" Image Vaskolen 32+ "));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(32);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    titleLabel->setFont(titleFont);
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setStyleSheet(QStringLiteral("color: navy"));
    titleLabel->setGeometry(10, 60, 539, 44);

    subtitleLabel = makeLabel(this, QStringLiteral(" 32 Bit Image Processing "));
    QFont subtitleFont(QStringLiteral("Arial"));
    subtitleFont.setPixelSize(16);
    subtitleFont.setBold(true);
    subtitleLabel->setFont(subtitleFont);
    subtitleLabel->setAlignment(Qt::AlignCenter);
    subtitleLabel->setGeometry(10, 112, 539, 24);
}

} // namespace vask
