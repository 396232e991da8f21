#include "utilities/effect_browser_page.h"

#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QDir>
#include <QFileSystemModel>
#include <QListWidget>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTreeView>

using namespace vask::sheet_checks;
using vask::EffectBrowserPage;

namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// A folder of filter files in mixed case, a file of another type and a sub-folder.
struct FilterFolder {
    QTemporaryDir dir;
    FilterFolder()
    {
        for (const char* name : {"soften.ma3", "EDGE.MA3", "Emboss.Ma3", "big.MA5", "wide.ma5", "notes.txt"})
            touch(dir.filePath(name));
        QDir(dir.path()).mkdir("More");
    }
    QString path() const { return dir.path(); }
};

QStringList listed(const EffectBrowserPage& page)
{
    QStringList names;
    for (int row = 0; row < page.KV_UT_Filters_FilterList->count(); ++row)
        names << page.KV_UT_Filters_FilterList->item(row)->text();
    return names;
}

} // namespace

TEST(EffectBrowserPage, DriveBoxListsTheMountedVolumes)
{
    EffectBrowserPage page;
    QStringList drives;
    for (int index = 0; index < page.KV_UT_Filters_Drive->count(); ++index)
        drives << page.KV_UT_Filters_Drive->itemText(index);
    EXPECT_TRUE(drives.contains("/"));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) {
            EXPECT_TRUE(drives.contains(QDir::cleanPath(volume.rootPath())))
                << volume.rootPath().toStdString();
        }
    }
}

TEST(EffectBrowserPage, FileListShowsFilesOfTheChosenTypeWhateverTheirCaseNamedWithTheirFolder)
{
    FilterFolder folder;
    EffectBrowserPage page;
    page.setDirectory(folder.path());
    EXPECT_EQ(listed(page), QStringList({"EDGE.MA3", "Emboss.Ma3", "soften.ma3"}));
    EXPECT_TRUE(page.fileName().isEmpty());
    page.KV_UT_Filters_FilterList->setCurrentRow(1);
    EXPECT_EQ(page.fileName(), QDir(folder.path()).filePath("Emboss.Ma3"));

    page.KV_UT_Filters_Filters->setCurrentIndex(1);
    EXPECT_EQ(page.fileMask(), "*.MA5");
    EXPECT_EQ(listed(page), QStringList({"big.MA5", "wide.ma5"}));
    page.KV_UT_Filters_Filters->setCurrentIndex(0);
    EXPECT_EQ(page.fileMask(), "*.MA3");
    EXPECT_EQ(listed(page).size(), 3);
}

TEST(EffectBrowserPage, FolderTreeFollowsTheDirectoryAndAClickOnAFolderOpensIt)
{
    FilterFolder folder;
    touch(folder.dir.filePath("More/inner.MA3"));
    EffectBrowserPage page;
    page.setDirectory(folder.path());
    QTreeView* tree = page.KV_UT_Filters_Directory;
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(QDir::cleanPath(model->filePath(tree->currentIndex())), QDir::cleanPath(folder.path()));

    tree->setCurrentIndex(model->index(folder.dir.filePath("More")));
    EXPECT_EQ(page.currentDirectory(), QDir::cleanPath(folder.dir.filePath("More")));
    EXPECT_EQ(listed(page), QStringList({"inner.MA3"}));
}

TEST(EffectBrowserPage, MissingFolderIsKeptAndListsNothing)
{
    EffectBrowserPage page;
    const QString missing = QDir::tempPath() + "/no-such-filter-folder-here";
    page.setDirectory(missing);
    EXPECT_EQ(page.currentDirectory(), missing);
    EXPECT_EQ(page.KV_UT_Filters_FilterList->count(), 0);
}

TEST(EffectBrowserPage, TypeIndexFromTheSettingsChoosesTheMask)
{
    FilterFolder folder;
    const struct {
        int index;
        const char* mask;
        int files;
    } cases[] = {{0, "*.MA3", 3}, {1, "*.MA5", 2}, {7, "*.MA5", 2}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.index);
        removeSettingsFile();
        vask::IniFile ini(vask::settingsFilePath());
        ini.WriteInteger("Filters", "FIndex", entry.index);
        ini.WriteString("Filters", "FPath", folder.path().toStdString());
        EffectBrowserPage page;
        page.readSettings(ini);
        EXPECT_EQ(page.fileMask(), entry.mask);
        EXPECT_EQ(page.KV_UT_Filters_FilterList->count(), entry.files);
        EXPECT_EQ(page.currentDirectory(), folder.path());
    }
}
