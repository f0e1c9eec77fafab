#include "app/bus_view_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "console/texts.h"
#include "app/cjk_fonts.h"
#include "app/csv_save_option.h"
#include "app/log_file_dialog.h"
#include "app/message_boxes.h"
#include "app/qt_text.h"
#include "pdf/html_pdf.h"

namespace {

constexpr int kWindowFontPoints = 9;
constexpr int kAgeRefreshMs = 500;

QColor ColourOf(RowColour colour) { return QColor(colour.red, colour.green, colour.blue); }

QPushButton* NewButton(const char* text, QWidget* parent) {
  auto* button = new QPushButton(Utf8(text), parent);
  button->setAutoDefault(false);
  return button;
}

// A row's texts and marks on its items: stale text grey, a failing status in
// the failed colour, the reading and the values outside their limits on red.
void Paint(const BusRow& row, const QList<QStandardItem*>& items) {
  for (int c = 0; c < kBusColumns; ++c) {
    QStandardItem* item = items[c];
    const QString text = Utf8(row.cells[c]);
    if (item->text() != text) item->setText(text);
    const auto column = static_cast<BusColumn>(c);
    QColor foreground = row.stale ? ColourOf(kStaleRowColour) : QColor();
    if (row.failing && column == BusColumn::kStatus) foreground = ColourOf(kFailedRowColour);
    item->setData(foreground.isValid() ? QVariant(foreground) : QVariant(), Qt::ForegroundRole);
    const bool marked = row.outside && (column == BusColumn::kReading || column == BusColumn::kOutside);
    item->setData(marked ? QVariant(ColourOf(kOutsideCellColour)) : QVariant(), Qt::BackgroundRole);
  }
}

}  // namespace

BusViewWindow::BusViewWindow(Session& session, std::function<bool()> portFree, QWidget* parent)
    : QWidget(parent, Qt::Window), core_(*this, session), portFree_(std::move(portFree)) {
  setWindowTitle(Utf8(kBusViewTitle));
  setFont(DialogFont(kWindowFontPoints));

  auto* openButton = NewButton(kBusOpenText, this);
  openButton->setObjectName(QStringLiteral("open"));
  auto* saveButton = NewButton(kBusSaveText, this);
  saveButton->setObjectName(QStringLiteral("save"));
  startButton_ = NewButton(kBusStartText, this);
  startButton_->setObjectName(QStringLiteral("start"));
  commissionButton_ = NewButton(kBusCommissionText, this);
  commissionButton_->setObjectName(QStringLiteral("commission"));
  reportButton_ = NewButton(kBusReportText, this);
  reportButton_->setObjectName(QStringLiteral("report"));
  interval_ = new QSpinBox(this);
  interval_->setRange(0, kBusIntervalMaxMs);
  interval_->setSingleStep(100);
  interval_->setSuffix(Utf8(kBusIntervalSuffix));
  logSwitch_ = new QCheckBox(Utf8(kBusLogText), this);
  logSwitch_->setEnabled(false);
  status_ = new QLabel(this);

  model_ = new QStandardItemModel(0, kBusColumns, this);
  QStringList titles;
  for (const char* title : kBusColumnTitles) titles << Utf8(title);
  model_->setHorizontalHeaderLabels(titles);
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setStretchLastSection(true);
  for (int c = 0; c + 1 < kBusColumns; ++c) table_->setColumnWidth(c, kBusColumnWidths[c]);

  auto* controls = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{openButton, saveButton, startButton_})
    controls->addWidget(widget);
  controls->addWidget(new QLabel(Utf8(kBusIntervalLabel), this));
  controls->addWidget(interval_);
  controls->addWidget(logSwitch_);
  controls->addStretch();
  controls->addWidget(commissionButton_);
  controls->addWidget(reportButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(table_);
  layout->addWidget(status_);
  resize(1120, 400);

  pollTimer_ = new QTimer(this);
  pollTimer_->setSingleShot(true);
  pollTimer_->setTimerType(Qt::PreciseTimer);
  connect(pollTimer_, &QTimer::timeout, this, [this] { core_.pollDue(); });
  ageTimer_ = new QTimer(this);
  connect(ageTimer_, &QTimer::timeout, this, &BusViewWindow::refreshAges);
  ageTimer_->start(kAgeRefreshMs);

  connect(openButton, &QPushButton::clicked, this, &BusViewWindow::openWithDialog);
  connect(saveButton, &QPushButton::clicked, this, &BusViewWindow::saveWithDialog);
  connect(startButton_, &QPushButton::clicked, this, &BusViewWindow::startOrStop);
  connect(reportButton_, &QPushButton::clicked, this, &BusViewWindow::reportWithDialog);
  connect(commissionButton_, &QPushButton::clicked, this, [this] {
    if (core_.running()) showInfo(kBusCommissionWhilePolling);
    else emit commissionRequested();
  });
  connect(interval_, &QSpinBox::valueChanged, this, [this](int ms) { core_.setIntervalMs(ms); });
  connect(logSwitch_, &QCheckBox::toggled, this, [this](bool on) { core_.switchLogging(on); });
  connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { showReport(index.row()); });
  setStatus(core_.statusText());
}

