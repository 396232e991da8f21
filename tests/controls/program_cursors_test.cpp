#include "controls/program_cursors.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace vask {
namespace {

struct CursorCase {
    int index;
    const char* name;
};

class ProgramCursorTest : public ::testing::TestWithParam<CursorCase> {};

TEST_P(ProgramCursorTest, LoadsItsImageWithAHotSpotOnTheDrawing)
{
    const CursorCase c = GetParam();
    LoadProgramCursors();
    EXPECT_EQ(programCursorName(c.index), QString::fromLatin1(c.name));
    const QCursor cursor = programCursor(c.index);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    const QImage image = cursor.pixmap().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(32, 32));
    // The point that acts must be one the user sees: a drawn pixel at or next to the hot spot.
    const QPoint hot = cursor.hotSpot();
    ASSERT_TRUE(image.rect().contains(hot));
    int drawn = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.rect().contains(hot + QPoint(dx, dy)))
                drawn += qAlpha(image.pixel(hot + QPoint(dx, dy))) > 0 ? 1 : 0;
    EXPECT_GT(drawn, 0);
    // Each image has both black ink and a white rim, so it shows on any picture.
    bool black = false;
    bool white = false;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            black = black || image.pixel(x, y) == 0xFF000000u;
            white = white || image.pixel(x, y) == 0xFFFFFFFFu;
        }
    EXPECT_TRUE(black && white);
}

INSTANTIATE_TEST_SUITE_P(AllEight, ProgramCursorTest,
                         ::testing::Values(CursorCase{1, "CROSSHAIR"}, CursorCase{2, "GRABHAND"},
                                           CursorCase{3, "SELECTION"}, CursorCase{4, "CALC"},
                                           CursorCase{5, "UNDO"}, CursorCase{6, "ZOOM"},
                                           CursorCase{7, "DRAGDROP"}, CursorCase{8, "DARROW"}));

TEST(ProgramCursors, UnknownIndexesGiveTheArrowAndNoName)
{
    EXPECT_EQ(programCursor(0).shape(), Qt::ArrowCursor);
    EXPECT_EQ(programCursor(9).shape(), Qt::ArrowCursor);
    EXPECT_TRUE(programCursorName(0).isEmpty());
    EXPECT_TRUE(programCursorName(9).isEmpty());
}

TEST(ProgramCursors, TheEightImagesDiffer)
{
    for (int a = 1; a <= 8; ++a)
        for (int b = a + 1; b <= 8; ++b)
            EXPECT_NE(programCursor(a).pixmap().toImage(), programCursor(b).pixmap().toImage())
                << a << " " << b;
}

TEST(ProgramCursors, DefaultRemovesTheApplicationCursor)
{
    setApplicationCursor(kCalcCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->pixmap().toImage(),
              programCursor(kCalcCursor).pixmap().toImage());
    EXPECT_EQ(applicationCursorIndex(), kCalcCursor);
    setApplicationCursor(kDefaultCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(applicationCursorIndex(), kDefaultCursor);
}

TEST(ProgramCursors, RepeatedCursorsReplaceEachOtherInsteadOfStacking)
{
    setApplicationCursor(kCalcCursor);
    setApplicationCursor(kGrabHandCursor);
    setApplicationCursor(kCalcCursor);
    setApplicationDragCursor();
    EXPECT_EQ(applicationCursorIndex(), kSystemDragCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    setApplicationCursor(kZoomCursor);
    // One restore removes the one override there is.
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(ProgramCursors, DefaultAlsoClearsOverridesLeftByOthers)
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    setApplicationCursor(kSelectionCursor);
    setApplicationCursor(kDefaultCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace vask
