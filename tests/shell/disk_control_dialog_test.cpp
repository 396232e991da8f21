#include "program_fixture.h"

#include "controls/component_tag.h"
#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "engine/codecs/image_file.h"
#include "engine/codecs/palette_file.h"
#include "engine/image/create_image.h"
#include "settings/ini_file.h"
#include "settings/preferences_dialog.h"
#include "shell/master_form.h"
#include "shell/status_panel_bar.h"
#include "store/common_palette.h"
#include "store/disk_control_dialog.h"
#include "tests/support/test_pictures.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace vask {
namespace {

QStringList itemTexts(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

QStringList itemTexts(const QComboBox* box)
{
    QStringList texts;
    for (int index = 0; index < box->count(); ++index)
        texts << box->itemText(index);
    return texts;
}

void touch(const QString& path, const QByteArray& bytes = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class DiskControl : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        m_startFolder = QDir::currentPath();
        ASSERT_TRUE(m_folder.isValid());
        start();
    }
    void TearDown() override
    {
        QDir::setCurrent(m_startFolder);
        ProgramTest::TearDown();
    }
    TRZ_DiskControl32V1& dialog() { return *windows().RZ_DiskControl32V1; }
    QString folder() const { return m_folder.path(); }
    QString pathOf(const QString& name) const { return m_folder.filePath(name); }
    void writePicture(const QString& name, const Image& picture)
    {
        saveImageFile(picture, pathOf(name).toStdString());
    }
    // What a user's click on a listed file does: the selection moves to it.
    void chooseFile(const QString& name)
    {
        QListWidget* list = dialog().RZ_File_List;
        const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list->setCurrentItem(found.first());
    }
    QString statusText() const { return programStatusBar()->panelText(4); }

private:
    QTemporaryDir m_folder;
    QString m_startFolder;
};

TEST_F(DiskControl, ComponentsCarryTheirExactHints)
{
    struct Hint {
        const char* name;
        const char* hint;
    };
    const Hint hints[] = {
        {"RZ_File_Name", "File name - Right click to alter format [Save only]"},
        {"RZ_File_List", "File List - Click File to Preview or Select File"},
        {"RZ_Directory_list", "Directory of Active Drive"},
        {"RZ_Directory_Label", "Selected Path"},
        {"RZ_Selected_Extension", "Select Filter"},
        {"RZ_Selected_Drive", "Select Drive"},
        {"RZ_Preview", "Enable / Disable Preview Image"},
        {"RZ_Commonpalette",
         "Map all 8 Bit Images upon load to Common Palette [You Must \"Preview\" the Image to "
         "map the Image - Click File List Name to Preview]"},
        {"RZ_JPG_VALUE", "JPG Compression Level [5 to 100]"},
        {"RZ_Write_Options", "JPG and PNG Write Options - Sub Format"},
        {"RZ_FIF_Options", "Fractal  Decompression Depth Options"},
        {"RZ_FIF_Scale", "Fractal Decompression Scale Options"},
        {"RZ_FIF_Height", "FIF Height - User Set"},
        {"RZ_FIF_Width", "FIF Width - User Set"},
    };
    for (const Hint& expected : hints) {
        auto* widget = dialog().findChild<QWidget*>(QString::fromLatin1(expected.name));
        ASSERT_NE(widget, nullptr) << expected.name;
        EXPECT_EQ(widget->toolTip(), QString::fromLatin1(expected.hint)) << expected.name;
    }
    EXPECT_EQ(dialog().size(), QSize(492, 399));
    EXPECT_EQ(dialog().RZ_Preview_Image->size(), QSize(109, 109));
    EXPECT_EQ(dialog().RZ_Palette->size(), QSize(21, 21));
    EXPECT_FALSE(dialog().RZ_Palette->isVisibleTo(&dialog()));
    EXPECT_FALSE(dialog().RZ_PCXPATCH->isVisibleTo(&dialog()));
    QStringList labels;
    for (const QLabel* label : dialog().findChildren<QLabel*>())
        labels << label->text();
    for (const char* caption : {"File &Name :", "&Directories ", "File Format:- ", "Drive:- "})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(caption))) << caption;
}

