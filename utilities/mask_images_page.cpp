#include "utilities/mask_images_page.h"

#include "controls/form_widgets.h"
#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "shell/fault_report.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace vask {

namespace {

constexpr char kSection[] = "Mask";

// Four pictures side by side, the mask second; sized for the inner sheet area of about
// 555 x 210 pixels.
constexpr int kPictureTop = 18;
constexpr int kPictureSize = 128;
constexpr int kSourceLeft = 4;
constexpr int kMaskLeft = 142;
constexpr int kDestinationLeft = 280;
constexpr int kResultLeft = 418;
constexpr int kOptionsTop = 152;

// The square picture whose left edge is left.
QRect pictureRect(int left)
{
    return {left, kPictureTop, kPictureSize, kPictureSize};
}

// The page's keys in the order the settings file holds them.
std::vector<PageSetting> pageSettings(const MaskImagesPage& page)
{
    return {{page.KV_UT_Mask_Base_FullPreview, "FastMask", true},
            {page.KV_UT_Mask_Base_BlendOnDrop, "DropBlend", false},
            {page.KV_UT_Mask_Base_Maintain, "Maintain", true},
            {page.KV_UT_Mask_Base_OnDrop, "DropCalc", true},
            {page.KV_UT_Mask_BlendRatio, "BRatio", 50}};
}

} // namespace

