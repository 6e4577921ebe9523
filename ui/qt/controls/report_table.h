// The report-style list behind CListCtrl; included only by the layer's sources.
#pragma once

#include <QWidget>

#include <functional>

// A single-column report list of thumbnails with their text, one row selected at a time.
QWidget* CreateReportList(QWidget* parent);

// Called when a row of a list made by CreateReportList is dragged onto another row.
void SetRowDragHandler(QWidget* list, std::function<void(int from, int onto)> handler);

// Called before a list made by CreateReportList draws its rows, with the first and last row in
// view, so that what those rows show can still be changed for this drawing.
void SetRowsShownHandler(QWidget* list, std::function<void(int first, int last)> handler);
