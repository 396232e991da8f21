// The drop option interlocks: raising to 24 bit locks the depth options, palette mapping keeps
// equal depths, dragging as a floating image checks and locks five options.
#include "controls/dialog_service.h"
#include "dragdrop/option_interlocks.h"
#include "sheet_checks.h"
#include "utilities/drag_drop_options_page.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace vask;
using namespace vask::sheet_checks;

namespace {

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

void expectLockedAndChecked(const std::vector<QCheckBox*>& boxes)
{
    for (const QCheckBox* box : boxes) {
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    }
}

} // namespace

TEST(EnableDepthOptions, Raise24LocksTheDepthOptionsAndRemapForcesEqualDepths)
{
    const struct {
        bool raise24;
        bool remap;
        bool equaliseDepths;
        bool expectEnabled;
        bool expectEqualiseChecked;
    } cases[] = {{true, false, false, false, false},
                 {true, true, false, false, true},
                 {false, false, false, true, false},
                 {false, true, false, true, true},
                 {false, false, true, true, true}};
    for (const auto& given : cases) {
        SCOPED_TRACE(testing::Message() << given.raise24 << given.remap << given.equaliseDepths);
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
}

TEST(SyncFloatingOptions, FloatingImageLocksTheFiveCheckedAndWithoutItFreesThemUncleared)
{
    DragDropOptionsPage page(nullptr);
    for (QCheckBox* box : lockedByFloating(page))
        box->setChecked(false);
    page.KV_UT_DragDrop_FAspect->setChecked(true);
    page.KV_UT_DragDrop_AsImagewithSource->setEnabled(false);
    page.KV_UT_DragDrop_AsImagewithDestination->setEnabled(false);
    page.KV_UT_DragDrop_DragSelectionasImage->setChecked(true);

    syncFloating(page);
    expectLockedAndChecked(lockedByFloating(page));
    EXPECT_TRUE(page.KV_UT_DragDrop_AsImagewithSource->isEnabled());
    EXPECT_TRUE(page.KV_UT_DragDrop_AsImagewithDestination->isEnabled());
    EXPECT_TRUE(page.KV_UT_DragDrop_FAspect->isChecked());
    EXPECT_TRUE(page.KV_UT_DragDrop_FAspect->isEnabled());

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

// A click on any of the twelve options re-runs both interlocks: left inconsistent beforehand,
// the five options locked by the floating image end up checked and disabled, and the depth
// options locked by 24 bit raising disabled.
TEST(UtilitiesWindow, EveryOptionControlReappliesTheInterlocksWhenClicked)
{
    removeSettingsFile();
    TKV_UTilities window;
    DragDropOptionsPage* options = window.dragDropOptionsPage;
    const std::vector<QCheckBox*> five = lockedByFloating(*options);
    ASSERT_EQ(options->optionControls().size(), 12u);
    for (QAbstractButton* control : options->optionControls()) {
        SCOPED_TRACE(control->objectName().toStdString());
        for (QAbstractButton* option : options->optionControls())
            option->setEnabled(true);
        for (QCheckBox* box : five)
            box->setChecked(false);
        // The click toggles the control: these two end up checked whichever was clicked.
        options->KV_UT_DragDrop_DragSelectionasImage->setChecked(
            control != options->KV_UT_DragDrop_DragSelectionasImage);
        options->KV_UT_DragDrop_Raise24->setChecked(control != options->KV_UT_DragDrop_Raise24);

        control->click();

        expectLockedAndChecked(five);
        EXPECT_FALSE(options->KV_UT_DragDrop_EBitDepths->isEnabled());
        EXPECT_FALSE(options->KV_UT_DragDrop_Remap->isEnabled());
    }
}
