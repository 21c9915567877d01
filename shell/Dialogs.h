#pragma once

#include "Outcome.h"

#include <QList>
#include <QString>

#include <optional>

class QWidget;

// Every message and input box of the program goes through here, so that tests can answer them.
// The boxes are modal QMessageBox / QInputDialog without an icon; an empty title shows "Tankr".
namespace Dialogs {

void inform(QWidget* parent, const Message& message);
bool askYesNo(QWidget* parent, const Message& question); // true for Yes
std::optional<QString> askText(QWidget* parent, const Message& prompt); // none when cancelled

QString titleOf(const Message& message);

// While a Script exists, boxes are not shown: each is recorded and answered from the script.
// Information boxes need no answer; a question or input box with no answer left gets No or
// Cancel, the answers that change nothing.
class Script
{
public:
    enum class Kind { Information, Question, Input };
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
    void answerText(const QString& text);
    void cancelInput();

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    bool answersLeft() const { return !m_answers.isEmpty(); }

private:
    friend void Dialogs::inform(QWidget*, const Message&);
    friend bool Dialogs::askYesNo(QWidget*, const Message&);
    friend std::optional<QString> Dialogs::askText(QWidget*, const Message&);

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
