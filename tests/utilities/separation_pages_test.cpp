#include "utilities/cmyk_planes_page.h"
#include "utilities/hls_planes_page.h"
#include "utilities/rgb_planes_page.h"

#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QTemporaryDir>

using namespace vask;
using namespace vask::sheet_checks;

namespace {

void expectLeadControls(const QWidget& page, const std::vector<const char*>& names)
{
    for (const char* name : names)
        EXPECT_NE(named<TLeadCtrl>(page, name), nullptr) << name;
}

// The slots' captions stand above their pictures, left to right in the order of the planes.
void expectCaptionsAbovePlanes(const QWidget& page, const std::vector<const char*>& planes)
{
    const QList<QLabel*> labels = page.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), static_cast<qsizetype>(planes.size()));
    for (std::size_t slot = 0; slot < planes.size(); ++slot) {
        const QWidget* plane = named<TLeadCtrl>(page, planes[slot]);
        const QLabel* caption = labels.at(static_cast<qsizetype>(slot));
        EXPECT_LT(caption->geometry().bottom(), plane->y()) << planes[slot];
        EXPECT_NEAR(caption->x(), plane->x(), 4) << planes[slot];
    }
}

} // namespace

TEST(RgbPlanesPage, ControlsShowTheirCaptionsHintsAndTags)
{
    RgbPlanesPage page(nullptr);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_Planes_Page_RGB"));
    expectSpeedButtons(page, {{"KV_UT_RGB_Planes_EnableDrag", "DD", "Allow Drag of Utility Image", 8},
                              {"KV_UT_RGB_Planes_ReCalc", "Calc", "ReCalculate Combined Image", 16}});
    expectLeadControls(page, {"KV_UT_RGB_Base", "KV_UT_RGB_Red", "KV_UT_RGB_Green", "KV_UT_RGB_Blue"});
    expectCheckBoxes(
        page,
        {{"KV_UT_Planes_MAspect", "Maintain Aspect Ratio",
          "Maintain Aspect Ratio of All Separation  Images [ All Pages ]", true},
         {"KV_UT_Planes_CombineOnDrop", "Combine on Channel Drop",
          "Calculate combined Image whenever an Image is dropped on the channel seperation(s) Image - All "
          "appropriate channels must contain an Image",
          true}});
    EXPECT_EQ(labelTexts(page), QStringList({"Combined Image:- ", "Red:- ", "Green:- ", "Blue:- "}));
    expectCaptionsAbovePlanes(page, {"KV_UT_RGB_Base", "KV_UT_RGB_Red", "KV_UT_RGB_Green", "KV_UT_RGB_Blue"});
}

TEST(CmykPlanesPage, ControlsShowTheirCaptionsHintsAndTags)
{
    CmykPlanesPage page(nullptr);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_Planes_Page_CMYK"));
    expectSpeedButtons(page, {{"KV_UT_CMYK_Planes_EnableDrag", "DD", "Allow Drag of Utility Image", 8},
                              {"KV_UT_CYMK_Planes_ReCalc", "Calc", "ReCalculate Combined Image", 16}});
    const std::vector<const char*> planes = {"KV_UT_CMYK_Base", "KV_UT_CMYK_Cyan", "KV_UT_CMYK_Magenta",
                                             "KV_UT_CMYK_Yellow", "KV_UT_CMYK_K"};
    expectLeadControls(page, planes);
    expectCheckBoxes(
        page, {{"KV_UT_CYMK_Planes_CMYK", "CMYK [x] or CMY",
                "Check to create or merge CMYK channels, uncheck to create or merge CMY channels", true}});
    EXPECT_EQ(labelTexts(page),
              QStringList({"Combined Image:- ", "Cyan:- ", "Magenta:- ", "Yellow:- ", "K:- "}));
    expectCaptionsAbovePlanes(page, planes);
}

TEST(HlsPlanesPage, ControlsShowTheirCaptionsHintsAndTags)
{
    HlsPlanesPage page(nullptr);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_Planes_Page_HLS"));
    expectSpeedButtons(page, {{"KV_UT_HLS_Planes_EnableDrag", "DD", "Allow Drag of Utility Image", 8},
                              {"KV_UT_HLS_Planes_ReCalc", "Calc", "ReCalculate Combined Image", 16}});
    const std::vector<const char*> planes = {"KV_UT_HLS_Base", "KV_UT_HLS_H", "KV_UT_HLS_L", "KV_UT_HLS_S",
                                             "KV_UT_HLS_V"};
    expectLeadControls(page, planes);
    expectCheckBoxes(
        page, {{"KV_UT_HLS_Planes_HLS", "HLS [x] or HSV",
                "Check to create or merge HLS channels, uncheck to create or merge HSV channels", true}});
    EXPECT_EQ(labelTexts(page),
              QStringList({"Combined Image:- ", "Hue:- ", "Luminance:- ", "Saturation:- ", "V:- "}));
    expectCaptionsAbovePlanes(page, planes);
}

TEST(SeparationPages, EachPageKeepsItsOwnKeysOfTheSeparationsSection)
{
    QTemporaryDir folder;
    IniFile ini(folder.filePath(QStringLiteral("planes.INI")).toStdString());

    RgbPlanesPage rgb(nullptr);
    CmykPlanesPage cmyk(nullptr);
    HlsPlanesPage hls(nullptr);
    rgb.KV_UT_Planes_MAspect->setChecked(false);
    cmyk.KV_UT_CYMK_Planes_CMYK->setChecked(false);
    rgb.writeSettings(ini);
    cmyk.writeSettings(ini);
    hls.writeSettings(ini);

    const auto entries = settingsEntries(QString::fromStdString(ini.path()));
    EXPECT_EQ(entries.at("Separations/Maintain"), "0");
    EXPECT_EQ(entries.at("Separations/CCDrop"), "1");
    EXPECT_EQ(entries.at("Separations/CMYK"), "0");
    EXPECT_EQ(entries.at("Separations/HLS"), "1");

    RgbPlanesPage rgbAgain(nullptr);
    CmykPlanesPage cmykAgain(nullptr);
    HlsPlanesPage hlsAgain(nullptr);
    hlsAgain.KV_UT_HLS_Planes_HLS->setChecked(false);
    rgbAgain.readSettings(ini);
    cmykAgain.readSettings(ini);
    hlsAgain.readSettings(ini);
    EXPECT_FALSE(rgbAgain.KV_UT_Planes_MAspect->isChecked());
    EXPECT_TRUE(rgbAgain.KV_UT_Planes_CombineOnDrop->isChecked());
    EXPECT_FALSE(cmykAgain.KV_UT_CYMK_Planes_CMYK->isChecked());
    EXPECT_TRUE(hlsAgain.KV_UT_HLS_Planes_HLS->isChecked());
}
