#include "utilities/matrix3_page.h"

#include "sheet_checks.h"

using namespace sheet_checks;
using vask::Matrix3Page;

TEST(Matrix3Page, HoldsTheButtonsFactorsAndNineKernelEdits)
{
    Matrix3Page page;
    EXPECT_EQ(page.objectName(), "KV_UT_Filters_Matrix3");
    expectSpeedButtons(page,
                       {
                           {"KV_UT_Filters_Preview3", "Preview", "Apply 3*3 Filter to Preview Image", 7},
                           {"KV_UT_Filters_Save3", "Save", "Save Filter to Disk", 6},
                           {"KV_UT_Filters_Load3", "Open", "Load a Matrix Filter from Disk", 5},
                       });
    std::vector<SpinEditRow> edits = {
        {"KV_UT_Filters_3Offset", "", -1000, 1000, 1, 1},
        {"KV_UT_Filters_3Scale", "", -1000, 1000, 1, 1},
        {"KV_UT_Filters_3Norm", "", -1000, 1000, -1, 1},
    };
    std::vector<std::string> names;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            names.push_back("KV_UT_Filters_m3" + std::to_string(row) + std::to_string(column));
    }
    for (const std::string& name : names)
        edits.push_back({name.c_str(), "", -1000, 1000, 1, 1});
    expectSpinEdits(page, edits);
    EXPECT_EQ(page.findChildren<vask::SpinEdit*>().size(), 12);

    const QStringList labels = labelTexts(page);
    for (const char* text : {"Scale:- ", "Norm:- ", "Offset:- "})
        EXPECT_TRUE(labels.contains(text)) << text;
}

TEST(Matrix3Page, KernelEditsLieOnTheScreenInRowsAndColumnsOfTheirNames)
{
    Matrix3Page page;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE(std::to_string(row) + std::to_string(column));
            const vask::SpinEdit* edit = page.kernelEdit(row, column);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->objectName(), QStringLiteral("KV_UT_Filters_m3%1%2").arg(row).arg(column));
            if (column > 0) {
                EXPECT_GT(edit->x(), page.kernelEdit(row, column - 1)->x());
                EXPECT_EQ(edit->y(), page.kernelEdit(row, column - 1)->y());
            }
            if (row > 0) {
                EXPECT_GT(edit->y(), page.kernelEdit(row - 1, column)->y());
            }
        }
    }
    EXPECT_EQ(page.kernelEdit(3, 0), nullptr);
    EXPECT_EQ(page.kernelEdit(0, -1), nullptr);
}

TEST(Matrix3Page, TypedValuesAreClampedToPlusMinusThousand)
{
    Matrix3Page page;
    const struct {
        vask::SpinEdit* edit;
        const char* typed;
        int expected;
    } cases[] = {
        {page.KV_UT_Filters_m311, "5000", 1000},    {page.KV_UT_Filters_m300, "-5000", -1000},
        {page.KV_UT_Filters_m322, "-7", -7},        {page.KV_UT_Filters_3Scale, "1001", 1000},
        {page.KV_UT_Filters_3Norm, "-1000", -1000}, {page.KV_UT_Filters_3Offset, "-1234", -1000},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.edit->objectName().toStdString() + " " + entry.typed);
        EXPECT_EQ(typeInto(*entry.edit, entry.typed), entry.expected);
    }
}

TEST(Matrix3Page, FitsItsTabWithNothingOverlapping)
{
    Matrix3Page page;
    page.setFont(windowFont());
    expectTidyLayout(page, QSize(394, 204));
}
