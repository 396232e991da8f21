#include "shell/master_form.h"

#include "controls/classic_look.h"

#include "controls/component_tag.h"
#include "controls/control_drag.h"
#include "controls/dialog_service.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "controls/program_cursors.h"
#include "dragdrop/drop_pipeline.h"
#include "imagewin/background_window.h"
#include "imagewin/drag_selection_window.h"
#include "imagewin/full_screen_window.h"
#include "printing/print_preview_window.h"
#include "settings/ini_file.h"
#include "settings/preferences_dialog.h"
#include "settings/program_paths.h"
#include "settings/settings_location.h"
#include "shell/clear_module.h"
#include "shell/fault_report.h"
#include "shell/master_menu.h"
#include "shell/palette_glyphs.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/shell_routines.h"
#include "shell/status_panel_bar.h"
#include "shell/status_routines.h"
#include "shell/tool_palette.h"
#include "shell/utilities_access.h"
#include "store/image_load_save.h"
#include "store/image_slots.h"
#include "utilities/utilities_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>

namespace vask {

namespace {

QString toQString(const char* text)
{
    return QString::fromLatin1(text);
}

// A picture dropped on the frame's empty background opens as a new image window at the drop
// point. The point arrives in the image area's own coordinates, which already leave out a
// palette docked at the left or the top, so no correction for the palette is needed.
void FormDragDrop(QWidget* source, int x, int y)
{
    guardedHandler("UMaster32v1", 219, [&] {
        ProgramState& state = programState();
        if (state.DropInProgress != 0)
            return;
        state.DropInProgress = 1;
        DropAsNewWindow(source, x, y);
    });
}

} // namespace

TKV_Masterform::TKV_Masterform(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("KV_Masterform"));
    setWindowTitle(QStringLiteral("Image Vaskolen 32+"));
    // The program's icon, which the image windows' title bars show too.
    QApplication::setWindowIcon(paletteGlyph(12));
    applyClassicLook(this);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("KV_MF_ClientArea"));
    m_mdiArea->setBackground(silverColour());
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCentralWidget(m_mdiArea);
    // Files dropped from the desktop open as image windows.
    setAcceptDrops(true);

    // Children in the order the frame makes them: status bar, tool palette, menu.
    KV_MF_Statuspanel = new StatusPanelBar(this);
    setStatusBar(KV_MF_Statuspanel);
    buildToolPalette();
    buildMenu();
    GlobalColorDialogColour = QColor(0, 255, 255);

    // Image controls dragged onto the empty background of the frame.
    ControlDrag::instance().setDragOverHandler(
        m_mdiArea->viewport(),
        [this](QWidget* source, int, int, bool& accept) { FormDragOver(source, accept); });
    ControlDrag::instance().setDropHandler(m_mdiArea->viewport(),
                                           [](QWidget* source, int x, int y) { FormDragDrop(source, x, y); });

    FormCreate();
}

TKV_Masterform::~TKV_Masterform() = default;