TEST_F(DiskControl, FilterListHoldsTheTwelveFormatsWithTheirMasks)
{
    const QStringList names = {"All files (*.*)", "Tif (*.TIF - No LZW)", "Targa (*.TGA)",
                               "Bitmaps (*.BMP)", "DIBS (*.DIB)",         "PCX (*.PCX)",
                               "JPEG (*.JPG)",    "MS Paint (*.MSP)",     "Fractel (*.FIF)",
                               "PNG (*.PNG)",     "EXE - Icon Extractor", "DLL - Icon Extractor"};
    const QStringList masks = {"*.*",   "*.tif", "*.tga", "*.bmp", "*.dib", "*.pcx",
                               "*.jpg", "*.msp", "*.fif", "*.png", "*.exe", "*.dll"};
    EXPECT_EQ(itemTexts(dialog().RZ_Selected_Extension), names);
    EXPECT_EQ(diskControlFilterMasks(), masks);
}

TEST_F(DiskControl, SaveAsMenuHasNineItemsTaggedWithTheirFilterIndex)
{
    const QList<QAction*> items = dialog().RZ_Saveas_Popup->actions();
    ASSERT_EQ(items.size(), 9);
    const QStringList formats = {"TIF", "TGA", "BMP", "DIB", "PCX", "JPG", "MSP", "FIF", "PNG"};
    for (int tag = 1; tag <= 9; ++tag) {
        const QAction* item = items[tag - 1];
        const QString format = formats[tag - 1];
        EXPECT_EQ(item->text(), QStringLiteral("Save as ") + format);
        EXPECT_EQ(tagOf(item), tag);
        EXPECT_EQ(item->isEnabled(), format != QStringLiteral("MSP") && format != QStringLiteral("FIF"))
            << tag;
        // The filter of the same index lists that format.
        EXPECT_TRUE(dialog().RZ_Selected_Extension->itemText(tag).contains(format, Qt::CaseInsensitive))
            << tag;
    }
}

TEST_F(DiskControl, FileListShowsTheFilesMatchingTheMaskWhateverTheirCase)
{
    for (const char* name : {"a.BMP", "b.bmp", "c.Bmp", "d.png", "e.txt", "noext", "f.bmp.txt"})
        touch(pathOf(QString::fromLatin1(name)));
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("sub.bmp")));
    ASSERT_TRUE(dialog().setCurrentFolder(folder()));

    dialog().setFilterIndex(3);
    EXPECT_EQ(itemTexts(dialog().RZ_File_List), QStringList({"a.BMP", "b.bmp", "c.Bmp"}));
    dialog().RZ_Selected_Extension->setCurrentIndex(9);
    EXPECT_EQ(itemTexts(dialog().RZ_File_List), QStringList({"d.png"}));
    // "*.*" lists every file, also one without a dot; folders never.
    dialog().RZ_Selected_Extension->setCurrentIndex(0);
    EXPECT_EQ(itemTexts(dialog().RZ_File_List),
              QStringList({"a.BMP", "b.bmp", "c.Bmp", "d.png", "e.txt", "f.bmp.txt", "noext"}));
    EXPECT_EQ(itemTexts(dialog().RZ_Directory_list), QStringList({"..", "sub.bmp"}));
    EXPECT_EQ(dialog().RZ_Directory_Label->text(), folder());
}

TEST_F(DiskControl, DoubleClickingAFolderEntersItAndDotDotGoesBack)
{
    ASSERT_TRUE(QDir(folder()).mkpath(QStringLiteral("inner/deeper")));
    touch(pathOf(QStringLiteral("inner/one.tif")));
    ASSERT_TRUE(dialog().setCurrentFolder(folder()));
    dialog().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog()));
    QListWidget* folders = dialog().RZ_Directory_list;
    auto doubleClick = [folders](const QString& name) {
        const QList<QListWidgetItem*> found = folders->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        const QPoint at = folders->visualItemRect(found.first()).center();
        // A double click is a press and release followed by the double-click event.
        QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(QStringLiteral("inner"));
    EXPECT_EQ(dialog().currentFolder(), pathOf(QStringLiteral("inner")));
    EXPECT_EQ(itemTexts(folders), QStringList({"..", "deeper"}));
    EXPECT_EQ(itemTexts(dialog().RZ_File_List), QStringList({"one.tif"}));
    doubleClick(QStringLiteral(".."));
    EXPECT_EQ(dialog().currentFolder(), folder());
    dialog().hide();
}

