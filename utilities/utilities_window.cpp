#include "utilities/utilities_window.h"

#include "controls/classic_look.h"

#include "dragdrop/option_interlocks.h"
#include "settings/ini_file.h"
#include "settings/program_paths.h"
#include "settings/settings_location.h"
#include "shell/fault_report.h"
#include "shell/master_form.h"
#include "shell/program_windows.h"
#include "utilities/about_page.h"
#include "utilities/annotation_page.h"
#include "utilities/cmyk_planes_page.h"
#include "utilities/depth_page.h"
#include "utilities/drag_drop_options_page.h"
#include "utilities/enhance_page.h"
#include "utilities/filters_page.h"
#include "utilities/gradient_blends_page.h"
#include "utilities/histogram_page.h"
#include "utilities/hls_planes_page.h"
#include "utilities/icons_page.h"
#include "utilities/mask_images_page.h"
#include "utilities/palette_page.h"
#include "utilities/resample_page.h"
#include "utilities/rgb_planes_page.h"
#include "utilities/scanner_page.h"
#include "utilities/zoom_page.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vask {

namespace {

constexpr const char* kUnit = "UUtilities32v1";
constexpr int kSyncAllDragButtonsCode = 697;
constexpr int kClientWidth = 565;
constexpr int kClientHeight = 269;
constexpr int kTabHeight = 25;
// Horizontal room around a tab caption, as the classic tab control leaves it.
constexpr int kTabPadding = 12;

const std::string kLayout = "Layout";
const std::string kPalettes = "Palettes";

// Tabs as high as the window's page controls draw them and only as wide as their captions
// need, so the eleven top tabs fit the 565 pixel width in one row. The style draws the tab
// shapes; the captions are drawn centred here because the style's own label keeps a margin
// wider than these tabs leave.
class PageTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        return {fontMetrics().horizontalAdvance(tabText(index)) + kTabPadding, kTabHeight};
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        const int current = currentIndex();
        // The current tab is drawn last: its shape overlaps its neighbours.
        for (int pass = 0; pass < 2; ++pass) {
            for (int index = 0; index < count(); ++index) {
                if ((index == current) != (pass == 1))
                    continue;
                QStyleOptionTab tab;
                initStyleOption(&tab, index);
                painter.drawControl(QStyle::CE_TabBarTabShape, tab);
                const QRect textArea = tab.rect.adjusted(0, index == current ? 0 : 2, 0, 0);
                painter.drawItemText(textArea, Qt::AlignCenter, tab.palette, isTabEnabled(index), tab.text,
                                     QPalette::WindowText);
            }
        }
    }
};

QTabWidget* makePageControl(QWidget* parent, const QString& name)
{
    class PageControl : public QTabWidget {
    public:
        explicit PageControl(QWidget* parent) : QTabWidget(parent) { setTabBar(new PageTabBar(this)); }
    };
    auto* pages = new PageControl(parent);
    pages->setObjectName(name);
    pages->setUsesScrollButtons(false);
    pages->setElideMode(Qt::ElideNone);
    return pages;
}

// A top sheet that only carries an inner page control filling it.
QWidget* makeSheet(const QString& name, QTabWidget*& innerPages, const QString& innerName)
{
    auto* sheet = new QWidget;
    sheet->setObjectName(name);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    innerPages = makePageControl(sheet, innerName);
    layout->addWidget(innerPages);
    return sheet;
}

// A page made for pages and added to it under caption.
template <class Page> Page* addPage(QTabWidget* pages, const QString& caption)
{
    auto* page = new Page(pages);
    pages->addTab(page, caption);
    return page;
}

QWidget* mainWindowOrNull()
{
    return programWindows().KV_Masterform;
}

// The drop options that lock or free others, applied after the options changed.
void applyDropInterlocks(const DragDropOptionsPage& options)
{
    EnableDepthOptions(options.KV_UT_DragDrop_Raise24, options.KV_UT_DragDrop_EBitDepths,
                       options.KV_UT_DragDrop_Remap);
    SyncFloatingOptions(options.KV_UT_DragDrop_AutoEqualise, options.KV_UT_DragDrop_Resize,
                        options.KV_UT_DragDrop_DstSelection, options.KV_UT_DragDrop_SrcSelection,
                        options.KV_UT_DragDrop_PSelf, options.KV_UT_DragDrop_DragSelectionasImage,
                        options.KV_UT_DragDrop_FAspect, options.KV_UT_DragDrop_AsImagewithSource,
                        options.KV_UT_DragDrop_AsImagewithDestination);
}

} // namespace

QString UtilityFileDialog::qtFilter() const
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts.at(index).trimmed(), parts.at(index + 1).trimmed());
    return filters.join(QStringLiteral(";;"));
}

