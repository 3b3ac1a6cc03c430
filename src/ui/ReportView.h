#pragma once
#include <QTableView>
#include <initializer_list>

namespace kelvaro {

// A list in report style: headers, whole rows selected one at a time, no grid, fixed row heights.
// Its selection scrolls it up and down only, never sideways.
QTableView* ReportView(QWidget* parent, const char* name);

// Sets each column as wide as the longest of its header and a sample cell text; call after the
// model is set.
void SetColumnWidths(QTableView* view, std::initializer_list<const char*> samples);

} // namespace kelvaro
