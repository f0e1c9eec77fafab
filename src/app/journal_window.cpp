#include "app/journal_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/cjk_fonts.h"
#include "app/csv_save_option.h"
#include "app/message_boxes.h"
#include "app/qt_text.h"
#include "bus/atomic_file.h"
#include "console/text.h"
#include "discovery/probe.h"
#include "journal/journal_records.h"
#include "tools/traffic_rows.h"

namespace {


QPushButton* NewButton(const char* text, QWidget* parent) {
  auto* button = new QPushButton(Utf8(text), parent);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

JournalWindow::JournalWindow(std::string path, QWidget* parent) : QWidget(parent, Qt::Window), path_(std::move(path)) {
  setWindowTitle(Utf8(kJournalWindowTitle));
  setFont(DialogFont(9));
  station_ = new QSpinBox(this);
  station_->setRange(-1, kLastStation);  // -1: every station; 0: broadcasts
  station_->setSpecialValueText(Utf8(kJournalAllStations));
  station_->setValue(-1);
  since_ = new QLineEdit(this);
  since_->setPlaceholderText(QStringLiteral("2026-12-11"));
  auto* refreshButton = NewButton(kJournalRefreshText, this);
  auto* copyButton = NewButton(kCopyText, this);
  auto* exportButton = NewButton(kJournalExportText, this);
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(PaneFont());

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(Utf8(kJournalStationLabel), this));
  controls->addWidget(station_);
  controls->addWidget(new QLabel(Utf8(kJournalSinceLabel), this));
  controls->addWidget(since_);
  for (QPushButton* button : {refreshButton, copyButton, exportButton}) controls->addWidget(button);
  controls->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(new QLabel(QString::fromStdString(path_), this));
  layout->addWidget(text_, 1);
  resize(980, 420);

  connect(refreshButton, &QPushButton::clicked, this, &JournalWindow::refresh);
  connect(since_, &QLineEdit::returnPressed, this, &JournalWindow::refresh);
  connect(station_, &QSpinBox::valueChanged, this, &JournalWindow::refresh);
  connect(copyButton, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(listing()); });
  connect(exportButton, &QPushButton::clicked, this, [this] {
    QFileDialog dialog(this, Utf8(kJournalExportText), QString(), Utf8(kCsvFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    AddByteOrderMarkOption(dialog);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      exportCsv(dialog.selectedFiles().front(), ByteOrderMarkWanted());
  });
}

QString JournalWindow::listing() const { return text_->toPlainText(); }

void JournalWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refresh();
}

// The records the filter shown keeps; nullopt after its box.
static std::optional<std::vector<JournalRecord>> Kept(const std::string& path, int station, const QString& sinceText,
                                                      QWidget* owner) {
  JournalFilter filter;
  if (station >= 0) filter.station = station;
  if (!sinceText.trimmed().isEmpty()) {
    const std::optional<std::string> since = SinceOf(sinceText.trimmed().toStdString());
    if (!since) {
      OpenInfoBox(owner, Utf8(kJournalBadSince), [] {});
      return std::nullopt;
    }
    filter.since = *since;
  }
  std::string problem;
  const std::optional<JournalContents> contents = ReadJournal(path, &problem);
  if (!contents) {
    OpenInfoBox(owner, QString::fromStdString(problem), [] {});
    return std::nullopt;
  }
  return Filtered(contents->records, filter);
}

bool JournalWindow::refresh() {
  const auto kept = Kept(path_, station_->value(), since_->text(), this);
  if (!kept) return false;
  text_->setPlainText(QString::fromStdString(JournalListing(*kept)));
  return true;
}

bool JournalWindow::exportCsv(const QString& path, bool byteOrderMark) {
  const auto kept = Kept(path_, station_->value(), since_->text(), this);
  if (!kept) return false;
  std::string error;
  if (ReplaceFileAtomically(path.toStdString(), ByteOrderMarked(byteOrderMark, JournalCsv(*kept)), &error)) return true;
  OpenInfoBox(this, Utf8(kSaveFailed) + QStringLiteral("\n") + QString::fromStdString(error), [] {});
  return false;
}
