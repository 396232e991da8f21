#include "utilities/drag_drop_options_page.h"

#include "controls/form_widgets.h"
#include "settings/ini_file.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

namespace vask {

namespace {

const std::string kSection = "DragDrop";

QRadioButton* makeRadioButton(QWidget* parent, const QString& name, const QString& caption,
                              const QString& hint, bool checked)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setChecked(checked);
    return button;
}

// The page's keys in the order the settings file holds them.
std::vector<PageSetting> pageSettings(const DragDropOptionsPage& page)
{
    return {{page.KV_UT_DragDrop_DstSelection, "DstSelection", true},
            {page.KV_UT_DragDrop_SrcSelection, "SrcSelection", false},
            {page.KV_UT_DragDrop_PSelf, "PreventSelf", true},
            {page.KV_UT_DragDrop_AutoEqualise, "Automatic", true},
            {page.KV_UT_DragDrop_Raise24, "24Raise", true},
            {page.KV_UT_DragDrop_EBitDepths, "EquateDepths", true},
            {page.KV_UT_DragDrop_Remap, "PaletteRemap", true},
            {page.KV_UT_DragDrop_Resize, "AutoResize", true},
            {page.KV_UT_DragDrop_FAspect, "CorrectAspect", false},
            {page.KV_UT_DragDrop_DragSelectionasImage, "DragAsImage", true},
            {page.KV_UT_DragDrop_AsImagewithSource, "wSource", true},
            {page.KV_UT_DragDrop_AsImagewithDestination, "wDestination", false}};
}

} // namespace

