#pragma once

#include "actions/Actions.h"
#include "widgets/ChildWindow.h"

class FuelListModel;
class QTableView;

// The list of every refuelling in the log, and the way to the entry, correction and print
// windows. It reads the log when it opens and again whenever the log changes.
class Form6 : public ChildWindow
{
    Q_OBJECT
public:
    Form6();

    // The size the list opens at: its designed size, widened to show every column.
    static QSize designedSize();

    void refreshData() override;

signals:
    // 訂正 pressed, or a row double-clicked: the correction opens on that record.
    void correctionRequested(Actions::Chosen record);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Actions::Chosen chosenRecord() const;
    Actions::Chosen recordAt(int row) const;
    void loadList();
    void fitList();

    QTableView* m_listView1;
    FuelListModel* m_model;
};