void TKV_Masterform::buildMenu()
{
    KV_MainMenu = menuBar();
    KV_MainMenu->setObjectName(QStringLiteral("KV_MainMenu"));
    QMenu* currentTop = nullptr;
    QMenu* current = nullptr;
    for (const MenuRow& row : mainMenuRows()) {
        switch (row.kind) {
        case MenuRow::TopMenu:
            currentTop = KV_MainMenu->addMenu(toQString(row.caption));
            currentTop->setObjectName(toQString(row.name));
            current = currentTop;
            break;
        case MenuRow::Submenu:
            current = currentTop->addMenu(toQString(row.caption));
            current->setObjectName(toQString(row.name));
            break;
        case MenuRow::EndSubmenu:
            current = currentTop;
            break;
        case MenuRow::Separator:
            current->addSeparator();
            break;
        case MenuRow::Item: {
            QAction* item = current->addAction(toQString(row.caption));
            item->setObjectName(toQString(row.name));
            item->setShortcut(row.shortcut);
            setTag(item, row.tag);
            connect(item, &QAction::triggered, this, [this, item] {
                // Qt flips a checkable item before it reports the click; the handler flips
                // the clipboard switch itself, as a direct call of it must.
                if (item->isCheckable())
                    item->setChecked(!item->isChecked());
                MasterFormMenuClicks(item);
            });
            break;
        }
        }
    }
    auto action = [this](const char* name) { return findChild<QAction*>(toQString(name)); };
    auto menu = [this](const char* name) { return findChild<QMenu*>(toQString(name)); };
    KV_MM_FileMenu = menu("KV_MM_FileMenu");
    KV_MM_Openfile = action("KV_MM_Openfile");
    KV_MM_NewImage = action("KV_MM_NewImage");
    KV_MM_Closefile = action("KV_MM_Closefile");
    KV_MM_Saveas = action("KV_MM_Saveas");
    KV_MM_PrintPreview = action("KV_MM_PrintPreview");
    KV_MM_Scanner = action("KV_MM_Scanner");
    KV_MM_SelectSource = action("KV_MM_SelectSource");
    KV_MM_ScreenCapture = menu("KV_MM_ScreenCapture");
    KV_MM_ScreenCapture_ImageVask = action("KV_MM_ScreenCapture_ImageVask");
    KV_MM_ScreenCapture_Screen = action("KV_MM_ScreenCapture_Screen");
    ScreenandImageVaskolen1 = action("ScreenandImageVaskolen1");
    CaptureClipboardData1 = action("CaptureClipboardData1");
    KV_MM_Addons = menu("KV_MM_Addons");
    KV_MM_Addons_Addon1 = action("KV_MM_Addons_Addon1");
    KV_MM_Addons_Addon2 = action("KV_MM_Addons_Addon2");
    KV_MM_Addons_Addon3 = action("KV_MM_Addons_Addon3");
    KV_MM_Addons_Addon4 = action("KV_MM_Addons_Addon4");
    KV_MM_Preferences = action("KV_MM_Preferences");
    KV_MM_VaskClipboard = action("KV_MM_VaskClipboard");
    KV_MM_Exit = action("KV_MM_Exit");
    KV_MM_QuickExit = menu("KV_MM_QuickExit");
    KV_MM_QuickExit_Call = action("KV_MM_QuickExit_Call");
    KV_MM_LastFile = action("KV_MM_LastFile");
    KV_MM_WindowMenu_Caption = menu("KV_MM_WindowMenu_Caption");
    KV_MM_TileImages = action("KV_MM_TileImages");
    KV_MM_CascadeImages = action("KV_MM_CascadeImages");
    KV_MM_ArrangeIcons = action("KV_MM_ArrangeIcons");
    KV_MM_MinimiseImages = action("KV_MM_MinimiseImages");
    KV_MM_AboutMenu = menu("KV_MM_AboutMenu");
    KV_MM_About = action("KV_MM_About");
    KV_MM_Help = action("KV_MM_Help");

    KV_MM_Scanner->setEnabled(false);
    KV_MM_VaskClipboard->setCheckable(true);
    KV_MM_VaskClipboard->setChecked(true);
    // The File menu itself answers Ctrl+X by opening.
    auto* openFileMenu = new QAction(this);
    openFileMenu->setObjectName(QStringLiteral("KV_MM_FileMenu_Shortcut"));
    openFileMenu->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    connect(openFileMenu, &QAction::triggered, this,
            [this] { KV_MainMenu->setActiveAction(KV_MM_FileMenu->menuAction()); });
    addAction(openFileMenu);
}

