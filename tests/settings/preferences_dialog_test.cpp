// What the preferences window shows: its controls, texts, ranges, defaults and layout.
#include "controls/form_widgets.h"
#include "settings/preferences_dialog.h"
#include "settings/program_paths.h"
#include "tests/settings/preferences_test_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace vask {
namespace {

using PreferencesDialog = test::PreferencesTest;

QStringList comboItems(const QComboBox* box)
{
    QStringList items;
    for (int index = 0; index < box->count(); ++index)
        items << box->itemText(index);
    return items;
}

TEST_F(PreferencesDialog, FreshStartShowsTheDefaults)
{
    TKV_Preferences32v1 dialog;
    EXPECT_EQ(dialog.KV_Pref_AssignMode->currentText(), QStringLiteral("[3] Resize Composite"));
    EXPECT_EQ(dialog.KV_Pref_ResizeMode->currentText(), QStringLiteral("[3] Resample with Floating Aspect"));
    EXPECT_EQ(dialog.KV_Pref_WidthDefault->value(), 250);
    EXPECT_EQ(dialog.KV_Pref_HeightDefault->value(), 250);
    ASSERT_NE(dialog.KV_Pref_BitDepths->button(dialog.KV_Pref_BitDepths->itemIndex()), nullptr);
    EXPECT_EQ(dialog.KV_Pref_BitDepths->button(dialog.KV_Pref_BitDepths->itemIndex())->text(),
              QStringLiteral("8 Bit Image"));
    EXPECT_EQ(dialog.KV_Pref_NewWidth->value(), 100);
    EXPECT_EQ(dialog.KV_Pref_NewHeight->value(), 100);
    EXPECT_EQ(dialog.KV_Pref_BaseColour->colour(), QColor(0, 255, 255));
    EXPECT_EQ(dialog.KV_Pref_Custom_Angle->value(), 90);
    EXPECT_TRUE(dialog.KV_Pref_AutoUndo->isChecked());
    EXPECT_EQ(dialog.KV_Pref_maskvalue->value(), 50);
    EXPECT_FALSE(dialog.KV_Pref_Asmask->isChecked());
    EXPECT_TRUE(dialog.KV_Pref_Preview_MaintainRatio->isChecked());
    EXPECT_TRUE(dialog.KV_Pref_PreviewFast->isChecked());
    EXPECT_EQ(dialog.KV_Pref_PreviewSize->value(), 150);
    EXPECT_TRUE(dialog.KV_Pref_KillMacrotransfer->isChecked());
    EXPECT_TRUE(dialog.KV_Pref_FlyOver->isChecked());
    EXPECT_EQ(dialog.KV_Pref_PaletteFile->text(), GetProgramPath() + QStringLiteral("Common.pal"));
    EXPECT_EQ(dialog.KV_Pref_AddOn1->text(), GetProgramPath() + QStringLiteral("Morvalt.exe"));
    EXPECT_EQ(dialog.KV_Pref_AddOn2->text(), QStringLiteral("- Available -"));
    EXPECT_EQ(dialog.KV_Pref_AddOn3->text(), QStringLiteral("- Available -"));
    EXPECT_EQ(dialog.KV_Pref_AddOn4->text(), QStringLiteral("- Available -"));
}

TEST_F(PreferencesDialog, ListsOfferTheirExactItems)
{
    TKV_Preferences32v1 dialog;
    EXPECT_EQ(comboItems(dialog.KV_Pref_AssignMode),
              QStringList({"[0] Total Replacement", "[1] Union Composite", "[2] Intersection Composite",
                           "[3] Resize Composite"}));
    EXPECT_EQ(comboItems(dialog.KV_Pref_ResizeMode),
              QStringList({"[0] Pixel Deletion / Replication Fixed Aspect",
                           "[1] Pixel Deletion / Replication Floating Aspect",
                           "[2] Resample with Fixed Aspect", "[3] Resample with Floating Aspect"}));
    EXPECT_FALSE(dialog.KV_Pref_AssignMode->isEditable());
    EXPECT_EQ(dialog.KV_Pref_BitDepths->items(),
              QStringList({"1 Bit Image", "4 Bit Image", "8 Bit Image", "24 Bit Image"}));
    EXPECT_EQ(dialog.KV_Pref_BitDepths->title(), QStringLiteral(" Bit Depths "));
}

struct NamedControl {
    const char* name;
    const char* caption; // empty for controls without one
    const char* hint;
};

const NamedControl kControls[] = {
    {"KV_Pref_AssignMode", "", "Assign mode applied to new Images upon loading"},
    {"KV_Pref_ResizeMode", "", "Resize mode applied to new Images upon loading"},
    {"KV_Pref_WidthDefault", "", "Default width for new child Images"},
    {"KV_Pref_HeightDefault", "", "Default height for new child Images"},
    {"KV_Pref_PaletteFile", "",
     "Enter full name and path of palette file used for automatic palette mapping of 8 bit Images on load"},
    {"KV_Pref_BitDepths", "", "Bit Depth for New Image Default"},
    {"KV_Pref_maskvalue", "", "Opacity Mask Transmission Setting"},
    {"KV_Pref_Asmask", "Opacity Mask", "Check this Option to Create Opacity Mask, otherwise use Base Colour"},
    {"KV_Pref_NewWidth", "", "New Image Default Width"},
    {"KV_Pref_NewHeight", "", "New Image Default Height"},
    {"KV_Pref_BaseColour", "", "Base Colour Sample for New Image - Click to Pick Colour"},
    {"KV_Pref_Custom_Angle", "", "Custom Rotation Angle - Set Fill Colour with New Image Base Colour"},
    {"KV_Pref_AutoUndo", "Auto Undo", "Enable Automatic Undo - Caution - Can Slow response times"},
    {"KV_Pref_Preview_MaintainRatio", "Maintain Aspect Ratio",
     "Maintain Aspect Ratio - Res Value below used Height Calculated"},
    {"KV_Pref_PreviewFast", "Fast resample", "Enable Fast Resample of Preview Images "},
    {"KV_Pref_PreviewSize", "", "Resolution of Preview Images - Width & Height or use Maintain Ratio Option"},
    {"KV_Pref_KillMacrotransfer", "Delete Incoming File  ",
     "Delete the file requested to be opened by remote program - this DELETES the file from disk - "
     "'VASK32V1MACROINPORT'  'VASK32V1'"},
    {"KV_Pref_FlyOver", "FlyOver Help", "Un-check to remove flyover help messages"},
    {"KV_Pref_AddOn1", "",
     "Enter full path and name for user addon menu Item 1 - or double click box to call up browser"},
    {"KV_Pref_AddOn2", "",
     "Enter full path and name for user addon menu Item 2 - or double click box to call up browser"},
    {"KV_Pref_AddOn3", "",
     "Enter full path and name for user addon menu Item 3 - or double click box to call up browser"},
    {"KV_Pref_AddOn4", "",
     "Enter full path and name for user addon menu Item 4 - or double click box to call up browser"},
};

TEST_F(PreferencesDialog, EveryControlCarriesItsNameCaptionAndHint)
{
    TKV_Preferences32v1 dialog;
    for (const NamedControl& control : kControls) {
        const auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->toolTip(), QString::fromLatin1(control.hint)) << control.name;
        if (control.caption[0] != '\0') {
            const auto* box = qobject_cast<const QCheckBox*>(widget);
            ASSERT_NE(box, nullptr) << control.name;
            EXPECT_EQ(box->text(), QString::fromLatin1(control.caption)) << control.name;
        }
    }
}

