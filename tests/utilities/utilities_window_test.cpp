#include "utilities/utilities_window.h"

#include "controls/dialog_service.h"
#include "settings/ini_file.h"
#include "settings/program_paths.h"
#include "settings/settings_location.h"
#include "sheet_checks.h"
#include "utilities/about_page.h"
#include "utilities/annotation_page.h"
#include "utilities/cmyk_planes_page.h"
#include "utilities/depth_page.h"
#include "utilities/drag_drop_options_page.h"
#include "utilities/enhance_page.h"
#include "utilities/hls_planes_page.h"
#include "utilities/resample_page.h"
#include "utilities/rgb_planes_page.h"

#include <QAction>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include <csignal>
#include <sys/resource.h>

using namespace vask;
using namespace vask::sheet_checks;

namespace {

QString settingsPath()
{
    return QString::fromStdString(settingsFilePath());
}

// The five options that Drag as Floating Image checks and locks.
std::vector<QCheckBox*> lockedByFloatingImage(const DragDropOptionsPage& options)
{
    return {options.KV_UT_DragDrop_AutoEqualise, options.KV_UT_DragDrop_Resize,
            options.KV_UT_DragDrop_DstSelection, options.KV_UT_DragDrop_SrcSelection,
            options.KV_UT_DragDrop_PSelf};
}

QRect primaryScreenArea()
{
    return QGuiApplication::primaryScreen()->geometry();
}

// Brings the page to the front, through its sheet for an inner page; only the front page of a
// page control is laid out to the control's size.
void showPage(TKV_UTilities& window, QWidget* page)
{
    for (QTabWidget* pages : window.findChildren<QTabWidget*>()) {
        if (pages->indexOf(page) >= 0) {
            pages->setCurrentWidget(page);
            if (pages != window.KV_UT_Options)
                window.KV_UT_Options->setCurrentWidget(pages->parentWidget());
        }
    }
}

QStringList tabCaptions(const QTabWidget* pages)
{
    QStringList captions;
    for (int index = 0; index < pages->count(); ++index)
        captions << pages->tabText(index);
    return captions;
}

QStringList sheetNames(const QTabWidget* pages)
{
    QStringList names;
    for (int index = 0; index < pages->count(); ++index)
        names << pages->widget(index)->objectName();
    return names;
}

// Every key of the window with the value a window built without settings writes back.
std::vector<std::pair<QString, QString>> defaultEntries()
{
    const QRect screen = primaryScreenArea();
    return {
        {"Layout/UtilityTop", QString::number(screen.height() / 2 - 120)},
        {"Layout/UtilityLeft", QString::number(screen.width() / 2 - 282)},
        {"DragDrop/DstSelection", "1"},
        // Drag as Floating Image is on, which checks the five options it locks.
        {"DragDrop/SrcSelection", "1"},
        {"DragDrop/PreventSelf", "1"},
        {"DragDrop/Automatic", "1"},
        {"DragDrop/24Raise", "1"},
        {"DragDrop/EquateDepths", "1"},
        {"DragDrop/PaletteRemap", "1"},
        {"DragDrop/AutoResize", "1"},
        {"DragDrop/CorrectAspect", "0"},
        {"DragDrop/DragAsImage", "1"},
        {"DragDrop/wSource", "1"},
        {"DragDrop/wDestination", "0"},
        {"Scanner/ADF", GetProgramPath()},
        {"Filters/FastFilter", "1"},
        {"Filters/FIndex", "1"},
        {"Filters/FPath", GetFiltersPath()},
        {"Palettes/PPath", GetPalettesPath()},
        {"Palettes/Dither", "0"},
        {"Palettes/To8", "1"},
        {"Mask/VEnd", "0"},
        {"Mask/VStart", "100"},
        {"Mask/HStart", "100"},
        {"Mask/HEnd", "100"},
        {"Mask/MWidth", "100"},
        {"Mask/MHeight", "100"},
        {"Mask/Auto", "0"},
        {"Mask/Opaque", "1"},
        {"Mask/Part", "0"},
        {"Mask/FastMask", "1"},
        {"Mask/DropBlend", "0"},
        {"Mask/Maintain", "1"},
        {"Mask/DropCalc", "1"},
        {"Mask/BRatio", "50"},
        {"Separations/Maintain", "1"},
        {"Separations/CCDrop", "1"},
        {"Separations/CMYK", "1"},
        {"Separations/HLS", "1"},
        {"Process/DDepth", "1"},
        {"Process/CDepth", "255"},
        {"Process/DOptimise", "1"},
        {"Process/DDither", "1"},
        {"Process/DBleed", "1"},
        {"Process/DFastPreview", "1"},
        {"Process/EManual", "1"},
        {"Process/RWidth", "100"},
        {"Process/RHeight", "100"},
        {"Process/RMAspect", "1"},
        {"Process/HQResample", "1"},
        {"Process/FntTrans", "1"},
        {"Process/FntASize", "1"},
        {"Process/FntBold", "0"},
        {"Process/FntItalic", "0"},
        {"Process/FntUnderline", "0"},
        {"Process/Arrows", "1"},
        {"Process/Double", "0"},
        {"Process/Default", "1"},
        {"Process/LineWidth", "2"},
        {"Process/Justify", "0"},
        {"Zoom/ZWidth", "75"},
        {"Zoom/ZHeight", "75"},
    };
}

class ScriptedDialogs {
public:
    ScriptedDialogs()
    {
        DialogService::instance().setResponder(answerAll(true));
        DialogService::instance().clearHistory();
    }
    ~ScriptedDialogs()
    {
        DialogService::instance().clearResponder();
        DialogService::instance().clearHistory();
    }
    QStringList messages() const { return DialogService::instance().messageTexts(); }
};

} // namespace

