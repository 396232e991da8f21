#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;

namespace vask {

class SpinEdit;
class TLeadCtrl;
class TPicbuf;

// The program's one file dialog "Disk Control", used to open and to save images. Created
// once at start-up; its FileOptions settings are read when it is made and written at every
// close (never LastFileLoaded, which only the main window writes).
//
// The drive, folder and file lists are plain lists filled from the file system when the
// folder or the filter changes (no watcher: a file made while the dialog is open shows after
// the next folder or filter change). Drives are the mounted volumes; filter masks match
// without regard to case, and "*.*" matches names without a dot as well.
class TRZ_DiskControl32V1 : public QDialog {
    Q_OBJECT
public:
    explicit TRZ_DiskControl32V1(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 492;
    static constexpr int kClientHeight = 399;

    // The file lists, the preview and the hidden helpers.
    QLineEdit* RZ_File_Name = nullptr;
    QListWidget* RZ_File_List = nullptr;
    QListWidget* RZ_Directory_list = nullptr;
    QLabel* RZ_Directory_Label = nullptr;
    QComboBox* RZ_Selected_Extension = nullptr;
    QComboBox* RZ_Selected_Drive = nullptr;
    QPushButton* RZ_Disk_OK_Icon = nullptr;
    QPushButton* RZ_Disk_Cancel_Icon = nullptr;
    TPicbuf* RZ_Preview_Image = nullptr;
    TPicbuf* RZ_Palette = nullptr;
    TLeadCtrl* RZ_PCXPATCH = nullptr;
    QMenu* RZ_Saveas_Popup = nullptr;

    QCheckBox* RZ_Preview = nullptr;
    QCheckBox* RZ_Commonpalette = nullptr;
    QGroupBox* RZ_JPG_Options = nullptr;
    SpinEdit* RZ_JPG_VALUE = nullptr;
    QComboBox* RZ_Write_Options = nullptr;
    QGroupBox* RZ_Fractel_Options = nullptr;
    QComboBox* RZ_FIF_Options = nullptr;
    QComboBox* RZ_FIF_Scale = nullptr;
    SpinEdit* RZ_FIF_Height = nullptr;
    SpinEdit* RZ_FIF_Width = nullptr;

    // The file name the dialog remembers: set by OK, Cancel and the set-last-file step.
    QString rememberedFileName() const { return m_rememberedFileName; }
    void setRememberedFileName(const QString& name) { m_rememberedFileName = name; }

    // The set-last-file step's hold on the lists: the filter index (0..11; others are
    // ignored) and the file list's file name. An existing folder of the name becomes the
    // current folder, the file is selected when listed (without a preview), and the name box
    // shows the file-name part, which may be a mask such as "*.*".
    void setFilterIndex(int index);
    void setFileListFileName(const QString& fileName);
    // The folder the lists show, absolute, without a trailing "/" except for the root "/".
    QString currentFolder() const;
    // Moves the folder and file lists (and the drive list) to a folder; false when it is not
    // an existing folder, which leaves everything as it was.
    bool setCurrentFolder(const QString& folder);
    // The selected file of the file list with its folder, empty when none is selected.
    QString selectedFileName() const;

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormClose();
    void RZ_Disk_OK_IconClick();
    void RZ_Disk_Cancel_IconClick();
    // A click on a file of the list (also run by the option handlers): the preview.
    void RZ_File_ListClick();
    void RZ_PreviewClick();
    void RZ_CommonpaletteClick();
    // RZ_FIF_Options or RZ_FIF_Scale changed.
    void RZ_FIF_OptionsChange();
    void RZ_Preview_ImageChange();
    void RZ_Preview_ImageClick();
    // A context menu item "Save as ...": its tag (1..9) names the format.
    void swapExtension(int tag);

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildFileLists();
    void buildPreview();
    void buildOptionGroups();
    void buildSaveasPopup();
    void connectHandlers();
    void fillDriveList();
    void fillFolderList();
    void fillFileList();
    void showFolderLabel();
    void fileListItemChosen(QListWidgetItem* item);
    void setSaveasPopupEnabled(bool on);

    QString m_rememberedFileName;
    QString m_folder;
    // Set while the lists are filled or selected in code, so no preview runs for that.
    bool m_fillingLists = false;
    // The item a selection change already previewed, so the click that made it does not
    // preview it a second time.
    QListWidgetItem* m_previewedItem = nullptr;
};

// The default of LastFileLoaded: every file of the home folder.
QString defaultLastFileLoaded();

// The filter list's items (index 0 to 11) and the mask each one applies.
QStringList diskControlFilterNames();
QStringList diskControlFilterMasks();

// The "Save as" menu's extension for a tag 1..9 (".TIF" .. ".PNG"); empty for other tags.
QString saveAsExtension(int tag);

// The name with everything from the last "." of its file-name part replaced by extension,
// or extension appended when that part has no ".". Empty when the name cannot carry one:
// nothing would stand before the extension, or the name part holds a wildcard ("*", "?").
QString withExtension(const QString& name, const QString& extension);

} // namespace vask
