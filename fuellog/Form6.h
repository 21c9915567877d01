#pragma once

#include "widgets/ChildWindow.h"

class QTableView;

// The list of every refuelling in the log, and the way to the entry, correction and print
// windows. It reads the log once, when it opens; the windows that change the log close it.
class Form6 : public ChildWindow
{
    Q_OBJECT
public:
    Form6();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void loadList();
    void fitList();

    QTableView* m_listView1;
};
