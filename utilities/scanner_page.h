#pragma once

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QToolButton;

namespace vask {

class IniFile;
class RadioGroup;
class SpinEdit;
class TLeadCtrl;

// The "Scanner" sheet: the scanned picture, the scan buttons, the manual scan options (pixel
// type, bits per plane, scan area in millimetres, resolution) and the folder that document
// feeder pages are saved into.
class ScannerPage : public QWidget {
    Q_OBJECT
public:
    explicit ScannerPage(QWidget* parent = nullptr);

    // Section Scanner: ADF (default the program folder).
    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_Twain_EnableDrag = nullptr;
    QToolButton* KV_UT_Twain_ReScan = nullptr;
    QToolButton* KV_UT_Twain_MultiScan = nullptr;
    QToolButton* KV_UT_Twain_Manual = nullptr;
    TLeadCtrl* KV_UT_TwainImage = nullptr;
    QGroupBox* KV_UT_Twain_MScanGbox = nullptr;
    RadioGroup* KV_UT_Twain_PType = nullptr;
    RadioGroup* KV_UT_Twain_BPPlane = nullptr;
    SpinEdit* KV_UT_Twain_Top = nullptr;
    SpinEdit* KV_UT_Twain_Left = nullptr;
    SpinEdit* KV_UT_Twain_Width = nullptr;
    SpinEdit* KV_UT_Twain_Height = nullptr;
    SpinEdit* KV_UT_Twain_DPI = nullptr;
    QLineEdit* KV_UT_Twain_ADFPath = nullptr;
};

} // namespace vask