void TKV_Masterform::buildToolPalette()
{
    KV_Top_Tool_Palette = new ToolPalette(this);
    int position = 0;
    for (const PaletteButtonRow& row : paletteButtonRows()) {
        QToolButton* button =
            KV_Top_Tool_Palette->addButton(toQString(row.name), toQString(row.hint), row.tag);
        button->setIcon(paletteGlyph(position++));
        button->setIconSize(QSize(24, 24));
        if (row.mouseFunction)
            connect(button, &QToolButton::clicked, this, [this, button] { SetMouseFunction(button); });
        else
            connect(button, &QToolButton::clicked, this, [this, button] { AllSpeedButtons(button); });
    }
    auto button = [this](const char* name) {
        return KV_Top_Tool_Palette->findChild<QToolButton*>(toQString(name));
    };
    KV_Masterform_New_Icon = button("KV_Masterform_New_Icon");
    KV_Masterform_Open_Icon = button("KV_Masterform_Open_Icon");
    KV_Masterform_ReOpen_Icon = button("KV_Masterform_ReOpen_Icon");
    KV_Masterform_Save_Icon = button("KV_Masterform_Save_Icon");
    KV_Masterform_Print_Icon = button("KV_Masterform_Print_Icon");
    KV_Masterform_Exit_Icon = button("KV_Masterform_Exit_Icon");
    KV_Masterform_ResetMouse_Icon = button("KV_Masterform_ResetMouse_Icon");
    KV_Masterform_Drag_Icon = button("KV_Masterform_Drag_Icon");
    KV_Masterform_Auto_Icon = button("KV_Masterform_Auto_Icon");
    KV_Masterform_Pan_Icon = button("KV_Masterform_Pan_Icon");
    KV_Masterform_Crop_Icon = button("KV_Masterform_Crop_Icon");
    KV_Masterform_Tools_Icon = button("KV_Masterform_Tools_Icon");
    KV_Masterform_FScreen_Icon = button("KV_Masterform_FScreen_Icon");
    KV_Masterform_HoldMark_Icon = button("KV_Masterform_HoldMark_Icon");
    KV_Masterform_UndoMark_Icon = button("KV_Masterform_UndoMark_Icon");
    KV_Masterform_Undo_Icon = button("KV_Masterform_Undo_Icon");
    KV_Masterform_Clear_Icon = button("KV_Masterform_Clear_Icon");
    KV_Masterform_Refresh_Icon = button("KV_Masterform_Refresh_Icon");
}

void TKV_Masterform::FormCreate()
{
    const IniFile ini(settingsFilePath());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen != nullptr ? screen->geometry().size() : QSize(1024, 768);
    // Integer halving truncates toward zero, as the defaults always have.
    const int top = ini.ReadInteger("Layout", "Top", screenSize.height() / 2 - 200);
    const int left = ini.ReadInteger("Layout", "Left", screenSize.width() / 2 - 360);
    const int width = ini.ReadInteger("Layout", "Width", 720);
    const int height = ini.ReadInteger("Layout", "Height", 400);
    move(left, top);
    resize(width, height);
    KV_MM_VaskClipboard->setChecked(ini.ReadBool("Clipboard", "VaskClip", true));
    LoadProgramCursors();
    KV_Top_Tool_Palette->readSettings(ini);
    DialogService::instance().setOwner(this);
}

void TKV_Masterform::FormClose()
{
    if (m_closeWritten)
        return;
    m_closeWritten = true;
    try {
        IniFile ini(settingsFilePath());
        ini.WriteInteger("Layout", "Top", pos().y());
        ini.WriteInteger("Layout", "Left", pos().x());
        ini.WriteInteger("Layout", "Width", size().width());
        ini.WriteInteger("Layout", "Height", size().height());
        ini.WriteString("FileOptions", "LastFileLoaded", KV_MM_LastFile->text().toStdString());
        ini.WriteBool("Clipboard", "VaskClip", KV_MM_VaskClipboard->isChecked());
        KV_Top_Tool_Palette->writeSettings(ini);
    } catch (const IniWriteError& refused) {
        DialogService::instance().information(QString::fromStdString(refused.what()));
    }
}

