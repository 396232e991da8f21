#pragma once

#include <QObject>

#include <array>

class QAction;
class QMenu;
class QPoint;

namespace vask {

class TKV_Display;
class TPicbuf;

// The image window's Edit and Image Process menus and the context menu KV_UD_CutPaste of its
// picture, with their handlers. Every command works on the owning window's ChildPicbuf; the
// clipboard and undo moves work on the active picture, which is this one while its menus
// show. Made by the window, which merges the two menus after its View menu.
class DisplayCommands : public QObject {
    Q_OBJECT
public:
    explicit DisplayCommands(TKV_Display* display);

    QMenu* KV_DM_Edit = nullptr;
    QAction* KV_DM_CopyFull = nullptr;
    QAction* KV_DM_CopySelection = nullptr;
    QAction* KV_DM_PastetoCurrent = nullptr;
    QAction* KV_DM_PastetoSelection = nullptr;
    QAction* KV_DM_PasteAsNew = nullptr;
    QAction* KV_DM_DefineSelectionArea = nullptr;

    QMenu* KV_DM_ImageProcess = nullptr;
    QMenu* KV_DM_Sharpen = nullptr;
    QMenu* KV_DM_Soften = nullptr;
    QMenu* KV_DM_Edge = nullptr;
    // "Level 1" .. "Level 10" in order; KV_DM_Sharpen_Level11 is level 1.
    std::array<QAction*, 10> sharpenLevels{};
    std::array<QAction*, 10> softenLevels{};
    std::array<QAction*, 10> edgeLevels{};
    QAction* KV_DM_Blur = nullptr;
    QMenu* KV_DM_Mirror = nullptr;
    QAction* KV_DM_Mirror_Horizontal = nullptr;
    QAction* KV_DM_Mirror_Vertical = nullptr;
    QAction* KV_DM_Mirror_HorizontalandVertical = nullptr;
    QMenu* KV_DM_Rotate = nullptr;
    QAction* KV_DM_Rotate_Custom = nullptr;
    QAction* KV_DM_Negate = nullptr;
    QAction* KV_DM_GreyScale = nullptr;
    QMenu* KV_DM_Convertto = nullptr;
    QAction* KV_DM_To1 = nullptr;
    QAction* KV_DM_To4 = nullptr;
    QAction* KV_DM_To8 = nullptr;
    QAction* KV_DM_To24 = nullptr;
    QAction* KV_DM_ToCommon = nullptr;

    QMenu* KV_UD_CutPaste = nullptr;
    QAction* KV_UD_CP_EnableDrag = nullptr;
    QAction* KV_UD_CP_Copy_To_Clip = nullptr;
    QAction* KV_UD_CP_Copy_Selection_To_Clip = nullptr;
    QAction* KV_UD_CP_Paste_Clip_To_Active_Image = nullptr;
    QAction* KV_UD_CP_Paste_Clip_To_Selection = nullptr;
    QAction* KV_UD_CP_Paste_Clip_Asnew = nullptr;
    QAction* KV_UD_CP_NewfromSelection = nullptr;
    QAction* KV_UD_CP_Undo = nullptr;
    QAction* KV_UD_CP_Help = nullptr;

    // Handlers; sender carries the tag.
    void DisplayGenMenus(QObject* sender);
    void KV_DM_DefineSelectionAreaClick();
    void Sharpen(QObject* sender);
    void Soften(QObject* sender);
    void Edge(QObject* sender);
    void Blur();
    void Mirror(QObject* sender);
    void Rotate(QObject* sender);
    void KV_DM_NegateClick();
    void KV_DM_GreyScaleClick();
    void CutPaste(QObject* sender);

private:
    void buildEditMenu();
    void buildImageProcessMenu();
    void buildContextMenu();
    void showContextMenu(const QPoint& pointInControl);
    // Undo copy, then busy with the progress text; the operation runs only when the picture
    // holds an image; "No Function" and idle after, also after a fault (reported with code).
    template <typename Operation>
    void imageProcess(const char* progressText, int code, Operation&& operation);

    TKV_Display* m_display;
};

// The command menus of an image window (made with it).
DisplayCommands* displayCommandsOf(const TKV_Display& display);

} // namespace vask
