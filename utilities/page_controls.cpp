#include "utilities/page_controls.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "settings/ini_file.h"

#include <QCheckBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace vask {

namespace {

// The separation rows: slots share the width right of the 4 pixel margin of the 553 pixel inner
// page evenly, 5 pixels apart; the commands and options sit below them.
constexpr int kPlaneMargin = 4;
constexpr int kPlaneRowWidth = 553 - kPlaneMargin;
constexpr int kPlaneGap = 5;
constexpr int kPlaneTop = 18;
constexpr int kPlaneHeight = 132;
constexpr int kPlaneCommandTop = 158;

} // namespace

QToolButton* makeDragButton(QWidget* parent, const QString& name, int tag)
{
    return makeSpeedButton(parent, name, QStringLiteral("DD"), QStringLiteral("Allow Drag of Utility Image"),
                           tag);
}

QIcon drawGlyph(const std::function<void(QPainter&)>& draw)
{
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    draw(painter);
    painter.end();
    return QIcon(glyph);
}

TLeadCtrl* makeLeadSlot(QWidget* page, const QString& name)
{
    auto* lead = new TLeadCtrl(page);
    lead->setObjectName(name);
    return lead;
}

void placeInBevel(QWidget* page, QWidget* control, const QRect& area)
{
    auto* bevel = new QFrame(page);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(area);
    bevel->lower();
    control->setGeometry(area.adjusted(2, 2, -2, -2));
}

TLeadCtrl* makeFramedLead(QWidget* parent, const QString& name, const QRect& bevelArea)
{
    auto* bevel = new QFrame(parent);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(bevelArea);
    TLeadCtrl* lead = makeLeadSlot(bevel, name);
    lead->setGeometry(bevel->contentsRect());
    return lead;
}

TPicbuf* makePicture(QWidget* parent, const QString& name, const QRect& geometry, const QString& hint)
{
    auto* picture = new TPicbuf(parent);
    picture->setObjectName(name);
    if (!hint.isEmpty())
        picture->setToolTip(hint);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setGeometry(geometry);
    return picture;
}

QSlider* makeTrackBar(QWidget* parent, const QString& name, int minimum, int maximum, int start,
                      int tickInterval, Qt::Orientation orientation, QSlider::TickPosition ticks)
{
    auto* bar = new QSlider(orientation, parent);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setValue(start);
    bar->setTickInterval(tickInterval);
    bar->setTickPosition(ticks);
    return bar;
}

std::vector<SpinEdit*> makeKernelGrid(QWidget* page, const QString& prefix, int size, int minimum,
                                      int maximum, const QRect& firstCell, const QSize& pitch)
{
    std::vector<SpinEdit*> cells;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            auto* edit = new SpinEdit(page, prefix + QString::number(row) + QString::number(column), minimum,
                                      maximum, 1);
            edit->setGeometry(firstCell.translated(column * pitch.width(), row * pitch.height()));
            cells.push_back(edit);
        }
    }
    return cells;
}

QToolButton* makePlaneReCalcButton(QWidget* page, const QString& name)
{
    return makeSpeedButton(page, name, QStringLiteral("Calc"), QStringLiteral("ReCalculate Combined Image"),
                           16);
}

void layoutPlaneRow(QWidget* page, const std::vector<QString>& captions,
                    const std::vector<TLeadCtrl*>& planes, QToolButton* reCalc, QToolButton* enableDrag,
                    const std::vector<PlaneOption>& options)
{
    const int slotStep = kPlaneRowWidth / static_cast<int>(planes.size());
    const int slotWidth = slotStep - kPlaneGap;
    for (std::size_t slot = 0; slot < planes.size(); ++slot) {
        const int left = kPlaneMargin + static_cast<int>(slot) * slotStep;
        QLabel* caption = makeLabel(page, captions[slot]);
        caption->setGeometry(left, 2, slotWidth, 14);
        placeInBevel(page, planes[slot], QRect(left, kPlaneTop, slotWidth, kPlaneHeight));
    }

    reCalc->setGeometry(kPlaneMargin, kPlaneCommandTop, 48, 22);
    enableDrag->setGeometry(56, kPlaneCommandTop, 32, 22);
    for (std::size_t index = 0; index < options.size(); ++index) {
        const int left = kPlaneMargin + static_cast<int>(index + 1) * slotStep;
        options[index].box->setGeometry(left, kPlaneCommandTop + 2, options[index].width, 18);
    }
}

void readPageSettings(const IniFile& ini, const std::string& section,
                      const std::vector<PageSetting>& settings)
{
    for (const PageSetting& setting : settings) {
        if (auto* const* button = std::get_if<QAbstractButton*>(&setting.control))
            (*button)->setChecked(ini.ReadBool(section, setting.key, setting.defaultValue != 0));
        else if (auto* const* edit = std::get_if<QSpinBox*>(&setting.control))
            (*edit)->setValue(ini.ReadInteger(section, setting.key, setting.defaultValue));
        else if (auto* const* group = std::get_if<RadioGroup*>(&setting.control))
            (*group)->setItemIndex(ini.ReadInteger(section, setting.key, setting.defaultValue));
    }
}

void writePageSettings(IniFile& ini, const std::string& section, const std::vector<PageSetting>& settings)
{
    for (const PageSetting& setting : settings) {
        if (auto* const* button = std::get_if<QAbstractButton*>(&setting.control))
            ini.WriteBool(section, setting.key, (*button)->isChecked());
        else if (auto* const* edit = std::get_if<QSpinBox*>(&setting.control))
            ini.WriteInteger(section, setting.key, (*edit)->value());
        else if (auto* const* group = std::get_if<RadioGroup*>(&setting.control))
            ini.WriteInteger(section, setting.key, (*group)->itemIndex());
    }
}

} // namespace vask
