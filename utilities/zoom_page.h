#pragma once

#include <QWidget>

class QGroupBox;
class QToolButton;

namespace vask {

class IniFile;
class SpinEdit;
class TPicbuf;

// The "Zoom " sheet: the options of the dynamic zoom mouse function (size of the area under
// the pointer that is magnified), the zoom picture and the two comparison pictures.
class ZoomPage : public QWidget {
    Q_OBJECT
public:
    explicit ZoomPage(QWidget* parent = nullptr);

    // Section Zoom: ZWidth, ZHeight.
    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QGroupBox* KV_UT_Zoom_OPTGroup = nullptr;
    TPicbuf* KV_UT_Zoom_ZoomImage = nullptr;
    TPicbuf* KV_UT_Zoom_ScratchA = nullptr;
    TPicbuf* KV_UT_Zoom_ScratchB = nullptr;
    QToolButton* KV_UT_Zoom_ActivateZoom = nullptr;
    QToolButton* KV_UT_Zoom_EnableDrag = nullptr;
    SpinEdit* KV_UT_Zoom_ZoomWidth = nullptr;
    SpinEdit* KV_UT_Zoom_ZoomHeight = nullptr;
};

} // namespace vask