void TKV_Masterform::closeEvent(QCloseEvent* event)
{
    // Each image window asks its own question first; a No keeps the program running.
    m_mdiArea->closeAllSubWindows();
    if (!m_mdiArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    QApplication::quit();
}

void TKV_Masterform::MasterFormMenuClicks(QObject* sender)
{
    guardedHandler("UMaster32v1", 504, [&] {
        ProgramWindows& windows = programWindows();
        const int tag = tagOf(sender);
        switch (tag) {
        case 0:
            OpenFileCommand();
            break;
        case 1:
            NewImage();
            break;
        case 2:
            if (activeImagePicture() != nullptr)
                m_mdiArea->activeSubWindow()->close();
            break;
        case 3:
            SaveAsCommand();
            break;
        case 13:
            ReopenLastFileCommand();
            break;
        case 18:
        case 19:
        case 20:
        case 21:
            runAddOn(tag - 17);
            break;
        case 22:
            ShellOpenDocument(CheckFileExists(GetProgramPath() + QStringLiteral("VQ32v100.html")));
            break;
        case 4:
            if (windows.KV_PrintPreview != nullptr)
                windows.KV_PrintPreview->show();
            break;
        case 10:
            if (windows.KV_Preferences32v1 != nullptr) {
                windows.KV_Preferences32v1->show();
                windows.KV_Preferences32v1->raise();
            }
            break;
        case 11:
            hideUtilitiesWindow();
            close();
            break;
        case 12:
            // Quick exit: no questions and nothing written.
            hideUtilitiesWindow();
            m_closeWritten = true;
            QApplication::exit(0);
            break;
        case 14:
            m_mdiArea->tileSubWindows();
            break;
        case 15:
            m_mdiArea->cascadeSubWindows();
            break;
        case 16:
            arrangeMinimisedImages();
            break;
        case 17:
            for (QMdiSubWindow* window : m_mdiArea->subWindowList())
                window->showMinimized();
            break;
        case 23:
            showUtilitiesPage(QStringLiteral("KV_UT_About"));
            break;
        case 25:
            KV_MM_VaskClipboard->setChecked(!KV_MM_VaskClipboard->isChecked());
            break;
        default:
            break;
        }
    });
}

void TKV_Masterform::AllSpeedButtons(QObject* sender)
{
    guardedHandler("UMaster32v1", 324, [&] {
        static const int kForwardedMenuTags[] = {1, 0, 13, 3, 4, 11};
        const int tag = tagOf(sender);
        if (tag >= 0 && tag <= 5) {
            const int menuTag = kForwardedMenuTags[tag];
            for (QAction* item : findChildren<QAction*>()) {
                if (tagOf(item) == menuTag && !item->objectName().isEmpty()) {
                    item->trigger();
                    return;
                }
            }
            return;
        }
        switch (tag) {
        case 6:
            toggleUtilitiesWindow();
            break;
        case 7:
            showActiveImageFullScreen();
            break;
        case 8:
            Mark(true);
            break;
        case 9:
            Mark(false);
            break;
        case 10:
            Undo(false, true);
            break;
        case 11:
            ClearModule(programWindows().KV_UTilities, QStringLiteral("Image Utilities"));
            ClearModule(programWindows().KV_BackGround, QStringLiteral("Undo and Marked Image"));
            break;
        case 12:
            if (TPicbuf* picture = activeImagePicture())
                picture->Refresh();
            break;
        default:
            break;
        }
    });
}

void TKV_Masterform::SetMouseFunction(QObject* sender)
{
    guardedHandler("UMaster32v1", 266, [&] {
        ProgramState& state = programState();
        if (sender == KV_Masterform_ResetMouse_Icon) {
            state.AbortRequested = 1;
            state.CurrentMouseFunction = kNoFunction;
            state.DropInProgress = 0;
            KV_Masterform_Drag_Icon->setEnabled(true);
            SetDragState(1);
            SetUtilityDragModes(1);
        }
        if (TPicbuf* picture = activeImagePicture()) {
            switch (tagOf(sender)) {
            case 1:
                state.CurrentMouseFunction = kDragDropFunction;
                ArmImageDrag(picture);
                SetDragState(0);
                break;
            case 2:
                picture->setScrollBars(0);
                picture->setAutoScale(true);
                KV_Masterform_Drag_Icon->setEnabled(true);
                break;
            case 3:
                picture->setAutoScale(false);
                picture->setScrollBars(3);
                picture->setScaleImage(1);
                picture->setScaleScreen(1);
                state.CurrentMouseFunction = kPanFunction;
                KV_Masterform_Drag_Icon->setEnabled(true);
                break;
            case 4:
                state.CurrentMouseFunction = kSelectionFunction;
                KV_Masterform_Drag_Icon->setEnabled(true);
                break;
            default:
                break;
            }
        }
    });
    ShowMouseFunction(programState().CurrentMouseFunction, KV_MF_Statuspanel);
    SetMouseCursor(programState().CurrentMouseFunction);
}

void TKV_Masterform::FormDragOver(QWidget* source, bool& accept)
{
    guardedHandler("UMaster32v1", 203, [&] {
        const bool picture = qobject_cast<TPicbuf*>(source) != nullptr;
        const bool lead = qobject_cast<TLeadCtrl*>(source) != nullptr;
        const bool textBox =
            qobject_cast<QTextEdit*>(source) != nullptr || qobject_cast<QPlainTextEdit*>(source) != nullptr;
        // The drag in progress goes on, but a later plain press on the source starts none.
        if (picture || lead || textBox)
            ControlDrag::instance().setDragMode(source, ControlDrag::DragMode::Manual);
        TKV_DragSelection* floating = programWindows().KV_DragSelection;
        if (floating != nullptr && floating->isVisible())
            floating->hide();
        if (programState().DropInProgress != 0)
            return;
        if (picture || lead)
            accept = true;
        else if (textBox)
            accept = false;
    });
}

void TKV_Masterform::runAddOn(int number)
{
    TKV_Preferences32v1* preferences = programWindows().KV_Preferences32v1;
    if (preferences == nullptr)
        return;
    const QLineEdit* boxes[] = {preferences->KV_Pref_AddOn1, preferences->KV_Pref_AddOn2,
                                preferences->KV_Pref_AddOn3, preferences->KV_Pref_AddOn4};
    // A box still saying "- Available -" names no program: the missing-file message says so.
    ShellOpenDocument(CheckFileExists(boxes[number - 1]->text()));
}

void TKV_Masterform::showActiveImageFullScreen()
{
    TPicbuf* picture = activeImagePicture();
    TKV_FullScreen* view = programWindows().KV_FullScreen;
    if (picture == nullptr || view == nullptr)
        return;
    TransferImage(picture, view->KV_FS_FullScreen);
    view->exec();
}

void TKV_Masterform::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TKV_Masterform::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    event->acceptProposedAction();
    AppMessage(files);
}

void TKV_Masterform::AppMessage(const QStringList& droppedFiles)
{
    guardedHandler("UMaster32v1", 185, [&] {
        ProgramState& state = programState();
        for (const QString& file : droppedFiles) {
            // Waiting events run between files, so the cancel button can stop the loop.
            QCoreApplication::processEvents();
            if (state.AbortRequested != 0) {
                state.AbortRequested = 0;
                return;
            }
            if (QFileInfo::exists(file)) {
                LoadImage(file);
                SetLastFile(file);
            }
        }
    });
}

TPicbuf* TKV_Masterform::activeImagePicture() const
{
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    if (active == nullptr && !m_mdiArea->subWindowList().isEmpty())
        active = m_mdiArea->currentSubWindow();
    if (active == nullptr)
        return nullptr;
    auto* picture = active->findChild<TPicbuf*>(QStringLiteral("ChildPicbuf"));
    return picture != nullptr && picture->Contents() == 1 ? picture : nullptr;
}

void TKV_Masterform::arrangeMinimisedImages()
{
    // Minimised image windows line up along the bottom of the frame's client area.
    int left = 0;
    const int bottom = m_mdiArea->viewport()->height();
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        window->move(left, bottom - window->height());
        left += window->width();
    }
}

} // namespace vask