TEST_F(PreferencesDialog, GroupsAndLabelsCarryTheirExactCaptions)
{
    TKV_Preferences32v1 dialog;
    QStringList titles;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        titles << group->title();
    titles.sort();
    QStringList expected{" Image Display Options ",
                         " New Image Defaults ",
                         " Bit Depths ",
                         " Custom Rotate Angle ",
                         " Auto Undo ",
                         " Preview Image Options ",
                         " Macro DDE / FlyOver Help ",
                         "Addon software - [ Double click required item to call up file browser ] "};
    expected.sort();
    EXPECT_EQ(titles, expected);

    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {" Assign Mode:- ", " Resize Mode:- ", "Default Width and Size Upon Load :- ",
                             "Preview Resolution - "})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
}

struct SpinRange {
    const char* name;
    int minimum;
    int maximum;
};

TEST_F(PreferencesDialog, SpinBoxesKeepTheirRanges)
{
    TKV_Preferences32v1 dialog;
    const SpinRange ranges[] = {{"KV_Pref_WidthDefault", 10, 1600}, {"KV_Pref_HeightDefault", 10, 1600},
                                {"KV_Pref_maskvalue", 0, 100},      {"KV_Pref_NewWidth", 5, 3000},
                                {"KV_Pref_NewHeight", 5, 3000},     {"KV_Pref_Custom_Angle", -365, 365},
                                {"KV_Pref_PreviewSize", 10, 1000}};
    for (const SpinRange& range : ranges) {
        auto* spin = dialog.findChild<SpinEdit*>(QString::fromLatin1(range.name));
        ASSERT_NE(spin, nullptr) << range.name;
        EXPECT_EQ(spin->minimum(), range.minimum) << range.name;
        EXPECT_EQ(spin->maximum(), range.maximum) << range.name;
    }
}

