#pragma once

#include "ChildWindow.h"

class QTableView;

// The list of every refuelling in the log, and the way to the entry, correction and print
// windows. It reads the log once, when it opens; the windows that change the log close it.
class Form6 : public ChildWindow
{
    Q_OBJECT
public:
    explicit Form6(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void loadList();
    void fitList();
    void onCommand1Clicked();
    void onCommand2Clicked();
    void onCommand3Clicked();
    void onCommand4Clicked();
    void onCommand5Clicked();

    QTableView* m_listView1;
};