TEST(UtilitiesWindow, WithoutSettingsItOpensByTheScreenCentreOffsetsOnTheAboutPage)
{
    removeSettingsFile();
    TKV_UTilities window;
    const QRect screen = primaryScreenArea();
    EXPECT_EQ(window.pos(), QPoint(screen.width() / 2 - 282, screen.height() / 2 - 120));
    EXPECT_EQ(window.KV_UT_Options->currentWidget(), window.aboutPage);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Image Utilities"));
}

TEST(UtilitiesWindow, IsAFixedSizeToolWindowThatStaysOnTop)
{
    removeSettingsFile();
    TKV_UTilities window;
    EXPECT_EQ(window.minimumSize(), QSize(565, 269));
    EXPECT_EQ(window.maximumSize(), QSize(565, 269));
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
    EXPECT_EQ(window.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(window.font().pixelSize(), 11);
    EXPECT_EQ(window.KV_UT_Options->geometry(), QRect(0, 0, 565, 269));
}

TEST(UtilitiesWindow, PageTreeShowsEveryTabCaptionInOrder)
{
    removeSettingsFile();
    TKV_UTilities window;
    EXPECT_EQ(tabCaptions(window.KV_UT_Options),
              QStringList({"About", "Process", "Separations", "Mask", "Filters", "Palette", "Histogram",
                           "Zoom ", "Icons", "Scanner", "Options"}));
    EXPECT_EQ(sheetNames(window.KV_UT_Options),
              QStringList({"KV_UT_About", "KV_UT_Options_Tune", "KV_UT_Options_Planes",
                           "KV_UT_Options_Masking", "KV_UT_Options_Filters", "KV_UT_Options_Palette",
                           "KV_UT_Options_Histogram", "KV_UT_Options_Zoom", "KV_UT_Options_Icons",
                           "KV_UT_Options_Twain", "KV_UT_Options_Options"}));

    struct InnerPages {
        const char* pageControl;
        QStringList captions;
        QStringList sheets;
    };
    const std::vector<InnerPages> inner = {
        {"KV_UT_Process",
         {"Depth", "Enhance", "Resample", "Annotation"},
         {"KV_UT_Depth_Conversion", "KV_UT_Enhance", "KV_UT_Resample", "KV_UT_Annotation"}},
        {"KV_UT_Planes_Page",
         {"RGB", "CMYK - CMY", "HLS - HSV"},
         {"KV_UT_Planes_Page_RGB", "KV_UT_Planes_Page_CMYK", "KV_UT_Planes_Page_HLS"}},
        {"KV_UT_Mask_MaskPage",
         {"Mask Images", "Gradient Blends and Effects"},
         {"KV_UT_Mask_BaseImage", "KV_UT_Mask_MaskDesign"}},
        {"KV_UT_Filters_FilterPage",
         {"3*3 Matrix", "5*5 Matrix", "Effect Browser"},
         {"KV_UT_Filters_Matrix3", "KV_UT_Filters_Matrix5", "KV_UT_Filters_Browser"}},
    };
    for (const InnerPages& pages : inner) {
        SCOPED_TRACE(pages.pageControl);
        auto* control = window.findChild<QTabWidget*>(QString::fromLatin1(pages.pageControl));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(tabCaptions(control), pages.captions);
        EXPECT_EQ(sheetNames(control), pages.sheets);
    }
    EXPECT_EQ(window.KV_UT_Process->parentWidget(), window.KV_UT_Options_Tune)
        << "the inner page control sits in its top sheet";
}

TEST(UtilitiesWindow, EveryTabIsTwentyFivePixelsHighAndTheTabsFitTheWidth)
{
    removeSettingsFile();
    TKV_UTilities window;
    window.show();
    const std::vector<std::pair<QTabWidget*, QWidget*>> pageControls = {
        {window.KV_UT_Options, nullptr},
        {window.KV_UT_Process, window.KV_UT_Options_Tune},
        {window.KV_UT_Planes_Page, window.KV_UT_Options_Planes},
        {window.KV_UT_Mask_MaskPage, window.KV_UT_Options_Masking}};
    for (const auto& [pages, sheet] : pageControls) {
        SCOPED_TRACE(pages->objectName().toStdString());
        if (sheet != nullptr)
            window.KV_UT_Options->setCurrentWidget(sheet);
        const QTabBar* bar = pages->tabBar();
        for (int index = 0; index < bar->count(); ++index)
            EXPECT_EQ(bar->tabRect(index).height(), 25) << bar->tabText(index).toStdString();
        EXPECT_LE(bar->tabRect(bar->count() - 1).right(), pages->width() - 1) << "the last tab is cut off";
    }
    window.hide();
}

TEST(UtilitiesWindow, BackgroundIsSilverAndTheTitleIsPainted)
{
    removeSettingsFile();
    TKV_UTilities window;
    window.show();
    const QImage shot = window.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(565, 269) * shot.devicePixelRatio());
    // Between the subtitle and the bottom of the About page nothing is drawn.
    const QPoint empty = window.aboutPage->mapTo(&window, QPoint(window.aboutPage->width() / 2, 200));
    EXPECT_EQ(shot.pixelColor(empty), QColor(0xC0, 0xC0, 0xC0));

    const QRect title(window.aboutPage->titleLabel->mapTo(&window, QPoint(0, 0)),
                      window.aboutPage->titleLabel->size());
    int darkPixels = 0;
    for (int y = title.top(); y <= title.bottom(); ++y) {
        for (int x = title.left(); x <= title.right(); ++x)
            darkPixels += shot.pixelColor(x, y).lightness() < 100 ? 1 : 0;
    }
    EXPECT_GT(darkPixels, 200) << "the title's letters show";
    window.hide();
}

