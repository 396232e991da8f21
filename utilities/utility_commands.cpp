// The utilities window's command buttons, dispatched on the sender's tag.
#include "utilities/utilities_window.h"

#include "controls/component_tag.h"
#include "controls/dialog_service.h"
#include "imagewin/display_window.h"
#include "shell/fault_report.h"
#include "shell/program_state.h"
#include "shell/status_routines.h"
#include "utilities/annotation_page.h"
#include "utilities/zoom_page.h"

#include <QPlainTextEdit>
#include <QToolButton>

namespace vask {

void TKV_UTilities::connectSpeedButtons()
{
    for (QToolButton* button :
         {zoomPage->KV_UT_Zoom_ActivateZoom, annotationPage->KV_UT_Annotation_Callupfonts,
          annotationPage->KV_UT_Annotation_BckColor, annotationPage->KV_UT_Annotation_DrawArrows})
        connect(button, &QToolButton::clicked, this, [this, button] { AllUtilitySpeedButtons(button); });
}

void TKV_UTilities::AllUtilitySpeedButtons(QObject* sender)
{
    guardedHandler("UUtilities32v1", 1273, [&] {
        QPlainTextEdit* memo = annotationPage->KV_UT_Annotation_Text;
        ProgramState& state = programState();
        switch (tagOf(sender)) {
        case 15:
            if (activeImageWindow() != nullptr) {
                state.CurrentMouseFunction = kDynamicZoomFunction;
                ShowMouseFunction(state.CurrentMouseFunction);
                SetMouseCursor(state.CurrentMouseFunction);
            }
            break;
        case 30: {
            // Qt's font dialog has no colour; the text colour is asked for straight after it,
            // and a cancelled colour keeps the old one.
            const DialogAnswer font = DialogService::instance().chooseFont(KV_UT_Annotation_Text_Font);
            if (!font.accepted)
                break;
            KV_UT_Annotation_Text_Font = font.font;
            memo->setFont(font.font);
            const DialogAnswer colour =
                DialogService::instance().chooseColour(KV_UT_Annotation_Text_FontColor);
            if (colour.accepted && colour.colour.isValid())
                KV_UT_Annotation_Text_FontColor = colour.colour;
            QPalette palette = memo->palette();
            palette.setColor(QPalette::Text, KV_UT_Annotation_Text_FontColor);
            memo->setPalette(palette);
            break;
        }
        case 31: {
            const DialogAnswer colour =
                DialogService::instance().chooseColour(memo->palette().color(QPalette::Base));
            if (colour.accepted && colour.colour.isValid()) {
                QPalette palette = memo->palette();
                palette.setColor(QPalette::Base, colour.colour);
                memo->setPalette(palette);
            }
            break;
        }
        case 32:
            // The cursor is left as it is until the pointer moves over a picture.
            state.CurrentMouseFunction = kDrawLinesFunction;
            ShowMouseFunction(state.CurrentMouseFunction);
            break;
        default:
            break;
        }
    });
}

} // namespace vask
