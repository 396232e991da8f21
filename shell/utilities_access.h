#pragma once

#include <QString>

namespace vask {

// What the main window does with the utilities window: show it on a page, hide it, toggle it.
void showUtilitiesPage(const QString& pageName);
void hideUtilitiesWindow();
void toggleUtilitiesWindow();

} // namespace vask
