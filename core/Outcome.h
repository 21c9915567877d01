#pragma once

#include <QList>
#include <QString>

#include <optional>

// A message box to show: the text, the title (empty shows the program's title "Tankr").
struct Message
{
    QString text;
    QString title;
};

// A window to close or to show, by its name ("Form6"), carried out in order.
struct WindowAction
{
    enum Kind { Close, Show };
    Kind kind;
    QString window;
};

// What a command did, for its window to carry out: the message to show first, then the windows
// to close and show. A command that failed wrote nothing and names the problem in its message.
struct Outcome
{
    bool succeeded = false;
    std::optional<Message> message;
    QList<WindowAction> windows;

    static Outcome failure(const QString& text, const QString& title = errorTitle())
    {
        return Outcome{false, Message{text, title}, {}};
    }
    static Outcome success(const Message& message, QList<WindowAction> windows = {})
    {
        return Outcome{true, message, std::move(windows)};
    }
    static QString errorTitle() { return QStringLiteral("エラー"); }
};
