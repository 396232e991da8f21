#pragma once

#include <QWidget>

class QCheckBox;
class QToolButton;

namespace vask {

class IniFile;
class TLeadCtrl;

// Separations page "HLS - HSV": a combined picture and its hue, luminance, saturation and value
// planes (luminance in HLS, value in HSV). Key Separations/HLS.
class HlsPlanesPage : public QWidget {
    Q_OBJECT
public:
    explicit HlsPlanesPage(QWidget* parent);

    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_HLS_Planes_EnableDrag = nullptr;
    QToolButton* KV_UT_HLS_Planes_ReCalc = nullptr;
    TLeadCtrl* KV_UT_HLS_Base = nullptr;
    TLeadCtrl* KV_UT_HLS_H = nullptr;
    TLeadCtrl* KV_UT_HLS_L = nullptr;
    TLeadCtrl* KV_UT_HLS_S = nullptr;
    TLeadCtrl* KV_UT_HLS_V = nullptr;
    QCheckBox* KV_UT_HLS_Planes_HLS = nullptr;
};

} // namespace vask
