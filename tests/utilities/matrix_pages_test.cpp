// The two kernel editor tabs of the Filters page: 3 x 3 with edits clamped to +/-1000, 5 x 5
// with edits of no range limit.
#include "utilities/matrix3_page.h"
#include "utilities/matrix5_page.h"

#include "sheet_checks.h"

#include <string>

using namespace vask::sheet_checks;
using vask::Matrix3Page;
using vask::Matrix5Page;
using vask::SpinEdit;

namespace {

// The page's size x size kernel edits (KV_UT_Filters_m<size><row><column>) with the range given
// and a start value of 1, beside its three factor edits.
template <class Page> void expectKernelEdits(const Page& page, int minimum, int maximum)
{
    constexpr int size = Page::kSize;
    std::vector<std::string> names;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column)
            names.push_back("KV_UT_Filters_m" + std::to_string(size) + std::to_string(row) +
                            std::to_string(column));
    }
    std::vector<SpinEditRow> edits;
    for (const std::string& name : names)
        edits.push_back({name.c_str(), "", minimum, maximum, 1, 1});
    expectSpinEdits(page, edits);
    EXPECT_EQ(page.template findChildren<SpinEdit*>().size(), size * size + 3);

    const QStringList labels = labelTexts(page);
    for (const char* text : {"Scale:- ", "Norm:- ", "Offset:- "})
        EXPECT_TRUE(labels.contains(text)) << text;
}

// kernelEdit(row, column) is the edit named so, and the edits stand in rows and columns on the
// screen; outside the grid it answers nothing.
template <class Page> void expectKernelGridOnScreen(const Page& page)
{
    constexpr int size = Page::kSize;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            SCOPED_TRACE(std::to_string(row) + std::to_string(column));
            const SpinEdit* edit = page.kernelEdit(row, column);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->objectName(),
                      QStringLiteral("KV_UT_Filters_m%1%2%3").arg(size).arg(row).arg(column));
            if (column > 0) {
                EXPECT_GT(edit->x(), page.kernelEdit(row, column - 1)->x());
                EXPECT_EQ(edit->y(), page.kernelEdit(row, column - 1)->y());
            }
            if (row > 0) {
                EXPECT_GT(edit->y(), page.kernelEdit(row - 1, column)->y());
            }
        }
    }
    EXPECT_EQ(page.kernelEdit(size, 0), nullptr);
    EXPECT_EQ(page.kernelEdit(0, -1), nullptr);
}

} // namespace

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
    expectSpinEdits(page, {
                              {"KV_UT_Filters_3Offset", "", -1000, 1000, 1, 1},
                              {"KV_UT_Filters_3Scale", "", -1000, 1000, 1, 1},
                              {"KV_UT_Filters_3Norm", "", -1000, 1000, -1, 1},
                          });
    expectKernelEdits(page, -1000, 1000);
}

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
    expectSpinEdits(page, {
                              {"KV_UT_Filters_5Scale", "", 0, 0, 1, 1},
                              {"KV_UT_Filters_5Norm", "", 0, 0, -1, 1},
                              {"KV_UT_Filters_5Offset", "", 0, 0, 1, 1},
                          });
    expectKernelEdits(page, 0, 0);
}

TEST(Matrix3Page, KernelEditsLieOnTheScreenInRowsAndColumnsOfTheirNames)
{
    expectKernelGridOnScreen(Matrix3Page());
}

TEST(Matrix5Page, KernelEditsLieOnTheScreenInRowsAndColumnsOfTheirNames)
{
    expectKernelGridOnScreen(Matrix5Page());
}

TEST(Matrix3Page, TypedValuesAreClampedToPlusMinusThousand)
{
    Matrix3Page page;
    expectTypedValues({
        {page.KV_UT_Filters_m311, "5000", 1000},
        {page.KV_UT_Filters_m300, "-5000", -1000},
        {page.KV_UT_Filters_m322, "-7", -7},
        {page.KV_UT_Filters_3Scale, "1001", 1000},
        {page.KV_UT_Filters_3Norm, "-1000", -1000},
        {page.KV_UT_Filters_3Offset, "-1234", -1000},
    });
}

TEST(Matrix5Page, EditsWithoutRangeLimitAcceptAnyTypedInteger)
{
    Matrix5Page page;
    expectTypedValues({
        {page.KV_UT_Filters_m522, "123456789", 123456789},
        {page.KV_UT_Filters_m500, "-2000000", -2000000},
        {page.KV_UT_Filters_m544, "1001", 1001},
        {page.KV_UT_Filters_5Scale, "-1001", -1001},
        {page.KV_UT_Filters_5Norm, "65536", 65536},
        {page.KV_UT_Filters_5Offset, "0", 0},
    });
}

TEST(Matrix3Page, FitsItsTabWithNothingOverlapping)
{
    Matrix3Page page;
    page.setFont(windowFont());
    expectTidyLayout(page, kFilterTab);
}

TEST(Matrix5Page, FitsItsTabWithNothingOverlapping)
{
    Matrix5Page page;
    page.setFont(windowFont());
    expectTidyLayout(page, kFilterTab);
}
