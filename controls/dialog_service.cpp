#include "controls/dialog_service.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace vask {

DialogService& DialogService::instance()
{
    static DialogService service;
    return service;
}

void DialogService::information(const QString& text)
{
    DialogRequest request;
    request.kind = DialogRequest::Information;
    request.text = text;
    ask(request);
}

bool DialogService::caution(const QString& text)
{
    QApplication::beep();
    DialogRequest request;
    request.kind = DialogRequest::Caution;
    request.text = text;
    return ask(request).accepted;
}

bool DialogService::confirm(const QString& text)
{
    DialogRequest request;
    request.kind = DialogRequest::Confirm;
    request.text = text;
    return ask(request).accepted;
}

DialogAnswer DialogService::openFile(const DialogRequest& request)
{
    DialogRequest copy = request;
    copy.kind = DialogRequest::OpenFile;
    return ask(copy);
}

DialogAnswer DialogService::saveFile(const DialogRequest& request)
{
    DialogRequest copy = request;
    copy.kind = DialogRequest::SaveFile;
    return ask(copy);
}

DialogAnswer DialogService::chooseColour(const QColor& initial)
{
    DialogRequest request;
    request.kind = DialogRequest::Colour;
    request.colour = initial;
    return ask(request);
}

DialogAnswer DialogService::chooseFont(const QFont& initial)
{
    DialogRequest request;
    request.kind = DialogRequest::Font;
    request.font = initial;
    return ask(request);
}

void DialogService::setResponder(Responder responder)
{
    m_responder = std::move(responder);
}

void DialogService::clearResponder()
{
    m_responder = nullptr;
}

QStringList DialogService::messageTexts() const
{
    QStringList texts;
    for (const DialogRequest& request : m_history) {
        if (request.kind == DialogRequest::Information || request.kind == DialogRequest::Caution ||
            request.kind == DialogRequest::Confirm)
            texts << request.text;
    }
    return texts;
}

DialogAnswer DialogService::ask(const DialogRequest& request)
{
    m_history.push_back(request);
    if (m_responder)
        return m_responder(request);
    return showReal(request);
}

DialogAnswer DialogService::showReal(const DialogRequest& request)
{
    DialogAnswer answer;
    switch (request.kind) {
    case DialogRequest::Information: {
        QMessageBox box(QMessageBox::Information, QApplication::applicationName(), request.text,
                        QMessageBox::Ok, m_owner);
        box.exec();
        answer.accepted = true;
        break;
    }
    case DialogRequest::Caution:
    case DialogRequest::Confirm: {
        QMessageBox box(QMessageBox::Information, QApplication::applicationName(), request.text,
                        QMessageBox::Yes | QMessageBox::No, m_owner);
        answer.accepted = box.exec() == QMessageBox::Yes;
        break;
    }
    case DialogRequest::OpenFile:
    case DialogRequest::SaveFile: {
        QFileDialog dialog(m_owner, request.text, request.initialPath);
        const QStringList filters = request.filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
        dialog.setNameFilters(filters);
        if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
            dialog.selectNameFilter(filters.at(request.filterIndex - 1));
        if (request.kind == DialogRequest::OpenFile) {
            dialog.setFileMode(QFileDialog::ExistingFile);
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            answer.accepted = true;
            answer.fileName = dialog.selectedFiles().constFirst();
        }
        break;
    }
    case DialogRequest::Colour: {
        const QColor colour = QColorDialog::getColor(request.colour, m_owner);
        answer.accepted = colour.isValid();
        answer.colour = colour;
        break;
    }
    case DialogRequest::Font: {
        bool ok = false;
        answer.font = QFontDialog::getFont(&ok, request.font, m_owner);
        answer.accepted = ok;
        break;
    }
    }
    return answer;
}

DialogService::Responder answerAll(bool accept)
{
    return [accept](const DialogRequest&) {
        DialogAnswer answer;
        answer.accepted = accept;
        return answer;
    };
}

} // namespace vask
