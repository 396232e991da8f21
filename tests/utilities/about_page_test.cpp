#include "utilities/about_page.h"

#include "control_inventory.h"

using namespace vask;
using namespace vask::inventory;

TEST(AboutPage, ShowsTheProgramTitleAboveItsSubtitle)
{
    AboutPage page(nullptr);
    page.resize(561, 240);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_About"));
    EXPECT_EQ(labelCaptions(&page), QStringList({" Image Vaskolen 32+ ", " 32 Bit Image Processing "}));
    EXPECT_LT(page.titleLabel->geometry().bottom(), page.subtitleLabel->geometry().top());
    expectTidyLayout(&page);
}
