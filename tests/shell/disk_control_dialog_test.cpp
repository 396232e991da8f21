#include "program_fixture.h"

#include "controls/component_tag.h"
#include "controls/form_widgets.h"
#include "engine/codecs/palette_file.h"
#include "store/common_palette.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace vask {
namespace {

class DiskControl : public ImageStore {
protected:
    // What a user's click on a listed file does: the selection moves to it.
    void chooseFile(const QString& name)
    {
        const QList<QListWidgetItem*> found = disk().RZ_File_List->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        disk().RZ_File_List->setCurrentItem(found.first());
    }
};

TEST_F(DiskControl, FileListShowsTheFilesMatchingTheFilterMaskWhateverTheirCase)
{
    QStringList filters;
    for (int index = 0; index < disk().RZ_Selected_Extension->count(); ++index)
        filters << disk().RZ_Selected_Extension->itemText(index);
    EXPECT_EQ(filters, QStringList({"All files (*.*)", "Tif (*.TIF - No LZW)", "Targa (*.TGA)",
                                    "Bitmaps (*.BMP)", "DIBS (*.DIB)", "PCX (*.PCX)", "JPEG (*.JPG)",
                                    "MS Paint (*.MSP)", "Fractel (*.FIF)", "PNG (*.PNG)",
                                    "EXE - Icon Extractor", "DLL - Icon Extractor"}));
    EXPECT_EQ(diskControlFilterMasks(), QStringList({"*.*", "*.tif", "*.tga", "*.bmp", "*.dib", "*.pcx",
                                                     "*.jpg", "*.msp", "*.fif", "*.png", "*.exe", "*.dll"}));

    for (const char* name : {"a.BMP", "b.bmp", "c.Bmp", "d.png", "e.txt", "noext", "f.bmp.txt"})
        writeBytes(path(QString::fromLatin1(name)));
    ASSERT_TRUE(QDir(m_folder).mkdir(QStringLiteral("sub.bmp")));
    ASSERT_TRUE(disk().setCurrentFolder(m_folder));
    disk().setFilterIndex(3);
    EXPECT_EQ(itemTexts(disk().RZ_File_List), QStringList({"a.BMP", "b.bmp", "c.Bmp"}));
    disk().RZ_Selected_Extension->setCurrentIndex(9);
    EXPECT_EQ(itemTexts(disk().RZ_File_List), QStringList({"d.png"}));
    // "*.*" lists every file, also one without a dot; folders never.
    disk().RZ_Selected_Extension->setCurrentIndex(0);
    EXPECT_EQ(itemTexts(disk().RZ_File_List),
              QStringList({"a.BMP", "b.bmp", "c.Bmp", "d.png", "e.txt", "f.bmp.txt", "noext"}));
    EXPECT_EQ(itemTexts(disk().RZ_Directory_list), QStringList({"..", "sub.bmp"}));
    EXPECT_EQ(disk().RZ_Directory_Label->text(), m_folder);
}

TEST_F(DiskControl, OkAndCancelRememberTheFolderAndTheTypedName)
{
    for (const QString& folder : {m_folder, QStringLiteral("/")}) {
        for (QPushButton* button : {disk().RZ_Disk_OK_Icon, disk().RZ_Disk_Cancel_Icon}) {
            ASSERT_TRUE(disk().setCurrentFolder(folder));
            disk().RZ_File_Name->setText(QStringLiteral("A.BMP"));
            disk().show();
            button->click();
            EXPECT_EQ(disk().rememberedFileName(),
                      (folder == "/" ? QString() : folder) + QStringLiteral("/A.BMP"));
            EXPECT_EQ(disk().result(),
                      button == disk().RZ_Disk_OK_Icon ? QDialog::Accepted : QDialog::Rejected);
            EXPECT_FALSE(disk().isVisible());
        }
    }
}

TEST_F(DiskControl, SwappingTheExtensionRewritesTheNameAndSelectsTheFilter)
{
    const QString badName =
        QStringLiteral("Filename not valid. Unable to set specified Save as format extension. "
                       "Please  retype filename including file extension.");
    // An expected "Error.???" is refused with the message.
    // clang-format off
    struct Case { const char* name; int tag; const char* expected; };
    const Case cases[] = {
        {"photo.jpg", 9, "photo.PNG"}, {"photo", 1, "photo.TIF"}, {"holiday.2024.tga", 6, "holiday.2024.JPG"},
        {"/data/set.v2/scan", 3, "/data/set.v2/scan.BMP"}, {"a.b", 5, "a.PCX"},
        {"", 2, "Error.???"}, {".png", 4, "Error.???"}, {"*.*", 9, "Error.???"},
    };
    // clang-format on
    disk().setWindowTitle(QStringLiteral("Disk Control - [Save As]"));
    for (const Case& check : cases) {
        DialogService::instance().clearHistory();
        disk().setFilterIndex(0);
        disk().RZ_File_Name->setText(QString::fromLatin1(check.name));
        disk().RZ_Saveas_Popup->actions()[check.tag - 1]->trigger();
        EXPECT_EQ(disk().RZ_File_Name->text(), QString::fromLatin1(check.expected)) << check.name;
        EXPECT_EQ(disk().RZ_Selected_Extension->currentIndex(), check.tag) << check.name;
        const bool refused = QString::fromLatin1(check.expected) == QStringLiteral("Error.???");
        EXPECT_EQ(messages(), refused ? QStringList{badName} : QStringList{}) << check.name;
    }
}

TEST_F(DiskControl, SaveModeOffersTheFormatMenuAndTheJpgOptionsLoadModeTheFifOptions)
{
    QStringList items; // caption, tag, and whether it can be chosen
    for (const QAction* item : disk().RZ_Saveas_Popup->actions())
        items << item->text() + QLatin1Char(' ') + QString::number(tagOf(item)) +
                     (item->isEnabled() ? "" : " off");
    EXPECT_EQ(items, QStringList({"Save as TIF 1", "Save as TGA 2", "Save as BMP 3", "Save as DIB 4",
                                  "Save as PCX 5", "Save as JPG 6", "Save as MSP 7 off", "Save as FIF 8 off",
                                  "Save as PNG 9"}));
    for (const bool saving : {true, false}) {
        disk().setWindowTitle(saving ? QStringLiteral("Disk Control - [Save As]")
                                     : QStringLiteral("Disk Control - [Load Image]"));
        disk().show();
        EXPECT_EQ(disk().RZ_JPG_Options->isEnabled(), saving);
        EXPECT_EQ(disk().RZ_Fractel_Options->isEnabled(), !saving);
        QLineEdit* name = disk().RZ_File_Name;
        const QPoint at = name->rect().center();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, name->mapToGlobal(at));
        QCoreApplication::sendEvent(name, &rightClick);
        EXPECT_EQ(disk().RZ_Saveas_Popup->isVisible(), saving);
        // Neither the menu nor the edit's own menu opens in load mode.
        EXPECT_EQ(QApplication::activePopupWidget() != nullptr, saving);
        disk().RZ_Saveas_Popup->hide();
        disk().hide();
    }
}

