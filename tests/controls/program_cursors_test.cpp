#include "controls/program_cursors.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cstdlib>

#include <utility>

namespace vask {
namespace {

class ProgramCursorTest : public ::testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(ProgramCursorTest, LoadsItsImageWithAHotSpotOnTheDrawing)
{
    const auto [index, name] = GetParam();
    LoadProgramCursors();
    EXPECT_EQ(programCursorName(index), QString::fromLatin1(name));
    const QCursor cursor = programCursor(index);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    const QImage image = cursor.pixmap().toImage();
    ASSERT_EQ(image.size(), QSize(32, 32));
    // The point that acts must be one the user sees (a drawn pixel at or next to the hot spot), and
    // each image has black ink and a white rim, so it shows on any picture.
    const QPoint hot = cursor.hotSpot();
    int drawnAtHotSpot = 0, black = 0, white = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = image.pixel(x, y);
            drawnAtHotSpot += std::abs(x - hot.x()) <= 1 && std::abs(y - hot.y()) <= 1 && qAlpha(pixel) > 0;
            black += pixel == 0xFF000000u;
            white += pixel == 0xFFFFFFFFu;
        }
    EXPECT_TRUE(drawnAtHotSpot > 0 && black > 0 && white > 0)
        << drawnAtHotSpot << " " << black << " " << white;
    // The eight differ from each other.
    for (int other = 1; other <= 8; ++other)
        EXPECT_EQ(programCursor(other).pixmap().toImage() == image, other == index) << other;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(AllEight, ProgramCursorTest, ::testing::Values(
    std::pair{1, "CROSSHAIR"}, std::pair{2, "GRABHAND"}, std::pair{3, "SELECTION"}, std::pair{4, "CALC"},
    std::pair{5, "UNDO"}, std::pair{6, "ZOOM"}, std::pair{7, "DRAGDROP"}, std::pair{8, "DARROW"}));
// clang-format on

TEST(ProgramCursors, RepeatedCursorsReplaceEachOtherAndDefaultClearsEveryOverride)
{
    setApplicationCursor(kCalcCursor);
    setApplicationCursor(kGrabHandCursor);
    setApplicationCursor(kCalcCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->pixmap().toImage(),
              programCursor(kCalcCursor).pixmap().toImage());
    setApplicationDragCursor();
    EXPECT_EQ(applicationCursorIndex(), kSystemDragCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    setApplicationCursor(kZoomCursor);
    QGuiApplication::restoreOverrideCursor(); // one restore removes the one override there is
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); // left by others
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    setApplicationCursor(kSelectionCursor);
    setApplicationCursor(kDefaultCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // Unknown indexes give the arrow.
    EXPECT_EQ(programCursor(0).shape(), Qt::ArrowCursor);
    EXPECT_EQ(programCursor(9).shape(), Qt::ArrowCursor);
    EXPECT_TRUE(programCursorName(9).isEmpty());
}

} // namespace
} // namespace vask
