#include "utilities/effect_browser_page.h"

#include "settings/ini_file.h"
#include "settings/program_paths.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QStorageInfo>
#include <QTreeView>

#include <algorithm>

namespace vask {

namespace {

constexpr char kSection[] = "Filters";
constexpr int kRootPathRole = Qt::UserRole;

QString normalisedFolder(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("/");
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

bool isInside(const QString& path, const QString& root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

} // namespace

QString filterMaskForIndex(int index)
{
    return index == 0 ? QStringLiteral("*.MA3") : QStringLiteral("*.MA5");
}

EffectBrowserPage::EffectBrowserPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Filters_Browser"));

    KV_UT_Filters_Drive = new QComboBox(this);
    KV_UT_Filters_Drive->setObjectName(QStringLiteral("KV_UT_Filters_Drive"));
    KV_UT_Filters_Drive->setToolTip(QStringLiteral("Select Drive"));
    KV_UT_Filters_Drive->setGeometry(4, 4, 190, 22);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    KV_UT_Filters_Directory = new QTreeView(this);
    KV_UT_Filters_Directory->setObjectName(QStringLiteral("KV_UT_Filters_Directory"));
    KV_UT_Filters_Directory->setToolTip(QStringLiteral("Choose Filter Location"));
    KV_UT_Filters_Directory->setModel(m_folders);
    KV_UT_Filters_Directory->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        KV_UT_Filters_Directory->hideColumn(column);
    KV_UT_Filters_Directory->setIndentation(12);
    KV_UT_Filters_Directory->setGeometry(4, 30, 190, 168);

    KV_UT_Filters_FilterList = new QListWidget(this);
    KV_UT_Filters_FilterList->setObjectName(QStringLiteral("KV_UT_Filters_FilterList"));
    KV_UT_Filters_FilterList->setToolTip(
        QStringLiteral("Effect available - click anyone to see preview of effect"));
    KV_UT_Filters_FilterList->setGeometry(200, 4, 190, 168);

    KV_UT_Filters_Filters = new QComboBox(this);
    KV_UT_Filters_Filters->setObjectName(QStringLiteral("KV_UT_Filters_Filters"));
    KV_UT_Filters_Filters->setToolTip(QStringLiteral("Select Filter Type Extension - either .MA3 or .MA5"));
    KV_UT_Filters_Filters->addItem(QStringLiteral("3 * 3 Filters - MA3"), QStringLiteral("*.MA3"));
    KV_UT_Filters_Filters->addItem(QStringLiteral("5 * 5 Filters - MA5"), QStringLiteral("*.MA5"));
    KV_UT_Filters_Filters->setCurrentIndex(0);
    KV_UT_Filters_Filters->setGeometry(200, 176, 190, 22);

    fillDrives();

    connect(KV_UT_Filters_Filters, &QComboBox::currentIndexChanged, this,
            [this](int index) { setFileMask(filterMaskForIndex(index)); });
    connect(KV_UT_Filters_Drive, &QComboBox::activated, this, [this](int index) {
        const QString root = KV_UT_Filters_Drive->itemData(index, kRootPathRole).toString();
        if (driveRootOf(m_directory) != root)
            setDirectory(root);
    });
    connect(KV_UT_Filters_Directory->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid())
                    return;
                const QString path = normalisedFolder(m_folders->filePath(current));
                if (path != m_directory) {
                    m_directory = path;
                    refreshFileList();
                }
            });
    setDirectory(QDir::homePath());
}

void EffectBrowserPage::fillDrives()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            roots << normalisedFolder(volume.rootPath());
    }
    if (!roots.contains(QStringLiteral("/")))
        roots << QStringLiteral("/");
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    for (const QString& root : roots)
        KV_UT_Filters_Drive->addItem(root, root);
}

QString EffectBrowserPage::driveRootOf(const QString& path) const
{
    QString best = QStringLiteral("/");
    for (int index = 0; index < KV_UT_Filters_Drive->count(); ++index) {
        const QString root = KV_UT_Filters_Drive->itemData(index, kRootPathRole).toString();
        if (isInside(path, root) && root.size() > best.size())
            best = root;
    }
    return best;
}

void EffectBrowserPage::selectDriveOf(const QString& path)
{
    const int index = KV_UT_Filters_Drive->findData(driveRootOf(path), kRootPathRole);
    if (index >= 0)
        KV_UT_Filters_Drive->setCurrentIndex(index);
}

void EffectBrowserPage::showDirectoryInTree()
{
    const QString root = driveRootOf(m_directory);
    m_folders->setRootPath(root);
    KV_UT_Filters_Directory->setRootIndex(m_folders->index(root));
    const QModelIndex folder = m_folders->index(m_directory);
    if (folder.isValid()) {
        KV_UT_Filters_Directory->setCurrentIndex(folder);
        KV_UT_Filters_Directory->scrollTo(folder);
    } else {
        KV_UT_Filters_Directory->clearSelection();
    }
}

void EffectBrowserPage::setDirectory(const QString& path)
{
    m_directory = normalisedFolder(path);
    selectDriveOf(m_directory);
    showDirectoryInTree();
    refreshFileList();
}

void EffectBrowserPage::setFileMask(const QString& mask)
{
    m_mask = mask;
    refreshFileList();
}

void EffectBrowserPage::refreshFileList()
{
    KV_UT_Filters_FilterList->clear();
    // QDir matches name filters without regard to case unless told otherwise.
    const QDir folder(m_directory);
    if (!folder.exists())
        return;
    KV_UT_Filters_FilterList->addItems(
        folder.entryList(QStringList{m_mask}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

QString EffectBrowserPage::fileName() const
{
    const QListWidgetItem* item = KV_UT_Filters_FilterList->currentItem();
    if (item == nullptr)
        return {};
    return QDir(m_directory).filePath(item->text());
}

void EffectBrowserPage::readSettings(const IniFile& ini)
{
    KV_UT_Filters_Filters->setCurrentIndex(ini.ReadInteger(kSection, "FIndex", 1));
    setFileMask(filterMaskForIndex(KV_UT_Filters_Filters->currentIndex()));
    setDirectory(QString::fromStdString(ini.ReadString(kSection, "FPath", GetFiltersPath().toStdString())));
}

void EffectBrowserPage::writeSettings(IniFile& ini) const
{
    ini.WriteInteger(kSection, "FIndex", KV_UT_Filters_Filters->currentIndex());
    ini.WriteString(kSection, "FPath", m_directory.toStdString());
}

} // namespace vask
