#pragma once

#include <QWidget>

class QCheckBox;
class QTabWidget;
class QToolButton;

namespace vask {

class EffectBrowserPage;
class IniFile;
class Matrix3Page;
class Matrix5Page;
class TPicbuf;

// The top "Filters" sheet: the preview picture every filter is tried on, and the inner tabs
// with the 3 x 3 and 5 x 5 kernel editors and the effect browser (shown first).
class FiltersPage : public QWidget {
    Q_OBJECT
public:
    explicit FiltersPage(QWidget* parent = nullptr);

    // Section Filters: FastFilter, then FIndex and FPath through the effect browser.
    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_Filter_EnableDrag = nullptr;
    QCheckBox* KV_UT_Filters_FullPreview = nullptr;
    TPicbuf* KV_UT_Filters_Preview = nullptr;
    QTabWidget* KV_UT_Filters_FilterPage = nullptr;
    Matrix3Page* KV_UT_Filters_Matrix3 = nullptr;
    Matrix5Page* KV_UT_Filters_Matrix5 = nullptr;
    EffectBrowserPage* KV_UT_Filters_Browser = nullptr;
};

} // namespace vask
