#pragma once

#include "widgets/ChildWindow.h"

class QListWidget;

// The backups Tankr took of the data folder in force before each command that destroyed or
// replaced data, newest first, and the way back to one of them. Another vehicle chosen, the
// list shows its backups.
class RestoreWindow : public ChildWindow
{
    Q_OBJECT
public:
    RestoreWindow();
    void refreshData() override;

private:
    void showBackups();
    void onRestoreClicked();

    QListWidget* m_list;
};
