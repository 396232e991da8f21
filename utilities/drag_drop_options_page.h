#pragma once

#include <QWidget>

#include <vector>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace vask {

class IniFile;

// Options page: the twelve drop options the drag-and-drop pipeline reads live from these
// controls, kept in section DragDrop.
class DragDropOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit DragDropOptionsPage(QWidget* parent);

    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    // The twelve option controls in creation order (each one re-runs the interlocks on a click).
    std::vector<QAbstractButton*> optionControls() const;

    QGroupBox* optionsGroupBox = nullptr;
    QCheckBox* KV_UT_DragDrop_DstSelection = nullptr;
    QCheckBox* KV_UT_DragDrop_SrcSelection = nullptr;
    QCheckBox* KV_UT_DragDrop_PSelf = nullptr;
    QCheckBox* KV_UT_DragDrop_AutoEqualise = nullptr;
    QCheckBox* KV_UT_DragDrop_Raise24 = nullptr;
    QCheckBox* KV_UT_DragDrop_EBitDepths = nullptr;
    QCheckBox* KV_UT_DragDrop_Remap = nullptr;
    QCheckBox* KV_UT_DragDrop_Resize = nullptr;
    QCheckBox* KV_UT_DragDrop_FAspect = nullptr;
    QCheckBox* KV_UT_DragDrop_DragSelectionasImage = nullptr;
    QRadioButton* KV_UT_DragDrop_AsImagewithSource = nullptr;
    QRadioButton* KV_UT_DragDrop_AsImagewithDestination = nullptr;
};

} // namespace vask
