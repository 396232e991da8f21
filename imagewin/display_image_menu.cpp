// Builds the image window's Edit and Image Process menus and its picture's context menu.
#include "controls/component_tag.h"
#include "controls/picbuf.h"
#include "imagewin/display_commands.h"
#include "imagewin/display_window.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace vask {

namespace {

QMenu* addNamedMenu(QMenu* parent, const char* name, const char* caption)
{
    QMenu* menu = parent->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addNamedItem(QMenu* menu, const QString& name, const char* caption, int tag)
{
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(name);
    setTag(item, tag);
    return item;
}

QAction* addNamedItem(QMenu* menu, const char* name, const char* caption, int tag)
{
    return addNamedItem(menu, QString::fromLatin1(name), caption, tag);
}

struct RotateItem {
    const char* suffix;
    const char* caption;
    int tag;
    bool separatorBefore;
};

constexpr RotateItem kRotateItems[] = {
    {"90", "90", 90, false}, {"180", "180", 180, false}, {"270", "270", 270, false},
    {"1", "1", 1, true},     {"2", "2", 2, false},       {"5", "5", 5, false},
    {"10", "10", 10, false}, {"n1", "-1", -1, true},     {"n2", "-2", -2, false},
    {"n5", "-5", -5, false}, {"n10", "-10", -10, false}, {"Custom", "Custom Value [ Pref ]", 99, false},
};

} // namespace

void DisplayCommands::buildEditMenu()
{
    KV_DM_Edit = new QMenu(QStringLiteral("&Edit"), m_display);
    KV_DM_Edit->setObjectName(QStringLiteral("KV_DM_Edit"));
    KV_DM_CopyFull = addNamedItem(KV_DM_Edit, "KV_DM_CopyFull", "Copy Active Image to Clipboard", 0);
    KV_DM_CopySelection =
        addNamedItem(KV_DM_Edit, "KV_DM_CopySelection", "Copy Selection Area to Clipboard", 1);
    KV_DM_Edit->addSeparator();
    KV_DM_PastetoCurrent =
        addNamedItem(KV_DM_Edit, "KV_DM_PastetoCurrent", "Paste to Active Image [Overwrite]", 2);
    KV_DM_PastetoSelection =
        addNamedItem(KV_DM_Edit, "KV_DM_PastetoSelection", "Paste to Active Selection Area", 3);
    KV_DM_PasteAsNew = addNamedItem(KV_DM_Edit, "KV_DM_PasteAsNew", "Paste Clipboard as New Image", 4);
    KV_DM_Edit->addSeparator();
    KV_DM_DefineSelectionArea =
        addNamedItem(KV_DM_Edit, "KV_DM_DefineSelectionArea", "Define Image Selection Area", 0);

    for (QAction* item : {KV_DM_CopyFull, KV_DM_CopySelection, KV_DM_PastetoCurrent, KV_DM_PastetoSelection,
                          KV_DM_PasteAsNew})
        connect(item, &QAction::triggered, this, [this, item] { DisplayGenMenus(item); });
    connect(KV_DM_DefineSelectionArea, &QAction::triggered, this,
            &DisplayCommands::KV_DM_DefineSelectionAreaClick);
}

void DisplayCommands::buildImageProcessMenu()
{
    KV_DM_ImageProcess = new QMenu(QStringLiteral("&Image Process"), m_display);
    KV_DM_ImageProcess->setObjectName(QStringLiteral("KV_DM_ImageProcess"));

    using Handler = void (DisplayCommands::*)(QObject*);
    auto levelMenu = [this](const char* name, const char* caption, const QString& itemPrefix,
                            std::array<QAction*, 10>& items, Handler handler) {
        QMenu* menu = addNamedMenu(KV_DM_ImageProcess, name, caption);
        for (int level = 1; level <= 10; ++level) {
            const QByteArray text = "Level " + QByteArray::number(level);
            QAction* item = addNamedItem(menu, itemPrefix + QString::number(level), text.constData(), level);
            connect(item, &QAction::triggered, this, [this, item, handler] { (this->*handler)(item); });
            items[level - 1] = item;
        }
        return menu;
    };
    KV_DM_Sharpen = levelMenu("KV_DM_Sharpen", "Sharpen Image", QStringLiteral("KV_DM_Sharpen_Level"),
                              sharpenLevels, &DisplayCommands::Sharpen);
    // Level 1 of sharpening carries this name, unlike its neighbours.
    sharpenLevels[0]->setObjectName(QStringLiteral("KV_DM_Sharpen_Level11"));
    KV_DM_Soften = levelMenu("KV_DM_Soften", "Soften Image", QStringLiteral("KV_DM_Soften_Level"),
                             softenLevels, &DisplayCommands::Soften);
    KV_DM_Edge = levelMenu("KV_DM_Edge", "Edge Extraction", QStringLiteral("KV_DM_Edge_Level"), edgeLevels,
                           &DisplayCommands::Edge);

    KV_DM_Blur = addNamedItem(KV_DM_ImageProcess, "KV_DM_Blur", "Blur Image [Fixed]", 0);
    connect(KV_DM_Blur, &QAction::triggered, this, &DisplayCommands::Blur);

    KV_DM_Mirror = addNamedMenu(KV_DM_ImageProcess, "KV_DM_Mirror", "Mirror Image");
    KV_DM_Mirror_Horizontal = addNamedItem(KV_DM_Mirror, "KV_DM_Mirror_Horizontal", "Horizontal Flip", 1);
    KV_DM_Mirror_Vertical = addNamedItem(KV_DM_Mirror, "KV_DM_Mirror_Vertical", "Vertical Flip", 2);
    KV_DM_Mirror_HorizontalandVertical =
        addNamedItem(KV_DM_Mirror, "KV_DM_Mirror_HorizontalandVertical", "Horizontal and Vertical", 3);
    for (QAction* item : {KV_DM_Mirror_Horizontal, KV_DM_Mirror_Vertical, KV_DM_Mirror_HorizontalandVertical})
        connect(item, &QAction::triggered, this, [this, item] { Mirror(item); });

    KV_DM_Rotate = addNamedMenu(KV_DM_ImageProcess, "KV_DM_Rotate", "Rotate Image");
    for (const RotateItem& rotate : kRotateItems) {
        if (rotate.separatorBefore)
            KV_DM_Rotate->addSeparator();
        QAction* item =
            addNamedItem(KV_DM_Rotate, QStringLiteral("KV_DM_Rotate_") + QLatin1String(rotate.suffix),
                         rotate.caption, rotate.tag);
        connect(item, &QAction::triggered, this, [this, item] { Rotate(item); });
        if (rotate.tag == 99)
            KV_DM_Rotate_Custom = item;
    }

    KV_DM_Negate = addNamedItem(KV_DM_ImageProcess, "KV_DM_Negate", "Return Negative", 0);
    connect(KV_DM_Negate, &QAction::triggered, this, &DisplayCommands::KV_DM_NegateClick);
    KV_DM_GreyScale = addNamedItem(KV_DM_ImageProcess, "KV_DM_GreyScale", "Return GreyScale", 0);
    connect(KV_DM_GreyScale, &QAction::triggered, this, &DisplayCommands::KV_DM_GreyScaleClick);

    KV_DM_Convertto = addNamedMenu(KV_DM_ImageProcess, "KV_DM_Convertto", "Convert Depth");
    KV_DM_To1 = addNamedItem(KV_DM_Convertto, "KV_DM_To1", "Force to 1 Bit", 5);
    KV_DM_To4 = addNamedItem(KV_DM_Convertto, "KV_DM_To4", "Force to 4 Bit", 6);
    KV_DM_To8 = addNamedItem(KV_DM_Convertto, "KV_DM_To8", "Force to 8 Bit", 7);
    KV_DM_To24 = addNamedItem(KV_DM_Convertto, "KV_DM_To24", "Force to 24 Bit", 8);
    KV_DM_ToCommon = addNamedItem(KV_DM_Convertto, "KV_DM_ToCommon", "Map to Common Palette", 9);
    for (QAction* item : {KV_DM_To1, KV_DM_To4, KV_DM_To8, KV_DM_To24, KV_DM_ToCommon})
        connect(item, &QAction::triggered, this, [this, item] { DisplayGenMenus(item); });
}

void DisplayCommands::buildContextMenu()
{
    TPicbuf* picture = m_display->ChildPicbuf;
    KV_UD_CutPaste = new QMenu(picture);
    KV_UD_CutPaste->setObjectName(QStringLiteral("KV_UD_CutPaste"));
    QMenu* menu = KV_UD_CutPaste;
    KV_UD_CP_EnableDrag =
        addNamedItem(menu, "KV_UD_CP_EnableDrag", "Drag this Image [ Enable Drag Mode ]", 0);
    menu->addSeparator();
    KV_UD_CP_Copy_To_Clip = addNamedItem(menu, "KV_UD_CP_Copy_To_Clip", "Copy this Image to Clipboard", 1);
    KV_UD_CP_Copy_Selection_To_Clip =
        addNamedItem(menu, "KV_UD_CP_Copy_Selection_To_Clip", "Copy this Selection Area to Clipboard", 2);
    menu->addSeparator();
    KV_UD_CP_Paste_Clip_To_Active_Image = addNamedItem(menu, "KV_UD_CP_Paste_Clip_To_Active_Image",
                                                       "Paste Clipboard to Active Image [ Overwrite ]", 3);
    KV_UD_CP_Paste_Clip_To_Selection = addNamedItem(menu, "KV_UD_CP_Paste_Clip_To_Selection",
                                                    "Paste Clipboard  to Active Selection Area", 4);
    KV_UD_CP_Paste_Clip_Asnew =
        addNamedItem(menu, "KV_UD_CP_Paste_Clip_Asnew", "Paste Clipboard as New Image", 5);
    menu->addSeparator();
    KV_UD_CP_NewfromSelection =
        addNamedItem(menu, "KV_UD_CP_NewfromSelection", "Create New Image from this Selection Set", 6);
    menu->addSeparator();
    KV_UD_CP_Undo = addNamedItem(menu, "KV_UD_CP_Undo", "Undo - Restore Undo Image", 7);
    menu->addSeparator();
    KV_UD_CP_Help = addNamedItem(menu, "KV_UD_CP_Help", "Help", 8);
    KV_UD_CP_Help->setShortcut(QKeySequence(Qt::Key_F1));

    for (QAction* item : menu->actions()) {
        if (!item->isSeparator())
            connect(item, &QAction::triggered, this, [this, item] { CutPaste(item); });
    }
    // A right click anywhere on the picture, the scroll area's viewport included.
    picture->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(picture, &QWidget::customContextMenuRequested, this, &DisplayCommands::showContextMenu);
}

void DisplayCommands::showContextMenu(const QPoint& pointInControl)
{
    TPicbuf* picture = m_display->ChildPicbuf;
    KV_UD_CutPaste->popup(picture->viewport()->mapToGlobal(pointInControl));
}

} // namespace vask
