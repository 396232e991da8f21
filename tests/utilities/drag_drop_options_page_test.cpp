#include "utilities/drag_drop_options_page.h"

#include "controls/dialog_service.h"
#include "dragdrop/option_interlocks.h"
#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QRadioButton>
#include <QTemporaryDir>

using namespace vask;
using namespace vask::sheet_checks;

namespace {

struct RadioRow {
    const char* name;
    const char* caption;
    const char* hint;
    bool checked;
};

void syncFloating(DragDropOptionsPage& page)
{
    SyncFloatingOptions(page.KV_UT_DragDrop_AutoEqualise, page.KV_UT_DragDrop_Resize,
                        page.KV_UT_DragDrop_DstSelection, page.KV_UT_DragDrop_SrcSelection,
                        page.KV_UT_DragDrop_PSelf, page.KV_UT_DragDrop_DragSelectionasImage,
                        page.KV_UT_DragDrop_FAspect, page.KV_UT_DragDrop_AsImagewithSource,
                        page.KV_UT_DragDrop_AsImagewithDestination);
}

std::vector<QCheckBox*> lockedByFloating(const DragDropOptionsPage& page)
{
    return {page.KV_UT_DragDrop_AutoEqualise, page.KV_UT_DragDrop_Resize, page.KV_UT_DragDrop_DstSelection,
            page.KV_UT_DragDrop_SrcSelection, page.KV_UT_DragDrop_PSelf};
}

} // namespace

TEST(DragDropOptionsPage, TwelveOptionsShowTheirCaptionsHintsAndDefaults)
{
    DragDropOptionsPage page(nullptr);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_Options_Options"));
    EXPECT_EQ(page.optionsGroupBox->title(), QStringLiteral("  Drag Drop Options between Children  "));

    expectCheckBoxes(
        page, {{"KV_UT_DragDrop_DstSelection", "Drop to Selection Area",
                "Drop to Child Images Selection Area [x] or Full  Area [ ]", true},
               {"KV_UT_DragDrop_SrcSelection", "Drag Image Selection Area",
                "Drag Source Image's Selection Area [x] or full Area [ ]", false},
               {"KV_UT_DragDrop_PSelf", "Prevent Self Drop", "Stops Dropping Images to Self [x]", true},
               {"KV_UT_DragDrop_AutoEqualise", "Auto Equalise Images:- ",
                "[x] Automatically Adjust Images so Cut and Paste can occur - Use Options Below:-", true},
               {"KV_UT_DragDrop_Raise24", "Raise Images to 24 Bit",
                "[x] For Cut / Paste Operations Raise both Images to 24 Bit", true},
               {"KV_UT_DragDrop_EBitDepths", "Equalise Depths - [Src to Dest]",
                "[x] Set the Source Images Depth to the Destinations Depth during Cut / Paste ", true},
               {"KV_UT_DragDrop_Remap", "Palette Map - [Src to Dest]",
                "[x] Map Palettes during Cut/Paste - Force Source to Destination", true},
               {"KV_UT_DragDrop_Resize", "Set Modes to Resize",
                "[x] For Cut /Paste set Destination buffer to accept Images to Selection area [Paste from "
                "Vaskolen's "
                "Clipboard always has this 'Checked' and ignores users selection]",
                true},
               {"KV_UT_DragDrop_FAspect", "Source Ratio 1:1",
                "Source Image's ratio is maintained at 1:1 - ie Distort to fit selection area or maintain "
                "aspect ratio of "
                "incoming image - only used with Scale to Destination option",
                false},
               {"KV_UT_DragDrop_DragSelectionasImage", "Drag as Floating Image",
                "Allows Image to be dragged as a floating Image to any desired location ", true}});

    const std::vector<RadioRow> radios = {
        {"KV_UT_DragDrop_AsImagewithSource", "Use Source Selection ", "Use Selection Area from Source Image",
         true},
        {"KV_UT_DragDrop_AsImagewithDestination", "Scale to Destination Selection Size",
         "Force Dragged Image into size of Destination selection area", false}};
    for (const RadioRow& row : radios) {
        SCOPED_TRACE(row.name);
        auto* radio = named<QRadioButton>(page, row.name);
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(radio->toolTip(), QString::fromUtf8(row.hint));
        EXPECT_EQ(radio->isChecked(), row.checked);
    }

    EXPECT_FALSE(page.KV_UT_DragDrop_EBitDepths->isEnabled());
    EXPECT_FALSE(page.KV_UT_DragDrop_Remap->isEnabled());
    EXPECT_EQ(page.optionControls().size(), 12u);
}

