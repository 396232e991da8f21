#include "store/disk_control_dialog.h"

#include "controls/form_widgets.h"
#include "store/image_names.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>
#include <iterator>

// The drive, folder and file lists of the disk control dialog and the name box they fill.

namespace vask {

namespace {

struct FilterItem {
    const char* name;
    const char* mask;
};
const FilterItem kFilters[] = {
    {"All files (*.*)", "*.*"},   {"Tif (*.TIF - No LZW)", "*.tif"}, {"Targa (*.TGA)", "*.tga"},
    {"Bitmaps (*.BMP)", "*.bmp"}, {"DIBS (*.DIB)", "*.dib"},         {"PCX (*.PCX)", "*.pcx"},
    {"JPEG (*.JPG)", "*.jpg"},    {"MS Paint (*.MSP)", "*.msp"},     {"Fractel (*.FIF)", "*.fif"},
    {"PNG (*.PNG)", "*.png"},     {"EXE - Icon Extractor", "*.exe"}, {"DLL - Icon Extractor", "*.dll"},
};
constexpr int kFilterCount = static_cast<int>(std::size(kFilters));

QListWidget* makeList(QWidget* parent, const QString& name, const QString& hint)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setToolTip(hint);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    list->setIconSize(QSize(16, 16));
    return list;
}

// The folder of a path as the lists show it: absolute, cleaned, "/" only for the root.
QString cleanFolder(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace

QStringList diskControlFilterNames()
{
    QStringList names;
    for (const FilterItem& item : kFilters)
        names << QString::fromLatin1(item.name);
    return names;
}

QStringList diskControlFilterMasks()
{
    QStringList masks;
    for (const FilterItem& item : kFilters)
        masks << QString::fromLatin1(item.mask);
    return masks;
}

// The lists take the left two thirds: file name and files, folders, and below them the
// filter and the drive.
void TRZ_DiskControl32V1::buildFileLists()
{
    QLabel* nameLabel = makeLabel(this, QStringLiteral("File &Name :"));
    nameLabel->setGeometry(8, 6, 160, 14);
    RZ_File_Name = new QLineEdit(QStringLiteral("*.*"), this);
    RZ_File_Name->setObjectName(QStringLiteral("RZ_File_Name"));
    RZ_File_Name->setToolTip(QStringLiteral("File name - Right click to alter format [Save only]"));
    RZ_File_Name->setGeometry(8, 22, 160, 22);
    nameLabel->setBuddy(RZ_File_Name);
    RZ_File_List = makeList(this, QStringLiteral("RZ_File_List"),
                            QStringLiteral("File List - Click File to Preview or Select File"));
    RZ_File_List->setGeometry(8, 48, 160, 202);

    QLabel* folderLabel = makeLabel(this, QStringLiteral("&Directories "));
    folderLabel->setGeometry(176, 6, 168, 14);
    RZ_Directory_Label = makeLabel(this, QString(), QStringLiteral("RZ_Directory_Label"));
    RZ_Directory_Label->setToolTip(QStringLiteral("Selected Path"));
    RZ_Directory_Label->setGeometry(176, 22, 168, 22);
    RZ_Directory_list =
        makeList(this, QStringLiteral("RZ_Directory_list"), QStringLiteral("Directory of Active Drive"));
    RZ_Directory_list->setGeometry(176, 48, 168, 202);
    folderLabel->setBuddy(RZ_Directory_list);

    QLabel* filterLabel = makeLabel(this, QStringLiteral("File Format:- "));
    filterLabel->setGeometry(8, 254, 160, 14);
    RZ_Selected_Extension = makeDropDown(this, QStringLiteral("RZ_Selected_Extension"),
                                         QStringLiteral("Select Filter"), diskControlFilterNames());
    RZ_Selected_Extension->setGeometry(8, 270, 160, 22);
    QLabel* driveLabel = makeLabel(this, QStringLiteral("Drive:- "));
    driveLabel->setGeometry(176, 254, 168, 14);
    RZ_Selected_Drive =
        makeDropDown(this, QStringLiteral("RZ_Selected_Drive"), QStringLiteral("Select Drive"), {});
    RZ_Selected_Drive->setGeometry(176, 270, 168, 22);

    fillDriveList();
    setCurrentFolder(QDir::currentPath());
}

// --- the lists ------------------------------------------------------------------------------

void TRZ_DiskControl32V1::fillDriveList()
{
    m_fillingLists = true;
    RZ_Selected_Drive->clear();
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(),
              [](const QStorageInfo& a, const QStorageInfo& b) { return a.rootPath() < b.rootPath(); });
    for (const QStorageInfo& volume : volumes) {
        // A file mounted over a file (as containers do) is no drive.
        if (!volume.isValid() || !volume.isReady() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        const QString root = volume.rootPath();
        const QString name = volume.displayName();
        RZ_Selected_Drive->addItem(
            name == root || name.isEmpty() ? root : root + QStringLiteral(" [") + name + QLatin1Char(']'),
            root);
    }
    m_fillingLists = false;
}

bool TRZ_DiskControl32V1::setCurrentFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    m_folder = cleanFolder(folder);
    m_fillingLists = true;
    // The drive is the volume whose root is the longest start of the folder.
    int drive = -1;
    qsizetype longest = -1;
    for (int index = 0; index < RZ_Selected_Drive->count(); ++index) {
        const QString root = RZ_Selected_Drive->itemData(index).toString();
        const bool inside =
            root == QStringLiteral("/") || m_folder == root ||
            m_folder.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (inside && root.size() > longest) {
            longest = root.size();
            drive = index;
        }
    }
    RZ_Selected_Drive->setCurrentIndex(drive);
    m_fillingLists = false;
    showFolderLabel();
    fillFolderList();
    fillFileList();
    return true;
}

QString TRZ_DiskControl32V1::currentFolder() const
{
    return m_folder;
}

void TRZ_DiskControl32V1::showFolderLabel()
{
    const int room = RZ_Directory_Label->width();
    RZ_Directory_Label->setText(
        RZ_Directory_Label->fontMetrics().elidedText(m_folder, Qt::ElideMiddle, room));
}

void TRZ_DiskControl32V1::fillFolderList()
{
    m_fillingLists = true;
    RZ_Directory_list->clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    QStringList names;
    if (m_folder != QStringLiteral("/"))
        names << QStringLiteral("..");
    names << QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        new QListWidgetItem(folderIcon, name, RZ_Directory_list);
    m_fillingLists = false;
}

void TRZ_DiskControl32V1::fillFileList()
{
    m_fillingLists = true;
    m_previewedItem = nullptr;
    RZ_File_List->clear();
    const int index = RZ_Selected_Extension->currentIndex();
    const QString mask = index >= 0 && index < kFilterCount ? QString::fromLatin1(kFilters[index].mask)
                                                            : QStringLiteral("*.*");
    QDir folder(m_folder);
    // "*.*" is every file, also one without a dot.
    if (mask != QStringLiteral("*.*"))
        folder.setNameFilters({mask});
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        new QListWidgetItem(fileIcon, name, RZ_File_List);
    m_fillingLists = false;
}

void TRZ_DiskControl32V1::setFilterIndex(int index)
{
    if (index < 0 || index >= kFilterCount)
        return;
    RZ_Selected_Extension->setCurrentIndex(index);
}

void TRZ_DiskControl32V1::setFileListFileName(const QString& fileName)
{
    const QString part = fileNamePart(fileName);
    const QString folder = fileName.left(fileName.size() - part.size());
    if (!folder.isEmpty())
        setCurrentFolder(folder);
    m_fillingLists = true;
    const QList<QListWidgetItem*> found = RZ_File_List->findItems(part, Qt::MatchExactly);
    if (found.isEmpty())
        RZ_File_List->setCurrentRow(-1);
    else
        RZ_File_List->setCurrentItem(found.first());
    m_fillingLists = false;
    RZ_File_Name->setText(part);
}

QString TRZ_DiskControl32V1::selectedFileName() const
{
    // The current item: a mouse press makes it current before it selects it.
    const QListWidgetItem* item = RZ_File_List->currentItem();
    if (item == nullptr)
        return {};
    return QDir(m_folder).filePath(item->text());
}

void TRZ_DiskControl32V1::fileListItemChosen(QListWidgetItem* item)
{
    RZ_File_Name->setText(item->text());
    RZ_File_ListClick();
}

} // namespace vask
