#include "utilities/histogram_page.h"

#include "controls/histogram_chart.h"
#include "controls/lead_ctrl.h"
#include "sheet_checks.h"

#include <QFrame>
#include <QMouseEvent>
#include <QRadioButton>

using namespace vask::sheet_checks;
using vask::HistogramPage;

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint point, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(point), QPointF(target->mapToGlobal(point)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

TEST(HistogramPage, HoldsTheChartAndAFloatingPanelWithEveryOtherControl)
{
    HistogramPage page;
    EXPECT_EQ(page.objectName(), "KV_UT_Options_Histogram");
    ASSERT_NE(page.findChild<vask::HistogramChart*>("KV_UT_Histogram_Chart"), nullptr);
    const auto* floater = page.findChild<QFrame*>("KV_UT_Histogram_Floater");
    ASSERT_NE(floater, nullptr);
    EXPECT_EQ(floater->toolTip(), "Use Mouse to Drag to New Location");

    expectSpeedButtons(page, {
                                 {"KV_UT_Histogram_Eqalise", "", "Eqalise Image using Histogram", 20},
                                 {"KV_UT_Histogram_Enabledrag", "DD", "Allow Drag of Utility Image", 10},
                             });
    EXPECT_FALSE(page.KV_UT_Histogram_Eqalise->icon().isNull());
    const auto* image = page.findChild<vask::TLeadCtrl*>("KV_UT_Histogram_Image");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->toolTip(), "Drop any Image here to study Histogram");

    const auto* channels = page.findChild<vask::RadioGroup*>("KV_UT_Histogram_Channels");
    ASSERT_NE(channels, nullptr);
    EXPECT_EQ(channels->title(), " Channel ");
    EXPECT_EQ(channels->items(), QStringList({"RGB", "Red", "Green", "Blue", "All"}));
    EXPECT_EQ(channels->itemIndex(), 0);

    expectSpinEdits(
        page, {{"KV_UT_Histogram_Scale",
                "Y Axis Maximum Value - Use to Expand Detail [Steps of 1000 using Arrows - Auto Update - "
                "[10 to 1000000]]",
                10, 1000000, 5000, 1000}});

    for (const QWidget* control : std::initializer_list<const QWidget*>{
             page.KV_UT_Histogram_Eqalise, page.KV_UT_Histogram_Enabledrag, page.KV_UT_Histogram_Image,
             page.KV_UT_Histogram_Channels, page.KV_UT_Histogram_Scale})
        EXPECT_TRUE(floater->isAncestorOf(control)) << control->objectName().toStdString();
    EXPECT_FALSE(floater->isAncestorOf(page.KV_UT_Histogram_Chart));
}

TEST(HistogramPage, FloaterFollowsAMouseDragWithTheLeftButton)
{
    HistogramPage page;
    page.resize(kSheet);
    QFrame* floater = page.KV_UT_Histogram_Floater;
    const QPoint start = floater->pos();
    // A point of the panel's own background, between its controls.
    const QPoint grip(floater->width() - 3, 3);
    ASSERT_EQ(floater->childAt(grip), nullptr);

    QTest::mousePress(floater, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(floater, grip + QPoint(-30, 12));
    EXPECT_EQ(floater->pos(), start + QPoint(-30, 12));
    // The remembered point is under the pointer again, so the next step adds to the first.
    QTest::mouseMove(floater, grip + QPoint(-5, -2));
    EXPECT_EQ(floater->pos(), start + QPoint(-35, 10));
    QTest::mouseRelease(floater, Qt::LeftButton, Qt::NoModifier, grip + QPoint(-5, -2));
}

TEST(HistogramPage, FloaterStaysWhenTheMouseMovesWithoutTheLeftButton)
{
    HistogramPage page;
    QFrame* floater = page.KV_UT_Histogram_Floater;
    const QPoint start = floater->pos();
    const QPoint grip(floater->width() - 3, 3);
    sendMouse(floater, QEvent::MouseButtonPress, grip, Qt::RightButton, Qt::RightButton);
    sendMouse(floater, QEvent::MouseMove, grip + QPoint(20, 20), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(floater->pos(), start);
    sendMouse(floater, QEvent::MouseMove, grip + QPoint(20, 20), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(floater->pos(), start);
}

TEST(HistogramPage, HandlersMoveThePanelByTheDistanceFromThePressPoint)
{
    HistogramPage page;
    QFrame* floater = page.KV_UT_Histogram_Floater;
    floater->move(200, 50);
    page.UtilityHistogramFloatDown(Qt::LeftButton, Qt::NoModifier, 40, 30);
    page.UtilityHistogramFloatMove(Qt::LeftButton, Qt::NoModifier, 10, 70);
    // Top := Top - (pressY - Y), Left := Left - (pressX - X)
    EXPECT_EQ(floater->pos(), QPoint(200 - (40 - 10), 50 - (30 - 70)));
}

TEST(HistogramPage, ScaleStepsByThousandWithTheArrows)
{
    HistogramPage page;
    vask::SpinEdit* scale = page.KV_UT_Histogram_Scale;
    QTest::keyClick(scale, Qt::Key_Up);
    EXPECT_EQ(scale->value(), 6000);
    QTest::keyClick(scale, Qt::Key_Down);
    QTest::keyClick(scale, Qt::Key_Down);
    EXPECT_EQ(scale->value(), 4000);
    scale->setValue(999500);
    QTest::keyClick(scale, Qt::Key_Up);
    EXPECT_EQ(scale->value(), 1000000);
}

TEST(HistogramPage, TypedScaleIsClampedToTenToMillion)
{
    HistogramPage page;
    vask::SpinEdit* scale = page.KV_UT_Histogram_Scale;
    EXPECT_EQ(typeInto(*scale, "5"), 10);
    EXPECT_EQ(typeInto(*scale, "2000000"), 1000000);
    EXPECT_EQ(typeInto(*scale, "12345"), 12345);
}

TEST(HistogramPage, FitsTheSheetWithNothingOverlapping)
{
    HistogramPage page;
    page.setFont(windowFont());
    expectTidyLayout(page, kSheet);
    expectTidyLayout(*page.KV_UT_Histogram_Floater);
}
