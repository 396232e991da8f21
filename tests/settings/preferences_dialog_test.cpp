// What the preferences window shows, and what its colour, add-on and hint handlers do.
#include "tests/settings/settings_test_support.h"

#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <stdexcept>

namespace vask {
namespace {

using PreferencesDialog = test::PreferencesTest;

QStringList texts(const QComboBox* box)
{
    QStringList items;
    for (int index = 0; index < box->count(); ++index)
        items << box->itemText(index);
    return items;
}

struct Control {
    const char* name;
    const char* caption; // check boxes only
    const char* hint;
    int minimum = 0; // spin edits only
    int maximum = 0;
};

// clang-format off
const Control kControls[] = {
    {"KV_Pref_AssignMode", "", "Assign mode applied to new Images upon loading"},
    {"KV_Pref_ResizeMode", "", "Resize mode applied to new Images upon loading"},
    {"KV_Pref_WidthDefault", "", "Default width for new child Images", 10, 1600},
    {"KV_Pref_HeightDefault", "", "Default height for new child Images", 10, 1600},
    {"KV_Pref_PaletteFile", "",
     "Enter full name and path of palette file used for automatic palette mapping of 8 bit Images on load"},
    {"KV_Pref_BitDepths", "", "Bit Depth for New Image Default"},
    {"KV_Pref_maskvalue", "", "Opacity Mask Transmission Setting", 0, 100},
    {"KV_Pref_Asmask", "Opacity Mask", "Check this Option to Create Opacity Mask, otherwise use Base Colour"},
    {"KV_Pref_NewWidth", "", "New Image Default Width", 5, 3000},
    {"KV_Pref_NewHeight", "", "New Image Default Height", 5, 3000},
    {"KV_Pref_BaseColour", "", "Base Colour Sample for New Image - Click to Pick Colour"},
    {"KV_Pref_Custom_Angle", "", "Custom Rotation Angle - Set Fill Colour with New Image Base Colour", -365, 365},
    {"KV_Pref_AutoUndo", "Auto Undo", "Enable Automatic Undo - Caution - Can Slow response times"},
    {"KV_Pref_Preview_MaintainRatio", "Maintain Aspect Ratio",
     "Maintain Aspect Ratio - Res Value below used Height Calculated"},
    {"KV_Pref_PreviewFast", "Fast resample", "Enable Fast Resample of Preview Images "},
    {"KV_Pref_PreviewSize", "", "Resolution of Preview Images - Width & Height or use Maintain Ratio Option", 10, 1000},
    {"KV_Pref_KillMacrotransfer", "Delete Incoming File  ", "Delete the file requested to be opened by remote "
     "program - this DELETES the file from disk - 'VASK32V1MACROINPORT'  'VASK32V1'"},
    {"KV_Pref_FlyOver", "FlyOver Help", "Un-check to remove flyover help messages"},
    {"KV_Pref_AddOn1", "", "Enter full path and name for user addon menu Item 1 - or double click box to call up browser"},
    {"KV_Pref_AddOn2", "", "Enter full path and name for user addon menu Item 2 - or double click box to call up browser"},
    {"KV_Pref_AddOn3", "", "Enter full path and name for user addon menu Item 3 - or double click box to call up browser"},
    {"KV_Pref_AddOn4", "", "Enter full path and name for user addon menu Item 4 - or double click box to call up browser"},
};
// clang-format on

TEST_F(PreferencesDialog, EveryControlCarriesItsExactTextsAndRange)
{
    TKV_Preferences32v1 dialog;
    for (const Control& control : kControls) {
        const auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->toolTip(), QString::fromLatin1(control.hint)) << control.name;
        const auto* box = qobject_cast<const QCheckBox*>(widget);
        EXPECT_EQ(box != nullptr ? box->text() : QString(), QString::fromLatin1(control.caption))
            << control.name;
        const auto* spin = qobject_cast<const SpinEdit*>(widget);
        EXPECT_EQ(spin != nullptr ? std::pair(spin->minimum(), spin->maximum()) : std::pair(0, 0),
                  std::pair(control.minimum, control.maximum))
            << control.name;
    }
    EXPECT_EQ(texts(dialog.KV_Pref_AssignMode),
              QStringList({"[0] Total Replacement", "[1] Union Composite", "[2] Intersection Composite",
                           "[3] Resize Composite"}));
    EXPECT_EQ(texts(dialog.KV_Pref_ResizeMode),
              QStringList({"[0] Pixel Deletion / Replication Fixed Aspect",
                           "[1] Pixel Deletion / Replication Floating Aspect",
                           "[2] Resample with Fixed Aspect", "[3] Resample with Floating Aspect"}));
    EXPECT_FALSE(dialog.KV_Pref_AssignMode->isEditable());
    EXPECT_EQ(dialog.KV_Pref_BitDepths->items(),
              QStringList({"1 Bit Image", "4 Bit Image", "8 Bit Image", "24 Bit Image"}));
    QStringList titles;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        titles << group->title();
    titles.sort();
    EXPECT_EQ(titles,
              QStringList({" Auto Undo ", " Bit Depths ", " Custom Rotate Angle ", " Image Display Options ",
                           " Macro DDE / FlyOver Help ", " New Image Defaults ", " Preview Image Options ",
                           "Addon software - [ Double click required item to call up file browser ] "}));
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {" Assign Mode:- ", " Resize Mode:- ", "Default Width and Size Upon Load :- ",
                             "Preview Resolution - "})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
}

