#pragma once

#include <QMainWindow>

#include <array>

class QAction;
class QMdiArea;
class QMenu;
class QToolButton;

namespace vask {

class StatusPanelBar;
class TPicbuf;
class ToolPalette;

// The main frame "Image Vaskolen 32+": the image windows as MDI children, the main menu,
// the dockable tool palette and the five-panel status bar. Created first at start-up and
// closed last; its close writes the layout, the last file and the clipboard switch.
class TKV_Masterform : public QMainWindow {
    Q_OBJECT
public:
    explicit TKV_Masterform(QWidget* parent = nullptr);
    ~TKV_Masterform() override;

    QMdiArea* mdiArea() const { return m_mdiArea; }

    // Components, by the names the handlers use.
    StatusPanelBar* KV_MF_Statuspanel = nullptr;
    ToolPalette* KV_Top_Tool_Palette = nullptr;
    QMenuBar* KV_MainMenu = nullptr;
    QColor GlobalColorDialogColour;

    QMenu* KV_MM_FileMenu = nullptr;
    QAction* KV_MM_Openfile = nullptr;
    QAction* KV_MM_NewImage = nullptr;
    QAction* KV_MM_Closefile = nullptr;
    QAction* KV_MM_Saveas = nullptr;
    QAction* KV_MM_PrintPreview = nullptr;
    QAction* KV_MM_Scanner = nullptr;
    QAction* KV_MM_SelectSource = nullptr;
    QMenu* KV_MM_ScreenCapture = nullptr;
    QAction* KV_MM_ScreenCapture_ImageVask = nullptr;
    QAction* KV_MM_ScreenCapture_Screen = nullptr;
    QAction* ScreenandImageVaskolen1 = nullptr;
    QAction* CaptureClipboardData1 = nullptr;
    QMenu* KV_MM_Addons = nullptr;
    QAction* KV_MM_Addons_Addon1 = nullptr;
    QAction* KV_MM_Addons_Addon2 = nullptr;
    QAction* KV_MM_Addons_Addon3 = nullptr;
    QAction* KV_MM_Addons_Addon4 = nullptr;
    QAction* KV_MM_Preferences = nullptr;
    QAction* KV_MM_VaskClipboard = nullptr;
    QAction* KV_MM_Exit = nullptr;
    QMenu* KV_MM_QuickExit = nullptr;
    QAction* KV_MM_QuickExit_Call = nullptr;
    QAction* KV_MM_LastFile = nullptr;
    QMenu* KV_MM_WindowMenu_Caption = nullptr;
    QAction* KV_MM_TileImages = nullptr;
    QAction* KV_MM_CascadeImages = nullptr;
    QAction* KV_MM_ArrangeIcons = nullptr;
    QAction* KV_MM_MinimiseImages = nullptr;
    QMenu* KV_MM_AboutMenu = nullptr;
    QAction* KV_MM_About = nullptr;
    QAction* KV_MM_Help = nullptr;

    QToolButton* KV_Masterform_New_Icon = nullptr;
    QToolButton* KV_Masterform_Open_Icon = nullptr;
    QToolButton* KV_Masterform_ReOpen_Icon = nullptr;
    QToolButton* KV_Masterform_Save_Icon = nullptr;
    QToolButton* KV_Masterform_Print_Icon = nullptr;
    QToolButton* KV_Masterform_Exit_Icon = nullptr;
    QToolButton* KV_Masterform_ResetMouse_Icon = nullptr;
    QToolButton* KV_Masterform_Drag_Icon = nullptr;
    QToolButton* KV_Masterform_Auto_Icon = nullptr;
    QToolButton* KV_Masterform_Pan_Icon = nullptr;
    QToolButton* KV_Masterform_Crop_Icon = nullptr;
    QToolButton* KV_Masterform_Tools_Icon = nullptr;
    QToolButton* KV_Masterform_FScreen_Icon = nullptr;
    QToolButton* KV_Masterform_HoldMark_Icon = nullptr;
    QToolButton* KV_Masterform_UndoMark_Icon = nullptr;
    QToolButton* KV_Masterform_Undo_Icon = nullptr;
    QToolButton* KV_Masterform_Clear_Icon = nullptr;
    QToolButton* KV_Masterform_Refresh_Icon = nullptr;

    // Handlers.
    void FormCreate();
    void FormClose();
    void MasterFormMenuClicks(QObject* sender);
    void AllSpeedButtons(QObject* sender);
    void SetMouseFunction(QObject* sender);
    // Files dropped from the desktop, loaded one after another in the order given; the
    // cancel button stops the loop between files. Names that do not exist are skipped.
    void AppMessage(const QStringList& droppedFiles);
    // An image control dragged over the frame's empty background.
    void FormDragOver(QWidget* source, bool& accept);

    // The active image window's picture when it holds an image, else null.
    TPicbuf* activeImagePicture() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void buildToolPalette();
    void arrangeMinimisedImages();
    void runAddOn(int number);
    void showActiveImageFullScreen();

    QMdiArea* m_mdiArea = nullptr;
    bool m_closeWritten = false;
};

} // namespace vask