TEST_F(PreferencesDialog, IsAHiddenFixedSizeToolWindowOnSilver)
{
    TKV_Preferences32v1 dialog;
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Preferences and Defaults"));
    EXPECT_EQ(dialog.minimumSize(), QSize(491, 413));
    EXPECT_EQ(dialog.maximumSize(), QSize(491, 413));
    EXPECT_EQ(dialog.windowType(), Qt::Tool);
    EXPECT_EQ(dialog.windowModality(), Qt::NonModal);
    EXPECT_EQ(dialog.font().family(), QStringLiteral("Arial"));

    dialog.show();
    QApplication::processEvents();
    const QImage painted = dialog.grab().toImage();
    EXPECT_EQ(painted.size(), QSize(491, 413) * painted.devicePixelRatio());
    EXPECT_EQ(QColor(painted.pixel(1, 1)), QColor(192, 192, 192));
    dialog.hide();
}

TEST_F(PreferencesDialog, OpensCentredOnTheScreen)
{
    TKV_Preferences32v1 dialog;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(dialog.geometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(dialog.geometry().center().y(), screen.center().y(), 2);
}

TEST_F(PreferencesDialog, EveryControlFitsInsideTheWindowWithoutOverlap)
{
    TKV_Preferences32v1 dialog;
    dialog.show();
    QApplication::processEvents();
    EXPECT_LE(dialog.layout()->minimumSize().width(), 491);
    EXPECT_LE(dialog.layout()->minimumSize().height(), 413);
    std::vector<QRect> placed;
    for (const NamedControl& control : kControls) {
        const auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr);
        const QRect area(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(widget->isVisible()) << control.name;
        EXPECT_GE(area.height(), widget->minimumSizeHint().height()) << control.name;
        EXPECT_TRUE(dialog.rect().contains(area)) << control.name;
        for (const QRect& other : placed)
            EXPECT_FALSE(other.intersects(area)) << control.name;
        placed.push_back(area);
    }
    dialog.hide();
}

TEST_F(PreferencesDialog, AddOnBoxesStandTwoByTwo)
{
    TKV_Preferences32v1 dialog;
    dialog.show();
    QApplication::processEvents();
    const auto at = [&dialog](const QWidget* box) { return box->mapTo(&dialog, QPoint(0, 0)); };
    EXPECT_EQ(at(dialog.KV_Pref_AddOn1).y(), at(dialog.KV_Pref_AddOn2).y());
    EXPECT_LT(at(dialog.KV_Pref_AddOn1).x(), at(dialog.KV_Pref_AddOn2).x());
    EXPECT_EQ(at(dialog.KV_Pref_AddOn1).x(), at(dialog.KV_Pref_AddOn3).x());
    EXPECT_LT(at(dialog.KV_Pref_AddOn1).y(), at(dialog.KV_Pref_AddOn3).y());
    EXPECT_EQ(at(dialog.KV_Pref_AddOn4),
              QPoint(at(dialog.KV_Pref_AddOn2).x(), at(dialog.KV_Pref_AddOn3).y()));
    dialog.hide();
}

TEST_F(PreferencesDialog, BaseColourPanelPaintsItsColour)
{
    writeSetting("NewImage", "NColour", "255"); // red in the low byte
    TKV_Preferences32v1 dialog;
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.KV_Pref_BaseColour->colour(), QColor(255, 0, 0));
    const QImage painted = dialog.KV_Pref_BaseColour->grab().toImage();
    EXPECT_EQ(QColor(painted.pixel(painted.width() / 2, painted.height() / 2)), QColor(255, 0, 0));
    dialog.hide();
}

struct WindowsColourCase {
    int value;
    QColor colour;
};

TEST(WindowsColour, HoldsRedInTheLowByte)
{
    const WindowsColourCase cases[] = {{16776960, QColor(0, 255, 255)},      {255, QColor(255, 0, 0)},
                                       {0xFF0000, QColor(0, 0, 255)},        {0x00FF00, QColor(0, 255, 0)},
                                       {0x123456, QColor(0x56, 0x34, 0x12)}, {0, QColor(0, 0, 0)}};
    for (const WindowsColourCase& item : cases) {
        EXPECT_EQ(colourFromWindowsValue(item.value), item.colour) << item.value;
        EXPECT_EQ(windowsValueFromColour(item.colour), item.value) << item.value;
    }
}

TEST(FileNamePart, IsTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(fileNamePart(QStringLiteral("/opt/tools/Morvalt.exe")), QStringLiteral("Morvalt.exe"));
    EXPECT_EQ(fileNamePart(QStringLiteral("C:\\Tools\\Paint.exe")), QStringLiteral("Paint.exe"));
    EXPECT_EQ(fileNamePart(QStringLiteral("D:Prog.exe")), QStringLiteral("Prog.exe"));
    EXPECT_EQ(fileNamePart(QStringLiteral("- Available -")), QStringLiteral("- Available -"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/opt/tools/")), QString());
    EXPECT_EQ(fileNamePart(QString()), QString());
}

} // namespace
} // namespace vask