TEST_F(PreferencesDialog, IsACentredFixedSizeToolWindowOnSilverWithEveryControlInPlace)
{
    TKV_Preferences32v1 dialog;
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Preferences and Defaults"));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.windowType(), Qt::Tool);
    EXPECT_EQ(dialog.windowModality(), Qt::NonModal);
    EXPECT_EQ(dialog.font().family(), QStringLiteral("Arial"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(dialog.geometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(dialog.geometry().center().y(), screen.center().y(), 2);

    dialog.show();
    QApplication::processEvents();
    const QImage painted = dialog.grab().toImage();
    EXPECT_EQ(painted.size(), QSize(491, 413) * painted.devicePixelRatio());
    EXPECT_EQ(QColor(painted.pixel(1, 1)), QColor(192, 192, 192));
    const auto at = [&dialog](const QWidget* widget) { return widget->mapTo(&dialog, QPoint(0, 0)); };
    const QPoint panel = at(dialog.KV_Pref_BaseColour) + dialog.KV_Pref_BaseColour->rect().center();
    EXPECT_EQ(QColor(painted.pixel(panel * painted.devicePixelRatio())), QColor(0, 255, 255));

    EXPECT_LE(dialog.layout()->minimumSize().width(), 491);
    EXPECT_LE(dialog.layout()->minimumSize().height(), 413);
    std::vector<QRect> placed;
    for (const Control& control : kControls) {
        const auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        const QRect area(at(widget), widget->size());
        EXPECT_TRUE(widget->isVisible()) << control.name;
        EXPECT_GE(area.height(), widget->minimumSizeHint().height()) << control.name;
        EXPECT_TRUE(dialog.rect().contains(area)) << control.name;
        for (const QRect& other : placed)
            EXPECT_FALSE(other.intersects(area)) << control.name;
        placed.push_back(area);
    }
    // The add-on boxes stand two by two: 1 2 over 3 4.
    EXPECT_EQ(at(dialog.KV_Pref_AddOn2),
              QPoint(at(dialog.KV_Pref_AddOn4).x(), at(dialog.KV_Pref_AddOn1).y()));
    EXPECT_EQ(at(dialog.KV_Pref_AddOn3),
              QPoint(at(dialog.KV_Pref_AddOn1).x(), at(dialog.KV_Pref_AddOn4).y()));
    EXPECT_LT(at(dialog.KV_Pref_AddOn1).x(), at(dialog.KV_Pref_AddOn4).x());
    EXPECT_LT(at(dialog.KV_Pref_AddOn1).y(), at(dialog.KV_Pref_AddOn4).y());
    dialog.hide();
}

DialogService::Responder answer(bool accept, const QColor& colour, const QString& fileName = {})
{
    return [=](const DialogRequest&) { return DialogAnswer{accept, fileName, colour, {}}; };
}

// Every dialog but the message box reporting the failure breaks down.
DialogService::Responder failing()
{
    return [](const DialogRequest& request) -> DialogAnswer {
        if (request.kind != DialogRequest::Information)
            throw std::runtime_error("no dialog");
        return {true, {}, {}, {}};
    };
}

TEST_F(PreferencesDialog, ClickingTheBaseColourAsksFromTheCurrentColour)
{
    TKV_Preferences32v1 dialog;
    DialogService& dialogs = DialogService::instance();
    dialogs.setResponder(answer(true, QColor(10, 20, 30)));
    QTest::mouseClick(dialog.KV_Pref_BaseColour, Qt::LeftButton);
    ASSERT_EQ(dialogs.history().size(), 1u);
    EXPECT_EQ(dialogs.history().front().kind, DialogRequest::Colour);
    EXPECT_EQ(dialogs.history().front().colour, QColor(0, 255, 255));
    EXPECT_EQ(dialog.KV_Pref_BaseColour->colour(), QColor(10, 20, 30));

    dialogs.setResponder(answer(false, QColor(40, 50, 60)));
    QTest::mouseClick(dialog.KV_Pref_BaseColour, Qt::LeftButton);
    EXPECT_EQ(dialogs.history().back().colour, QColor(10, 20, 30));
    EXPECT_TRUE(dialogs.messageTexts().isEmpty());

    dialogs.setResponder(failing());
    QTest::mouseClick(dialog.KV_Pref_BaseColour, Qt::LeftButton);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{QStringLiteral("Error:- UPref32v1 - Code 179")});
    dialog.close();
    EXPECT_EQ(fileLines().value(QStringLiteral("NewImage/NColour")),
              QString::number(10 + 20 * 256 + 30 * 65536));
}

TEST_F(PreferencesDialog, DoubleClickingAnAddOnBoxBrowsesForThatBoxOnly)
{
    TKV_Preferences32v1 dialog;
    DialogService& dialogs = DialogService::instance();
    QLineEdit* const boxes[] = {dialog.KV_Pref_AddOn1, dialog.KV_Pref_AddOn2, dialog.KV_Pref_AddOn3,
                                dialog.KV_Pref_AddOn4};
    for (QLineEdit* box : boxes) {
        for (QLineEdit* other : boxes)
            other->setText(QStringLiteral("/usr/bin/gimp"));
        dialogs.clearHistory();
        dialogs.setResponder(answer(false, {}, QStringLiteral("/opt/tools/Tool.exe")));
        QTest::mouseDClick(box, Qt::LeftButton);
        EXPECT_EQ(box->text(), QStringLiteral("/usr/bin/gimp"));

        dialogs.setResponder(answer(true, {}, QStringLiteral("/opt/tools/Tool.exe")));
        QTest::mouseDClick(box, Qt::LeftButton);
        ASSERT_EQ(dialogs.history().size(), 2u);
        const DialogRequest& request = dialogs.history().back();
        EXPECT_EQ(request.kind, DialogRequest::OpenFile);
        EXPECT_EQ(request.text, QStringLiteral("- Addon software - File Browser"));
        EXPECT_EQ(request.filter, QStringLiteral("*.exe [ Executables only ] (*.exe)"));
        for (QLineEdit* other : boxes)
            EXPECT_EQ(other->text(), other == box ? "/opt/tools/Tool.exe" : "/usr/bin/gimp")
                << box->objectName().toStdString();

        dialogs.setResponder(failing());
        QTest::mouseDClick(box, Qt::LeftButton);
        EXPECT_EQ(box->text(), QStringLiteral("- Available -"));
        EXPECT_TRUE(dialogs.messageTexts().isEmpty());
    }
}

// Whether a resting pointer brings up the widget's hint; the label is then hidden at once.
bool hintShownFor(QWidget* widget)
{
    QHelpEvent request(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &request);
    const bool shown = QToolTip::isVisible() && QToolTip::text() == widget->toolTip();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("QTipLabel"))
            window->hide();
    }
    return shown;
}

TEST_F(PreferencesDialog, FlyOverHelpSwitchesEveryAquaTenSecondHintInTheApplication)
{
    TKV_Preferences32v1 dialog;
    dialog.show();
    QWidget elsewhere;
    elsewhere.setToolTip(QStringLiteral("a hint of another window"));
    elsewhere.show();
    EXPECT_TRUE(hintShownFor(dialog.KV_Pref_AutoUndo));
    EXPECT_TRUE(hintShownFor(&elsewhere));
    EXPECT_EQ(elsewhere.toolTipDuration(), 10000);
    EXPECT_EQ(QToolTip::palette().color(QPalette::Active, QPalette::ToolTipBase), QColor(0, 255, 255));
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 10);

    dialog.KV_Pref_FlyOver->setChecked(false);
    dialog.close();
    EXPECT_FALSE(hintShownFor(dialog.KV_Pref_AutoUndo));
    EXPECT_FALSE(hintShownFor(&elsewhere));

    dialog.show();
    dialog.KV_Pref_FlyOver->setChecked(true);
    dialog.close();
    EXPECT_TRUE(hintShownFor(&elsewhere));
}

} // namespace
} // namespace vask
