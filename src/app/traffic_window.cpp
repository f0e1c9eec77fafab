#include "app/traffic_window.h"

#include <QApplication>
#include <QClipboard>
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
#include <filesystem>

#include "console/texts.h"
#include "app/cjk_fonts.h"
#include "app/csv_save_option.h"
#include "app/message_boxes.h"
#include "app/qt_text.h"

namespace {

constexpr int kWindowFontPoints = 9;


QPushButton* NewButton(const char* text, QWidget* parent) {
  auto* button = new QPushButton(Utf8(text), parent);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TrafficWindow::TrafficWindow(TrafficTap& tap, int rowLimit)
    : QWidget(nullptr, Qt::Window), tap_(tap), queue_(std::make_shared<TrafficQueue>()),
      rows_(static_cast<size_t>(rowLimit)) {
  setWindowTitle(Utf8(kTrafficWindowTitle));
  setFont(DialogFont(kWindowFontPoints));

  pauseButton_ = NewButton(kPauseText, this);
  pauseButton_->setObjectName(QStringLiteral("pause"));
  auto* clearButton = NewButton(kClearText, this);
  clearButton->setObjectName(QStringLiteral("clear"));
  auto* copyButton = NewButton(kCopyText, this);
  copyButton->setObjectName(QStringLiteral("copy"));
  auto* saveButton = NewButton(kSaveText, this);
  saveButton->setObjectName(QStringLiteral("save"));
  status_ = new QLabel(this);

  model_ = new QStandardItemModel(0, kTrafficColumns, this);
  QStringList titles;
  for (const char* title : kTrafficColumnTitles) titles << Utf8(title);
  model_->setHorizontalHeaderLabels(titles);
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setStretchLastSection(true);
  for (int c = 0; c + 1 < kTrafficColumns; ++c) table_->setColumnWidth(c, kTrafficColumnWidths[c]);

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

  connect(pauseButton_, &QPushButton::clicked, this, [this] { setPaused(!paused()); });
  connect(clearButton, &QPushButton::clicked, this, &TrafficWindow::clear);
  connect(copyButton, &QPushButton::clicked, this, &TrafficWindow::copySelection);
  connect(saveButton, &QPushButton::clicked, this, &TrafficWindow::saveWithDialog);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TrafficWindow::showDetail);
  table_->installEventFilter(this);  // Ctrl+C copies the selected rows whole

  // The listener runs inside the exchange: it only queues.
  listenerId_ = tap_.addListener([queue = queue_](const TrafficRecord& record) { queue->push(record); });
  drainTimer_ = new QTimer(this);
  connect(drainTimer_, &QTimer::timeout, this, &TrafficWindow::drainNow);
  drainTimer_->start(kTrafficDrainMs);
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

QString TrafficWindow::cell(int row, Column column) const {
  return model_->item(row, static_cast<int>(column))->text();
}

void TrafficWindow::drainNow() {
  std::vector<TrafficRecord> records = queue_->drain();
  if (records.empty()) return;
  showRows(rows_.take(std::move(records)));
}

// Brings the model in line with the rows after `change`.
void TrafficWindow::showRows(TrafficRows::Change change) {
  QScrollBar* bar = table_->verticalScrollBar();
  const bool following = bar->value() == bar->maximum();
  if (change.removedFromTop > 0) model_->removeRows(0, static_cast<int>(change.removedFromTop));
  for (size_t i = rows_.size() - change.added; i < rows_.size(); ++i) {
    const TrafficRow& row = rows_.row(i);
    QList<QStandardItem*> items;
    for (const std::string& text : row.cells) {
      auto* item = new QStandardItem(Utf8(text));
      if (row.failed)
        item->setForeground(QColor(kFailedRowColour.red, kFailedRowColour.green, kFailedRowColour.blue));
      items << item;
    }
    model_->appendRow(items);
  }
  if (change.removedFromTop > 0) showDetail();
  if (following && change.added > 0) table_->scrollToBottom();
  showStatus();
}

void TrafficWindow::setPaused(bool paused) {
  if (paused == rows_.paused()) return;
  const TrafficRows::Change change = rows_.setPaused(paused);
  pauseButton_->setText(Utf8(paused ? kResumeText : kPauseText));
  showRows(change);
}

void TrafficWindow::clear() {
  queue_->drain();
  model_->removeRows(0, model_->rowCount());
  rows_.clear();
  detail_->clear();
  showStatus();
}

void TrafficWindow::showStatus() { status_->setText(Utf8(rows_.statusText())); }

void TrafficWindow::showDetail() {
  const int row = table_->currentIndex().row();
  detail_->setPlainText(row >= 0 ? Utf8(rows_.detailText(static_cast<size_t>(row))) : QString());
}

QString TrafficWindow::detailText() const { return detail_->toPlainText(); }

QString TrafficWindow::selectedText() const {
  std::vector<size_t> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows.push_back(index.row());
  return Utf8(rows_.selectedText(std::move(rows)));
}

void TrafficWindow::copySelection() const {
  const QString text = selectedText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

bool TrafficWindow::saveTo(const QString& path, SaveFormat format, bool byteOrderMark) const {
  return rows_.saveTo(std::filesystem::path(path.toStdU16String()), format, byteOrderMark);
}

void TrafficWindow::saveWithDialog() {
  const QString textFilter = Utf8(kTextFilter);
  const QString csvFilter = Utf8(kCsvFilter);
  QFileDialog dialog(this, Utf8(kSaveTitle), QString(), textFilter + QStringLiteral(";;") + csvFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  AddByteOrderMarkOption(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  const SaveFormat format = SaveFormatOf(dialog.selectedNameFilter() == csvFilter, path.toStdString());
  if (!saveTo(QString::fromStdString(SavePathOf(path.toStdString(), format)), format, ByteOrderMarkWanted()))
    ShowInfoBox(this, Utf8(kSaveFailed));
}