DragDropOptionsPage::DragDropOptionsPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Options_Options"));

    optionsGroupBox = new QGroupBox(QStringLiteral("  Drag Drop Options between Children  "), this);
    QGroupBox* box = optionsGroupBox;

    KV_UT_DragDrop_DstSelection = makeCheckBox(
        box, QStringLiteral("KV_UT_DragDrop_DstSelection"), QStringLiteral("Drop to Selection Area"),
        QStringLiteral("Drop to Child Images Selection Area [x] or Full  Area [ ]"), true);
    KV_UT_DragDrop_SrcSelection = makeCheckBox(
        box, QStringLiteral("KV_UT_DragDrop_SrcSelection"), QStringLiteral("Drag Image Selection Area"),
        QStringLiteral("Drag Source Image's Selection Area [x] or full Area [ ]"), false);
    KV_UT_DragDrop_PSelf =
        makeCheckBox(box, QStringLiteral("KV_UT_DragDrop_PSelf"), QStringLiteral("Prevent Self Drop"),
                     QStringLiteral("Stops Dropping Images to Self [x]"), true);
    KV_UT_DragDrop_AutoEqualise = makeCheckBox(
        box, QStringLiteral("KV_UT_DragDrop_AutoEqualise"), QStringLiteral("Auto Equalise Images:- "),
        QStringLiteral("[x] Automatically Adjust Images so Cut and Paste can occur - Use Options Below:-"),
        true);
    KV_UT_DragDrop_Raise24 =
        makeCheckBox(box, QStringLiteral("KV_UT_DragDrop_Raise24"), QStringLiteral("Raise Images to 24 Bit"),
                     QStringLiteral("[x] For Cut / Paste Operations Raise both Images to 24 Bit"), true);
    KV_UT_DragDrop_EBitDepths = makeCheckBox(
        box, QStringLiteral("KV_UT_DragDrop_EBitDepths"), QStringLiteral("Equalise Depths - [Src to Dest]"),
        QStringLiteral("[x] Set the Source Images Depth to the Destinations Depth during Cut / Paste "),
        true);
    KV_UT_DragDrop_Remap = makeCheckBox(
        box, QStringLiteral("KV_UT_DragDrop_Remap"), QStringLiteral("Palette Map - [Src to Dest]"),
        QStringLiteral("[x] Map Palettes during Cut/Paste - Force Source to Destination"), true);
    KV_UT_DragDrop_Resize = makeCheckBox(
        box, QStringLiteral("KV_UT_DragDrop_Resize"), QStringLiteral("Set Modes to Resize"),
        QStringLiteral(
            "[x] For Cut /Paste set Destination buffer to accept Images to Selection area [Paste from "
            "Vaskolen's Clipboard always has this 'Checked' and ignores users selection]"),
        true);
    KV_UT_DragDrop_FAspect = makeCheckBox(
        box, QStringLiteral("KV_UT_DragDrop_FAspect"), QStringLiteral("Source Ratio 1:1"),
        QStringLiteral(
            "Source Image's ratio is maintained at 1:1 - ie Distort to fit selection area or maintain "
            "aspect ratio of incoming image - only used with Scale to Destination option"),
        false);
    KV_UT_DragDrop_DragSelectionasImage = makeCheckBox(
        box, QStringLiteral("KV_UT_DragDrop_DragSelectionasImage"), QStringLiteral("Drag as Floating Image"),
        QStringLiteral("Allows Image to be dragged as a floating Image to any desired location "), true);
    KV_UT_DragDrop_AsImagewithSource = makeRadioButton(
        box, QStringLiteral("KV_UT_DragDrop_AsImagewithSource"), QStringLiteral("Use Source Selection "),
        QStringLiteral("Use Selection Area from Source Image"), true);
    KV_UT_DragDrop_AsImagewithDestination =
        makeRadioButton(box, QStringLiteral("KV_UT_DragDrop_AsImagewithDestination"),
                        QStringLiteral("Scale to Destination Selection Size"),
                        QStringLiteral("Force Dragged Image into size of Destination selection area"), false);

    // As built, Raise Images to 24 Bit is checked, so the two depth options wait disabled.
    KV_UT_DragDrop_EBitDepths->setEnabled(false);
    KV_UT_DragDrop_Remap->setEnabled(false);

    // Pixel positions within the 559 x 240 top page: selection options on the left with the
    // floating image's size choices under them, equalising options on the right.
    constexpr int rowHeight = 26;
    constexpr int firstRow = 28;
    constexpr int leftColumn = 16;
    constexpr int rightColumn = 284;
    constexpr int indent = 20;
    box->setGeometry(6, 6, 547, 226);
    KV_UT_DragDrop_DstSelection->setGeometry(leftColumn, firstRow, 240, 18);
    KV_UT_DragDrop_SrcSelection->setGeometry(leftColumn, firstRow + rowHeight, 240, 18);
    KV_UT_DragDrop_PSelf->setGeometry(leftColumn, firstRow + 2 * rowHeight, 240, 18);
    KV_UT_DragDrop_DragSelectionasImage->setGeometry(leftColumn, firstRow + 3 * rowHeight, 240, 18);
    KV_UT_DragDrop_AsImagewithSource->setGeometry(leftColumn + indent, firstRow + 4 * rowHeight, 220, 18);
    KV_UT_DragDrop_AsImagewithDestination->setGeometry(leftColumn + indent, firstRow + 5 * rowHeight, 220,
                                                       18);
    KV_UT_DragDrop_AutoEqualise->setGeometry(rightColumn, firstRow, 240, 18);
    KV_UT_DragDrop_Raise24->setGeometry(rightColumn + indent, firstRow + rowHeight, 220, 18);
    KV_UT_DragDrop_EBitDepths->setGeometry(rightColumn + indent, firstRow + 2 * rowHeight, 220, 18);
    KV_UT_DragDrop_Remap->setGeometry(rightColumn + indent, firstRow + 3 * rowHeight, 220, 18);
    KV_UT_DragDrop_Resize->setGeometry(rightColumn + indent, firstRow + 4 * rowHeight, 220, 18);
    KV_UT_DragDrop_FAspect->setGeometry(rightColumn + indent, firstRow + 5 * rowHeight, 220, 18);
}

std::vector<QAbstractButton*> DragDropOptionsPage::optionControls() const
{
    return {KV_UT_DragDrop_DstSelection,
            KV_UT_DragDrop_SrcSelection,
            KV_UT_DragDrop_PSelf,
            KV_UT_DragDrop_AutoEqualise,
            KV_UT_DragDrop_Raise24,
            KV_UT_DragDrop_EBitDepths,
            KV_UT_DragDrop_Remap,
            KV_UT_DragDrop_Resize,
            KV_UT_DragDrop_FAspect,
            KV_UT_DragDrop_DragSelectionasImage,
            KV_UT_DragDrop_AsImagewithSource,
            KV_UT_DragDrop_AsImagewithDestination};
}

// The two radio buttons share their box, so checking one unchecks the other; each key is still
// read and written on its own.
void DragDropOptionsPage::readSettings(const IniFile& ini)
{
    readPageSettings(ini, kSection, pageSettings(*this));
}

void DragDropOptionsPage::writeSettings(IniFile& ini) const
{
    writePageSettings(ini, kSection, pageSettings(*this));
}

} // namespace vask
