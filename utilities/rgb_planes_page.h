#pragma once

#include <QWidget>

class QCheckBox;
class QToolButton;

namespace vask {

class IniFile;
class TLeadCtrl;

// Separations page "RGB": a combined picture and its red, green and blue planes. Keys
// Separations/Maintain (shared by every separation page) and Separations/CCDrop.
class RgbPlanesPage : public QWidget {
    Q_OBJECT
public:
    explicit RgbPlanesPage(QWidget* parent);

    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_RGB_Planes_EnableDrag = nullptr;
    QToolButton* KV_UT_RGB_Planes_ReCalc = nullptr;
    TLeadCtrl* KV_UT_RGB_Base = nullptr;
    TLeadCtrl* KV_UT_RGB_Red = nullptr;
    TLeadCtrl* KV_UT_RGB_Green = nullptr;
    TLeadCtrl* KV_UT_RGB_Blue = nullptr;
    QCheckBox* KV_UT_Planes_MAspect = nullptr;
    QCheckBox* KV_UT_Planes_CombineOnDrop = nullptr;
};

} // namespace vask
