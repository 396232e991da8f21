#include "utilities/filters_page.h"

#include "controls/form_widgets.h"
#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "utilities/effect_browser_page.h"
#include "utilities/matrix3_page.h"
#include "utilities/matrix5_page.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QToolButton>

namespace vask {

namespace {

constexpr char kSection[] = "Filters";
// The inner tabs take the left of the sheet; the preview a column of 150 pixels on the right.
constexpr int kInnerTabsWidth = 398;
constexpr int kPreviewLeft = kInnerTabsWidth + 8;

} // namespace

FiltersPage::FiltersPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Options_Filters"));

    KV_UT_Filter_EnableDrag = makeDragButton(this, QStringLiteral("KV_UT_Filter_EnableDrag"), 1);
    KV_UT_Filter_EnableDrag->setGeometry(kPreviewLeft, 4, 40, 22);
    KV_UT_Filters_FullPreview =
        makeCheckBox(this, QStringLiteral("KV_UT_Filters_FullPreview"), QStringLiteral("Fast Preview"),
                     QStringLiteral("'Uncheck' to use Full Image Resolution - [Slow]"), true);
    KV_UT_Filters_FullPreview->setGeometry(kPreviewLeft + 46, 6, 104, 18);
    KV_UT_Filters_Preview =
        makePicture(this, QStringLiteral("KV_UT_Filters_Preview"), QRect(kPreviewLeft, 30, 150, 204));

    KV_UT_Filters_FilterPage = new QTabWidget(this);
    KV_UT_Filters_FilterPage->setObjectName(QStringLiteral("KV_UT_Filters_FilterPage"));
    KV_UT_Filters_FilterPage->setGeometry(2, 2, kInnerTabsWidth, 234);
    KV_UT_Filters_Matrix3 = new Matrix3Page(KV_UT_Filters_FilterPage);
    KV_UT_Filters_FilterPage->addTab(KV_UT_Filters_Matrix3, QStringLiteral("3*3 Matrix"));
    KV_UT_Filters_Matrix5 = new Matrix5Page(KV_UT_Filters_FilterPage);
    KV_UT_Filters_FilterPage->addTab(KV_UT_Filters_Matrix5, QStringLiteral("5*5 Matrix"));
    KV_UT_Filters_Browser = new EffectBrowserPage(KV_UT_Filters_FilterPage);
    KV_UT_Filters_FilterPage->addTab(KV_UT_Filters_Browser, QStringLiteral("Effect Browser"));
    KV_UT_Filters_FilterPage->setCurrentWidget(KV_UT_Filters_Browser);
}

void FiltersPage::readSettings(const IniFile& ini)
{
    KV_UT_Filters_FullPreview->setChecked(ini.ReadBool(kSection, "FastFilter", true));
    KV_UT_Filters_Browser->readSettings(ini);
}

void FiltersPage::writeSettings(IniFile& ini) const
{
    ini.WriteBool(kSection, "FastFilter", KV_UT_Filters_FullPreview->isChecked());
    KV_UT_Filters_Browser->writeSettings(ini);
}

} // namespace vask