MaskImagesPage::MaskImagesPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Mask_BaseImage"));

    KV_UT_Mask_Base_AllowDrag = makeDragButton(this, QStringLiteral("KV_UT_Mask_Base_AllowDrag"), 3);
    KV_UT_Mask_Base_AllowDrag->setGeometry(kResultLeft, kOptionsTop, 40, 22);
    KV_UT_Mask_Base_ReRun =
        makeSpeedButton(this, QStringLiteral("KV_UT_Mask_Base_ReRun"), QStringLiteral("Calc"),
                        QStringLiteral("Re calculate resulting Image - [ Manual Update ]"), 12);
    KV_UT_Mask_Base_ReRun->setGeometry(kResultLeft + 46, kOptionsTop, 56, 22);

    KV_UT_Mask_Base_FullPreview =
        makeCheckBox(this, QStringLiteral("KV_UT_Mask_Base_FullPreview"), QStringLiteral("Fast Preview"),
                     QStringLiteral("Use Fast Resample for Dragged Images"), true);
    KV_UT_Mask_Base_FullPreview->setGeometry(kSourceLeft, kOptionsTop, 150, 18);
    KV_UT_Mask_Base_Maintain = makeCheckBox(
        this, QStringLiteral("KV_UT_Mask_Base_Maintain"), QStringLiteral("Maintain Destination "),
        QStringLiteral("Always Restore Original Destination Image before Masking"), true);
    KV_UT_Mask_Base_Maintain->setGeometry(kSourceLeft, kOptionsTop + 21, 150, 18);
    KV_UT_Mask_Base_OnDrop = makeCheckBox(
        this, QStringLiteral("KV_UT_Mask_Base_OnDrop"), QStringLiteral("Calculate result on  Image Drop "),
        QStringLiteral("When all Images are Valid Activate Function on Any Drop Event"), true);
    KV_UT_Mask_Base_OnDrop->setGeometry(kMaskLeft + 18, kOptionsTop, 230, 18);

    // The bevel goes first so the mask picture and the ratio edit lie on top of it.
    KV_UT_Mask_MaskBevel = new QFrame(this);
    KV_UT_Mask_MaskBevel->setObjectName(QStringLiteral("KV_UT_Mask_MaskBevel"));
    KV_UT_Mask_MaskBevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    KV_UT_Mask_MaskBevel->setLineWidth(2);
    KV_UT_Mask_MaskBevel->setGeometry(kMaskLeft - 2, kPictureTop - 2, kPictureSize + 4, kPictureSize + 4);

    KV_UT_Mask_Base_Destination =
        makePicture(this, QStringLiteral("KV_UT_Mask_Base_Destination"), pictureRect(kResultLeft),
                    QStringLiteral("'Resulting' Image - Use Drag Drop to Drag this Image"));
    KV_UT_Mask_Base_OrgDestination =
        makePicture(this, QStringLiteral("KV_UT_Mask_Base_OrgDestination"), pictureRect(kDestinationLeft),
                    QStringLiteral("'Destination' Image -  Use Drag Drop to Assign an Image"));
    KV_UT_Mask_Image_Mask = makePicture(this, QStringLiteral("KV_UT_Mask_Image_Mask"), pictureRect(kMaskLeft),
                                        QStringLiteral("'Mask' Image - Use Drag Drop to Assign an Image"));
    KV_UT_Mask_Base_Source =
        makePicture(this, QStringLiteral("KV_UT_Mask_Base_Source"), pictureRect(kSourceLeft),
                    QStringLiteral("'Source' Image -  Use Drag Drop to Assign an Image"));

    KV_UT_Mask_Base_BlendOnDrop = makeCheckBox(
        this, QStringLiteral("KV_UT_Mask_Base_BlendOnDrop"), QStringLiteral("Blend Images on Image Drop"),
        QStringLiteral("On Drop blend Source with Destination at Selected Ratio"), false);
    KV_UT_Mask_Base_BlendOnDrop->setGeometry(kMaskLeft + 18, kOptionsTop + 21, 230, 18);
    KV_UT_Mask_BlendRatio = new SpinEdit(
        this, QStringLiteral("KV_UT_Mask_BlendRatio"), 1, 100, 50, 1,
        QStringLiteral(
            "Blend Ratio 1 to 100% -  At 100% the Resulting Image is made totally from the Source Image"));
    KV_UT_Mask_BlendRatio->setGeometry(kMaskLeft + 24, kPictureTop + kPictureSize / 2 - 11, kPictureSize - 48,
                                       22);
    KV_UT_Mask_BlendRatio->hide();

    makeLabel(this, QStringLiteral(" Source:- "))->setGeometry(kSourceLeft, 1, kPictureSize, 15);
    makeLabel(this, QStringLiteral(" Result:- "))->setGeometry(kResultLeft, 1, kPictureSize, 15);
    KV_UT_MaskBuffer_Label =
        makeLabel(this, QStringLiteral(" Mask:- "), QStringLiteral("KV_UT_MaskBuffer_Label"));
    KV_UT_MaskBuffer_Label->setGeometry(kMaskLeft, 1, kPictureSize, 15);
    makeLabel(this, QStringLiteral("Destination"))->setGeometry(kDestinationLeft, 1, kPictureSize, 15);

    connect(KV_UT_Mask_Base_BlendOnDrop, &QCheckBox::toggled, this,
            &MaskImagesPage::KV_UT_Mask_Base_BlendOnDropClick);
}

void MaskImagesPage::KV_UT_Mask_Base_BlendOnDropClick()
{
    guardedHandler("UUtilities32v1", 1005, [this] {
        const bool blend = KV_UT_Mask_Base_BlendOnDrop->isChecked();
        KV_UT_MaskBuffer_Label->setText(blend ? QStringLiteral("Blend Mix Ratio:- ")
                                              : QStringLiteral("Mask:- "));
        KV_UT_Mask_MaskBevel->setFrameShadow(blend ? QFrame::Raised : QFrame::Sunken);
        KV_UT_Mask_Image_Mask->setVisible(!blend);
        KV_UT_Mask_BlendRatio->setVisible(blend);
    });
}

void MaskImagesPage::readSettings(const IniFile& ini)
{
    readPageSettings(ini, kSection, pageSettings(*this));
    KV_UT_Mask_Base_BlendOnDropClick();
}

void MaskImagesPage::writeSettings(IniFile& ini) const
{
    writePageSettings(ini, kSection, pageSettings(*this));
}

} // namespace vask
