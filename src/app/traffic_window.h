#pragma once
// The 通讯监视 window: every frame the tap records, listed live with its verdict.
// The tap's listener only queues; a timer drains the queue in the event loop,
// so an exchange never waits on the list.
#include <QWidget>
#include <memory>

#include "link/traffic_tap.h"
#include "tools/traffic_rows.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTimer;

class TrafficWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMaxRows = static_cast<int>(TrafficRows::kMaxRows);

  using Column = TrafficColumn;
  using enum TrafficColumn;
  using SaveFormat = TrafficSaveFormat;

  // Listens to `tap` for as long as it lives; the tap must outlive it. Keeps
  // the last `rowLimit` frames.
  explicit TrafficWindow(TrafficTap& tap, int rowLimit = kMaxRows);
  ~TrafficWindow() override;

  QTableView* table() const { return table_; }
  QString detailText() const;
  int rowCount() const;
  QString cell(int row, Column column) const;
  bool paused() const { return rows_.paused(); }
  // Frames that arrived while paused: kept, and listed on resume.
  int heldCount() const { return static_cast<int>(rows_.held()); }

  void setPaused(bool paused);
  void clear();
  // The selected rows, one trace line each, as the command line prints them.
  QString selectedText() const;
  void copySelection() const;
  // A CSV file starts with a UTF-8 byte-order mark when `byteOrderMark`.
  bool saveTo(const QString& path, SaveFormat format, bool byteOrderMark = false) const;
  // Takes whatever the tap queued since the last look.
  void drainNow();
  // 保存…, for a menu bar too.
  void saveWithDialog();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showRows(TrafficRows::Change change);
  void showStatus();
  void showDetail();

  TrafficTap& tap_;
  int listenerId_ = 0;
  std::shared_ptr<TrafficQueue> queue_;
  QTableView* table_ = nullptr;
  QStandardItemModel* model_ = nullptr;
  QPushButton* pauseButton_ = nullptr;
  QLabel* status_ = nullptr;
  QPlainTextEdit* detail_ = nullptr;  // the current row whole, bytes wrapped
  QTimer* drainTimer_ = nullptr;
  TrafficRows rows_;
};