TEST(UtilitiesWindow, EveryControlOfTheProcessSeparationAndOptionPagesIsVisibleAndClearOfTheOthers)
{
    removeSettingsFile();
    TKV_UTilities window;
    window.show();
    const std::vector<QWidget*> pages = {
        window.aboutPage,      window.depthPage,      window.enhancePage,
        window.resamplePage,   window.annotationPage, window.rgbPlanesPage,
        window.cmykPlanesPage, window.hlsPlanesPage,  window.dragDropOptionsPage};
    for (QWidget* page : pages) {
        SCOPED_TRACE(page->objectName().toStdString());
        showPage(window, page);
        const QRect onWindow(page->mapTo(&window, QPoint(0, 0)), page->size());
        EXPECT_TRUE(QRect(0, 0, 565, 269).contains(onWindow));
        expectTidyLayout(*page);
    }
    window.hide();
}

TEST(UtilitiesWindow, CompanionsCarryTheirTitlesFiltersAndMenuItems)
{
    removeSettingsFile();
    TKV_UTilities window;
    EXPECT_EQ(window.KV_UT_SaveDialog.title, QStringLiteral("Utilities Disk Control [Save]"));
    EXPECT_EQ(window.KV_UT_SaveDialog.qtFilter(),
              QStringLiteral("Icon File - *.ICO (*.ICO);;Bitmap File - *.BMP (*.BMP);;3 * 3 Matrix (*.MA3);;"
                             "5 * 5 Matrix (*.MA5);;Palette Files (*.PAL)"));
    EXPECT_EQ(window.KV_UT_LoadDialog.title, QStringLiteral("Utilities Disk Control [Load]"));
    EXPECT_EQ(window.KV_UT_LoadDialog.qtFilter(),
              QStringLiteral("*.MA3 [3 * 3] (*.MA3);;*.MA5 [5 * 5] (*.MA5);;Palette Files (*.PAL)"));
    EXPECT_EQ(window.KV_UT_LoadDialog.initialDir, GetPalettesPath());

    window.KV_UT_LoadDialog.filterIndex = 3;
    const DialogRequest request = window.KV_UT_LoadDialog.request(DialogRequest::OpenFile);
    EXPECT_EQ(request.text, QStringLiteral("Utilities Disk Control [Load]"));
    EXPECT_EQ(request.filterIndex, 3);
    EXPECT_EQ(request.initialPath, GetPalettesPath());

    EXPECT_EQ(window.KV_UT_Annotation_Text_Font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(window.KV_UT_Annotation_Text_Font.pixelSize(), 16);
    EXPECT_EQ(window.KV_UT_Annotation_Text_FontColor, QColor(Qt::black));

    const auto captions = [](const QMenu* menu) {
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->objectName() + QLatin1Char('=') + action->text();
        return texts;
    };
    EXPECT_EQ(captions(window.KV_Icons_PopupMenu),
              QStringList({"KV_UT_ICO_MNU_SaveIco=Save Graphic in Icon format [*.ICO]",
                           "KV_UT_ICO_MNU_SaveBmp=Save Graphic in Bitmap format [*.BMP]"}));
    EXPECT_EQ(captions(window.KV_UT_DragPopup),
              QStringList({"KV_UT_Dragpopup_ToDrag=Drag this Image [ Enable Drag  Mode ]"}));
}

TEST(UtilitiesWindow, CloseWritesEveryKeyOfItsSectionsInReadingOrder)
{
    removeSettingsFile();
    {
        TKV_UTilities window;
        window.show();
        window.close();
        EXPECT_TRUE(window.isHidden()) << "the close box hides the window";
    }
    QStringList sections;
    const auto entries = settingsEntries(settingsPath(), &sections);
    for (const auto& [key, value] : defaultEntries()) {
        SCOPED_TRACE(key.toStdString());
        ASSERT_EQ(entries.count(key), 1u) << "key missing or spelled otherwise";
        EXPECT_EQ(entries.at(key), value);
    }
    EXPECT_EQ(entries.size(), defaultEntries().size()) << "no other keys";
    EXPECT_EQ(sections, QStringList({"Layout", "DragDrop", "Scanner", "Filters", "Palettes", "Mask",
                                     "Separations", "Process", "Zoom"}));
}

TEST(UtilitiesWindow, ChangedControlsAreReadBackByTheNextWindow)
{
    removeSettingsFile();
    {
        TKV_UTilities window;
        window.move(33, 44);
        DragDropOptionsPage* options = window.dragDropOptionsPage;
        options->KV_UT_DragDrop_DragSelectionasImage->click();
        options->KV_UT_DragDrop_SrcSelection->click();
        options->KV_UT_DragDrop_Raise24->click();
        options->KV_UT_DragDrop_FAspect->click();
        window.depthPage->KV_UT_Depth_Conversion_Depth->setItemIndex(3);
        window.depthPage->KV_UT_Depth_Conversion_CustomDepth->setValue(100);
        window.enhancePage->KV_UT_Enhance_RealTime->setChecked(false);
        window.resamplePage->KV_UT_Resample_Width->setValue(1234);
        window.annotationPage->KV_UT_Annotation_Italic->setChecked(true);
        window.annotationPage->KV_UT_Annotation_LineWidth->setValue(7);
        window.hlsPlanesPage->KV_UT_HLS_Planes_HLS->setChecked(false);
        window.rgbPlanesPage->KV_UT_Planes_CombineOnDrop->setChecked(false);
        window.close();
    }
    TKV_UTilities reopened;
    EXPECT_EQ(reopened.pos(), QPoint(33, 44));
    DragDropOptionsPage* options = reopened.dragDropOptionsPage;
    EXPECT_FALSE(options->KV_UT_DragDrop_DragSelectionasImage->isChecked());
    EXPECT_FALSE(options->KV_UT_DragDrop_SrcSelection->isChecked());
    EXPECT_TRUE(options->KV_UT_DragDrop_SrcSelection->isEnabled());
    EXPECT_FALSE(options->KV_UT_DragDrop_Raise24->isChecked());
    EXPECT_TRUE(options->KV_UT_DragDrop_EBitDepths->isEnabled()) << "the interlocks run after reading";
    EXPECT_TRUE(options->KV_UT_DragDrop_FAspect->isChecked());
    EXPECT_FALSE(options->KV_UT_DragDrop_AsImagewithSource->isEnabled());
    EXPECT_EQ(reopened.depthPage->KV_UT_Depth_Conversion_Depth->itemIndex(), 3);
    EXPECT_EQ(reopened.depthPage->KV_UT_Depth_Conversion_CustomDepth->value(), 100);
    EXPECT_FALSE(reopened.enhancePage->KV_UT_Enhance_RealTime->isChecked());
    EXPECT_EQ(reopened.resamplePage->KV_UT_Resample_Width->value(), 1234);
    EXPECT_TRUE(reopened.annotationPage->KV_UT_Annotation_Italic->isChecked());
    EXPECT_EQ(reopened.annotationPage->KV_UT_Annotation_LineWidth->value(), 7);
    EXPECT_FALSE(reopened.hlsPlanesPage->KV_UT_HLS_Planes_HLS->isChecked());
    EXPECT_FALSE(reopened.rgbPlanesPage->KV_UT_Planes_CombineOnDrop->isChecked());
    EXPECT_TRUE(reopened.cmykPlanesPage->KV_UT_CYMK_Planes_CMYK->isChecked());
}

TEST(UtilitiesWindow, PalettePathIsTheFolderOfTheLastLoadedFile)
{
    removeSettingsFile();
    {
        TKV_UTilities window;
        window.KV_UT_LoadDialog.fileName = QStringLiteral("/data/palettes/Sunset.PAL");
        window.close();
    }
    EXPECT_EQ(settingsEntries(settingsPath()).at("Palettes/PPath"), QStringLiteral("/data/palettes/"));
    TKV_UTilities reopened;
    EXPECT_EQ(reopened.KV_UT_LoadDialog.initialDir, QStringLiteral("/data/palettes/"));
    reopened.close();
    EXPECT_EQ(settingsEntries(settingsPath()).at("Palettes/PPath"), QStringLiteral("/data/palettes/"))
        << "without a chosen file the initial folder is kept";
}

TEST(UtilitiesWindow, ARefusedWriteShowsTheFileMessageAndWritesNoFurtherKeys)
{
    removeSettingsFile();
    ScriptedDialogs dialogs;
    TKV_UTilities window;

    // Files may grow to 120 bytes: the Layout keys fit, the DragDrop section does not.
    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    rlimit limited = original;
    limited.rlim_cur = 120;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    window.close();
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(dialogs.messages(), QStringList({QStringLiteral("Unable to write to ") + settingsPath()}));
    const auto entries = settingsEntries(settingsPath());
    EXPECT_EQ(entries.count("Layout/UtilityTop"), 1u);
    EXPECT_EQ(entries.count("Layout/UtilityLeft"), 1u);
    EXPECT_EQ(entries.count("DragDrop/wDestination"), 0u);
    EXPECT_EQ(entries.count("Zoom/ZHeight"), 0u) << "writing stopped at the refusal";
}

TEST(UtilitiesWindow, Raise24LocksTheDepthOptionsWhenClicked)
{
    removeSettingsFile();
    TKV_UTilities window;
    DragDropOptionsPage* options = window.dragDropOptionsPage;
    ASSERT_TRUE(options->KV_UT_DragDrop_Raise24->isChecked());
    EXPECT_FALSE(options->KV_UT_DragDrop_EBitDepths->isEnabled());
    EXPECT_FALSE(options->KV_UT_DragDrop_Remap->isEnabled());

    options->KV_UT_DragDrop_Raise24->click();
    EXPECT_TRUE(options->KV_UT_DragDrop_EBitDepths->isEnabled());
    EXPECT_TRUE(options->KV_UT_DragDrop_Remap->isEnabled());

    options->KV_UT_DragDrop_Raise24->click();
    EXPECT_FALSE(options->KV_UT_DragDrop_EBitDepths->isEnabled());
    EXPECT_FALSE(options->KV_UT_DragDrop_Remap->isEnabled());
}

TEST(UtilitiesWindow, PaletteMapKeepsEqualiseDepthsChecked)
{
    removeSettingsFile();
    TKV_UTilities window;
    DragDropOptionsPage* options = window.dragDropOptionsPage;
    options->KV_UT_DragDrop_Raise24->click();
    ASSERT_TRUE(options->KV_UT_DragDrop_Remap->isChecked());

    options->KV_UT_DragDrop_EBitDepths->click();
    EXPECT_TRUE(options->KV_UT_DragDrop_EBitDepths->isChecked()) << "palette mapping needs equal depths";

    options->KV_UT_DragDrop_Remap->click();
    options->KV_UT_DragDrop_EBitDepths->click();
    EXPECT_FALSE(options->KV_UT_DragDrop_EBitDepths->isChecked());
}

TEST(UtilitiesWindow, DragAsFloatingImageLocksTheFiveAndFreesTheSizeChoices)
{
    removeSettingsFile();
    TKV_UTilities window;
    DragDropOptionsPage* options = window.dragDropOptionsPage;
    const std::vector<QCheckBox*> five = lockedByFloatingImage(*options);

    options->KV_UT_DragDrop_DragSelectionasImage->click();
    for (QCheckBox* box : five)
        EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
    EXPECT_FALSE(options->KV_UT_DragDrop_AsImagewithSource->isEnabled());
    EXPECT_FALSE(options->KV_UT_DragDrop_AsImagewithDestination->isEnabled());

    options->KV_UT_DragDrop_SrcSelection->click();
    options->KV_UT_DragDrop_PSelf->click();
    ASSERT_FALSE(options->KV_UT_DragDrop_PSelf->isChecked());
    options->KV_UT_DragDrop_DragSelectionasImage->click();
    for (QCheckBox* box : five) {
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    }
    EXPECT_TRUE(options->KV_UT_DragDrop_AsImagewithSource->isEnabled());
    EXPECT_TRUE(options->KV_UT_DragDrop_AsImagewithDestination->isEnabled());
}

// A click on any of the twelve options re-runs the interlocks: left inconsistent beforehand,
// the five options locked by the floating image end up checked and disabled.
TEST(UtilitiesWindow, EveryOptionControlReappliesTheInterlocksWhenClicked)
{
    removeSettingsFile();
    TKV_UTilities window;
    DragDropOptionsPage* options = window.dragDropOptionsPage;
    const std::vector<QCheckBox*> five = lockedByFloatingImage(*options);
    for (QAbstractButton* control : options->optionControls()) {
        SCOPED_TRACE(control->objectName().toStdString());
        for (QAbstractButton* option : options->optionControls())
            option->setEnabled(true);
        for (QCheckBox* box : five)
            box->setChecked(false);
        options->KV_UT_DragDrop_DragSelectionasImage->setChecked(
            control != options->KV_UT_DragDrop_DragSelectionasImage);

        control->click();

        for (QCheckBox* box : five) {
            EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
            EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
        }
    }
}