TEST_F(DiskControl, ClickingAPictureFilePreviewsItWithItsSizeAsHint)
{
    saveFile(test::gradientPicture(40, 30), QStringLiteral("picture.bmp"));
    writeBytes(path(QStringLiteral("program.EXE")));
    ASSERT_TRUE(disk().setCurrentFolder(m_folder));
    disk().setWindowTitle(QStringLiteral("Disk Control - [Load Image]"));
    disk().show();
    chooseFile(QStringLiteral("program.EXE"));
    EXPECT_EQ(disk().RZ_File_Name->text(), QStringLiteral("program.EXE"));
    EXPECT_EQ(disk().RZ_Preview_Image->Contents(), 0);
    expectIdle();

    QListWidget* list = disk().RZ_File_List;
    const QListWidgetItem* picture = list->findItems(QStringLiteral("picture.bmp"), Qt::MatchExactly).first();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(picture).center());
    EXPECT_EQ(disk().RZ_File_Name->text(), QStringLiteral("picture.bmp"));
    ASSERT_EQ(disk().RZ_Preview_Image->Contents(), 1);
    EXPECT_TRUE(test::sameColours(disk().RZ_Preview_Image->image(), test::gradientPicture(40, 30)));
    EXPECT_EQ(disk().RZ_Preview_Image->FileName(), path(QStringLiteral("picture.bmp")));
    EXPECT_EQ(disk().RZ_Preview_Image->toolTip(), QStringLiteral("40 x 30 x 24 Bit"));
    EXPECT_TRUE(messages().isEmpty());
    expectIdle();
    // Switching the preview off empties it; on again reads the selected file anew.
    disk().RZ_Preview->click();
    EXPECT_EQ(disk().RZ_Preview_Image->Contents(), 0);
    EXPECT_EQ(disk().RZ_Preview_Image->toolTip(), QString());
    disk().RZ_Preview->click();
    EXPECT_EQ(disk().RZ_Preview_Image->Contents(), 1);
    disk().hide();
}

