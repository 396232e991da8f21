#include "shell/clear_module.h"

#include "controls/dialog_service.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "shell/status_routines.h"

#include <QWidget>

namespace vask {

QString clearModuleQuestion(const QString& moduleName)
{
    return QStringLiteral(
               "Caution:- This will Clear and Reset all Images within the \"%1\" module.  Are you sure you "
               "wish to do this - Select \"YES\" to Confirm?")
        .arg(moduleName);
}

void ClearModule(QWidget* window, const QString& moduleName)
{
    if (window == nullptr)
        return;
    if (DialogService::instance().caution(clearModuleQuestion(moduleName))) {
        ShowProgress(QStringLiteral("Clearing Memory.....Please Wait"));
        // Every control the window owns, in the order it was made.
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (auto* lead = qobject_cast<TLeadCtrl*>(control))
                lead->setBitmap(0);
            else if (auto* picture = qobject_cast<TPicbuf*>(control))
                picture->ClearImage();
        }
    }
    ShowProgress(QStringLiteral("No Function"));
}

} // namespace vask