TEST_F(DiskControl, ChoosingADriveMovesTheFolderListToItsRoot)
{
    ASSERT_TRUE(dialog().setCurrentFolder(folder()));
    QComboBox* drives = dialog().RZ_Selected_Drive;
    // The drive shown is the volume holding the folder.
    const int current = drives->currentIndex();
    ASSERT_GE(current, 0);
    const QString root = drives->itemData(current).toString();
    EXPECT_TRUE(root == QStringLiteral("/") || folder().startsWith(root + QLatin1Char('/')))
        << root.toStdString();
    EXPECT_EQ(dialog().currentFolder(), folder());

    const int rootDrive = drives->findData(QStringLiteral("/"));
    ASSERT_GE(rootDrive, 0);
    drives->setCurrentIndex(-1); // no drive: the lists stay
    EXPECT_EQ(dialog().currentFolder(), folder());
    drives->setCurrentIndex(rootDrive);
    EXPECT_EQ(dialog().currentFolder(), QStringLiteral("/"));
    EXPECT_EQ(dialog().RZ_Directory_Label->text(), QStringLiteral("/"));
    EXPECT_FALSE(itemTexts(dialog().RZ_Directory_list).contains(QStringLiteral("..")));
    EXPECT_TRUE(itemTexts(dialog().RZ_Directory_list).contains(QStringLiteral("tmp")));
}

TEST_F(DiskControl, OkAndCancelRememberTheFolderAndTheTypedName)
{
    struct Case {
        QString folder;
        bool ok;
        QString expected;
    };
    const Case cases[] = {
        {folder(), true, folder() + QStringLiteral("/A.BMP")},
        {QStringLiteral("/"), true, QStringLiteral("/A.BMP")},
        {folder(), false, folder() + QStringLiteral("/A.BMP")},
        {QStringLiteral("/"), false, QStringLiteral("/A.BMP")},
    };
    for (const Case& check : cases) {
        ASSERT_TRUE(dialog().setCurrentFolder(check.folder));
        dialog().RZ_File_Name->setText(QStringLiteral("A.BMP"));
        dialog().show();
        (check.ok ? dialog().RZ_Disk_OK_Icon : dialog().RZ_Disk_Cancel_Icon)->click();
        EXPECT_EQ(dialog().rememberedFileName(), check.expected);
        EXPECT_EQ(dialog().result(), check.ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_FALSE(dialog().isVisible());
    }
}

TEST_F(DiskControl, SettingTheFileNameMovesTheListsAndSelectsTheFileWithoutAPreview)
{
    writePicture(QStringLiteral("shown.bmp"), test::gradientPicture(8, 8));
    touch(pathOf(QStringLiteral("other.bmp")));
    dialog().setFileListFileName(pathOf(QStringLiteral("shown.bmp")));
    EXPECT_EQ(dialog().currentFolder(), folder());
    EXPECT_EQ(dialog().selectedFileName(), pathOf(QStringLiteral("shown.bmp")));
    EXPECT_EQ(dialog().RZ_File_Name->text(), QStringLiteral("shown.bmp"));
    EXPECT_EQ(dialog().RZ_Preview_Image->Contents(), 0);

    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("x")));
    dialog().setFileListFileName(pathOf(QStringLiteral("x/*.*")));
    EXPECT_EQ(dialog().currentFolder(), pathOf(QStringLiteral("x")));
    EXPECT_EQ(dialog().RZ_File_Name->text(), QStringLiteral("*.*"));
    EXPECT_EQ(dialog().selectedFileName(), QString());
}

