#pragma once

#include <QRect>
#include <QSlider>
#include <QString>

#include <functional>
#include <string>
#include <variant>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QIcon;
class QPainter;
class QSpinBox;
class QToolButton;

namespace vask {

class IniFile;
class RadioGroup;
class SpinEdit;
class TLeadCtrl;
class TPicbuf;

// Building blocks the utilities pages share. Positions are pixels of the widget a control is
// placed on; every control is named (member name = objectName).

// The button every workbench carries to drag its picture away: "DD", "Allow Drag of Utility Image".
QToolButton* makeDragButton(QWidget* parent, const QString& name, int tag);

// A 16 x 16 glyph for a button without a caption, drawn by draw on a transparent ground.
QIcon drawGlyph(const std::function<void(QPainter&)>& draw);

// A LEAD control, placed later (placeInBevel or layoutPlaneRow).
TLeadCtrl* makeLeadSlot(QWidget* page, const QString& name);

// The LEAD control draws no border of its own; a sunken bevel behind it gives the slot look.
// The bevel takes area, the control sits 2 pixels inside it.
void placeInBevel(QWidget* page, QWidget* control, const QRect& area);

// A LEAD control inside a sunken bevel of its own at bevelArea, filling the bevel's contents.
TLeadCtrl* makeFramedLead(QWidget* parent, const QString& name, const QRect& bevelArea);

// A picture buffer with a sunken frame at geometry; an empty hint leaves its tool tip unset.
TPicbuf* makePicture(QWidget* parent, const QString& name, const QRect& geometry, const QString& hint = {});

// A track bar with a tick every tickInterval steps; upright with ticks on both sides unless told.
QSlider* makeTrackBar(QWidget* parent, const QString& name, int minimum, int maximum, int start,
                      int tickInterval, Qt::Orientation orientation = Qt::Vertical,
                      QSlider::TickPosition ticks = QSlider::TicksBothSides);

// size x size kernel edits named <prefix><row><column> with the given range, row by row from
// firstCell's place on a pitch; answered row-major.
std::vector<SpinEdit*> makeKernelGrid(QWidget* page, const QString& prefix, int size, int minimum,
                                      int maximum, const QRect& firstCell, const QSize& pitch);

// The separation pages' "Calc" button that merges the planes back into the combined picture.
QToolButton* makePlaneReCalcButton(QWidget* page, const QString& name);

// A check box of a separation page with the width its caption needs.
struct PlaneOption {
    QCheckBox* box;
    int width;
};

// The separation pages' layout on the 553 x 209 inner page: a caption above each LEAD slot, the
// slots sharing the page's width in one row, the recalculate and drag commands below the first
// slot and one option below each further slot.
void layoutPlaneRow(QWidget* page, const std::vector<QString>& captions,
                    const std::vector<TLeadCtrl*>& planes, QToolButton* reCalc, QToolButton* enableDrag,
                    const std::vector<PlaneOption>& options);

// One control of a page kept under one key of a settings section: a check box or radio button
// as a bool, a spin edit as an integer, a radio group as its item index. Pages with more than a
// couple of keys list them once in such a table for reading and writing alike.
struct PageSetting {
    std::variant<QAbstractButton*, QSpinBox*, RadioGroup*> control;
    const char* key;
    // A bool's default as 0 or 1.
    int defaultValue;
};

// Both go through the keys in the order given; a missing key gives its default.
void readPageSettings(const IniFile& ini, const std::string& section,
                      const std::vector<PageSetting>& settings);
void writePageSettings(IniFile& ini, const std::string& section, const std::vector<PageSetting>& settings);

} // namespace vask
