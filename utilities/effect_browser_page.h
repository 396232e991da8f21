#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QListWidget;
class QTreeView;

namespace vask {

class IniFile;

// The "Effect Browser" sheet of the Filters page: drive box, folder tree and a list of the
// filter files in the chosen folder, with a type box that switches the list between 3 x 3
// (*.MA3) and 5 x 5 (*.MA5) filters.
//
// Drives are the mounted volumes; the folder tree shows the folders of the current drive.
// File names match the mask without regard to case, so "soft.ma3" is a 3 x 3 filter. A
// folder that does not exist is kept as the current directory (a drive may come back) and
// simply lists nothing.
class EffectBrowserPage : public QWidget {
    Q_OBJECT
public:
    explicit EffectBrowserPage(QWidget* parent = nullptr);

    QString currentDirectory() const { return m_directory; }
    void setDirectory(const QString& path);
    // "*.MA3" or "*.MA5".
    QString fileMask() const { return m_mask; }
    void setFileMask(const QString& mask);
    // Full name of the file chosen in the list; empty when none is chosen.
    QString fileName() const;
    // Lists the folder again (after a filter was saved into it, say).
    void refreshFileList();

    // Section Filters: FIndex into the type box, then the mask that index implies, then
    // FPath (default the filters folder) as the directory.
    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QComboBox* KV_UT_Filters_Drive = nullptr;
    QTreeView* KV_UT_Filters_Directory = nullptr;
    QListWidget* KV_UT_Filters_FilterList = nullptr;
    QComboBox* KV_UT_Filters_Filters = nullptr;

private:
    void fillDrives();
    void selectDriveOf(const QString& path);
    QString driveRootOf(const QString& path) const;
    void showDirectoryInTree();

    QFileSystemModel* m_folders = nullptr;
    QString m_directory;
    QString m_mask = QStringLiteral("*.MA3");
};

// The mask the type box index stands for: "*.MA3" for index 0, "*.MA5" for any other.
QString filterMaskForIndex(int index);

} // namespace vask
