#include "utilities/utilities_window.h"

#include "controls/dialog_service.h"
#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "settings/program_paths.h"
#include "sheet_checks.h"
#include "utilities/about_page.h"
#include "utilities/annotation_page.h"
#include "utilities/depth_page.h"
#include "utilities/drag_drop_options_page.h"
#include "utilities/effect_browser_page.h"
#include "utilities/filters_page.h"
#include "utilities/gradient_blends_page.h"
#include "utilities/histogram_page.h"
#include "utilities/mask_images_page.h"
#include "utilities/matrix3_page.h"
#include "utilities/matrix5_page.h"
#include "utilities/resample_page.h"
#include "utilities/scanner_page.h"
#include "utilities/zoom_page.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace vask;
using namespace vask::sheet_checks;

namespace {

QRect primaryScreenArea()
{
    return QGuiApplication::primaryScreen()->geometry();
}

// Every key of the window with the value a window built without settings writes back.
std::vector<std::pair<QString, QString>> defaultEntries()
{
    const QRect screen = primaryScreenArea();
    // clang-format off
    return {
        {"Layout/UtilityTop", QString::number(screen.height() / 2 - 120)},
        {"Layout/UtilityLeft", QString::number(screen.width() / 2 - 282)},
        // Drag as Floating Image is on, which checks the five options it locks (SrcSelection too).
        {"DragDrop/DstSelection", "1"}, {"DragDrop/SrcSelection", "1"},
        {"DragDrop/PreventSelf", "1"}, {"DragDrop/Automatic", "1"}, {"DragDrop/24Raise", "1"}, {"DragDrop/EquateDepths", "1"},
        {"DragDrop/PaletteRemap", "1"}, {"DragDrop/AutoResize", "1"}, {"DragDrop/CorrectAspect", "0"}, {"DragDrop/DragAsImage", "1"},
        {"DragDrop/wSource", "1"}, {"DragDrop/wDestination", "0"}, {"Scanner/ADF", GetProgramPath()}, {"Filters/FastFilter", "1"},
        {"Filters/FIndex", "1"}, {"Filters/FPath", GetFiltersPath()}, {"Palettes/PPath", GetPalettesPath()}, {"Palettes/Dither", "0"},
        {"Palettes/To8", "1"}, {"Mask/VEnd", "0"}, {"Mask/VStart", "100"}, {"Mask/HStart", "100"},
        {"Mask/HEnd", "100"}, {"Mask/MWidth", "100"}, {"Mask/MHeight", "100"}, {"Mask/Auto", "0"},
        {"Mask/Opaque", "1"}, {"Mask/Part", "0"}, {"Mask/FastMask", "1"}, {"Mask/DropBlend", "0"},
        {"Mask/Maintain", "1"}, {"Mask/DropCalc", "1"}, {"Mask/BRatio", "50"}, {"Separations/Maintain", "1"},
        {"Separations/CCDrop", "1"}, {"Separations/CMYK", "1"}, {"Separations/HLS", "1"}, {"Process/DDepth", "1"},
        {"Process/CDepth", "255"}, {"Process/DOptimise", "1"}, {"Process/DDither", "1"}, {"Process/DBleed", "1"},
        {"Process/DFastPreview", "1"}, {"Process/EManual", "1"}, {"Process/RWidth", "100"}, {"Process/RHeight", "100"},
        {"Process/RMAspect", "1"}, {"Process/HQResample", "1"}, {"Process/FntTrans", "1"}, {"Process/FntASize", "1"},
        {"Process/FntBold", "0"}, {"Process/FntItalic", "0"}, {"Process/FntUnderline", "0"}, {"Process/Arrows", "1"},
        {"Process/Double", "0"}, {"Process/Default", "1"}, {"Process/LineWidth", "2"}, {"Process/Justify", "0"},
        {"Zoom/ZWidth", "75"}, {"Zoom/ZHeight", "75"},
    };
    // clang-format on
}

// What a control shows, as the settings file holds it: "1"/"0" for a check box or radio
// button, the number of a spin edit, the item index of a radio group or combo box, an edit's text.
QString storedForm(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (const auto* edit = qobject_cast<const QSpinBox*>(control))
        return QString::number(edit->value());
    if (const auto* group = qobject_cast<const RadioGroup*>(control))
        return QString::number(group->itemIndex());
    if (const auto* box = qobject_cast<const QComboBox*>(control))
        return QString::number(box->currentIndex());
    return qobject_cast<const QLineEdit*>(control)->text();
}

void setStoredForm(QWidget* control, const QString& value)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setChecked(value == QLatin1String("1"));
    else if (auto* edit = qobject_cast<QSpinBox*>(control))
        edit->setValue(value.toInt());
    else if (auto* group = qobject_cast<RadioGroup*>(control))
        group->setItemIndex(value.toInt());
    else if (auto* box = qobject_cast<QComboBox*>(control))
        box->setCurrentIndex(value.toInt());
    else
        qobject_cast<QLineEdit*>(control)->setText(value);
}

} // namespace

