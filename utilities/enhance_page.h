#pragma once

#include <QWidget>

class QCheckBox;
class QSlider;
class QToolButton;

namespace vask {

class IniFile;
class TLeadCtrl;

// Process page "Enhance": six vertical adjustment bars (brightness, contrast, histogram
// contrast, gamma, hue, saturation) over a preview and its hidden starting copy. The effects run
// from the window's handlers; this page holds the controls and the key Process/EManual.
class EnhancePage : public QWidget {
    Q_OBJECT
public:
    explicit EnhancePage(QWidget* parent);

    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_Enhance_EnableDrag = nullptr;
    QToolButton* KV_UT_Enhance_Speed_Brightness = nullptr;
    QToolButton* KV_UT_Enhance_Speed_Contrast = nullptr;
    QToolButton* KV_UT_Enhance_Speed_HistContrast = nullptr;
    QToolButton* KV_UT_Enhance_Speed_Gamma = nullptr;
    QToolButton* KV_UT_Enhance_Speed_Hue = nullptr;
    QToolButton* KV_UT_Enhance_Speed_Saturation = nullptr;
    QToolButton* KV_UT_Enhance_AddEffect = nullptr;
    QToolButton* KV_UT_Enhance_Reset = nullptr;
    QToolButton* KV_UT_Enhance_Stretch = nullptr;
    TLeadCtrl* KV_UT_Enhance_Preview = nullptr;
    QSlider* KV_UT_Enhance_Brightness = nullptr;
    QSlider* KV_UT_Enhance_Contrast = nullptr;
    QSlider* KV_UT_Enhance_HistContrast = nullptr;
    QSlider* KV_UT_Enhance_Gamma = nullptr;
    QSlider* KV_UT_Enhance_Hue = nullptr;
    QSlider* KV_UT_Enhance_Saturation = nullptr;
    TLeadCtrl* KV_UT_Enhance_CopyPreview = nullptr;
    QCheckBox* KV_UT_Enhance_RealTime = nullptr;
};

} // namespace vask
