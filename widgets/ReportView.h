#pragma once

class QTableView;

// The way a window shows rows of records: rows under column headers, whole rows selected one at
// a time, nothing edited, no grid. The rows have one fixed height, so the view never measures
// them one by one, however many there are; Tab leaves the view for the window's buttons and the
// arrow keys move between the rows.
namespace ReportView {

void setUp(QTableView* view);

} // namespace ReportView
