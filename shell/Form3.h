#pragma once

#include "widgets/ChildWindow.h"

class DirectoryList;
class QComboBox;

// Chooses the folder that holds the data files.
class Form3 : public ChildWindow
{
    Q_OBJECT
public:
    Form3();

private:
    void onDrive1Activated(int index);
    void onCommand1Clicked();
    void selectDriveOf(const QString& path);
    void openDefaultFolder();

    QComboBox* m_drive1;
    DirectoryList* m_dir1;
};
