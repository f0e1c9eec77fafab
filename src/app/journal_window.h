#pragma once
// 写入记录: the write journal read back, newest first, filtered by station and
// date, copied or exported as CSV. It reads the file again on 刷新 and each
// time it is shown.
#include <QWidget>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

class JournalWindow : public QWidget {
  Q_OBJECT
 public:
  explicit JournalWindow(std::string path, QWidget* parent = nullptr);

  QSpinBox* stationBox() const { return station_; }
  QLineEdit* sinceEdit() const { return since_; }
  QString listing() const;
  // Reads the journal again with the filter shown; false after a box.
  bool refresh();
  // A UTF-8 byte-order mark first when `byteOrderMark`.
  bool exportCsv(const QString& path, bool byteOrderMark = false);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::string path_;
  QSpinBox* station_ = nullptr;
  QLineEdit* since_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
};
