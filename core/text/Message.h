#pragma once

#include <QString>

// A message box to show: the text, the title (empty shows the program's title "Tankr").
struct Message
{
    QString text;
    QString title;
    // A question before data is destroyed or replaced has No as its default answer, so that a
    // stray Enter keeps the data.
    bool destroysData = false;
};

inline QString errorTitle()
{
    return QStringLiteral("エラー");
}
