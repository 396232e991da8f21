#include "imagewin/background_window.h"
#include "store/image_slots.h"
#include "tests/shell/program_fixture.h"
#include "utilities/utilities_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QToolButton>

namespace vask {
namespace {

const QString kNoUndo = QStringLiteral("Information:- There are no changes to undo. OK to continue.");
const QString kNoMarkedImages = QStringLiteral("Information:- There are no Marked Images. OK to continue.");
const QString kNothingMarked = QStringLiteral("Information:- No Images have been \"Marked\" for Retrieval.");
const QString kPrivateEmpty = QStringLiteral("Image Vaskolens clipboard is empty. No data to copy.");

// The pixels of a rectangle of a picture, copied one by one.
Image cropOf(const Image& source, int left, int top, int width, int height)
{
    Image crop(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            crop.rgbRow(y)[x] = source.pixelColour(left + x, top + y);
    return crop;
}

class ImageSlots : public ImageStore {
protected:
    void SetUp() override
    {
        ImageStore::SetUp();
        // Pastes from the private clipboard go through the drop options; off, they copy 1:1.
        windows()
            .KV_UTilities->findChild<QCheckBox*>(QStringLiteral("KV_UT_DragDrop_AutoEqualise"))
            ->setChecked(false);
    }
    TKV_BackGround& store() { return *windows().KV_BackGround; }
    TPicbuf& privateClipboard() { return *store().VaskClipboard; }
    TPicbuf& active() { return *activeImageWindow()->ChildPicbuf; }
    QString activeCaption() { return activeImageWindow()->windowTitle(); }

    const Image m_first = test::noisePicture(40, 30, 1);
    const Image m_second = test::noisePicture(40, 30, 2);
    const Image m_third = test::noisePicture(24, 16, 3);
};

TEST_F(ImageSlots, UndoWithAutoUndoOffAndNothingStoredShowsTheNoChangesText)
{
    programState().AutoUndo = false;
    showPicture(m_first);
    MakeAutoUndoCopy();
    active().setImage(m_second);
    Undo(false, true);
    EXPECT_EQ(messages(), QStringList{kNoUndo});
    EXPECT_TRUE(test::sameColours(active().image(), m_second));
    EXPECT_EQ(store().KV_BCK_AutoUndo->Contents(), 0);
    expectIdle();
}

TEST_F(ImageSlots, TwoUndosInARowBothRestoreTheStoredPicture)
{
    programState().AutoUndo = true;
    showPicture(m_first);
    MakeAutoUndoCopy();
    EXPECT_EQ(applicationCursorIndex(), kDefaultCursor);
    for (const Image& edited : {m_second, m_third}) {
        active().setImage(edited);
        Undo(false, true);
        EXPECT_TRUE(test::sameColours(active().image(), m_first));
    }
    EXPECT_TRUE(messages().isEmpty());
    expectIdle();
}

TEST_F(ImageSlots, StoreUndoPictureKeepsTheGivenPictureOnlyWhenAllowed)
{
    TPicbuf dropped;
    dropped.setImage(m_third);
    StoreUndoPicture(false, dropped);
    EXPECT_EQ(store().KV_BCK_AutoUndo->Contents(), 0);
    StoreUndoPicture(true, dropped);
    showPicture(m_first);
    Undo(false, true);
    EXPECT_TRUE(test::sameColours(active().image(), m_third));
}

TEST_F(ImageSlots, RestoringAMarkBeforeAnyMarkSaysNothingWasMarked)
{
    showPicture(m_first);
    Mark(false);
    EXPECT_EQ(messages(), QStringList{kNothingMarked});
    EXPECT_TRUE(test::sameColours(active().image(), m_first));
}

TEST_F(ImageSlots, AMarkedPictureComesBackAfterLaterChanges)
{
    showPicture(m_first);
    Mark(true);
    active().setImage(m_second);
    Mark(false);
    EXPECT_TRUE(test::sameColours(active().image(), m_first));
    EXPECT_TRUE(messages().isEmpty());
    expectIdle();
}

TEST_F(ImageSlots, RestoringFromAClearedMarkedSlotSaysSoAndForgetsTheMark)
{
    showPicture(m_first);
    Mark(true);
    store().KV_BCK_MarkedUndo->ClearImage();
    active().setImage(m_second);
    Mark(false);
    Mark(false);
    EXPECT_EQ(messages(), (QStringList{kNoMarkedImages, kNothingMarked}));
    EXPECT_TRUE(test::sameColours(active().image(), m_second));
}

TEST_F(ImageSlots, ACopyImageComesBackAndAnEmptySlotGivesNothing)
{
    TPicbuf picture;
    picture.setImage(m_first);
    CopyImage(false, picture);
    EXPECT_TRUE(test::sameColours(picture.image(), m_first));
    CopyImage(true, picture);
    picture.setImage(m_second);
    CopyImage(false, picture);
    EXPECT_TRUE(test::sameColours(picture.image(), m_first));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageSlots, ImageFromSelectionHoldsTheSelectedPixels)
{
    showPicture(m_first);
    active().setSelection({5, 4, 12, 9});
    TPicbuf& source = active();
    ImageFromSelection(source);
    EXPECT_EQ(imageWindowCount(), 2);
    EXPECT_EQ(activeCaption(), QStringLiteral("Selection"));
    EXPECT_TRUE(test::sameColours(active().image(), cropOf(m_first, 5, 4, 12, 9)));
    expectIdle();
}

// Copy from a 40 x 30 picture with selection (5, 4, 12, 9), then paste onto the second
// picture, whose selection is (20, 10, 12, 9) when pasting into the selection.
struct ClipboardCase {
    const char* name;
    bool usePrivate;
    bool wholeCopy;
    bool wholePaste;
    bool asNew;
};

class ClipboardRoundTrip : public ImageSlots, public ::testing::WithParamInterface<ClipboardCase> {};

TEST_P(ClipboardRoundTrip, PastesWhatWasCopied)
{
    const ClipboardCase& c = GetParam();
    QGuiApplication::clipboard()->clear();
    showPicture(m_first);
    active().setSelection({5, 4, 12, 9});
    Clipboard(true, c.wholeCopy, false, privateClipboard(), c.usePrivate);
    const Image copied = c.wholeCopy ? m_first : cropOf(m_first, 5, 4, 12, 9);
    showPicture(m_second);
    active().setSelection({20, 10, 12, 9});
    Clipboard(false, c.wholePaste, c.asNew, privateClipboard(), c.usePrivate);

    EXPECT_TRUE(messages().isEmpty());
    if (c.asNew) {
        EXPECT_EQ(imageWindowCount(), 3);
        EXPECT_EQ(activeCaption(), QStringLiteral("Clipboard Data"));
        EXPECT_TRUE(test::sameColours(active().image(), copied));
    } else if (c.wholePaste) {
        EXPECT_TRUE(test::sameColours(active().image(), copied));
    } else {
        const Image& pasted = active().image();
        EXPECT_TRUE(test::sameColours(cropOf(pasted, 20, 10, 12, 9), copied));
        EXPECT_EQ(pasted.pixelColour(19, 10), m_second.pixelColour(19, 10));
        EXPECT_EQ(pasted.pixelColour(32, 19), m_second.pixelColour(32, 19));
    }
}

INSTANTIATE_TEST_SUITE_P(
    ImageSlots, ClipboardRoundTrip,
    ::testing::Values(ClipboardCase{"PrivateWhole", true, true, true, false},
                      ClipboardCase{"PrivateSelectionIntoSelection", true, false, false, false},
                      ClipboardCase{"PrivateSelectionAsNew", true, false, false, true},
                      ClipboardCase{"SystemWhole", false, true, true, false},
                      ClipboardCase{"SystemSelectionIntoSelection", false, false, false, false},
                      ClipboardCase{"SystemSelectionAsNew", false, false, false, true}),
    [](const ::testing::TestParamInfo<ClipboardCase>& info) { return std::string(info.param.name); });

TEST_F(ImageSlots, PastingFromAnEmptyClipboardChangesNothingAndSaysSo)
{
    const QString systemEmpty =
        QStringLiteral("The Windows Clipboard is empty or format is not a valid DIB. NT 3.5x users should "
                       "use \"Image Vaskolens "
                       "Clipboard\" [File Menu] as some NT clipboards may not be supported. All NT 3.51 "
                       "users can copy to the "
                       "clipboard, and can Import clipboard data using the Capture Clipboard Data option "
                       "[F5]. The \"Paste to\" "
                       "options may not be available.  These restrictions do not apply to Win95 or NT4.x.");
    QGuiApplication::clipboard()->clear();
    showPicture(m_first);
    active().setSelection({5, 4, 12, 9});
    for (const bool usePrivate : {true, false}) {
        DialogService::instance().clearHistory();
        Clipboard(false, true, false, privateClipboard(), usePrivate);
        Clipboard(false, false, false, privateClipboard(), usePrivate);
        Clipboard(false, false, true, privateClipboard(), usePrivate);
        const QString expected = usePrivate ? kPrivateEmpty : systemEmpty;
        EXPECT_EQ(messages(), (QStringList{expected, expected, expected}));
    }
    EXPECT_EQ(imageWindowCount(), 1);
    EXPECT_TRUE(test::sameColours(active().image(), m_first));
}

TEST_F(ImageSlots, PaletteButtonsMarkRestoreTheMarkAndUndo)
{
    showPicture(m_first);
    master().KV_Masterform_HoldMark_Icon->click();
    active().setImage(m_second);
    master().KV_Masterform_UndoMark_Icon->click();
    EXPECT_TRUE(test::sameColours(active().image(), m_first));
    EXPECT_TRUE(programState().MarkedAvailable);
    master().KV_Masterform_Undo_Icon->click();
    EXPECT_EQ(messages(), QStringList{kNoUndo});
}

} // namespace
} // namespace vask
