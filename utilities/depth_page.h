#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QToolButton;

namespace vask {

class IniFile;
class RadioGroup;
class SpinEdit;
class TPicbuf;

// Process page "Depth": a preview picture converted to a chosen depth or colour count.
// The conversion itself runs from the window's command dispatcher; this page holds the controls
// and their Process keys (DDepth, CDepth, DOptimise, DDither, DBleed, DFastPreview).
class DepthPage : public QWidget {
    Q_OBJECT
public:
    explicit DepthPage(QWidget* parent);

    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_Depth_EnableDrag = nullptr;
    QToolButton* KV_UT_Depth_Conversion_Custom_Retry = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    RadioGroup* KV_UT_Depth_Conversion_Depth = nullptr;
    TPicbuf* KV_UT_Depth_Preview = nullptr;
    QCheckBox* KV_UT_Depth_FullPreview = nullptr;
    QCheckBox* KV_UT_Depth_Conversion_Optimise = nullptr;
    QCheckBox* KV_UT_Depth_Conversion_Dither = nullptr;
    QCheckBox* KV_UT_Depth_Conversion_Bleed = nullptr;
    SpinEdit* KV_UT_Depth_Conversion_CustomDepth = nullptr;
};

} // namespace vask