TEST(UtilitiesWindow, WithoutSettingsItOpensAsAFixedSizeToolWindowByTheScreenCentreOnTheAboutPage)
{
    removeSettingsFile();
    TKV_UTilities window;
    const QRect screen = primaryScreenArea();
    EXPECT_EQ(window.pos(), QPoint(screen.width() / 2 - 282, screen.height() / 2 - 120));
    EXPECT_EQ(window.KV_UT_Options->currentWidget(), window.aboutPage);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Image Utilities"));
    EXPECT_EQ(window.minimumSize(), QSize(565, 269));
    EXPECT_EQ(window.maximumSize(), QSize(565, 269));
    EXPECT_EQ(window.KV_UT_Options->geometry(), QRect(0, 0, 565, 269));
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
    EXPECT_EQ(window.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(window.font().pixelSize(), 11);
}

TEST(UtilitiesWindow, PageTreeShowsEveryTabCaptionInOrder)
{
    removeSettingsFile();
    TKV_UTilities window;
    struct Pages {
        const char* pageControl;
        const char* parent;
        QStringList captions;
        QStringList sheets;
    };
    // clang-format off
    const std::vector<Pages> tree = {
        {"KV_UT_Options", "KV_UTilities",
         {"About", "Process", "Separations", "Mask", "Filters", "Palette", "Histogram", "Zoom ", "Icons", "Scanner", "Options"},
         {"KV_UT_About", "KV_UT_Options_Tune", "KV_UT_Options_Planes", "KV_UT_Options_Masking", "KV_UT_Options_Filters",
          "KV_UT_Options_Palette", "KV_UT_Options_Histogram", "KV_UT_Options_Zoom", "KV_UT_Options_Icons",
          "KV_UT_Options_Twain", "KV_UT_Options_Options"}},
        {"KV_UT_Process", "KV_UT_Options_Tune", {"Depth", "Enhance", "Resample", "Annotation"},
         {"KV_UT_Depth_Conversion", "KV_UT_Enhance", "KV_UT_Resample", "KV_UT_Annotation"}},
        {"KV_UT_Planes_Page", "KV_UT_Options_Planes", {"RGB", "CMYK - CMY", "HLS - HSV"},
         {"KV_UT_Planes_Page_RGB", "KV_UT_Planes_Page_CMYK", "KV_UT_Planes_Page_HLS"}},
        {"KV_UT_Mask_MaskPage", "KV_UT_Options_Masking", {"Mask Images", "Gradient Blends and Effects"},
         {"KV_UT_Mask_BaseImage", "KV_UT_Mask_MaskDesign"}},
        {"KV_UT_Filters_FilterPage", "KV_UT_Options_Filters", {"3*3 Matrix", "5*5 Matrix", "Effect Browser"},
         {"KV_UT_Filters_Matrix3", "KV_UT_Filters_Matrix5", "KV_UT_Filters_Browser"}},
    };
    // clang-format on
    for (const Pages& pages : tree) {
        SCOPED_TRACE(pages.pageControl);
        auto* control = window.findChild<QTabWidget*>(QString::fromLatin1(pages.pageControl));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(pages.parent));
        QStringList captions;
        QStringList sheets;
        for (int index = 0; index < control->count(); ++index) {
            captions << control->tabText(index);
            sheets << control->widget(index)->objectName();
        }
        EXPECT_EQ(captions, pages.captions);
        EXPECT_EQ(sheets, pages.sheets);
    }
}

