#pragma once

#include "actions/Window.h"
#include "text/Message.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

// What a command did, for its window to carry out: what the window shows, the message to show
// first, then the windows to close and show. A command that failed wrote nothing and names the
// problem in its message. A command that needs the user's Yes first returns the question
// instead and has done nothing; the window asks it and, on Yes, runs the command again
// confirmed.
template <typename Shown = std::monostate> struct Result
{
    bool succeeded = true;
    Shown shown{};
    std::optional<Message> message;
    std::optional<Message> question;
    QList<WindowStep> windows;
    QString box; // the caption of the box the message is about, for the focus to go back to

    static Result failure(const QString& text, const QString& box = QString())
    {
        Result result;
        result.succeeded = false;
        result.message = Message{text, errorTitle()};
        result.box = box;
        return result;
    }
    // A failure told by a message of its own title.
    static Result failure(const Message& message)
    {
        Result result;
        result.succeeded = false;
        result.message = message;
        return result;
    }
    // The failure of a step the command was built of, as the command's own.
    template <typename Other> static Result failure(const Result<Other>& failed)
    {
        Result result;
        result.succeeded = false;
        result.message = failed.message;
        result.box = failed.box;
        result.windows = failed.windows;
        return result;
    }
    // A failure that also closes a window, which has nothing to show without its files.
    static Result failureClosing(const QString& text, Window window)
    {
        Result result = failure(text);
        result.windows = {{WindowStep::Close, window}};
        return result;
    }
    static Result done(const Message& message, QList<WindowStep> windows = {})
    {
        Result result;
        result.message = message;
        result.windows = std::move(windows);
        return result;
    }
    static Result showing(Shown shown)
    {
        Result result;
        result.shown = std::move(shown);
        return result;
    }
    static Result asking(const Message& question)
    {
        Result result;
        result.succeeded = false;
        result.question = question;
        return result;
    }
};

// Whether the user has already said Yes to the command's question.
enum class Confirmed
{
    No,
    Yes
};
