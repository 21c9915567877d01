#pragma once

#include <QString>

// A message box to show: the text, the title (empty shows the program's title "Tankr").
struct Message
{
    QString text;
    QString title;
    // A question before data is destroyed or replaced, or before something the program doubts
    // is written, has No as its default answer, so that a stray Enter changes nothing.
    bool defaultNo = false;
};

inline QString errorTitle()
{
    return QStringLiteral("エラー");
}
