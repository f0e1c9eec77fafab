#pragma once
// The 通讯监视 window: every frame the tap records, listed live with its verdict.
// The tap's listener only queues; a timer drains the queue in the event loop,
// so an exchange never waits on the list.
#include <QWidget>
#include <deque>
#include <memory>

#include "link/traffic_tap.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTimer;

class TrafficWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMaxRows = 10000;  // older rows go, so a long session stays bounded
  static constexpr int kDrainMs = 80;

  enum Column { kTimeColumn, kSinceColumn, kDirectionColumn, kLineColumn, kBytesColumn, kVerdictColumn, kColumns };
  enum class SaveFormat { kText, kCsv };

  // Listens to `tap` for as long as it lives; the tap must outlive it. Keeps
  // the last `rowLimit` frames.
  explicit TrafficWindow(TrafficTap& tap, int rowLimit = kMaxRows);
  ~TrafficWindow() override;

  QTableView* table() const { return table_; }
  QString detailText() const;
  int rowCount() const;
  QString cell(int row, Column column) const;
  bool paused() const { return paused_; }
  // Frames that arrived while paused: kept, and listed on resume.
  int heldCount() const { return static_cast<int>(held_.size()); }

  void setPaused(bool paused);
  void clear();
  // The selected rows, one trace line each, as the command line prints them.
  QString selectedText() const;
  void copySelection() const;
  bool saveTo(const QString& path, SaveFormat format) const;
  // Takes whatever the tap queued since the last look.
  void drainNow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void saveWithDialog();
  void append(const std::vector<TrafficRecord>& records);
  void appendRow(const TrafficRecord& record);
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
  std::deque<TrafficRecord> records_;  // one per row, for copy and save
  std::deque<TrafficRecord> held_;     // while paused
  size_t droppedRows_ = 0;
  bool paused_ = false;
  int rowLimit_;
};