TEST_F(DiskControl, SwappingTheExtensionRewritesTheNameAndSelectsTheFilter)
{
    const QString badName =
        QStringLiteral("Filename not valid. Unable to set specified Save as format extension. "
                       "Please  retype filename including file extension.");
    struct Case {
        const char* name;
        int tag;
        const char* expected;
        bool refused;
    };
    const Case cases[] = {
        {"photo.jpg", 9, "photo.PNG", false},
        {"photo", 1, "photo.TIF", false},
        {"holiday.2024.tga", 6, "holiday.2024.JPG", false},
        {"/data/set.v2/scan", 3, "/data/set.v2/scan.BMP", false},
        {"a.b", 5, "a.PCX", false},
        {"", 2, "Error.???", true},
        {".png", 4, "Error.???", true},
        {"*.*", 9, "Error.???", true},
    };
    dialog().setWindowTitle(QStringLiteral("Disk Control - [Save As]"));
    for (const Case& check : cases) {
        DialogService::instance().clearHistory();
        dialog().setFilterIndex(0);
        dialog().RZ_File_Name->setText(QString::fromLatin1(check.name));
        dialog().RZ_Saveas_Popup->actions()[check.tag - 1]->trigger();
        EXPECT_EQ(dialog().RZ_File_Name->text(), QString::fromLatin1(check.expected)) << check.name;
        EXPECT_EQ(dialog().RZ_Selected_Extension->currentIndex(), check.tag) << check.name;
        EXPECT_EQ(DialogService::instance().messageTexts(),
                  check.refused ? QStringList{badName} : QStringList{})
            << check.name;
    }
}

TEST_F(DiskControl, SaveModeOffersTheFormatMenuAndTheJpgOptionsLoadModeTheFifOptions)
{
    struct Case {
        const char* caption;
        bool saving;
    };
    for (const Case check :
         {Case{"Disk Control - [Save As]", true}, Case{"Disk Control - [Load Image]", false}}) {
        dialog().setWindowTitle(QString::fromLatin1(check.caption));
        dialog().show();
        EXPECT_EQ(dialog().RZ_JPG_Options->isEnabled(), check.saving) << check.caption;
        EXPECT_EQ(dialog().RZ_Fractel_Options->isEnabled(), !check.saving) << check.caption;

        QLineEdit* name = dialog().RZ_File_Name;
        const QPoint at = name->rect().center();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, name->mapToGlobal(at));
        QCoreApplication::sendEvent(name, &rightClick);
        EXPECT_EQ(dialog().RZ_Saveas_Popup->isVisible(), check.saving) << check.caption;
        // Neither the menu nor the edit's own menu opens in load mode.
        EXPECT_EQ(QApplication::activePopupWidget() != nullptr, check.saving) << check.caption;
        dialog().RZ_Saveas_Popup->hide();
        dialog().hide();
    }
}

TEST_F(DiskControl, ClickingAPictureFilePreviewsItWithItsSizeAsHint)
{
    writePicture(QStringLiteral("picture.bmp"), test::gradientPicture(40, 30));
    touch(pathOf(QStringLiteral("program.EXE")));
    ASSERT_TRUE(dialog().setCurrentFolder(folder()));
    dialog().show();

    chooseFile(QStringLiteral("program.EXE"));
    EXPECT_EQ(dialog().RZ_File_Name->text(), QStringLiteral("program.EXE"));
    EXPECT_EQ(dialog().RZ_Preview_Image->Contents(), 0);
    EXPECT_EQ(statusText(), QStringLiteral("No Function"));

    QListWidget* list = dialog().RZ_File_List;
    const QListWidgetItem* picture = list->findItems(QStringLiteral("picture.bmp"), Qt::MatchExactly).first();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(picture).center());
    EXPECT_EQ(dialog().RZ_File_Name->text(), QStringLiteral("picture.bmp"));
    ASSERT_EQ(dialog().RZ_Preview_Image->Contents(), 1);
    EXPECT_TRUE(test::sameColours(dialog().RZ_Preview_Image->image(), test::gradientPicture(40, 30)));
    EXPECT_EQ(dialog().RZ_Preview_Image->FileName(), pathOf(QStringLiteral("picture.bmp")));
    EXPECT_EQ(dialog().RZ_Preview_Image->toolTip(), QStringLiteral("40 x 30 x 24 Bit"));
    EXPECT_EQ(statusText(), QStringLiteral("No Function"));
    EXPECT_TRUE(DialogService::instance().messageTexts().isEmpty());

    // Switching the preview off empties it; on again reads the selected file anew.
    dialog().RZ_Preview->click();
    EXPECT_EQ(dialog().RZ_Preview_Image->Contents(), 0);
    EXPECT_EQ(dialog().RZ_Preview_Image->toolTip(), QString());
    dialog().RZ_Preview->click();
    EXPECT_EQ(dialog().RZ_Preview_Image->Contents(), 1);
    dialog().hide();
}