TEST_F(DiskControl, Map8BitWithoutThePaletteFileSaysSoAndWithItKeepsEveryColour)
{
    const Image original = test::palettePicture(13, 11, 8, 9);
    saveFile(original, QStringLiteral("indexed.bmp"));
    const QString missing = path(QStringLiteral("nowhere/Common.pal"));
    preferences().KV_Pref_PaletteFile->setText(missing);
    ASSERT_TRUE(disk().setCurrentFolder(m_folder));
    chooseFile(QStringLiteral("indexed.bmp"));
    disk().RZ_Commonpalette->click();
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("Cannot find common palette file \"") + missing +
                          QStringLiteral("\" for automatic palette mapping. Please check palette file "
                                         "name and path [File | Preferences].")});
    ASSERT_EQ(disk().RZ_Preview_Image->Contents(), 1);
    EXPECT_EQ(disk().RZ_Preview_Image->image().palette(), original.palette());
    expectIdle();

    // The same colours in reverse order: every pixel finds its colour exactly.
    std::vector<Rgb> common = original.palette();
    std::reverse(common.begin(), common.end());
    writePaletteFile(path(QStringLiteral("Common.pal")).toStdString(), common);
    preferences().KV_Pref_PaletteFile->setText(path(QStringLiteral("Common.pal")));
    DialogService::instance().clearHistory();
    disk().RZ_Commonpalette->click();
    EXPECT_EQ(disk().RZ_Preview_Image->Contents(), 0);
    disk().RZ_Commonpalette->click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(disk().RZ_Preview_Image->image().palette(), common);
    EXPECT_TRUE(test::sameColours(disk().RZ_Preview_Image->image(), original));
}

TEST_F(DiskControl, OptionsAreReadAtStartAndWrittenAtEveryCloseButNeverTheLastFile)
{
    stop();
    writeBytes(settingsPath(), "[FileOptions]\nJpgcomp=55\nProgWrite=3\nFifScale=2\nPreview=0\n"
                               "LastFileLoaded=/tmp/one.tga\n");
    start();
    EXPECT_EQ(disk().RZ_JPG_VALUE->value(), 55);
    EXPECT_EQ(disk().RZ_Write_Options->currentText(), QStringLiteral("8 Bit GreyScale JPG [PRG]"));
    EXPECT_EQ(disk().RZ_FIF_Scale->currentIndex(), 2);
    EXPECT_EQ(disk().RZ_FIF_Height->value(), 200);
    EXPECT_FALSE(disk().RZ_Preview->isChecked());
    EXPECT_FALSE(disk().RZ_Commonpalette->isChecked()); // a 24-bit screen does not map by default
    EXPECT_EQ(disk().rememberedFileName(), QStringLiteral("/tmp/one.tga"));

    QFile::remove(settingsPath());
    int quality = 40;
    for (QPushButton* button : {disk().RZ_Disk_OK_Icon, disk().RZ_Disk_Cancel_Icon}) {
        disk().RZ_JPG_VALUE->setValue(++quality);
        disk().RZ_Preview->setChecked(quality % 2 == 0);
        disk().RZ_File_Name->setText(QStringLiteral("chosen.png"));
        disk().show();
        button->click();
        const IniFile ini(settingsFilePath());
        EXPECT_EQ(ini.ReadInteger("FileOptions", "Jpgcomp", 0), quality);
        EXPECT_EQ(ini.ReadBool("FileOptions", "Preview", quality % 2 != 0), quality % 2 == 0);
        for (const char* key : {"ProgWrite", "FifOption", "FifScale", "FifHeight", "FifWidth", "Common"})
            EXPECT_TRUE(ini.hasKey("FileOptions", key)) << key;
        EXPECT_FALSE(ini.hasKey("FileOptions", "LastFileLoaded"));
    }
    disk().show();
    QTest::keyClick(&disk(), Qt::Key_Escape);
    EXPECT_FALSE(disk().isVisible());
    EXPECT_EQ(disk().rememberedFileName(), disk().currentFolder() + QStringLiteral("/chosen.png"));
}

} // namespace
} // namespace vask
