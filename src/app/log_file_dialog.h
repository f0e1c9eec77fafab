#pragma once
#include <QString>

class QWidget;

// The CSV log's file: a file that already holds this log is appended to (one
// of other columns is refused), so choosing a file never overwrites anything.
// Empty when cancelled.
QString ChooseLogFileInDialog(QWidget* owner, const QString& last);
