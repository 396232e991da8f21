#include "utilities/gradient_blends_page.h"

#include "controls/form_widgets.h"
#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QToolButton>

namespace vask {

namespace {

constexpr char kSection[] = "Mask";

// Sized for the inner sheet area of about 555 x 210 pixels: source and destination on the
// left, the mask with its two pointers in the middle, options and the result on the right.
constexpr QRect kSourceRect(4, 17, 92, 80);
constexpr QRect kOrgDestinationRect(4, 116, 92, 80);
constexpr QRect kMaskRect(170, 24, 130, 130);
constexpr QRect kResultRect(430, 17, 122, 140);
constexpr int kOptionsLeft = 308;

// The page's keys in the order the settings file holds them.
std::vector<PageSetting> pageSettings(const GradientBlendsPage& page)
{
    return {{page.KV_UT_Mask_Special_VEnd, "VEnd", 0},
            {page.KV_UT_Mask_Special_VStart, "VStart", 100},
            {page.KV_UT_Mask_Special_HStart, "HStart", 100},
            {page.KV_UT_Mask_Special_HEnd, "HEnd", 100},
            {page.KV_UT_Mask_Special_Width, "MWidth", 100},
            {page.KV_UT_Mask_Special_Height, "MHeight", 100},
            {page.KV_UT_Mask_Special_AutoSize, "Auto", false},
            {page.KV_UT_Mask_Special_BaseOpaque, "Opaque", true},
            {page.KV_UT_Mask_Special_CutOff, "Part", false}};
}

} // namespace

GradientBlendsPage::GradientBlendsPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Mask_MaskDesign"));

    KV_UT_Mask_Special_CalcMask =
        makeSpeedButton(this, QStringLiteral("KV_UT_Mask_Special_CalcMask"), QStringLiteral("Calc"),
                        QStringLiteral("Re-Calculate Gradient Mask"), 13);
    KV_UT_Mask_Special_CalcMask->setGeometry(kOptionsLeft, 17, 52, 22);
    KV_UT_Mask_Special_ResultDrag = makeDragButton(this, QStringLiteral("KV_UT_Mask_Special_ResultDrag"), 4);
    KV_UT_Mask_Special_ResultDrag->setGeometry(kResultRect.left(), kResultRect.bottom() + 5, 40, 22);
    KV_UT_Mask_Special_ReRun =
        makeSpeedButton(this, QStringLiteral("KV_UT_Mask_Special_ReRun"), QStringLiteral("Blend"),
                        QStringLiteral("Re-Calculate \"Resulting Image\" - [ Manual Update ]"), 14);
    KV_UT_Mask_Special_ReRun->setGeometry(kOptionsLeft + 58, 17, 56, 22);

    KV_UT_Mask_Special_Progress = new QProgressBar(this);
    KV_UT_Mask_Special_Progress->setObjectName(QStringLiteral("KV_UT_Mask_Special_Progress"));
    KV_UT_Mask_Special_Progress->setToolTip(QStringLiteral("Mask Creation Percentage Complete"));
    KV_UT_Mask_Special_Progress->setRange(0, 100);
    KV_UT_Mask_Special_Progress->setValue(100);
    KV_UT_Mask_Special_Progress->setTextVisible(false);
    KV_UT_Mask_Special_Progress->setGeometry(kOptionsLeft, 188, 244, 12);

    KV_UT_Mask_Special_VTrack = makeTrackBar(this, QStringLiteral("KV_UT_Mask_Special_VTrack"), 1, 100, 50, 1,
                                             Qt::Vertical, QSlider::TicksLeft);
    KV_UT_Mask_Special_VTrack->setInvertedAppearance(true);
    KV_UT_Mask_Special_VTrack->setGeometry(kMaskRect.left() - 24, kMaskRect.top(), 22, kMaskRect.height());
    KV_UT_Mask_Special_HTrack = makeTrackBar(this, QStringLiteral("KV_UT_Mask_Special_HTrack"), 1, 100, 50, 1,
                                             Qt::Horizontal, QSlider::TicksBelow);
    KV_UT_Mask_Special_HTrack->setGeometry(kMaskRect.left(), kMaskRect.bottom() + 3, kMaskRect.width(), 22);