TEST_F(DiskControl, ThePreviewShowsInsideItsPanel)
{
    writePicture(QStringLiteral("red.bmp"), createImage(24, 50, 50, packRgb(255, 0, 0)));
    ASSERT_TRUE(dialog().setCurrentFolder(folder()));
    dialog().setWindowTitle(QStringLiteral("Disk Control - [Load Image]"));
    dialog().show();
    chooseFile(QStringLiteral("red.bmp"));
    const QImage shot = dialog().grab().toImage();
    TPicbuf* preview = dialog().RZ_Preview_Image;
    const QPoint centre = preview->mapTo(&dialog(), preview->rect().center());
    EXPECT_EQ(shot.pixelColor(centre), QColor(255, 0, 0));
    // Left of the panel is the dialog's silver.
    const QPoint outside = preview->mapTo(&dialog(), QPoint(0, 0)) - QPoint(6, -50);
    EXPECT_EQ(shot.pixelColor(outside), QColor(0xC0, 0xC0, 0xC0));
    dialog().hide();
}

TEST_F(DiskControl, AFileThatCannotBeReadIsReportedWithCode219)
{
    touch(pathOf(QStringLiteral("broken.bmp")), QByteArray("BM not really a bitmap"));
    ASSERT_TRUE(dialog().setCurrentFolder(folder()));
    chooseFile(QStringLiteral("broken.bmp"));
    const QStringList texts = DialogService::instance().messageTexts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts.first().startsWith(QStringLiteral("Error:- URZDisk32v1 - Code 219 - ")))
        << texts.first().toStdString();
    EXPECT_GT(texts.first().size(), QStringLiteral("Error:- URZDisk32v1 - Code 219 - ").size());
    EXPECT_EQ(dialog().RZ_Preview_Image->Contents(), 0);
    EXPECT_EQ(statusText(), QStringLiteral("No Function"));
}

TEST_F(DiskControl, ChangingTheFifScaleReloadsOnlyAFifPreview)
{
    touch(pathOf(QStringLiteral("fractal.fif")));
    writePicture(QStringLiteral("plain.bmp"), test::gradientPicture(4, 4));
    ASSERT_TRUE(dialog().setCurrentFolder(folder()));
    chooseFile(QStringLiteral("fractal.fif"));
    // No decoder reads FIF: the attempt is reported, after the folder became current.
    EXPECT_EQ(QDir::currentPath(), folder());
    EXPECT_EQ(DialogService::instance().messageTexts().size(), 1);
    DialogService::instance().clearHistory();
    dialog().RZ_FIF_Scale->setCurrentIndex(1);
    EXPECT_EQ(DialogService::instance().messageTexts().size(), 1);

    chooseFile(QStringLiteral("plain.bmp"));
    dialog().RZ_Preview_Image->ClearImage();
    dialog().RZ_FIF_Scale->setCurrentIndex(2);
    EXPECT_EQ(dialog().RZ_Preview_Image->Contents(), 0);
}

