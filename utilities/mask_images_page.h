#pragma once

#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QToolButton;

namespace vask {

class IniFile;
class SpinEdit;
class TPicbuf;

// The "Mask Images" sheet of the Mask page: source, mask, destination and result pictures
// with the options every drop and button of both mask sheets uses. With "Blend Images on
// Image Drop" on, the mask picture gives way to the blend ratio edit.
class MaskImagesPage : public QWidget {
    Q_OBJECT
public:
    explicit MaskImagesPage(QWidget* parent = nullptr);

    // Section Mask: FastMask, DropBlend, Maintain, DropCalc, BRatio. Reading also brings the
    // page's look in line with the DropBlend state.
    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    // Switches between the mask picture and the ratio edit; faults report code 1005.
    void KV_UT_Mask_Base_BlendOnDropClick();

    QToolButton* KV_UT_Mask_Base_AllowDrag = nullptr;
    QToolButton* KV_UT_Mask_Base_ReRun = nullptr;
    QCheckBox* KV_UT_Mask_Base_FullPreview = nullptr;
    QCheckBox* KV_UT_Mask_Base_Maintain = nullptr;
    QCheckBox* KV_UT_Mask_Base_OnDrop = nullptr;
    TPicbuf* KV_UT_Mask_Base_Destination = nullptr;
    TPicbuf* KV_UT_Mask_Base_OrgDestination = nullptr;
    TPicbuf* KV_UT_Mask_Image_Mask = nullptr;
    TPicbuf* KV_UT_Mask_Base_Source = nullptr;
    QCheckBox* KV_UT_Mask_Base_BlendOnDrop = nullptr;
    SpinEdit* KV_UT_Mask_BlendRatio = nullptr;

    QLabel* KV_UT_MaskBuffer_Label = nullptr;
    // Frames the mask picture: lowered around the picture, raised behind the ratio edit.
    QFrame* KV_UT_Mask_MaskBevel = nullptr;
};

} // namespace vask
