#pragma once

#include <QWidget>

class QCheckBox;
class QToolButton;

namespace vask {

class IniFile;
class TLeadCtrl;

// Separations page "CMYK - CMY": a combined picture and its cyan, magenta, yellow and black
// planes (the black plane stays empty in CMY). Key Separations/CMYK.
class CmykPlanesPage : public QWidget {
    Q_OBJECT
public:
    explicit CmykPlanesPage(QWidget* parent);

    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_CMYK_Planes_EnableDrag = nullptr;
    QToolButton* KV_UT_CYMK_Planes_ReCalc = nullptr;
    TLeadCtrl* KV_UT_CMYK_Base = nullptr;
    TLeadCtrl* KV_UT_CMYK_Cyan = nullptr;
    TLeadCtrl* KV_UT_CMYK_Magenta = nullptr;
    TLeadCtrl* KV_UT_CMYK_Yellow = nullptr;
    TLeadCtrl* KV_UT_CMYK_K = nullptr;
    QCheckBox* KV_UT_CYMK_Planes_CMYK = nullptr;
};

} // namespace vask
