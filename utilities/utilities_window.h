#pragma once

#include "controls/dialog_service.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QWidget>

class QAction;
class QMenu;
class QTabWidget;

namespace vask {

class AboutPage;
class AnnotationPage;
class CmykPlanesPage;
class DepthPage;
class DragDropOptionsPage;
class EnhancePage;
class FiltersPage;
class GradientBlendsPage;
class HistogramPage;
class HlsPlanesPage;
class IconsPage;
class MaskImagesPage;
class PalettePage;
class ResamplePage;
class RgbPlanesPage;
class ScannerPage;
class ZoomPage;

// What the window's open and save dialogs remember between uses. Filters are kept in the
// "description|mask|description|mask" form the pages index (1-based) and turned into Qt's
// name filters when a dialog is asked for.
struct UtilityFileDialog {
    QString title;
    QString filter;
    int filterIndex = 1;
    QString initialDir;
    // The last file chosen; empty until a dialog is confirmed.
    QString fileName;

    // "Icon File - *.ICO|*.ICO|..." as "Icon File - *.ICO (*.ICO);;...".
    QString qtFilter() const;
    DialogRequest request(DialogRequest::Kind kind) const;
    // The folder of fileName with its trailing "/", or initialDir when no file was chosen.
    QString lastFolder() const;
};

// The program's single tool window "Image Utilities": a tabbed, always-on-top dialog with the
// image-processing workbenches and the drop options. Built once at start-up; the close box only
// hides it. Creation reads every page's settings, closing writes them back in the same order.
class TKV_UTilities : public QWidget {
    Q_OBJECT
public:
    // Owned by parent, or by the registered main window when parent is null; a window of its
    // own when neither exists.
    explicit TKV_UTilities(QWidget* parent = nullptr);
    ~TKV_UTilities() override;

    void FormCreate();
    void FormClose();
    // Re-applies the drop option interlocks after any option was clicked.
    void SyncAllDragButtons();
    // The page command buttons, by tag. So far: 15 dynamic zoom, 30 annotation font,
    // 31 annotation background colour, 32 line and arrow drawing.
    void AllUtilitySpeedButtons(QObject* sender);

    QTabWidget* KV_UT_Options = nullptr;
    AboutPage* aboutPage = nullptr;
    QWidget* KV_UT_Options_Tune = nullptr;
    QTabWidget* KV_UT_Process = nullptr;
    DepthPage* depthPage = nullptr;
    EnhancePage* enhancePage = nullptr;
    ResamplePage* resamplePage = nullptr;
    AnnotationPage* annotationPage = nullptr;
    QWidget* KV_UT_Options_Planes = nullptr;
    QTabWidget* KV_UT_Planes_Page = nullptr;
    RgbPlanesPage* rgbPlanesPage = nullptr;
    CmykPlanesPage* cmykPlanesPage = nullptr;
    HlsPlanesPage* hlsPlanesPage = nullptr;
    QWidget* KV_UT_Options_Masking = nullptr;
    QTabWidget* KV_UT_Mask_MaskPage = nullptr;
    MaskImagesPage* maskImagesPage = nullptr;
    GradientBlendsPage* gradientBlendsPage = nullptr;
    FiltersPage* filtersPage = nullptr;
    PalettePage* palettePage = nullptr;
    HistogramPage* histogramPage = nullptr;
    ZoomPage* zoomPage = nullptr;
    IconsPage* iconsPage = nullptr;
    ScannerPage* scannerPage = nullptr;
    DragDropOptionsPage* dragDropOptionsPage = nullptr;

    // Non-visual companions; the dialogs themselves are shown through DialogService.
    UtilityFileDialog KV_UT_SaveDialog;
    UtilityFileDialog KV_UT_LoadDialog;
    QColor KV_UT_ColorPicker = Qt::black;
    QFont KV_UT_Annotation_Text_Font;
    QColor KV_UT_Annotation_Text_FontColor = Qt::black;
    QMenu* KV_Icons_PopupMenu = nullptr;
    QAction* KV_UT_ICO_MNU_SaveIco = nullptr;
    QAction* KV_UT_ICO_MNU_SaveBmp = nullptr;
    QMenu* KV_UT_DragPopup = nullptr;
    QAction* KV_UT_Dragpopup_ToDrag = nullptr;

    // Pages saved by the current document-feeder run (the first file is number 1).
    int adfPageCounter = 0;
    // Where the mouse went down on the histogram's floating panel, in panel pixels.
    QPoint histogramPressPoint;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectSpeedButtons();
    void buildPages();
    void buildCompanions();
};

} // namespace vask
