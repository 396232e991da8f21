// The preferences window's handlers: picking the base colour, browsing for add-ons, and hints.
#include "settings/preferences_dialog.h"
#include "tests/settings/preferences_test_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>

#include <gtest/gtest.h>

#include <stdexcept>

namespace vask {
namespace {

using PreferencesHandlers = test::PreferencesTest;

void click(QWidget* widget)
{
    const QPointF inside(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(inside);
    QMouseEvent press(QEvent::MouseButtonPress, inside, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void doubleClick(QWidget* widget)
{
    const QPointF inside(4, widget->height() / 2.0);
    QMouseEvent event(QEvent::MouseButtonDblClick, inside, widget->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

DialogService::Responder chooseColour(const QColor& colour, bool accept)
{
    return [colour, accept](const DialogRequest&) {
        DialogAnswer answer;
        answer.accepted = accept;
        answer.colour = colour;
        return answer;
    };
}

TEST_F(PreferencesHandlers, ClickingTheBaseColourAsksStartingFromTheCurrentColour)
{
    TKV_Preferences32v1 dialog;
    DialogService::instance().setResponder(chooseColour(QColor(10, 20, 30), true));
    click(dialog.KV_Pref_BaseColour);
    ASSERT_EQ(DialogService::instance().history().size(), 1u);
    EXPECT_EQ(DialogService::instance().history().front().kind, DialogRequest::Colour);
    EXPECT_EQ(DialogService::instance().history().front().colour, QColor(0, 255, 255));
    EXPECT_EQ(dialog.KV_Pref_BaseColour->colour(), QColor(10, 20, 30));
    dialog.close();
    EXPECT_EQ(fileLines().value(QStringLiteral("NewImage/NColour")),
              QString::number(10 + 20 * 256 + 30 * 65536));
}

TEST_F(PreferencesHandlers, ACancelledColourChoiceChangesNothing)
{
    TKV_Preferences32v1 dialog;
    DialogService::instance().setResponder(chooseColour(QColor(10, 20, 30), false));
    click(dialog.KV_Pref_BaseColour);
    EXPECT_EQ(dialog.KV_Pref_BaseColour->colour(), QColor(0, 255, 255));
    EXPECT_TRUE(DialogService::instance().messageTexts().isEmpty());
}

TEST_F(PreferencesHandlers, AFailingColourDialogIsReportedWithItsCode)
{
    TKV_Preferences32v1 dialog;
    DialogService::instance().setResponder([](const DialogRequest& request) -> DialogAnswer {
        if (request.kind == DialogRequest::Colour)
            throw std::runtime_error("no colour dialog");
        return {true, {}, {}, {}};
    });
    click(dialog.KV_Pref_BaseColour);
    EXPECT_EQ(DialogService::instance().messageTexts(),
              QStringList{QStringLiteral("Error:- UPref32v1 - Code 179")});
    EXPECT_EQ(dialog.KV_Pref_BaseColour->colour(), QColor(0, 255, 255));
}

struct AddOnCase {
    const char* name;
    int box; // 1 to 4
};

class PreferencesAddOnBrowser : public test::PreferencesTest,
                                public ::testing::WithParamInterface<AddOnCase> {
protected:
    QLineEdit* box(TKV_Preferences32v1& dialog) const
    {
        QLineEdit* boxes[] = {dialog.KV_Pref_AddOn1, dialog.KV_Pref_AddOn2, dialog.KV_Pref_AddOn3,
                              dialog.KV_Pref_AddOn4};
        return boxes[GetParam().box - 1];
    }
};

TEST_P(PreferencesAddOnBrowser, DoubleClickFillsThatBoxWithTheChosenProgram)
{
    TKV_Preferences32v1 dialog;
    DialogService::instance().setResponder([](const DialogRequest&) {
        DialogAnswer answer;
        answer.accepted = true;
        answer.fileName = QStringLiteral("/opt/tools/Tool.exe");
        return answer;
    });
    const QString before = box(dialog)->text();
    doubleClick(box(dialog));
    ASSERT_EQ(DialogService::instance().history().size(), 1u);
    const DialogRequest& request = DialogService::instance().history().front();
    EXPECT_EQ(request.kind, DialogRequest::OpenFile);
    EXPECT_EQ(request.text, QStringLiteral("- Addon software - File Browser"));
    EXPECT_EQ(request.filter, QStringLiteral("*.exe [ Executables only ] (*.exe)"));
    EXPECT_EQ(box(dialog)->text(), QStringLiteral("/opt/tools/Tool.exe"));
    int changed = 0;
    for (QLineEdit* other :
         {dialog.KV_Pref_AddOn1, dialog.KV_Pref_AddOn2, dialog.KV_Pref_AddOn3, dialog.KV_Pref_AddOn4})
        changed += other->text() == QStringLiteral("/opt/tools/Tool.exe") ? 1 : 0;
    EXPECT_EQ(changed, 1);
    EXPECT_NE(before, box(dialog)->text());
}

TEST_P(PreferencesAddOnBrowser, CancellingKeepsTheBox)
{
    TKV_Preferences32v1 dialog;
    box(dialog)->setText(QStringLiteral("/usr/bin/gimp"));
    DialogService::instance().setResponder(answerAll(false));
    doubleClick(box(dialog));
    EXPECT_EQ(box(dialog)->text(), QStringLiteral("/usr/bin/gimp"));
}

TEST_P(PreferencesAddOnBrowser, AFailingBrowserLeavesTheBoxAvailable)
{
    TKV_Preferences32v1 dialog;
    box(dialog)->setText(QStringLiteral("/usr/bin/gimp"));
    DialogService::instance().setResponder(
        [](const DialogRequest&) -> DialogAnswer { throw std::runtime_error("no file dialog"); });
    doubleClick(box(dialog));
    EXPECT_EQ(box(dialog)->text(), QStringLiteral("- Available -"));
    EXPECT_TRUE(DialogService::instance().messageTexts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Boxes, PreferencesAddOnBrowser,
                         ::testing::Values(AddOnCase{"First", 1}, AddOnCase{"Second", 2},
                                           AddOnCase{"Third", 3}, AddOnCase{"Fourth", 4}),
                         [](const ::testing::TestParamInfo<AddOnCase>& info) {
                             return std::string(info.param.name);
                         });

// QToolTip::hideText() only starts a timer; the hint label is hidden here at once.
void hideHintNow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("QTipLabel"))
            window->hide();
    }
}

// Sends the request a resting pointer makes and says whether a hint came up.
bool hintShownFor(QWidget* widget)
{
    hideHintNow();
    QHelpEvent request(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &request);
    const bool shown = QToolTip::isVisible() && QToolTip::text() == widget->toolTip();
    hideHintNow();
    return shown;
}

TEST_F(PreferencesHandlers, FlyOverHelpSwitchesEveryHintInTheApplication)
{
    TKV_Preferences32v1 dialog;
    dialog.show();
    QWidget elsewhere;
    elsewhere.setToolTip(QStringLiteral("a hint of another window"));
    elsewhere.show();
    EXPECT_TRUE(flyOverHintsEnabled());
    EXPECT_TRUE(hintShownFor(dialog.KV_Pref_AutoUndo));
    EXPECT_TRUE(hintShownFor(&elsewhere));

    dialog.KV_Pref_FlyOver->setChecked(false);
    dialog.close();
    EXPECT_FALSE(flyOverHintsEnabled());
    EXPECT_FALSE(hintShownFor(dialog.KV_Pref_AutoUndo));
    EXPECT_FALSE(hintShownFor(&elsewhere));
    EXPECT_EQ(fileLines().value(QStringLiteral("Help/FlyOver")), QStringLiteral("0"));

    // Opened again from the menu and closed again.
    dialog.show();
    dialog.KV_Pref_FlyOver->setChecked(true);
    dialog.close();
    EXPECT_TRUE(flyOverHintsEnabled());
    EXPECT_TRUE(hintShownFor(&elsewhere));
}

TEST_F(PreferencesHandlers, HintsAreAquaQuickAndStayTenSeconds)
{
    TKV_Preferences32v1 dialog;
    EXPECT_EQ(QToolTip::palette().color(QPalette::Active, QPalette::ToolTipBase), QColor(0, 255, 255));
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 10);
    QWidget elsewhere;
    elsewhere.setToolTip(QStringLiteral("a hint"));
    elsewhere.show();
    hintShownFor(&elsewhere);
    EXPECT_EQ(elsewhere.toolTipDuration(), 10000);
}

} // namespace
} // namespace vask
