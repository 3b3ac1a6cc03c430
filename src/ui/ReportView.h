#pragma once
#include <QTableView>
#include <initializer_list>

namespace kelvaro {

// A list in report style: headers, whole rows selected one at a time, no grid, fixed row heights.
// Its selection scrolls it up and down only, never sideways.
QTableView* ReportView(QWidget* parent, const char* name);

// Sets each column as wide as the longest of its header and its sample cell texts (alternatives
// separated by line breaks), measured with the list's fonts; a sortable list's headers keep room
// for the sort mark. Call after the model is set.
void SetColumnWidths(QTableView* view, std::initializer_list<const char*> samples);

// The width the list needs to show all its columns beside a vertical scroll bar.
int ReportWidth(const QTableView* view);

} // namespace kelvaro