TEST(DragDropOptionsPage, RadioChoiceAndOptionsRoundTripThroughTheDragDropSection)
{
    QTemporaryDir folder;
    IniFile ini(folder.filePath(QStringLiteral("options.INI")).toStdString());

    DragDropOptionsPage changed(nullptr);
    changed.KV_UT_DragDrop_SrcSelection->setChecked(true);
    changed.KV_UT_DragDrop_Raise24->setChecked(false);
    changed.KV_UT_DragDrop_FAspect->setChecked(true);
    changed.KV_UT_DragDrop_AsImagewithDestination->setChecked(true);
    changed.writeSettings(ini);

    const auto entries = settingsEntries(QString::fromStdString(ini.path()));
    EXPECT_EQ(entries.at("DragDrop/SrcSelection"), "1");
    EXPECT_EQ(entries.at("DragDrop/24Raise"), "0");
    EXPECT_EQ(entries.at("DragDrop/CorrectAspect"), "1");
    EXPECT_EQ(entries.at("DragDrop/wSource"), "0");
    EXPECT_EQ(entries.at("DragDrop/wDestination"), "1");

    DragDropOptionsPage reread(nullptr);
    reread.readSettings(ini);
    EXPECT_TRUE(reread.KV_UT_DragDrop_SrcSelection->isChecked());
    EXPECT_FALSE(reread.KV_UT_DragDrop_Raise24->isChecked());
    EXPECT_TRUE(reread.KV_UT_DragDrop_FAspect->isChecked());
    EXPECT_FALSE(reread.KV_UT_DragDrop_AsImagewithSource->isChecked());
    EXPECT_TRUE(reread.KV_UT_DragDrop_AsImagewithDestination->isChecked());
}

struct DepthInterlockCase {
    bool raise24;
    bool remap;
    bool equaliseDepths;
    bool expectEnabled;
    bool expectEqualiseChecked;
};

class EnableDepthOptionsTest : public ::testing::TestWithParam<DepthInterlockCase> {};

TEST_P(EnableDepthOptionsTest, Raise24LocksTheDepthOptionsAndRemapForcesEqualDepths)
{
    const DepthInterlockCase& given = GetParam();
    QCheckBox raise24;
    QCheckBox equaliseDepths;
    QCheckBox remap;
    raise24.setChecked(given.raise24);
    remap.setChecked(given.remap);
    equaliseDepths.setChecked(given.equaliseDepths);
    equaliseDepths.setEnabled(!given.expectEnabled);
    remap.setEnabled(!given.expectEnabled);

    EnableDepthOptions(&raise24, &equaliseDepths, &remap);

    EXPECT_EQ(equaliseDepths.isEnabled(), given.expectEnabled);
    EXPECT_EQ(remap.isEnabled(), given.expectEnabled);
    EXPECT_EQ(equaliseDepths.isChecked(), given.expectEqualiseChecked);
    EXPECT_EQ(remap.isChecked(), given.remap) << "remap itself is never changed";
    EXPECT_EQ(raise24.isChecked(), given.raise24);
}

INSTANTIATE_TEST_SUITE_P(AllStates, EnableDepthOptionsTest,
                         ::testing::Values(DepthInterlockCase{true, false, false, false, false},
                                           DepthInterlockCase{true, true, false, false, true},
                                           DepthInterlockCase{false, false, false, true, false},
                                           DepthInterlockCase{false, true, false, true, true},
                                           DepthInterlockCase{false, false, true, true, true}));

TEST(SyncFloatingOptions, FloatingImageChecksAndLocksTheFiveAndOffersBothSizes)
{
    DragDropOptionsPage page(nullptr);
    for (QCheckBox* box : lockedByFloating(page))
        box->setChecked(false);
    page.KV_UT_DragDrop_FAspect->setChecked(true);
    page.KV_UT_DragDrop_AsImagewithSource->setEnabled(false);
    page.KV_UT_DragDrop_AsImagewithDestination->setEnabled(false);
    page.KV_UT_DragDrop_DragSelectionasImage->setChecked(true);

    syncFloating(page);

    for (QCheckBox* box : lockedByFloating(page)) {
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    }
    EXPECT_TRUE(page.KV_UT_DragDrop_AsImagewithSource->isEnabled());
    EXPECT_TRUE(page.KV_UT_DragDrop_AsImagewithDestination->isEnabled());
    EXPECT_TRUE(page.KV_UT_DragDrop_FAspect->isChecked());
    EXPECT_TRUE(page.KV_UT_DragDrop_FAspect->isEnabled());
}

TEST(SyncFloatingOptions, WithoutFloatingImageTheFiveAreFreeAndKeepTheirStates)
{
    DragDropOptionsPage page(nullptr);
    page.KV_UT_DragDrop_DragSelectionasImage->setChecked(true);
    syncFloating(page);
    page.KV_UT_DragDrop_DragSelectionasImage->setChecked(false);
    page.KV_UT_DragDrop_FAspect->setEnabled(false);

    syncFloating(page);

    for (QCheckBox* box : lockedByFloating(page)) {
        EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString() << " is freed, not cleared";
    }
    EXPECT_FALSE(page.KV_UT_DragDrop_AsImagewithSource->isEnabled());
    EXPECT_FALSE(page.KV_UT_DragDrop_AsImagewithDestination->isEnabled());
    EXPECT_FALSE(page.KV_UT_DragDrop_FAspect->isEnabled()) << "the aspect option is not touched";
}

TEST(OptionInterlocks, AMissingControlIsReportedWithTheRoutinesCode)
{
    DialogService& dialogs = DialogService::instance();
    dialogs.setResponder(answerAll(true));
    dialogs.clearHistory();
    QCheckBox box;
    QRadioButton radio;

    EnableDepthOptions(&box, nullptr, &box);
    SyncFloatingOptions(&box, &box, &box, &box, &box, &box, &box, &radio, nullptr);

    EXPECT_EQ(dialogs.messageTexts(),
              QStringList({"Error:- UDragDrop32v1 - Code 200", "Error:- UDragDrop32v1 - Code 585"}));
    dialogs.clearResponder();
    dialogs.clearHistory();
}
