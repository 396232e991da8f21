#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace vask {

// What the program asks the user. Every modal box and common dialog goes through
// DialogService so tests can answer it and read the exact texts.
struct DialogRequest {
    enum Kind {
        Information, // information icon, one OK button
        Caution,     // beep, information icon, Yes and No
        Confirm,     // information icon, Yes and No, no beep
        OpenFile,
        SaveFile,
        Colour,
        Font,
    };
    Kind kind = Information;
    QString text;        // message text, or the title of a file dialog
    QString filter;      // file dialogs: Qt name filters, ";;" separated
    int filterIndex = 0; // file dialogs: 1-based index of the filter shown first
    QString initialPath; // file dialogs: folder or file to start in
    QColor colour;       // colour dialog: the colour shown first
    QFont font;          // font dialog: the font shown first
};

struct DialogAnswer {
    bool accepted = false; // OK / Yes / a file, colour or font chosen
    QString fileName;
    QColor colour;
    QFont font;
};

class DialogService {
public:
    using Responder = std::function<DialogAnswer(const DialogRequest&)>;

    static DialogService& instance();

    void information(const QString& text);
    // Yes goes on: true.
    bool caution(const QString& text);
    bool confirm(const QString& text);
    DialogAnswer openFile(const DialogRequest& request);
    DialogAnswer saveFile(const DialogRequest& request);
    DialogAnswer chooseColour(const QColor& initial);
    DialogAnswer chooseFont(const QFont& initial);

    // Without a responder the real Qt dialogs show; with one, nothing shows and the
    // responder answers. Every request is kept in history() either way.
    void setResponder(Responder responder);
    void clearResponder();
    const std::vector<DialogRequest>& history() const { return m_history; }
    QStringList messageTexts() const;
    void clearHistory() { m_history.clear(); }

    // The window the boxes are parented to (the main window once it exists).
    void setOwner(QWidget* owner) { m_owner = owner; }

private:
    DialogAnswer ask(const DialogRequest& request);
    DialogAnswer showReal(const DialogRequest& request);

    Responder m_responder;
    std::vector<DialogRequest> m_history;
    QWidget* m_owner = nullptr;
};

// Answers every request the same way: Yes/OK when accept is true. Handy for tests.
DialogService::Responder answerAll(bool accept);

} // namespace vask
