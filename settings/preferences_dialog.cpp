#include "settings/preferences_dialog.h"

#include "controls/classic_look.h"

#include "store/image_names.h"

#include "controls/form_widgets.h"
#include "settings/ini_file.h"
#include "settings/program_paths.h"
#include "settings/settings_location.h"
#include "shell/fault_report.h"
#include "shell/master_form.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace vask {

namespace {

constexpr int kDefaultBaseColour = 16776960; // aqua

std::string text(const QString& value)
{
    return value.toStdString();
}
QString qtext(const std::string& value)
{
    return QString::fromStdString(value);
}

QComboBox* makeDropDownList(QWidget* parent, const char* name, const QString& hint, const QStringList& items)
{
    QComboBox* box = makeDropDown(parent, QString::fromLatin1(name), hint, items);
    // The long item texts would widen the window past its fixed size; the open list shows them whole.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    return box;
}

QGroupBox* makeGroup(QWidget* parent, const QString& caption)
{
    auto* group = new QGroupBox(caption, parent);
    return group;
}

template <typename Layout> Layout* tightLayout(QWidget* owner)
{
    auto* layout = new Layout(owner);
    layout->setContentsMargins(5, 2, 5, 3);
    layout->setSpacing(2);
    return layout;
}

// A tool window stays above its owner, the main window; without one it stays above all.
QWidget* ownerWindow(QWidget* parent)
{
    if (parent != nullptr)
        return parent;
    return programWindows().KV_Masterform;
}

Qt::WindowFlags windowFlagsFor(const QWidget* owner)
{
    Qt::WindowFlags flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (owner == nullptr)
        flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

} // namespace

QColor colourFromWindowsValue(int value)
{
    const auto bits = static_cast<unsigned>(value);
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

int windowsValueFromColour(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

BaseColourPanel::BaseColourPanel(QWidget* parent, const QString& name, const QString& hint) : QFrame(parent)
{
    setObjectName(name);
    setToolTip(hint);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    setMinimumSize(24, 20);
    setColour(colourFromWindowsValue(kDefaultBaseColour));
}

void BaseColourPanel::setColour(const QColor& colour)
{
    m_colour = colour;
    QPalette shade = palette();
    shade.setColor(QPalette::Window, colour);
    setPalette(shade);
}

void BaseColourPanel::mouseReleaseEvent(QMouseEvent* event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

TKV_Preferences32v1::TKV_Preferences32v1(QWidget* parent)
    : QWidget(ownerWindow(parent), windowFlagsFor(ownerWindow(parent)))
{
    setObjectName(QStringLiteral("KV_Preferences32v1"));
    setWindowTitle(QStringLiteral("Preferences and Defaults"));
    applyClassicLook(this);

    AddonOpenBrowser.kind = DialogRequest::OpenFile;
    AddonOpenBrowser.text = QStringLiteral("- Addon software - File Browser");
    AddonOpenBrowser.filter = QStringLiteral("*.exe [ Executables only ] (*.exe)");
    AddonOpenBrowser.filterIndex = 1;

    buildDisplayGroup();
    buildNewImageGroup();
    buildSmallGroups();
    buildAddOnGroup();

    // The display options across the top; the new-image defaults on the left with the
    // preview, rotation, undo and help groups beside them; the add-on programs at the bottom.
    auto* angleAndUndo = new QHBoxLayout;
    angleAndUndo->setSpacing(4);
    angleAndUndo->addWidget(m_angleGroup, 1);
    angleAndUndo->addWidget(m_undoGroup, 1);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_displayGroup, 0, 0, 1, 2);
    layout->addWidget(m_newImageGroup, 1, 0, 3, 1);
    layout->addWidget(m_previewGroup, 1, 1);
    layout->addLayout(angleAndUndo, 2, 1);
    layout->addWidget(m_helpGroup, 3, 1);
    layout->addWidget(m_addOnGroup, 4, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    setFixedSize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - kClientWidth) / 2, area.y() + (area.height() - kClientHeight) / 2);
    }

    connect(KV_Pref_BaseColour, &BaseColourPanel::Click, this, &TKV_Preferences32v1::KV_Pref_BaseColourClick);
    for (QLineEdit* box : {KV_Pref_AddOn1, KV_Pref_AddOn2, KV_Pref_AddOn3, KV_Pref_AddOn4})
        box->installEventFilter(this);

    FormCreate();
}

void TKV_Preferences32v1::buildDisplayGroup()
{
    m_displayGroup = makeGroup(this, QStringLiteral(" Image Display Options "));
    KV_Pref_AssignMode = makeDropDownList(
        m_displayGroup, "KV_Pref_AssignMode",
        QStringLiteral("Assign mode applied to new Images upon loading"),
        {QStringLiteral("[0] Total Replacement"), QStringLiteral("[1] Union Composite"),
         QStringLiteral("[2] Intersection Composite"), QStringLiteral("[3] Resize Composite")});
    KV_Pref_ResizeMode = makeDropDownList(m_displayGroup, "KV_Pref_ResizeMode",
                                          QStringLiteral("Resize mode applied to new Images upon loading"),
                                          {QStringLiteral("[0] Pixel Deletion / Replication Fixed Aspect"),
                                           QStringLiteral("[1] Pixel Deletion / Replication Floating Aspect"),
                                           QStringLiteral("[2] Resample with Fixed Aspect"),
                                           QStringLiteral("[3] Resample with Floating Aspect")});
    KV_Pref_WidthDefault = new SpinEdit(m_displayGroup, QStringLiteral("KV_Pref_WidthDefault"), 10, 1600, 250,
                                        1, QStringLiteral("Default width for new child Images"));
    KV_Pref_HeightDefault = new SpinEdit(m_displayGroup, QStringLiteral("KV_Pref_HeightDefault"), 10, 1600,
                                         250, 1, QStringLiteral("Default height for new child Images"));
    KV_Pref_PaletteFile = new QLineEdit(m_displayGroup);
    KV_Pref_PaletteFile->setObjectName(QStringLiteral("KV_Pref_PaletteFile"));
    KV_Pref_PaletteFile->setToolTip(
        QStringLiteral("Enter full name and path of palette file used for automatic "
                       "palette mapping of 8 bit Images on load"));

    auto* layout = tightLayout<QGridLayout>(m_displayGroup);
    layout->addWidget(makeLabel(m_displayGroup, QStringLiteral(" Assign Mode:- ")), 0, 0);
    layout->addWidget(KV_Pref_AssignMode, 0, 1);
    layout->addWidget(makeLabel(m_displayGroup, QStringLiteral(" Resize Mode:- ")), 0, 2);
    layout->addWidget(KV_Pref_ResizeMode, 0, 3);
    auto* sizes = new QHBoxLayout;
    sizes->setSpacing(3);
    sizes->addWidget(makeLabel(m_displayGroup, QStringLiteral("Default Width and Size Upon Load :- ")));
    sizes->addWidget(KV_Pref_WidthDefault);
    sizes->addWidget(KV_Pref_HeightDefault);
    sizes->addWidget(KV_Pref_PaletteFile, 1);
    layout->addLayout(sizes, 1, 0, 1, 4);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
}

void TKV_Preferences32v1::buildNewImageGroup()
{
    m_newImageGroup = makeGroup(this, QStringLiteral(" New Image Defaults "));
    KV_Pref_BitDepths =
        new RadioGroup(m_newImageGroup, QStringLiteral("KV_Pref_BitDepths"), QStringLiteral(" Bit Depths "),
                       {QStringLiteral("1 Bit Image"), QStringLiteral("4 Bit Image"),
                        QStringLiteral("8 Bit Image"), QStringLiteral("24 Bit Image")},
                       2, QStringLiteral("Bit Depth for New Image Default"), 2);
    KV_Pref_maskvalue = new SpinEdit(m_newImageGroup, QStringLiteral("KV_Pref_maskvalue"), 0, 100, 50, 1,
                                     QStringLiteral("Opacity Mask Transmission Setting"));
    KV_Pref_Asmask = makeCheckBox(
        m_newImageGroup, QStringLiteral("KV_Pref_Asmask"), QStringLiteral("Opacity Mask"),
        QStringLiteral("Check this Option to Create Opacity Mask, otherwise use Base Colour"), false);
    KV_Pref_NewWidth = new SpinEdit(m_newImageGroup, QStringLiteral("KV_Pref_NewWidth"), 5, 3000, 100, 1,
                                    QStringLiteral("New Image Default Width"));
    KV_Pref_NewHeight = new SpinEdit(m_newImageGroup, QStringLiteral("KV_Pref_NewHeight"), 5, 3000, 100, 1,
                                     QStringLiteral("New Image Default Height"));
    KV_Pref_BaseColour =
        new BaseColourPanel(m_newImageGroup, QStringLiteral("KV_Pref_BaseColour"),
                            QStringLiteral("Base Colour Sample for New Image - Click to Pick Colour"));

    auto* layout = tightLayout<QGridLayout>(m_newImageGroup);
    layout->addWidget(KV_Pref_BitDepths, 0, 0, 1, 2);
    layout->addWidget(KV_Pref_Asmask, 1, 0);
    layout->addWidget(KV_Pref_maskvalue, 1, 1);
    layout->addWidget(KV_Pref_NewWidth, 2, 0);
    layout->addWidget(KV_Pref_NewHeight, 2, 1);
    layout->addWidget(KV_Pref_BaseColour, 3, 0, 1, 2);
    layout->setRowStretch(3, 1);
}

void TKV_Preferences32v1::buildSmallGroups()
{
    m_angleGroup = makeGroup(this, QStringLiteral(" Custom Rotate Angle "));
    KV_Pref_Custom_Angle =
        new SpinEdit(m_angleGroup, QStringLiteral("KV_Pref_Custom_Angle"), -365, 365, 90, 1,
                     QStringLiteral("Custom Rotation Angle - Set Fill Colour with New Image Base Colour"));
    tightLayout<QVBoxLayout>(m_angleGroup)->addWidget(KV_Pref_Custom_Angle);

    m_undoGroup = makeGroup(this, QStringLiteral(" Auto Undo "));
    KV_Pref_AutoUndo =
        makeCheckBox(m_undoGroup, QStringLiteral("KV_Pref_AutoUndo"), QStringLiteral("Auto Undo"),
                     QStringLiteral("Enable Automatic Undo - Caution - Can Slow response times"), true);
    tightLayout<QVBoxLayout>(m_undoGroup)->addWidget(KV_Pref_AutoUndo);

    m_previewGroup = makeGroup(this, QStringLiteral(" Preview Image Options "));
    KV_Pref_Preview_MaintainRatio =
        makeCheckBox(m_previewGroup, QStringLiteral("KV_Pref_Preview_MaintainRatio"),
                     QStringLiteral("Maintain Aspect Ratio"),
                     QStringLiteral("Maintain Aspect Ratio - Res Value below used Height Calculated"), true);
    KV_Pref_PreviewFast =
        makeCheckBox(m_previewGroup, QStringLiteral("KV_Pref_PreviewFast"), QStringLiteral("Fast resample"),
                     QStringLiteral("Enable Fast Resample of Preview Images "), true);
    KV_Pref_PreviewSize = new SpinEdit(
        m_previewGroup, QStringLiteral("KV_Pref_PreviewSize"), 10, 1000, 150, 1,
        QStringLiteral("Resolution of Preview Images - Width & Height or use Maintain Ratio Option"));
    auto* preview = tightLayout<QGridLayout>(m_previewGroup);
    preview->addWidget(KV_Pref_Preview_MaintainRatio, 0, 0, 1, 2);
    preview->addWidget(KV_Pref_PreviewFast, 0, 2);
    preview->addWidget(makeLabel(m_previewGroup, QStringLiteral("Preview Resolution - ")), 1, 0);
    preview->addWidget(KV_Pref_PreviewSize, 1, 1, 1, 2);
    preview->setRowStretch(2, 1);

    m_helpGroup = makeGroup(this, QStringLiteral(" Macro DDE / FlyOver Help "));
    KV_Pref_KillMacrotransfer = makeCheckBox(
        m_helpGroup, QStringLiteral("KV_Pref_KillMacrotransfer"), QStringLiteral("Delete Incoming File  "),
        QStringLiteral(
            "Delete the file requested to be opened by remote program - this DELETES the file from "
            "disk - 'VASK32V1MACROINPORT'  'VASK32V1'"),
        true);
    KV_Pref_FlyOver =
        makeCheckBox(m_helpGroup, QStringLiteral("KV_Pref_FlyOver"), QStringLiteral("FlyOver Help"),
                     QStringLiteral("Un-check to remove flyover help messages"), true);
    auto* help = tightLayout<QHBoxLayout>(m_helpGroup);
    help->addWidget(KV_Pref_KillMacrotransfer);
    help->addWidget(KV_Pref_FlyOver);
}

void TKV_Preferences32v1::buildAddOnGroup()
{
    m_addOnGroup = makeGroup(
        this, QStringLiteral("Addon software - [ Double click required item to call up file browser ] "));
    auto* layout = tightLayout<QGridLayout>(m_addOnGroup);
    const std::array<QLineEdit**, 4> boxes{&KV_Pref_AddOn1, &KV_Pref_AddOn2, &KV_Pref_AddOn3,
                                           &KV_Pref_AddOn4};
    for (int index = 0; index < 4; ++index) {
        auto* box = new QLineEdit(m_addOnGroup);
        box->setObjectName(QStringLiteral("KV_Pref_AddOn%1").arg(index + 1));
        box->setToolTip(
            QStringLiteral("Enter full path and name for user addon menu Item %1 - or double click "
                           "box to call up browser")
                .arg(index + 1));
        // 1 top left, 2 top right, 3 bottom left, 4 bottom right.
        layout->addWidget(box, index / 2, index % 2);
        *boxes[static_cast<std::size_t>(index)] = box;
    }
}

void TKV_Preferences32v1::FormCreate()
{
    ReadSettings();
}

void TKV_Preferences32v1::FormClose()
{
    WriteSettings();
    applyAutoUndo(KV_Pref_AutoUndo->isChecked());
    ReadSettings();
}

void TKV_Preferences32v1::ReadSettings()
{
    const IniFile file(settingsFilePath());
    readControls(file);
    applyDerivedEffects(file);
}

void TKV_Preferences32v1::WriteSettings()
{
    IniFile file(settingsFilePath());
    try {
        writeControls(file);
    } catch (const IniWriteError& refused) {
        DialogService::instance().information(QString::fromUtf8(refused.what()));
    }
}

void TKV_Preferences32v1::readControls(const IniFile& file)
{
    KV_Pref_AssignMode->setCurrentIndex(file.ReadInteger("DisplayOptions", "Assignmode", 3));
    KV_Pref_ResizeMode->setCurrentIndex(file.ReadInteger("DisplayOptions", "ResizeMode", 3));
    KV_Pref_WidthDefault->setValue(file.ReadInteger("DisplayOptions", "DWidth", 250));
    KV_Pref_HeightDefault->setValue(file.ReadInteger("DisplayOptions", "DHeight", 250));
    KV_Pref_BitDepths->setItemIndex(file.ReadInteger("NewImage", "NBit", 2));
    KV_Pref_maskvalue->setValue(file.ReadInteger("NewImage", "NOpacityVal", 50));
    KV_Pref_Asmask->setChecked(file.ReadBool("NewImage", "NOpacity", false));
    KV_Pref_NewWidth->setValue(file.ReadInteger("NewImage", "NWidth", 100));
    KV_Pref_NewHeight->setValue(file.ReadInteger("NewImage", "NHeight", 100));
    KV_Pref_BaseColour->setColour(
        colourFromWindowsValue(file.ReadInteger("NewImage", "NColour", kDefaultBaseColour)));
    KV_Pref_Custom_Angle->setValue(file.ReadInteger("Rotation", "CAngle", 90));
    KV_Pref_AutoUndo->setChecked(file.ReadBool("Automatics", "AutoUndo", true));
    KV_Pref_Preview_MaintainRatio->setChecked(file.ReadBool("PreviewImage", "Aspect", true));
    KV_Pref_PreviewFast->setChecked(file.ReadBool("PreviewImage", "Fast", true));
    KV_Pref_PreviewSize->setValue(file.ReadInteger("PreviewImage", "DPI", 150));
    KV_Pref_KillMacrotransfer->setChecked(file.ReadBool("DDE", "Delete", true));
    const QString program = GetProgramPath();
    KV_Pref_PaletteFile->setText(
        qtext(file.ReadString("FileOptions", "Palette", text(program + "Common.pal"))));
    KV_Pref_AddOn1->setText(qtext(file.ReadString("AddOns", "AddOn1", text(program + "Morvalt.exe"))));
    KV_Pref_AddOn2->setText(qtext(file.ReadString("AddOns", "AddOn2", kAvailable)));
    KV_Pref_AddOn3->setText(qtext(file.ReadString("AddOns", "AddOn3", kAvailable)));
    KV_Pref_AddOn4->setText(qtext(file.ReadString("AddOns", "AddOn4", kAvailable)));
    KV_Pref_FlyOver->setChecked(file.ReadBool("Help", "FlyOver", true));
    // Long paths show their beginning, as a freshly filled box does.
    for (QLineEdit* box :
         {KV_Pref_PaletteFile, KV_Pref_AddOn1, KV_Pref_AddOn2, KV_Pref_AddOn3, KV_Pref_AddOn4})
        box->setCursorPosition(0);
}

void TKV_Preferences32v1::writeControls(IniFile& file)
{
    file.WriteInteger("DisplayOptions", "Assignmode", KV_Pref_AssignMode->currentIndex());
    file.WriteInteger("DisplayOptions", "Resizemode", KV_Pref_ResizeMode->currentIndex());
    file.WriteInteger("DisplayOptions", "DWidth", KV_Pref_WidthDefault->value());
    file.WriteInteger("DisplayOptions", "DHeight", KV_Pref_HeightDefault->value());
    file.WriteInteger("NewImage", "NBit", KV_Pref_BitDepths->itemIndex());
    file.WriteInteger("NewImage", "NOpacityVal", KV_Pref_maskvalue->value());
    file.WriteBool("NewImage", "NOpacity", KV_Pref_Asmask->isChecked());
    file.WriteInteger("NewImage", "NWidth", KV_Pref_NewWidth->value());
    file.WriteInteger("NewImage", "NHeight", KV_Pref_NewHeight->value());
    file.WriteInteger("NewImage", "NColour", windowsValueFromColour(KV_Pref_BaseColour->colour()));
    file.WriteInteger("Rotation", "CAngle", KV_Pref_Custom_Angle->value());
    file.WriteBool("Automatics", "AutoUndo", KV_Pref_AutoUndo->isChecked());
    file.WriteBool("PreviewImage", "Aspect", KV_Pref_Preview_MaintainRatio->isChecked());
    file.WriteBool("PreviewImage", "Fast", KV_Pref_PreviewFast->isChecked());
    file.WriteInteger("PreviewImage", "DPI", KV_Pref_PreviewSize->value());
    file.WriteBool("DDE", "Delete", KV_Pref_KillMacrotransfer->isChecked());
    file.WriteString("FileOptions", "Palette", text(KV_Pref_PaletteFile->text()));
    file.WriteString("AddOns", "AddOn1", text(KV_Pref_AddOn1->text()));
    file.WriteString("AddOns", "AddOn2", text(KV_Pref_AddOn2->text()));
    file.WriteString("AddOns", "AddOn3", text(KV_Pref_AddOn3->text()));
    file.WriteString("AddOns", "AddOn4", text(KV_Pref_AddOn4->text()));
    file.WriteBool("Help", "FlyOver", KV_Pref_FlyOver->isChecked());
}

void TKV_Preferences32v1::applyDerivedEffects(const IniFile& file)
{
    if (TKV_Masterform* master = programWindows().KV_Masterform) {
        const std::array<QAction*, 4> items{master->KV_MM_Addons_Addon1, master->KV_MM_Addons_Addon2,
                                            master->KV_MM_Addons_Addon3, master->KV_MM_Addons_Addon4};
        const std::array<QLineEdit*, 4> boxes{KV_Pref_AddOn1, KV_Pref_AddOn2, KV_Pref_AddOn3, KV_Pref_AddOn4};
        for (std::size_t index = 0; index < items.size(); ++index) {
            // A "&" in a file name is a letter, not a menu accelerator.
            if (items[index] != nullptr)
                items[index]->setText(
                    fileNamePart(boxes[index]->text()).replace(QLatin1Char('&'), QStringLiteral("&&")));
        }
    }
    // The switch and the button follow the file, as the check box does.
    applyAutoUndo(file.ReadBool("Automatics", "AutoUndo", true));
    setFlyOverHintsEnabled(KV_Pref_FlyOver->isChecked());
    applyHintAppearance();
}

void TKV_Preferences32v1::applyAutoUndo(bool enabled)
{
    programState().AutoUndo = enabled;
    if (TKV_Masterform* master = programWindows().KV_Masterform) {
        if (master->KV_Masterform_Undo_Icon != nullptr)
            master->KV_Masterform_Undo_Icon->setEnabled(enabled);
    }
}

void TKV_Preferences32v1::KV_Pref_BaseColourClick()
{
    guardedHandler("UPref32v1", 179, [this] {
        const DialogAnswer answer = DialogService::instance().chooseColour(KV_Pref_BaseColour->colour());
        if (answer.accepted && answer.colour.isValid())
            KV_Pref_BaseColour->setColour(answer.colour);
    });
}

void TKV_Preferences32v1::AddonDblClick(QLineEdit* box)
{
    try {
        DialogRequest request = AddonOpenBrowser;
        if (QFileInfo(box->text()).isAbsolute())
            request.initialPath = box->text();
        const DialogAnswer answer = DialogService::instance().openFile(request);
        if (answer.accepted)
            box->setText(answer.fileName);
    } catch (...) {
        box->setText(QString::fromLatin1(kAvailable));
    }
}

void TKV_Preferences32v1::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

bool TKV_Preferences32v1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (QLineEdit* box : {KV_Pref_AddOn1, KV_Pref_AddOn2, KV_Pref_AddOn3, KV_Pref_AddOn4}) {
            if (watched == box) {
                AddonDblClick(box);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vask
