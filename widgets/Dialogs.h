#pragma once

#include "actions/Result.h"

#include <QList>
#include <QString>

#include <optional>

class QWidget;

// Every message and input box of the program goes through here, so that tests can answer them.
// The boxes are modal QMessageBox / QInputDialog without an icon; an empty title shows "Tankr".
namespace Dialogs {

void inform(QWidget* parent, const Message& message);
// True for Yes. Enter answers Yes, or No for a question whose default is No (Message::defaultNo).
bool askYesNo(QWidget* parent, const Message& question);
std::optional<QString> askText(QWidget* parent, const Message& prompt); // none when cancelled
// A file to save to, by a save dialog opening at `suggested`; none when cancelled.
std::optional<QString> askSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                                   const QString& filter);
// An existing file to read, by an open dialog showing `folder`; none when cancelled.
std::optional<QString> askOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                   const QString& filter);

// Runs an action that may need the user's Yes: it runs unconfirmed first; when it returns a
// question, the question is asked and, on Yes, the action runs again confirmed. A question
// answered No leaves the unconfirmed result, which did nothing.
template <typename Action> auto confirmed(QWidget* parent, Action action)
{
    auto result = action(Confirmed::No);
    if (result.question && askYesNo(parent, *result.question))
        result = action(Confirmed::Yes);
    return result;
}

QString titleOf(const Message& message);

// While a Script exists, boxes are not shown: each is recorded and answered from the script.
// Information boxes need no answer; a question or input box with no answer left gets No or
// Cancel, the answers that change nothing.
class Script
{
public:
    enum class Kind
    {
        Information,
        Question,
        Input,
        SaveFile,
        OpenFile
    };
    struct Shown
    {
        Kind kind;
        Message message;
    };

    Script();
    ~Script();
    Q_DISABLE_COPY_MOVE(Script)

    void answerYes();
    void answerNo();
    void answerText(const QString& text); // an input box or a file dialog
    void cancelInput();

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    bool answersLeft() const { return !m_answers.isEmpty(); }

private:
    friend void Dialogs::inform(QWidget*, const Message&);
    friend bool Dialogs::askYesNo(QWidget*, const Message&);
    friend std::optional<QString> Dialogs::askText(QWidget*, const Message&);
    // A file dialog's record and answer.
    friend std::optional<QString> answered(Kind kind, const Message& shown);

    struct Answer
    {
        bool yes = false;
        std::optional<QString> text;
    };
    Answer nextAnswer();

    QList<Shown> m_shown;
    QList<Answer> m_answers;
};

} // namespace Dialogs
