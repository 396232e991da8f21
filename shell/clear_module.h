#pragma once

#include <QString>

class QWidget;

namespace vask {

// Empties every picture of a window after the caution question: each picture buffer is
// cleared and each LEAD control releases its picture. Either answer ends with "No Function".
void ClearModule(QWidget* window, const QString& moduleName);

// The question, with the module name in double quotation marks.
QString clearModuleQuestion(const QString& moduleName);

} // namespace vask
