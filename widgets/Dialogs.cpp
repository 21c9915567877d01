#include "widgets/Dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

namespace Dialogs {

namespace {
Script* activeScript = nullptr;
}

QString titleOf(const Message& message)
{
    return message.title.isEmpty() ? QStringLiteral("Tankr") : message.title;
}

void inform(QWidget* parent, const Message& message)
{
    if (activeScript) {
        activeScript->m_shown.append({Script::Kind::Information, message});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, titleOf(message), message.text, QMessageBox::Ok, parent);
    box.exec();
}

bool askYesNo(QWidget* parent, const Message& question)
{
    if (activeScript) {
        activeScript->m_shown.append({Script::Kind::Question, question});
        return activeScript->nextAnswer().yes;
    }
    QMessageBox box(QMessageBox::NoIcon, titleOf(question), question.text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(question.defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> askText(QWidget* parent, const Message& prompt)
{
    if (activeScript) {
        activeScript->m_shown.append({Script::Kind::Input, prompt});
        return activeScript->nextAnswer().text;
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(titleOf(prompt));
    dialog.setLabelText(prompt.text);
    dialog.setInputMode(QInputDialog::TextInput);
    // A long prompt wraps, so that the box is never wider than the screen or about 600 pixels.
    if (auto* label = dialog.findChild<QLabel*>())
        label->setWordWrap(true);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int width = std::min(600, screen ? screen->availableGeometry().width() - 40 : 600);
    dialog.setFixedWidth(width);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> answered(Script::Kind kind, const Message& shown)
{
    activeScript->m_shown.append({kind, shown});
    return activeScript->nextAnswer().text;
}

namespace {

std::optional<QString> askFile(QWidget* parent, QFileDialog::AcceptMode mode, const QString& title,
                               const QString& suggested, const QString& filter)
{
    if (activeScript) {
        const Script::Kind kind =
            mode == QFileDialog::AcceptSave ? Script::Kind::SaveFile : Script::Kind::OpenFile;
        return answered(kind, Message{suggested, title});
    }
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptSave)
        dialog.setDefaultSuffix(QFileInfo(suggested).suffix());
    else
        dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> askSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                                   const QString& filter)
{
    return askFile(parent, QFileDialog::AcceptSave, title, suggested, filter);
}

std::optional<QString> askOpenFile(QWidget* parent, const QString& title, const QString& folder,
                                   const QString& filter)
{
    return askFile(parent, QFileDialog::AcceptOpen, title, folder, filter);
}

Script::Script()
{
    Q_ASSERT(!activeScript);
    activeScript = this;
}

Script::~Script()
{
    activeScript = nullptr;
}

void Script::answerYes()
{
    m_answers.append({true, std::nullopt});
}
void Script::answerNo()
{
    m_answers.append({false, std::nullopt});
}
void Script::answerText(const QString& text)
{
    m_answers.append({false, text});
}
void Script::cancelInput()
{
    m_answers.append({false, std::nullopt});
}

QStringList Script::texts() const
{
    QStringList result;
    for (const Shown& shown : m_shown)
        result.append(shown.message.text);
    return result;
}

Script::Answer Script::nextAnswer()
{
    return m_answers.isEmpty() ? Answer{} : m_answers.takeFirst();
}

} // namespace Dialogs
