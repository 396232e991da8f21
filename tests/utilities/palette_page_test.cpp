#include "utilities/palette_page.h"

#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QSignalSpy>

using namespace vask::sheet_checks;
using vask::PaletteGrid;
using vask::PalettePage;

namespace {

// Entry i of the table: a colour no other entry has.
std::vector<QColor> distinctTable(int entries)
{
    std::vector<QColor> table;
    for (int index = 0; index < entries; ++index)
        table.emplace_back(index, 255 - index, (index * 7) % 256);
    return table;
}

} // namespace

TEST(PalettePage, HoldsEveryControlWithItsCaptionHintAndStartState)
{
    PalettePage page;
    EXPECT_EQ(page.objectName(), "KV_UT_Options_Palette");
    expectSpeedButtons(page, {
                                 {"KV_UT_Palette_MappedDrag", "DD",
                                  "Allow Drag of Utility Image [ No Drag Selection Image ]", 6},
                                 {"KV_UT_Palette_Load", "",
                                  "Load a 'Palette File'  and force 'Palette Image' to loaded palette - "
                                  "Re-Assign Palette Image between "
                                  "loads [ Drag Image onto grid ]",
                                  2},
                                 {"KV_UT_Palette_Save", "",
                                  "Save Palette [*.Pal] within 'Palette Image' to disk - ALWAYS specify the "
                                  "extension when saving the file. "
                                  "Example-: 'C:\\Palette.PAL'",
                                  3},
                                 {"KV_UT_Palette_Recalc", "Calc",
                                  "Force Update of Map Image - Use if you have loaded a new 'Palette Image' "
                                  "to force 'Map Image' to "
                                  "'Palette Image' palette",
                                  4},
                             });
    expectCheckBoxes(page, {
                               {"KV_UT_Palette_To8", "To 8 Bit",
                                "Convert Map Image on Drop to 8 Bit [x] or to Palette Image Depth", true},
                               {"KV_UT_Palette_DR", "Dither",
                                "Check Option to Dither Map Image to Palette Image on Drop", false},
                           });
    const auto* grid = page.findChild<PaletteGrid*>("KV_UT_Palette_Grid");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->toolTip(),
              "Drag and Drop any Image with a palette onto grid to see Palette [ Right Click to "
              "Edit Cell ] - Drop Any Image onto Map Image to Map to Palette Image");
    for (const char* name : {"KV_UT_Palette_Image", "KV_UT_Palette_MapImage", "KV_UT_Palette_Palette"})
        EXPECT_NE(page.findChild<vask::TPicbuf*>(name), nullptr) << name;
    EXPECT_TRUE(page.KV_UT_Palette_Palette->isHidden());
    EXPECT_FALSE(page.KV_UT_Palette_Image->isHidden());
    // The glyph buttons show a picture instead of a caption.
    EXPECT_FALSE(page.KV_UT_Palette_Load->icon().isNull());
    EXPECT_FALSE(page.KV_UT_Palette_Save->icon().isNull());

    const QStringList labels = labelTexts(page);
    for (const char* text :
         {"Palette [ Index = 0 ] ", "Palette Image:- ", "X/Y Index  = 0  ", "Map Image:- "})
        EXPECT_TRUE(labels.contains(text)) << text;
    EXPECT_EQ(page.KV_UT_Palette_Label1->text(), "Palette [ Index = 0 ] ");
    EXPECT_EQ(page.KV_UT_Palette_Label3->text(), "X/Y Index  = 0  ");
}

TEST(PaletteGrid, PaintsEachCellInItsTableColourAndBlackWhereTheTableEnds)
{
    PaletteGrid grid;
    grid.setPaletteTable(distinctTable(200));
    const QImage shown = grid.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(PaletteGrid::kExtent, PaletteGrid::kExtent));
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 16; ++column) {
            const int index = row * 16 + column;
            const QRect cell = grid.cellRect(row, column);
            EXPECT_EQ(cell.size(), QSize(11, 11));
            const QColor expected =
                index < 200 ? QColor(index, 255 - index, (index * 7) % 256) : QColor(Qt::black);
            // All four corners and the centre of the cell carry its colour.
            for (const QPoint point :
                 {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight(), cell.center()})
                ASSERT_EQ(shown.pixelColor(point), expected) << "cell " << index;
        }
    }
}

TEST(PaletteGrid, EmptyTableShowsAllCellsBlack)
{
    PaletteGrid grid;
    const QImage shown = grid.grab().toImage();
    EXPECT_EQ(shown.pixelColor(grid.cellRect(0, 0).center()), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(grid.cellRect(15, 15).center()), QColor(Qt::black));
}

TEST(PaletteGrid, PointUnderTheMouseNamesTheCellDrawnThere)
{
    PaletteGrid grid;
    const struct {
        int row;
        int column;
    } cells[] = {{0, 0}, {2, 3}, {15, 15}, {7, 12}};
    for (const auto& cell : cells) {
        const QRect area = grid.cellRect(cell.row, cell.column);
        for (const QPoint point : {area.topLeft(), area.bottomRight(), area.center()})
            EXPECT_EQ(grid.cellIndexAt(point.x(), point.y()), cell.row * 16 + cell.column);
    }
    EXPECT_EQ(grid.cellIndexAt(grid.cellRect(2, 3).center().x(), grid.cellRect(2, 3).center().y()), 35);
    // Outside the cells: the nearest one.
    EXPECT_EQ(grid.cellIndexAt(-5, -5), 0);
    EXPECT_EQ(grid.cellIndexAt(1000, 1000), 255);
}

TEST(PaletteGrid, MouseDownReportsButtonAndPoint)
{
    PaletteGrid grid;
    QSignalSpy presses(&grid, &PaletteGrid::MouseDown);
    const QPoint point = grid.cellRect(2, 3).center();
    QTest::mousePress(&grid, Qt::RightButton, Qt::NoModifier, point);
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(grid.cellIndexAt(presses.at(0).at(2).toInt(), presses.at(0).at(3).toInt()), 35);
}

TEST(PalettePage, WithoutSettingsFileTheDefaultsShow)
{
    PalettePage page;
    page.KV_UT_Palette_DR->setChecked(true);
    page.KV_UT_Palette_To8->setChecked(false);
    page.readSettings(freshSettings());
    EXPECT_FALSE(page.KV_UT_Palette_DR->isChecked());
    EXPECT_TRUE(page.KV_UT_Palette_To8->isChecked());
}

TEST(PalettePage, SettingsComeBackOnAFreshPage)
{
    vask::IniFile ini = freshSettings();
    {
        PalettePage page;
        page.KV_UT_Palette_DR->setChecked(true);
        page.KV_UT_Palette_To8->setChecked(false);
        page.writeSettings(ini);
    }
    const QString text = settingsText();
    EXPECT_TRUE(text.contains("[Palettes]"));
    EXPECT_TRUE(text.contains("Dither=1"));
    EXPECT_TRUE(text.contains("To8=0"));
    PalettePage fresh;
    fresh.readSettings(ini);
    EXPECT_TRUE(fresh.KV_UT_Palette_DR->isChecked());
    EXPECT_FALSE(fresh.KV_UT_Palette_To8->isChecked());
}

TEST(PalettePage, FitsTheSheetWithNothingOverlapping)
{
    PalettePage page;
    page.setFont(windowFont());
    expectTidyLayout(page, kSheet);
}
