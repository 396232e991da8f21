#include "shell/utilities_access.h"

#include "shell/program_windows.h"
#include "utilities/utilities_window.h"

#include <QTabWidget>

namespace vask {

void showUtilitiesPage(const QString& pageName)
{
    TKV_UTilities* utilities = programWindows().KV_UTilities;
    if (utilities == nullptr)
        return;
    // A page may sit inside an inner page control: every tab widget on the way to it turns.
    if (QWidget* page = utilities->findChild<QWidget*>(pageName)) {
        QWidget* child = page;
        for (QWidget* parent = page->parentWidget(); parent != nullptr && child != utilities;
             child = parent, parent = parent->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(parent->parentWidget())) {
                if (tabs->indexOf(child) >= 0)
                    tabs->setCurrentWidget(child);
            }
        }
    }
    utilities->show();
    utilities->raise();
}

void hideUtilitiesWindow()
{
    TKV_UTilities* utilities = programWindows().KV_UTilities;
    if (utilities != nullptr && utilities->isVisible())
        utilities->close();
}

void toggleUtilitiesWindow()
{
    TKV_UTilities* utilities = programWindows().KV_UTilities;
    if (utilities == nullptr)
        return;
    if (utilities->isVisible())
        utilities->close();
    else
        utilities->show();
}

} // namespace vask