TEST_F(DiskControl, Map8BitWithoutThePaletteFileSaysSoAndLeavesThePicture)
{
    const Image original = test::palettePicture(9, 7, 8, 5);
    writePicture(QStringLiteral("indexed.bmp"), original);
    const QString missing = pathOf(QStringLiteral("nowhere/Common.pal"));
    windows().KV_Preferences32v1->KV_Pref_PaletteFile->setText(missing);
    ASSERT_TRUE(dialog().setCurrentFolder(folder()));
    chooseFile(QStringLiteral("indexed.bmp"));
    ASSERT_TRUE(DialogService::instance().messageTexts().isEmpty());

    dialog().RZ_Commonpalette->click();
    EXPECT_EQ(DialogService::instance().messageTexts(),
              QStringList{QStringLiteral("Cannot find common palette file \"") + missing +
                          QStringLiteral("\" for automatic palette mapping. Please check palette file name "
                                         "and path [File | Preferences].")});
    ASSERT_EQ(dialog().RZ_Preview_Image->Contents(), 1);
    EXPECT_EQ(dialog().RZ_Preview_Image->image().palette(), original.palette());
    EXPECT_EQ(statusText(), QStringLiteral("No Function"));

    dialog().RZ_Commonpalette->click();
    EXPECT_EQ(dialog().RZ_Preview_Image->Contents(), 0);
}

TEST_F(DiskControl, Map8BitTakesTheCommonPaletteAndKeepsEveryColour)
{
    const Image original = test::palettePicture(13, 11, 8, 9);
    writePicture(QStringLiteral("indexed.bmp"), original);
    // The same colours in reverse order: every pixel finds its colour exactly.
    std::vector<Rgb> common = original.palette();
    std::reverse(common.begin(), common.end());
    const QString paletteFile = pathOf(QStringLiteral("Common.pal"));
    writePaletteFile(paletteFile.toStdString(), common);
    windows().KV_Preferences32v1->KV_Pref_PaletteFile->setText(paletteFile);
    dialog().RZ_Commonpalette->setChecked(true);
    ASSERT_TRUE(dialog().setCurrentFolder(folder()));
    chooseFile(QStringLiteral("indexed.bmp"));

    EXPECT_TRUE(DialogService::instance().messageTexts().isEmpty());
    const Image& mapped = dialog().RZ_Preview_Image->image();
    EXPECT_EQ(mapped.palette(), common);
    EXPECT_TRUE(test::sameColours(mapped, original));
}

TEST_F(DiskControl, MappingLeavesTrueColourPicturesAlone)
{
    windows().KV_Preferences32v1->KV_Pref_PaletteFile->setText(pathOf(QStringLiteral("missing.pal")));
    TPicbuf picture;
    picture.setImage(test::gradientPicture(5, 5));
    MapToCommonPalette(picture);
    EXPECT_TRUE(DialogService::instance().messageTexts().isEmpty());
    EXPECT_TRUE(test::sameColours(picture.image(), test::gradientPicture(5, 5)));
}

TEST_F(DiskControl, EveryCloseWritesTheOptionsButNeverTheLastFile)
{
    int quality = 40;
    for (QPushButton* button : {dialog().RZ_Disk_OK_Icon, dialog().RZ_Disk_Cancel_Icon}) {
        dialog().RZ_JPG_VALUE->setValue(++quality);
        dialog().RZ_Preview->setChecked(quality % 2 == 0);
        dialog().RZ_File_Name->setText(QStringLiteral("chosen.png"));
        dialog().show();
        button->click();
        const IniFile ini(settingsFilePath());
        EXPECT_EQ(ini.ReadInteger("FileOptions", "Jpgcomp", 0), quality);
        EXPECT_EQ(ini.ReadBool("FileOptions", "Preview", quality % 2 != 0), quality % 2 == 0);
        EXPECT_FALSE(ini.hasKey("FileOptions", "LastFileLoaded"));
    }
    dialog().show();
    QTest::keyClick(&dialog(), Qt::Key_Escape);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(dialog().rememberedFileName(), dialog().currentFolder() + QStringLiteral("/chosen.png"));
}

} // namespace
} // namespace vask
