#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QToolButton;

namespace vask {

class IniFile;
class SpinEdit;
class TLeadCtrl;

// Process page "Resample": a preview resampled to a new width and height. Keys Process/RWidth,
// RHeight, RMAspect and HQResample.
class ResamplePage : public QWidget {
    Q_OBJECT
public:
    explicit ResamplePage(QWidget* parent);

    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QGroupBox* KV_UT_Resample_GroupBox = nullptr;
    TLeadCtrl* KV_UT_Resample_Preview = nullptr;
    QToolButton* KV_UT_Resample_EnableDrag = nullptr;
    SpinEdit* KV_UT_Resample_Width = nullptr;
    SpinEdit* KV_UT_Resample_Height = nullptr;
    QCheckBox* KV_UT_Resample_Quality = nullptr;
    QCheckBox* KV_UT_Resample_MAspect = nullptr;
};

} // namespace vask
