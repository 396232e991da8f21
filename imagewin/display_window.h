#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace vask {

class TPicbuf;

// An image window: one MDI child of the main window holding one picture, ChildPicbuf, which
// fills it. Its caption is the image's name; its own menus (View, and the image commands)
// show in the main menu bar while it is the active window.
//
// Sizes: FormCreate sets the outer size of the MDI frame (the default size of image windows
// counts the frame, as a window's width always has); ChildPicbuf follows the client area.
class TKV_Display : public QWidget {
    Q_OBJECT
public:
    explicit TKV_Display(QWidget* parent = nullptr);
    ~TKV_Display() override;

    static constexpr int kInitialClientWidth = 248;
    static constexpr int kInitialClientHeight = 196;
    // The size when the preferences window cannot be read.
    static constexpr int kFallbackWidth = 640;
    static constexpr int kFallbackHeight = 480;

    TPicbuf* ChildPicbuf = nullptr;

    // KV_DisplayMenu: the menus merged into the main menu bar while this window is active,
    // in their order: View, Edit, Image Process.
    QList<QMenu*> displayMenus() const { return m_displayMenus; }
    QMenu* KV_DM_View = nullptr;
    QAction* KV_DM_AutoZoom = nullptr;
    QAction* KV_DM_Zoom11 = nullptr;
    QMenu* KV_DM_ZoomIn = nullptr;
    QAction* KV_DM_ZoomIn21 = nullptr;
    QAction* KV_DM_ZoomIn31 = nullptr;
    QAction* KV_DM_ZoomIn41 = nullptr;
    QAction* KV_DM_ZoomIn51 = nullptr;
    QAction* KV_DM_ZoomIn81 = nullptr;
    QAction* KV_DM_ZoomIn101 = nullptr;
    QAction* KV_DM_ZoomIn151 = nullptr;
    QAction* KV_DM_ZoomIn201 = nullptr;
    QMenu* KV_DM_ZoomOUT = nullptr;
    QAction* KV_DM_ZoomOut12 = nullptr;
    QAction* KV_DM_ZoomOut13 = nullptr;
    QAction* KV_DM_ZoomOut14 = nullptr;
    QAction* KV_DM_ZoomOut15 = nullptr;
    QAction* KV_DM_ZoomOut18 = nullptr;
    QAction* KV_DM_ZoomOut110 = nullptr;
    QAction* KV_DM_ZoomOut115 = nullptr;
    QAction* KV_DM_ZoomOut120 = nullptr;
    QAction* KV_DM_Refresh = nullptr;

    // Handlers.
    void FormCreate();
    void FormResize();
    void FormDeactivate();
    // The close question; true when the window may close.
    bool FormCloseQuery();
    void FormClose();
    void PaletteUpdate();
    void SetViewScale(QObject* sender);
    void KV_DM_RefreshClick();
    // The mouse functions on the picture (display_mouse.cpp); x, y are control pixels.
    void ChildPicbufMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ChildPicbufMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    void ChildPicbufMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // The picture as a drop target (another picture pasted in at the drop point) and as a
    // drag source; x, y are the picture's control pixels.
    void ChildPicbufDragOver(QWidget* source, int x, int y, bool& accept);
    void ChildPicbufDragDrop(QWidget* source, int x, int y);
    void ChildPicbufEndDrag(QWidget* target, int x, int y);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildViewMenu();
    void installDragHandlers();
    void dropAnnotationText(const QPlainTextEdit& memo, int x, int y);

    QList<QMenu*> m_displayMenus;
};

// Makes a new, visible, active image window in the main window (caption "Loading....."),
// and lets waiting events run; the caller prepares and fills its picture and sets its
// caption. Without a main window the image window is a window of its own.
TKV_Display* CreateImageWindow();

// Gives a picture the load settings: assign and resize modes from the preferences, auto
// scale on, auto size off, and the disk control dialog's FIF load options. Values whose
// window does not exist are left as they are.
void PreparePicture(TPicbuf& picture);

// The active image window, or null when there is none. While the main window itself is not
// the active window (a tool window or a box has the focus) this is the image window that
// was active last.
TKV_Display* activeImageWindow();

// Shows the active image window's menus in the main menu bar, before `before` (the Window
// menu), and takes every other image window's menus out. active may be null.
void mergeDisplayMenus(QMenuBar* bar, QAction* before, TKV_Display* active);

// Rebuilds the image window list at the end of the Window menu: one checkable item per image
// window, by caption, the active one checked; choosing an item activates that window.
void listImageWindows(QMenu* windowMenu, QMdiArea* area);

} // namespace vask
