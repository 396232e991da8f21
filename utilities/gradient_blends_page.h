#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QSlider;
class QToolButton;

namespace vask {

class IniFile;
class SpinEdit;
class TPicbuf;

// The "Gradient Blends and Effects" sheet of the Mask page: a grey gradient mask built from
// start and end levels in two directions, with the source, destination and result pictures
// it blends. The level edits sit at the ends of the pointer they belong to.
class GradientBlendsPage : public QWidget {
    Q_OBJECT
public:
    explicit GradientBlendsPage(QWidget* parent = nullptr);

    // Section Mask: VEnd, VStart, HStart, HEnd, MWidth, MHeight, Auto, Opaque, Part.
    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_Mask_Special_CalcMask = nullptr;
    QToolButton* KV_UT_Mask_Special_ResultDrag = nullptr;
    QToolButton* KV_UT_Mask_Special_ReRun = nullptr;
    QProgressBar* KV_UT_Mask_Special_Progress = nullptr;
    // The vertical pointer runs from the top row down, as the mask's rows do.
    QSlider* KV_UT_Mask_Special_VTrack = nullptr;
    QSlider* KV_UT_Mask_Special_HTrack = nullptr;
    SpinEdit* KV_UT_Mask_Special_HStart = nullptr;
    SpinEdit* KV_UT_Mask_Special_VStart = nullptr;
    SpinEdit* KV_UT_Mask_Special_HEnd = nullptr;
    SpinEdit* KV_UT_Mask_Special_VEnd = nullptr;
    QCheckBox* KV_UT_Mask_Special_CutOff = nullptr;
    QCheckBox* KV_UT_Mask_Special_AutoSize = nullptr;
    QCheckBox* KV_UT_Mask_Special_BaseOpaque = nullptr;
    SpinEdit* KV_UT_Mask_Special_Width = nullptr;
    SpinEdit* KV_UT_Mask_Special_Height = nullptr;
    TPicbuf* KV_UT_Mask_Special_Source = nullptr;
    TPicbuf* KV_UT_Mask_Special_OrgDestination = nullptr;
    TPicbuf* KV_UT_Mask_Special_Mask = nullptr;
    TPicbuf* KV_UT_Mask_Special_Destination = nullptr;

    // Transparency of the mask pixel under the pointer.
    QLabel* KV_UT_Mask_Special_TLabel = nullptr;
};

} // namespace vask