TEST(UtilitiesWindow, EveryTabIsTwentyFivePixelsHighAndTheTabsFitTheWidth)
{
    removeSettingsFile();
    TKV_UTilities window;
    window.show();
    for (QTabWidget* pages :
         {window.KV_UT_Options, window.KV_UT_Process, window.KV_UT_Planes_Page, window.KV_UT_Mask_MaskPage}) {
        SCOPED_TRACE(pages->objectName().toStdString());
        showSheet(window, pages->widget(0));
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
    EXPECT_LT(title.bottom(), window.aboutPage->subtitleLabel->mapTo(&window, QPoint(0, 0)).y());
    int darkPixels = 0;
    for (int y = title.top(); y <= title.bottom(); ++y) {
        for (int x = title.left(); x <= title.right(); ++x)
            darkPixels += shot.pixelColor(x, y).lightness() < 100 ? 1 : 0;
    }
    EXPECT_GT(darkPixels, 200) << "the title's letters show";
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

// Every key set away from its default: the file holds the new values and the next window shows
// them again.
TEST(UtilitiesWindow, EveryChangedControlIsWrittenAtCloseAndReadBackByTheNextWindow)
{
    struct Setting {
        const char* key;
        const char* control;
        const char* value;
    };
    // clang-format off
    const std::vector<Setting> settings = {
        {"DragDrop/DstSelection", "KV_UT_DragDrop_DstSelection", "0"}, {"DragDrop/SrcSelection", "KV_UT_DragDrop_SrcSelection", "0"},
        {"DragDrop/PreventSelf", "KV_UT_DragDrop_PSelf", "0"}, {"DragDrop/Automatic", "KV_UT_DragDrop_AutoEqualise", "0"},
        {"DragDrop/24Raise", "KV_UT_DragDrop_Raise24", "0"}, {"DragDrop/EquateDepths", "KV_UT_DragDrop_EBitDepths", "0"},
        {"DragDrop/PaletteRemap", "KV_UT_DragDrop_Remap", "0"}, {"DragDrop/AutoResize", "KV_UT_DragDrop_Resize", "0"},
        {"DragDrop/CorrectAspect", "KV_UT_DragDrop_FAspect", "1"}, {"DragDrop/DragAsImage", "KV_UT_DragDrop_DragSelectionasImage", "0"},
        {"DragDrop/wSource", "KV_UT_DragDrop_AsImagewithSource", "0"}, {"DragDrop/wDestination", "KV_UT_DragDrop_AsImagewithDestination", "1"},
        {"Scanner/ADF", "KV_UT_Twain_ADFPath", "/srv/scans/"},
        {"Filters/FastFilter", "KV_UT_Filters_FullPreview", "0"}, {"Filters/FIndex", "KV_UT_Filters_Filters", "0"},
        {"Palettes/Dither", "KV_UT_Palette_DR", "1"}, {"Palettes/To8", "KV_UT_Palette_To8", "0"},
        {"Mask/VEnd", "KV_UT_Mask_Special_VEnd", "12"}, {"Mask/VStart", "KV_UT_Mask_Special_VStart", "150"},
        {"Mask/HStart", "KV_UT_Mask_Special_HStart", "3"}, {"Mask/HEnd", "KV_UT_Mask_Special_HEnd", "200"},
        {"Mask/MWidth", "KV_UT_Mask_Special_Width", "640"}, {"Mask/MHeight", "KV_UT_Mask_Special_Height", "480"},
        {"Mask/Auto", "KV_UT_Mask_Special_AutoSize", "1"}, {"Mask/Opaque", "KV_UT_Mask_Special_BaseOpaque", "0"},
        {"Mask/Part", "KV_UT_Mask_Special_CutOff", "1"}, {"Mask/FastMask", "KV_UT_Mask_Base_FullPreview", "0"},
        {"Mask/DropBlend", "KV_UT_Mask_Base_BlendOnDrop", "1"}, {"Mask/Maintain", "KV_UT_Mask_Base_Maintain", "0"},
        {"Mask/DropCalc", "KV_UT_Mask_Base_OnDrop", "0"}, {"Mask/BRatio", "KV_UT_Mask_BlendRatio", "77"},
        {"Separations/Maintain", "KV_UT_Planes_MAspect", "0"}, {"Separations/CCDrop", "KV_UT_Planes_CombineOnDrop", "0"},
        {"Separations/CMYK", "KV_UT_CYMK_Planes_CMYK", "0"}, {"Separations/HLS", "KV_UT_HLS_Planes_HLS", "0"},
        {"Process/DDepth", "KV_UT_Depth_Conversion_Depth", "4"}, {"Process/CDepth", "KV_UT_Depth_Conversion_CustomDepth", "17"},
        {"Process/DOptimise", "KV_UT_Depth_Conversion_Optimise", "0"}, {"Process/DDither", "KV_UT_Depth_Conversion_Dither", "0"},
        {"Process/DBleed", "KV_UT_Depth_Conversion_Bleed", "0"}, {"Process/DFastPreview", "KV_UT_Depth_FullPreview", "0"},
        {"Process/EManual", "KV_UT_Enhance_RealTime", "0"},
        {"Process/RWidth", "KV_UT_Resample_Width", "1234"}, {"Process/RHeight", "KV_UT_Resample_Height", "10"},
        {"Process/RMAspect", "KV_UT_Resample_MAspect", "0"}, {"Process/HQResample", "KV_UT_Resample_Quality", "0"},
        {"Process/FntTrans", "KV_UT_Annotation_Transparent", "0"}, {"Process/FntASize", "KV_UT_Annotation_AutoSize", "0"},
        {"Process/FntBold", "KV_UT_Annotation_Bold", "1"}, {"Process/FntItalic", "KV_UT_Annotation_Italic", "1"},
        {"Process/FntUnderline", "KV_UT_Annotation_Underline", "1"}, {"Process/Arrows", "KV_UT_Annotation_WithArrows", "0"},
        {"Process/Double", "KV_UT_Annotation_DoubleArrows", "1"}, {"Process/Default", "KV_UT_Annotation_PrefWidth", "0"},
        {"Process/LineWidth", "KV_UT_Annotation_LineWidth", "50"}, {"Process/Justify", "KV_UT_Annotation_Center", "1"},
        {"Zoom/ZWidth", "KV_UT_Zoom_ZoomWidth", "120"}, {"Zoom/ZHeight", "KV_UT_Zoom_ZoomHeight", "45"},
    };
    // clang-format on
    const auto control = [](const TKV_UTilities& window, const Setting& setting) {
        return window.findChild<QWidget*>(QString::fromLatin1(setting.control));
    };
    removeSettingsFile();
    QTemporaryDir filters;
    {
        TKV_UTilities window;
        window.move(33, 44);
        for (const Setting& setting : settings) {
            ASSERT_NE(control(window, setting), nullptr) << setting.control;
            setStoredForm(control(window, setting), QString::fromLatin1(setting.value));
        }
        window.filtersPage->KV_UT_Filters_Browser->setDirectory(filters.path());
        window.KV_UT_LoadDialog.fileName = QStringLiteral("/data/palettes/Sunset.PAL");
        window.close();
    }
    const auto entries = settingsEntries(settingsPath());
    EXPECT_EQ(entries.at("Layout/UtilityTop"), "44");
    EXPECT_EQ(entries.at("Layout/UtilityLeft"), "33");
    EXPECT_EQ(entries.at("Filters/FPath"), filters.path());
    EXPECT_EQ(entries.at("Palettes/PPath"), "/data/palettes/") << "the folder of the last loaded file";
    for (const Setting& setting : settings)
        EXPECT_EQ(entries.at(setting.key), QString::fromLatin1(setting.value)) << setting.key;

    TKV_UTilities reopened;
    EXPECT_EQ(reopened.pos(), QPoint(33, 44));
    for (const Setting& setting : settings)
        EXPECT_EQ(storedForm(control(reopened, setting)), QString::fromLatin1(setting.value)) << setting.key;
    EXPECT_EQ(reopened.filtersPage->KV_UT_Filters_Browser->currentDirectory(), filters.path());
    EXPECT_EQ(reopened.filtersPage->KV_UT_Filters_Browser->fileMask(), "*.MA3");
    EXPECT_EQ(reopened.KV_UT_LoadDialog.initialDir, QStringLiteral("/data/palettes/"));
    EXPECT_EQ(reopened.maskImagesPage->KV_UT_MaskBuffer_Label->text(), "Blend Mix Ratio:- ");
    EXPECT_TRUE(reopened.maskImagesPage->KV_UT_Mask_Image_Mask->isHidden());
    DragDropOptionsPage* options = reopened.dragDropOptionsPage;
    EXPECT_TRUE(options->KV_UT_DragDrop_EBitDepths->isEnabled()) << "the interlocks run after reading";
    EXPECT_TRUE(options->KV_UT_DragDrop_SrcSelection->isEnabled());
    EXPECT_FALSE(options->KV_UT_DragDrop_AsImagewithSource->isEnabled());

    reopened.close();
    EXPECT_EQ(settingsEntries(settingsPath()).at("Palettes/PPath"), QStringLiteral("/data/palettes/"))
        << "without a chosen file the initial folder is kept";
}

TEST(UtilitiesWindow, OutOfRangeValuesInTheFileAreClampedToTheirControls)
{
    removeSettingsFile();
    {
        IniFile ini(settingsFilePath());
        ini.WriteString("Process", "CDepth", "1000");
        ini.WriteInteger("Mask", "BRatio", 250);
    }
    TKV_UTilities window;
    EXPECT_EQ(window.depthPage->KV_UT_Depth_Conversion_CustomDepth->value(), 256);
    EXPECT_EQ(window.maskImagesPage->KV_UT_Mask_BlendRatio->value(), 100);
}

TEST(UtilitiesWindow, ARefusedWriteShowsTheFileMessageAndWritesNoFurtherKeys)
{
    removeSettingsFile();
    DialogService& dialogs = DialogService::instance();
    dialogs.setResponder(answerAll(true));
    dialogs.clearHistory();
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

    EXPECT_EQ(dialogs.messageTexts(), QStringList({QStringLiteral("Unable to write to ") + settingsPath()}));
    dialogs.clearResponder();
    dialogs.clearHistory();
    const auto entries = settingsEntries(settingsPath());
    EXPECT_EQ(entries.count("Layout/UtilityTop"), 1u);
    EXPECT_EQ(entries.count("Layout/UtilityLeft"), 1u);
    EXPECT_EQ(entries.count("DragDrop/wDestination"), 0u);
    EXPECT_EQ(entries.count("Zoom/ZHeight"), 0u) << "writing stopped at the refusal";
}

// Typed numbers outside an edit's range are clamped when the edit is left; edits without a
// range limit take any integer.
TEST(UtilitiesWindow, TypedSpinEditValuesAreClampedToTheirRangesAndArrowsStepByTheirIncrement)
{
    removeSettingsFile();
    TKV_UTilities window;
    const GradientBlendsPage* gradient = window.gradientBlendsPage;
    const Matrix3Page* matrix3 = window.filtersPage->KV_UT_Filters_Matrix3;
    const Matrix5Page* matrix5 = window.filtersPage->KV_UT_Filters_Matrix5;
    const ScannerPage* scanner = window.scannerPage;
    SpinEdit* scale = window.histogramPage->KV_UT_Histogram_Scale;
    SpinEdit* zoomWidth = window.zoomPage->KV_UT_Zoom_ZoomWidth;
    SpinEdit* zoomHeight = window.zoomPage->KV_UT_Zoom_ZoomHeight;
    for (const auto& [edit, stepped] : {std::pair{scale, 6000}, {zoomWidth, 80}, {zoomHeight, 80}}) {
        QTest::keyClick(edit, Qt::Key_Up);
        EXPECT_EQ(edit->value(), stepped) << edit->objectName().toStdString();
    }
    const struct {
        SpinEdit* edit;
        const char* typed;
        int expected;
    } cases[] = {
        // clang-format off
        {gradient->KV_UT_Mask_Special_VStart, "250", 200}, {gradient->KV_UT_Mask_Special_VEnd, "-5", 0}, {gradient->KV_UT_Mask_Special_HEnd, "199", 199},
        {gradient->KV_UT_Mask_Special_Width, "5", 10}, {gradient->KV_UT_Mask_Special_Width, "1999", 1999}, {gradient->KV_UT_Mask_Special_Height, "5000", 2000},
        {window.maskImagesPage->KV_UT_Mask_BlendRatio, "0", 1}, {window.maskImagesPage->KV_UT_Mask_BlendRatio, "250", 100},
        {window.depthPage->KV_UT_Depth_Conversion_CustomDepth, "1", 2}, {window.resamplePage->KV_UT_Resample_Width, "5000", 3000},
        {window.annotationPage->KV_UT_Annotation_LineWidth, "0", 1},
        {scale, "5", 10}, {scale, "2000000", 1000000}, {scale, "12345", 12345},
        {zoomWidth, "1", 5}, {zoomHeight, "4000", 1000}, {zoomHeight, "333", 333},
        {matrix3->KV_UT_Filters_m311, "5000", 1000}, {matrix3->KV_UT_Filters_m300, "-5000", -1000}, {matrix3->KV_UT_Filters_m322, "-7", -7},
        {matrix3->KV_UT_Filters_3Scale, "1001", 1000}, {matrix3->KV_UT_Filters_3Offset, "-1234", -1000},
        {matrix5->KV_UT_Filters_m522, "123456789", 123456789}, {matrix5->KV_UT_Filters_m500, "-2000000", -2000000}, {matrix5->KV_UT_Filters_5Norm, "65536", 65536},
        {scanner->KV_UT_Twain_Top, "-25", -25}, {scanner->KV_UT_Twain_Left, "-2147483648", -2147483647 - 1}, {scanner->KV_UT_Twain_Height, "2147483647", 2147483647},
        {scanner->KV_UT_Twain_DPI, "3", 10}, {scanner->KV_UT_Twain_DPI, "2400", 2000}, {scanner->KV_UT_Twain_DPI, "600", 600},
        // clang-format on
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.edit->objectName().toStdString() + " " + entry.typed);
        EXPECT_EQ(typeInto(*entry.edit, QString::fromLatin1(entry.typed)), entry.expected);
    }
}
