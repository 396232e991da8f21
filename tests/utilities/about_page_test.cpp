#include "utilities/about_page.h"

#include "sheet_checks.h"

using namespace vask;
using namespace vask::sheet_checks;

TEST(AboutPage, ShowsTheProgramTitleAboveItsSubtitle)
{
    AboutPage page(nullptr);
    page.resize(561, 240);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_About"));
    EXPECT_EQ(labelTexts(page), QStringList({" Image Vaskolen 32+ ", " 32 Bit Image Processing "}));
    EXPECT_LT(page.titleLabel->geometry().bottom(), page.subtitleLabel->geometry().top());
    expectTidyLayout(page);
}
