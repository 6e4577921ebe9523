// The report-style list behind CListCtrl; included only by the layer's sources.
#pragma once

#include <QWidget>

// A single-column report list of thumbnails with their text, one row selected at a time.
QWidget* CreateReportList(QWidget* parent);