DialogRequest UtilityFileDialog::request(DialogRequest::Kind kind) const
{
    DialogRequest dialog;
    dialog.kind = kind;
    dialog.text = title;
    dialog.filter = qtFilter();
    dialog.filterIndex = filterIndex;
    dialog.initialPath = fileName.isEmpty() ? initialDir : fileName;
    return dialog;
}

QString UtilityFileDialog::lastFolder() const
{
    if (fileName.isEmpty())
        return initialDir;
    return fileName.left(fileName.lastIndexOf(QLatin1Char('/')) + 1);
}

TKV_UTilities::TKV_UTilities(QWidget* parent)
    : QWidget(parent != nullptr ? parent : mainWindowOrNull(),
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("KV_UTilities"));
    setWindowTitle(QStringLiteral("Image Utilities"));
    setFixedSize(kClientWidth, kClientHeight);

    applyClassicLook(this);

    buildPages();
    buildCompanions();
    connectSpeedButtons();
    FormCreate();
}

TKV_UTilities::~TKV_UTilities() = default;

void TKV_UTilities::buildPages()
{
    KV_UT_Options = makePageControl(this, QStringLiteral("KV_UT_Options"));
    KV_UT_Options->setGeometry(0, 0, kClientWidth, kClientHeight);

    aboutPage = addPage<AboutPage>(KV_UT_Options, QStringLiteral("About"));

    KV_UT_Options_Tune =
        makeSheet(QStringLiteral("KV_UT_Options_Tune"), KV_UT_Process, QStringLiteral("KV_UT_Process"));
    depthPage = addPage<DepthPage>(KV_UT_Process, QStringLiteral("Depth"));
    enhancePage = addPage<EnhancePage>(KV_UT_Process, QStringLiteral("Enhance"));
    resamplePage = addPage<ResamplePage>(KV_UT_Process, QStringLiteral("Resample"));
    annotationPage = addPage<AnnotationPage>(KV_UT_Process, QStringLiteral("Annotation"));
    KV_UT_Options->addTab(KV_UT_Options_Tune, QStringLiteral("Process"));

    KV_UT_Options_Planes = makeSheet(QStringLiteral("KV_UT_Options_Planes"), KV_UT_Planes_Page,
                                     QStringLiteral("KV_UT_Planes_Page"));
    rgbPlanesPage = addPage<RgbPlanesPage>(KV_UT_Planes_Page, QStringLiteral("RGB"));
    cmykPlanesPage = addPage<CmykPlanesPage>(KV_UT_Planes_Page, QStringLiteral("CMYK - CMY"));
    hlsPlanesPage = addPage<HlsPlanesPage>(KV_UT_Planes_Page, QStringLiteral("HLS - HSV"));
    KV_UT_Options->addTab(KV_UT_Options_Planes, QStringLiteral("Separations"));

    KV_UT_Options_Masking = makeSheet(QStringLiteral("KV_UT_Options_Masking"), KV_UT_Mask_MaskPage,
                                      QStringLiteral("KV_UT_Mask_MaskPage"));
    maskImagesPage = addPage<MaskImagesPage>(KV_UT_Mask_MaskPage, QStringLiteral("Mask Images"));
    gradientBlendsPage =
        addPage<GradientBlendsPage>(KV_UT_Mask_MaskPage, QStringLiteral("Gradient Blends and Effects"));
    KV_UT_Options->addTab(KV_UT_Options_Masking, QStringLiteral("Mask"));

    filtersPage = addPage<FiltersPage>(KV_UT_Options, QStringLiteral("Filters"));
    palettePage = addPage<PalettePage>(KV_UT_Options, QStringLiteral("Palette"));
    histogramPage = addPage<HistogramPage>(KV_UT_Options, QStringLiteral("Histogram"));
    zoomPage = addPage<ZoomPage>(KV_UT_Options, QStringLiteral("Zoom "));
    iconsPage = addPage<IconsPage>(KV_UT_Options, QStringLiteral("Icons"));
    scannerPage = addPage<ScannerPage>(KV_UT_Options, QStringLiteral("Scanner"));
    dragDropOptionsPage = addPage<DragDropOptionsPage>(KV_UT_Options, QStringLiteral("Options"));

    // The pages paint the window's silver themselves; the style would fill the tab pane with
    // its own lighter colour.
    for (QTabWidget* pages : findChildren<QTabWidget*>()) {
        for (int index = 0; index < pages->count(); ++index)
            pages->widget(index)->setAutoFillBackground(true);
    }

    KV_UT_Options->setCurrentWidget(aboutPage);

    for (QAbstractButton* option : dragDropOptionsPage->optionControls())
        connect(option, &QAbstractButton::clicked, this, &TKV_UTilities::SyncAllDragButtons);
}

