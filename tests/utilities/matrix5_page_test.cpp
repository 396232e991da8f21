#include "utilities/matrix5_page.h"

#include "sheet_checks.h"

using namespace sheet_checks;
using vask::Matrix5Page;

TEST(Matrix5Page, HoldsTheButtonsFactorsAndTwentyFiveUnlimitedKernelEdits)
{
    Matrix5Page page;
    EXPECT_EQ(page.objectName(), "KV_UT_Filters_Matrix5");
    expectSpeedButtons(page,
                       {
                           {"KV_UT_Filters_Load5", "Open", "Load a Matrix Filter from Disk", 9},
                           {"KV_UT_Filters_Save5", "Save", "Save Filter to Disk", 10},
                           {"KV_UT_Filters_Preview5", "Preview", "Apply 5*5 Filter to Preview Image", 11},
                       });
    std::vector<SpinEditRow> edits = {
        {"KV_UT_Filters_5Scale", "", 0, 0, 1, 1},
        {"KV_UT_Filters_5Norm", "", 0, 0, -1, 1},
        {"KV_UT_Filters_5Offset", "", 0, 0, 1, 1},
    };
    std::vector<std::string> names;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column)
            names.push_back("KV_UT_Filters_m5" + std::to_string(row) + std::to_string(column));
    }
    for (const std::string& name : names)
        edits.push_back({name.c_str(), "", 0, 0, 1, 1});
    expectSpinEdits(page, edits);
    EXPECT_EQ(page.findChildren<vask::SpinEdit*>().size(), 28);

    const QStringList labels = labelTexts(page);
    for (const char* text : {"Scale:- ", "Norm:- ", "Offset:- "})
        EXPECT_TRUE(labels.contains(text)) << text;
}

TEST(Matrix5Page, KernelEditsLieOnTheScreenInRowsAndColumnsOfTheirNames)
{
    Matrix5Page page;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column) {
            SCOPED_TRACE(std::to_string(row) + std::to_string(column));
            const vask::SpinEdit* edit = page.kernelEdit(row, column);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->objectName(), QStringLiteral("KV_UT_Filters_m5%1%2").arg(row).arg(column));
            if (column > 0) {
                EXPECT_GT(edit->x(), page.kernelEdit(row, column - 1)->x());
                EXPECT_EQ(edit->y(), page.kernelEdit(row, column - 1)->y());
            }
            if (row > 0) {
                EXPECT_GT(edit->y(), page.kernelEdit(row - 1, column)->y());
            }
        }
    }
    EXPECT_EQ(page.kernelEdit(5, 0), nullptr);
}

TEST(Matrix5Page, EditsWithoutRangeLimitAcceptAnyTypedInteger)
{
    Matrix5Page page;
    const struct {
        vask::SpinEdit* edit;
        const char* typed;
        int expected;
    } cases[] = {
        {page.KV_UT_Filters_m522, "123456789", 123456789}, {page.KV_UT_Filters_m500, "-2000000", -2000000},
        {page.KV_UT_Filters_m544, "1001", 1001},           {page.KV_UT_Filters_5Scale, "-1001", -1001},
        {page.KV_UT_Filters_5Norm, "65536", 65536},        {page.KV_UT_Filters_5Offset, "0", 0},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.edit->objectName().toStdString() + " " + entry.typed);
        EXPECT_EQ(typeInto(*entry.edit, entry.typed), entry.expected);
    }
}

TEST(Matrix5Page, FitsItsTabWithNothingOverlapping)
{
    Matrix5Page page;
    page.setFont(windowFont());
    expectTidyLayout(page, QSize(394, 204));
}
