#pragma once

#include "actions/Actions.h"
#include "widgets/ChildWindow.h"

class ImportLinesModel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;

// Another logbook's export before anything of it is written: which format it is, every row as
// Tankr would store it or why it is left out, and, for a header Tankr does not know, which
// column holds what. "取り込む" writes the rows taken; "キャンセル" writes nothing.
class ImportPreview : public ChildWindow
{
    Q_OBJECT
public:
    ImportPreview();

    // The file read, its rows shown against the log as it is now.
    void showFile(OtherLogbook::File file);
    // The log changed: the rows are measured against it again.
    void refreshData() override { showPlan(); }

private:
    QWidget* mappingControls();
    Actions::ImportChoice choice() const;
    void showPlan();
    void onImportClicked();

    OtherLogbook::File m_file;
    QLabel* m_formatLabel;
    QComboBox* m_vehicleCombo;
    QLabel* m_vehicleCaption;
    QWidget* m_mapping;
    QList<QComboBox*> m_columns; // in the order of the mapping's fields
    QComboBox* m_dateOrder;
    QTableView* m_table;
    ImportLinesModel* m_model;
    QLabel* m_summaryLabel;
    QPushButton* m_importButton;
};