void TKV_UTilities::buildCompanions()
{
    KV_UT_SaveDialog.title = QStringLiteral("Utilities Disk Control [Save]");
    KV_UT_SaveDialog.filter = QStringLiteral("Icon File - *.ICO|*.ICO|Bitmap File - *.BMP|*.BMP|3 * 3 "
                                             "Matrix|*.MA3|5 * 5 Matrix|*.MA5|Palette Files|*.PAL");
    KV_UT_LoadDialog.title = QStringLiteral("Utilities Disk Control [Load]");
    KV_UT_LoadDialog.filter = QStringLiteral("*.MA3 [3 * 3] |*.MA3|*.MA5 [5 * 5]|*.MA5|Palette Files|*.PAL");

    KV_UT_Annotation_Text_Font = QFont(QStringLiteral("Arial"));
    KV_UT_Annotation_Text_Font.setPixelSize(16);

    KV_Icons_PopupMenu = new QMenu(this);
    KV_Icons_PopupMenu->setObjectName(QStringLiteral("KV_Icons_PopupMenu"));
    KV_UT_ICO_MNU_SaveIco =
        KV_Icons_PopupMenu->addAction(QStringLiteral("Save Graphic in Icon format [*.ICO]"));
    KV_UT_ICO_MNU_SaveIco->setObjectName(QStringLiteral("KV_UT_ICO_MNU_SaveIco"));
    KV_UT_ICO_MNU_SaveBmp =
        KV_Icons_PopupMenu->addAction(QStringLiteral("Save Graphic in Bitmap format [*.BMP]"));
    KV_UT_ICO_MNU_SaveBmp->setObjectName(QStringLiteral("KV_UT_ICO_MNU_SaveBmp"));

    KV_UT_DragPopup = new QMenu(this);
    KV_UT_DragPopup->setObjectName(QStringLiteral("KV_UT_DragPopup"));
    KV_UT_Dragpopup_ToDrag =
        KV_UT_DragPopup->addAction(QStringLiteral("Drag this Image [ Enable Drag  Mode ]"));
    KV_UT_Dragpopup_ToDrag->setObjectName(QStringLiteral("KV_UT_Dragpopup_ToDrag"));
}

// Reads every key of the window in the settings file's order; each miss gives its default.
void TKV_UTilities::FormCreate()
{
    const IniFile ini(settingsFilePath());

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenArea = screen != nullptr ? screen->geometry() : QRect();
    const int top = ini.ReadInteger(kLayout, "UtilityTop", screenArea.height() / 2 - 120);
    const int left = ini.ReadInteger(kLayout, "UtilityLeft", screenArea.width() / 2 - 282);
    move(left, top);

    dragDropOptionsPage->readSettings(ini);
    applyDropInterlocks(*dragDropOptionsPage);

    scannerPage->readSettings(ini);
    filtersPage->readSettings(ini);
    KV_UT_LoadDialog.initialDir =
        QString::fromStdString(ini.ReadString(kPalettes, "PPath", GetPalettesPath().toStdString()));
    palettePage->readSettings(ini);
    gradientBlendsPage->readSettings(ini);
    maskImagesPage->readSettings(ini);
    rgbPlanesPage->readSettings(ini);
    cmykPlanesPage->readSettings(ini);
    hlsPlanesPage->readSettings(ini);
    depthPage->readSettings(ini);
    enhancePage->readSettings(ini);
    resamplePage->readSettings(ini);
    annotationPage->readSettings(ini);
    zoomPage->readSettings(ini);
}

// Writes every key back in the order FormCreate read them. A refused write ends the close's
// writing there, with the file's message shown.
void TKV_UTilities::FormClose()
{
    IniFile ini(settingsFilePath());
    try {
        ini.WriteInteger(kLayout, "UtilityTop", y());
        ini.WriteInteger(kLayout, "UtilityLeft", x());
        dragDropOptionsPage->writeSettings(ini);
        scannerPage->writeSettings(ini);
        filtersPage->writeSettings(ini);
        ini.WriteString(kPalettes, "PPath", KV_UT_LoadDialog.lastFolder().toStdString());
        palettePage->writeSettings(ini);
        gradientBlendsPage->writeSettings(ini);
        maskImagesPage->writeSettings(ini);
        rgbPlanesPage->writeSettings(ini);
        cmykPlanesPage->writeSettings(ini);
        hlsPlanesPage->writeSettings(ini);
        depthPage->writeSettings(ini);
        enhancePage->writeSettings(ini);
        resamplePage->writeSettings(ini);
        annotationPage->writeSettings(ini);
        zoomPage->writeSettings(ini);
    } catch (const IniWriteError& refused) {
        DialogService::instance().information(QString::fromUtf8(refused.what()));
    }
}

void TKV_UTilities::SyncAllDragButtons()
{
    guardedHandler(kUnit, kSyncAllDragButtonsCode, [this] { applyDropInterlocks(*dragDropOptionsPage); });
}

// The close box only hides the window; it stays for the main window's tools command.
void TKV_UTilities::closeEvent(QCloseEvent* event)
{
    FormClose();
    QWidget::closeEvent(event);
}

} // namespace vask
