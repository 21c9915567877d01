#pragma once

#include "widgets/ChildWindow.h"

class QListWidget;

// The backups Tankr took before each command that destroyed or replaced data, newest first,
// and the way back to one of them.
class RestoreWindow : public ChildWindow
{
    Q_OBJECT
public:
    RestoreWindow();

private:
    void showBackups();
    void onRestoreClicked();

    QListWidget* m_list;
};
