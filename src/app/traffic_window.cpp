#include "app/traffic_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/cjk_fonts.h"
#include "app/message_boxes.h"
#include "console/text.h"
#include "link/link.h"
#include "modbus/frame_verdict.h"
#include "monitor/csv_log.h"

namespace {

constexpr int kWindowFontPoints = 9;

QString TimeOfDay(const TrafficRecord& record) { return QString::fromStdString(TraceTimeOfDay(record.wallTime())); }

QString SinceFirst(const TrafficRecord& record) {
  return QString::number(static_cast<double>(record.atUs()) / 1e6, 'f', 6);
}

QString LineText(const TrafficRecord& record) {
  if (record.baudRate == 0) return {};
  for (const LineFormat& format : kLineFormats) {
    if (format.parity == record.parity && format.stopBits == record.stopBits)
      return QStringLiteral("%1 %2").arg(record.baudRate).arg(QString::fromUtf8(format.text));
  }
  return QString::number(record.baudRate);
}

QString HexColumn(const std::vector<uint8_t>& bytes) { return QString::fromStdString(HexBytes(bytes.data(), bytes.size())); }

QStringList Cells(const TrafficRecord& record) {
  const bool tx = record.direction == TrafficDirection::kTx;
  return {TimeOfDay(record), SinceFirst(record), tx ? QStringLiteral("TX") : QStringLiteral("RX"),
          LineText(record), HexColumn(record.bytes), QString::fromStdString(VerdictText(JudgeFrame(record)))};
}

// The monitor log's quoting, so both CSV files follow one rule.
QString CsvCell(const QString& text) { return QString::fromStdString(CsvField(text.toStdString())); }

QPushButton* NewButton(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TrafficWindow::TrafficWindow(TrafficTap& tap, int rowLimit)
    : QWidget(nullptr, Qt::Window), tap_(tap), queue_(std::make_shared<TrafficQueue>()), rowLimit_(rowLimit) {
  setWindowTitle(QString::fromUtf8("通讯监视"));
  setFont(DialogFont(kWindowFontPoints));

  pauseButton_ = NewButton(QString::fromUtf8("暂停"), this);
  pauseButton_->setObjectName(QStringLiteral("pause"));
  auto* clearButton = NewButton(QString::fromUtf8("清除"), this);
  clearButton->setObjectName(QStringLiteral("clear"));
  auto* copyButton = NewButton(QString::fromUtf8("复制"), this);
  copyButton->setObjectName(QStringLiteral("copy"));
  auto* saveButton = NewButton(QString::fromUtf8("保存…"), this);
  saveButton->setObjectName(QStringLiteral("save"));
  status_ = new QLabel(this);

  model_ = new QStandardItemModel(0, kColumns, this);
  model_->setHorizontalHeaderLabels({QString::fromUtf8("时间"), QString::fromUtf8("相对(秒)"),
                                     QString::fromUtf8("方向"), QString::fromUtf8("线路"),
                                     QString::fromUtf8("数据(十六进制)"), QString::fromUtf8("判定")});
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setColumnWidth(kTimeColumn, 120);
  table_->setColumnWidth(kSinceColumn, 90);
  table_->setColumnWidth(kDirectionColumn, 40);
  table_->setColumnWidth(kLineColumn, 90);
  table_->setColumnWidth(kBytesColumn, 330);

  detail_ = new QPlainTextEdit(this);
  detail_->setReadOnly(true);
  detail_->setFixedHeight(table_->fontMetrics().height() * 3 + 12);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {pauseButton_, clearButton, copyButton, saveButton}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(status_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(table_);
  layout->addWidget(detail_);
  resize(1000, 460);

  connect(pauseButton_, &QPushButton::clicked, this, [this] { setPaused(!paused_); });
  connect(clearButton, &QPushButton::clicked, this, &TrafficWindow::clear);
  connect(copyButton, &QPushButton::clicked, this, &TrafficWindow::copySelection);
  connect(saveButton, &QPushButton::clicked, this, &TrafficWindow::saveWithDialog);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TrafficWindow::showDetail);
  table_->installEventFilter(this);  // Ctrl+C copies the selected rows whole

  // The listener runs inside the exchange: it only queues.
  listenerId_ = tap_.addListener([queue = queue_](const TrafficRecord& record) { queue->push(record); });
  drainTimer_ = new QTimer(this);
  connect(drainTimer_, &QTimer::timeout, this, &TrafficWindow::drainNow);
  drainTimer_->start(kDrainMs);
  showStatus();
}

TrafficWindow::~TrafficWindow() { tap_.removeListener(listenerId_); }

bool TrafficWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    copySelection();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

int TrafficWindow::rowCount() const { return model_->rowCount(); }

QString TrafficWindow::cell(int row, Column column) const { return model_->item(row, column)->text(); }

void TrafficWindow::drainNow() {
  std::vector<TrafficRecord> records = queue_->drain();
  if (records.empty()) return;
  if (paused_) {
    for (TrafficRecord& record : records) held_.push_back(std::move(record));
    while (held_.size() > static_cast<size_t>(rowLimit_)) {
      held_.pop_front();
      ++droppedRows_;
    }
    showStatus();
    return;
  }
  append(records);
}

void TrafficWindow::append(const std::vector<TrafficRecord>& records) {
  QScrollBar* bar = table_->verticalScrollBar();
  const bool following = bar->value() == bar->maximum();
  for (const TrafficRecord& record : records) appendRow(record);
  const int excess = model_->rowCount() - rowLimit_;
  if (excess > 0) {
    records_.erase(records_.begin(), records_.begin() + excess);
    model_->removeRows(0, excess);
    droppedRows_ += excess;
    showDetail();
  }
  if (following) table_->scrollToBottom();
  showStatus();
}

void TrafficWindow::appendRow(const TrafficRecord& record) {
  QList<QStandardItem*> row;
  for (const QString& text : Cells(record)) row << new QStandardItem(text);
  const FrameVerdict verdict = JudgeFrame(record);
  if (verdict.crc == FrameVerdict::Crc::kBad || verdict.mismatch || verdict.discarded ||
      record.end != TrafficEnd::kComplete) {
    for (QStandardItem* item : row) item->setForeground(QColor(0xB0, 0x00, 0x00));
  }
  model_->appendRow(row);
  records_.push_back(record);
}

void TrafficWindow::setPaused(bool paused) {
  if (paused == paused_) return;
  paused_ = paused;
  pauseButton_->setText(QString::fromUtf8(paused ? "继续" : "暂停"));
  if (!paused) {
    std::vector<TrafficRecord> held(std::make_move_iterator(held_.begin()), std::make_move_iterator(held_.end()));
    held_.clear();
    append(held);
  }
  showStatus();
}

void TrafficWindow::clear() {
  drainNow();
  model_->removeRows(0, model_->rowCount());
  records_.clear();
  held_.clear();
  detail_->clear();
  droppedRows_ = 0;
  showStatus();
}

void TrafficWindow::showStatus() {
  QString text = QString::fromUtf8("%1 帧").arg(model_->rowCount());
  if (paused_) text += QString::fromUtf8("，已暂停：%1 帧待显示").arg(held_.size());
  if (droppedRows_ > 0) text += QString::fromUtf8("（较早的 %1 帧已移除）").arg(droppedRows_);
  status_->setText(text);
}

void TrafficWindow::showDetail() {
  const int row = table_->currentIndex().row();
  const bool shown = row >= 0 && row < static_cast<int>(records_.size());
  detail_->setPlainText(shown ? QString::fromStdString(TraceLine(records_[row])) : QString());
}

QString TrafficWindow::detailText() const { return detail_->toPlainText(); }

QString TrafficWindow::selectedText() const {
  QList<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end());
  QString text;
  for (int row : rows) text += QString::fromStdString(TraceLine(records_[row])) + QLatin1Char('\n');
  return text;
}

void TrafficWindow::copySelection() const {
  const QString text = selectedText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

bool TrafficWindow::saveTo(const QString& path, SaveFormat format) const {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QString text;
  if (format == SaveFormat::kText) {
    for (const TrafficRecord& record : records_) text += QString::fromStdString(TraceLine(record)) + QLatin1Char('\n');
  } else {
    QStringList header;
    for (int c = 0; c < kColumns; ++c) header << CsvCell(model_->headerData(c, Qt::Horizontal).toString());
    text += header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const TrafficRecord& record : records_) {
      QStringList fields;
      for (const QString& cell : Cells(record)) fields << CsvCell(cell);
      text += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
  }
  const QByteArray bytes = text.toUtf8();
  return file.write(bytes) == bytes.size() && file.flush();
}

void TrafficWindow::saveWithDialog() {
  const QString textFilter = QString::fromUtf8("文本文件 (*.txt)");
  const QString csvFilter = QString::fromUtf8("CSV 文件 (*.csv)");
  QString chosen;
  const QString path = QFileDialog::getSaveFileName(this, QString::fromUtf8("保存通讯记录"), QString(),
                                                    textFilter + QStringLiteral(";;") + csvFilter, &chosen);
  if (path.isEmpty()) return;
  const bool csv = chosen == csvFilter || path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
  if (!saveTo(path, csv ? SaveFormat::kCsv : SaveFormat::kText))
    ShowInfoBox(this, QString::fromUtf8("保存失败！"));
}