BusViewWindow::~BusViewWindow() { core_.stop(); }

QString BusViewWindow::cell(int row, BusColumn column) const {
  return model_->item(row, static_cast<int>(column))->text();
}

void BusViewWindow::closeEvent(QCloseEvent* event) {
  core_.stop();
  QWidget::closeEvent(event);
}

void BusViewWindow::startOrStop() {
  if (core_.running()) {
    core_.stop();
  } else if (portFree_()) {
    core_.start();
  } else {
    showInfo(kBusPortBusy);
  }
}

void BusViewWindow::openWithDialog() {
  const QString path = QFileDialog::getOpenFileName(this, Utf8(kBusOpenTitle), lastFolder_, Utf8(kBusFileFilter));
  if (path.isEmpty()) return;
  lastFolder_ = QFileInfo(path).absolutePath();
  openFile(path);
}

std::string BusViewWindow::busFileForCommissioning() {
  if (core_.path().empty() && !saveWithDialog()) return {};
  return core_.path();
}

bool BusViewWindow::saveWithDialog() {
  QFileDialog dialog(this, Utf8(kBusSaveTitle), core_.path().empty() ? lastFolder_ : Utf8(core_.path()),
                     Utf8(kBusFileFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("json"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString path = dialog.selectedFiles().front();
  lastFolder_ = QFileInfo(path).absolutePath();
  return core_.save(path.toStdString());
}

void BusViewWindow::reportWithDialog() {
  QFileDialog dialog(this, Utf8(kBusReportTitle), lastFolder_, QStringLiteral("PDF (*.pdf)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  AddByteOrderMarkOption(dialog);  // for the CSV beside it
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  lastFolder_ = QFileInfo(path).absolutePath();
  writeReport(path);
}

bool BusViewWindow::writeReport(const QString& pdf) {
  const QFileInfo file(pdf);
  ReportFiles files;
  files.pdf = pdf.toStdString();
  files.csv = file.dir().filePath(file.completeBaseName() + QStringLiteral(".csv")).toStdString();
  files.csvByteOrderMark = ByteOrderMarkWanted();
  files.printPdf = [](const std::string& html, const std::string& path, std::string* error) {
    return WriteHtmlPdf(html, kReportTitle, path, error);
  };
  const bool started = core_.writeReport(std::move(files));
  if (started) reportButton_->setEnabled(false);
  return started;
}

void BusViewWindow::reportWritten(const std::vector<std::string>& paths) {
  reportButton_->setEnabled(true);
  if (paths.empty()) return;
  std::string text = kBusReportWritten;
  for (const std::string& path : paths) text += "\n" + path;
  showInfo(text);
}

QWidget* BusViewWindow::showReport(int row) {
  if (row < 0 || static_cast<size_t>(row) >= core_.rowCount()) return nullptr;
  auto* window = new QDialog(this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(cell(row, BusColumn::kStation) + QStringLiteral(" ") + cell(row, BusColumn::kName));
  auto* text = new QPlainTextEdit(window);
  text->setReadOnly(true);
  text->setFont(PaneFont());
  text->setPlainText(Utf8(core_.reportOf(static_cast<size_t>(row))).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(text);
  window->resize(520, 560);
  window->show();
  return window;
}

void BusViewWindow::showInfo(const std::string& text) { OpenInfoBox(this, Utf8(text), [] {}); }

void BusViewWindow::schedulePoll(int milliseconds) { pollTimer_->start(milliseconds); }

void BusViewWindow::cancelPoll() { pollTimer_->stop(); }

void BusViewWindow::showAllRows() {
  model_->removeRows(0, model_->rowCount());
  for (size_t m = 0; m < core_.rowCount(); ++m) {
    QList<QStandardItem*> items;
    for (int c = 0; c < kBusColumns; ++c) items << new QStandardItem;
    Paint(core_.row(m), items);
    model_->appendRow(items);
  }
}

void BusViewWindow::showRow(size_t module) {
  QList<QStandardItem*> items;
  for (int c = 0; c < kBusColumns; ++c) items << model_->item(static_cast<int>(module), c);
  Paint(core_.row(module), items);
}

// The 数据时间 column grows older between polls; a stale mark may come with it.
void BusViewWindow::refreshAges() {
  if (!isVisible()) return;
  for (size_t m = 0; m < core_.rowCount(); ++m) showRow(m);
}

void BusViewWindow::setStatus(const std::string& text) { status_->setText(Utf8(text)); }

void BusViewWindow::pollingSwitched(bool running) {
  startButton_->setText(Utf8(running ? kBusStopText : kBusStartText));
  logSwitch_->setEnabled(running);
  emit pollingChanged(running);
}

void BusViewWindow::setLogging(bool on) {
  const QSignalBlocker quiet(logSwitch_);
  logSwitch_->setChecked(on);
}

std::string BusViewWindow::chooseLogFile(const std::string& last) {
  return ChooseLogFileInDialog(this, Utf8(last)).toStdString();
}

bool BusViewWindow::logByteOrderMark() const { return ByteOrderMarkWanted(); }