    // Start levels at the start of their pointer (top, left), end levels at its end.
    KV_UT_Mask_Special_HStart = new SpinEdit(this, QStringLiteral("KV_UT_Mask_Special_HStart"), 0, 200, 100);
    KV_UT_Mask_Special_HStart->setGeometry(kMaskRect.left(), kMaskRect.bottom() + 28, 50, 21);
    KV_UT_Mask_Special_VStart = new SpinEdit(this, QStringLiteral("KV_UT_Mask_Special_VStart"), 0, 200, 100);
    KV_UT_Mask_Special_VStart->setGeometry(kMaskRect.left() - 74, kMaskRect.top(), 48, 21);
    KV_UT_Mask_Special_HEnd = new SpinEdit(this, QStringLiteral("KV_UT_Mask_Special_HEnd"), 0, 200, 100);
    KV_UT_Mask_Special_HEnd->setGeometry(kMaskRect.right() + 1 - 50, kMaskRect.bottom() + 28, 50, 21);
    KV_UT_Mask_Special_VEnd = new SpinEdit(this, QStringLiteral("KV_UT_Mask_Special_VEnd"), 0, 200, 0);
    KV_UT_Mask_Special_VEnd->setGeometry(kMaskRect.left() - 74, kMaskRect.bottom() + 1 - 21, 48, 21);

    KV_UT_Mask_Special_CutOff =
        makeCheckBox(this, QStringLiteral("KV_UT_Mask_Special_CutOff"), QStringLiteral("Part Gradient"),
                     QStringLiteral("Stop Mask at Vertical Pointer Position"), false);
    KV_UT_Mask_Special_CutOff->setGeometry(kOptionsLeft, 46, 116, 18);
    KV_UT_Mask_Special_AutoSize = makeCheckBox(
        this, QStringLiteral("KV_UT_Mask_Special_AutoSize"), QStringLiteral("AutoSize "),
        QStringLiteral(
            "Size mask to suit Source and Destination Images [Both Source and Destination Images must "
            "contain an Image or Manual values are used]"),
        false);
    KV_UT_Mask_Special_AutoSize->setGeometry(kOptionsLeft, 66, 116, 18);
    KV_UT_Mask_Special_BaseOpaque =
        makeCheckBox(this, QStringLiteral("KV_UT_Mask_Special_BaseOpaque"), QStringLiteral("Opaque "),
                     QStringLiteral("Underlying Mask will be Opaque [Part Gradient Only]"), true);
    KV_UT_Mask_Special_BaseOpaque->setGeometry(kOptionsLeft, 86, 116, 18);
    KV_UT_Mask_Special_Width =
        new SpinEdit(this, QStringLiteral("KV_UT_Mask_Special_Width"), 10, 2000, 100, 1,
                     QStringLiteral("Mask Width [AutoSize must be False] -  Max Value 2000"));
    KV_UT_Mask_Special_Width->setGeometry(kOptionsLeft, 126, 56, 21);
    KV_UT_Mask_Special_Height =
        new SpinEdit(this, QStringLiteral("KV_UT_Mask_Special_Height"), 10, 2000, 100, 1,
                     QStringLiteral("Mask Height [AutoSize Must be False]  -  Max Value 2000"));
    KV_UT_Mask_Special_Height->setGeometry(kOptionsLeft + 60, 126, 56, 21);

    KV_UT_Mask_Special_Source = makePicture(this, QStringLiteral("KV_UT_Mask_Special_Source"), kSourceRect);
    KV_UT_Mask_Special_OrgDestination =
        makePicture(this, QStringLiteral("KV_UT_Mask_Special_OrgDestination"), kOrgDestinationRect);
    KV_UT_Mask_Special_Mask = makePicture(this, QStringLiteral("KV_UT_Mask_Special_Mask"), kMaskRect);
    KV_UT_Mask_Special_Destination =
        makePicture(this, QStringLiteral("KV_UT_Mask_Special_Destination"), kResultRect);

    makeLabel(this, QStringLiteral("Source:- "))->setGeometry(kSourceRect.left(), 1, 92, 15);
    makeLabel(this, QStringLiteral("Destination:- "))->setGeometry(kOrgDestinationRect.left(), 100, 92, 15);
    makeLabel(this, QStringLiteral("Result:- "))->setGeometry(kResultRect.left(), 1, 122, 15);
    KV_UT_Mask_Special_TLabel =
        makeLabel(this, QStringLiteral("[ 0% ]"), QStringLiteral("KV_UT_Mask_Special_TLabel"));
    KV_UT_Mask_Special_TLabel->setToolTip(QStringLiteral("Transparency at Mouse X,Y [ 0 % is Opaque ]"));
    KV_UT_Mask_Special_TLabel->setGeometry(kMaskRect.left(), 5, kMaskRect.width(), 15);
    makeLabel(this, QStringLiteral("< W x H >"))->setGeometry(kOptionsLeft, 109, 116, 15);
}

void GradientBlendsPage::readSettings(const IniFile& ini)
{
    readPageSettings(ini, kSection, pageSettings(*this));
}

void GradientBlendsPage::writeSettings(IniFile& ini) const
{
    writePageSettings(ini, kSection, pageSettings(*this));
}

} // namespace vask
