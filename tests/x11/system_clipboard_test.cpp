// The system clipboard between this program and another one, on a real X server: a picture
// copied here can be pasted by another program, and one copied there pastes here. Runs under
// xvfb-run with xclip as the other program.
#include "controls/picbuf.h"
#include "engine/image/create_image.h"
#include "engine/qt/qimage_view.h"
#include "imagewin/background_window.h"
#include "imagewin/display_window.h"
#include "shell/master_form.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/startup.h"
#include "store/image_slots.h"
#include "tests/support/test_pictures.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vask {
namespace {

// Runs another program while this one keeps serving its clipboard.
int runAlongside(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return -1;
    loop.exec();
    if (output != nullptr)
        *output = process.readAllStandardOutput();
    return process.exitCode();
}

class SystemClipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        initialiseProgramState();
        createProgramWindows();
    }
    void TearDown() override { destroyProgramWindows(); }
    TPicbuf& privateClipboard() { return *programWindows().KV_BackGround->VaskClipboard; }
};

TEST_F(SystemClipboard, ACopiedPictureIsPastedByAnotherProgram)
{
    TKV_Display* window = CreateImageWindow();
    window->ChildPicbuf->setImage(test::noisePicture(40, 30, 11));
    Clipboard(true, true, false, privateClipboard(), false);
    QByteArray png;
    ASSERT_EQ(
        runAlongside(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", "image/png", "-o"}, &png), 0);
    const QImage pasted = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(pasted.size(), QSize(40, 30));
    const QImage original = qimageView(window->ChildPicbuf->image());
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(pasted.pixel(x, y), original.pixel(x, y)) << x << "," << y;
}

TEST_F(SystemClipboard, APictureCopiedByAnotherProgramPastesAsANewImage)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("copied.png"));
    QImage copied = qimageView(test::gradientPicture(24, 16)).copy();
    ASSERT_TRUE(copied.save(file));
    // xclip keeps serving the selection in the background until another owner takes it.
    ASSERT_EQ(
        runAlongside(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", "image/png", "-i", file}), 0);
    // Let the clipboard change reach this program.
    for (int round = 0; round < 20; ++round)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    Clipboard(false, false, true, privateClipboard(), false);
    TKV_Display* window = activeImageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Clipboard Data"));
    const QImage pasted = qimageView(window->ChildPicbuf->image()).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(pasted.size(), copied.size());
    const QImage expected = copied.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(pasted.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
}

} // namespace
} // namespace vask
