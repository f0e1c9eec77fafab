#include "app/register_table_pane.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/cjk_fonts.h"
#include "app/qt_text.h"
#include "tools/register_table.h"

namespace {

constexpr int kWindowFontPoints = 9;


}  // namespace

// The rows of the core's cells; an edit hands its write to `run` and changes
// nothing itself.
class RegisterTableModel : public QAbstractTableModel {
 public:
  explicit RegisterTableModel(CommandRunner run, QObject* parent)
      : QAbstractTableModel(parent), run_(std::move(run)) {}

  const std::optional<StationRegisters>& block() const { return block_; }

  void showRead(const StationRegisters& block) {
    beginResetModel();
    block_ = block;
    endResetModel();
  }

  void showWritten(const StationRegisters& written) {
    if (!block_) return;
    ApplyWritten(*block_, written);
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kRegisterColumns - 1));
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !block_ ? 0 : static_cast<int>(block_->words.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kRegisterColumns; }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kRegisterColumns)
      return {};
    return QString::fromUtf8(kRegisterColumnTitles[static_cast<size_t>(section)].text());
  }

  QVariant data(const QModelIndex& at, int role) const override {
    if (!block_ || !at.isValid()) return {};
    const auto column = static_cast<RegisterColumn>(at.column());
    if (role == Qt::DisplayRole) return Utf8(CellText(*block_, at.row(), column));
    if (role == Qt::EditRole) return Utf8(EditText(*block_, at.row(), column));
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& at) const override {
    Qt::ItemFlags flags = QAbstractTableModel::flags(at);
    if (block_ && at.isValid() && IsEditable(*block_, at.row(), static_cast<RegisterColumn>(at.column())))
      flags |= Qt::ItemIsEditable;
    return flags;
  }

  // False always: the cell keeps the module's words until a write of them is acknowledged.
  bool setData(const QModelIndex& at, const QVariant& value, int role) override {
    if (!block_ || role != Qt::EditRole) return false;
    std::optional<TableWrite> write =
        WriteOfEdit(*block_, at.row(), static_cast<RegisterColumn>(at.column()), value.toString().toStdString());
    if (write) run_([write = std::move(*write)](Operations& ops) { RunTableWrite(ops, write); }, {});
    return false;
  }

 private:
  CommandRunner run_;
  std::optional<StationRegisters> block_;
};

RegisterTablePane::RegisterTablePane(CommandRunner run, QWidget* parent) : QWidget(parent) {
  setWindowTitle(QString::fromUtf8(kRegisterTableTitle.text()));
  setObjectName(QStringLiteral("registerTable"));
  setFont(DialogFont(kWindowFontPoints));

  caption_ = new QLabel(QString::fromUtf8(kRegisterTableEmpty.text()), this);
  model_ = new RegisterTableModel(std::move(run), this);
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setStretchLastSection(true);
  for (int c = 0; c + 1 < kRegisterColumns; ++c) table_->setColumnWidth(c, kRegisterColumnWidths[c]);
  setEditable(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(table_);
  int width = 0;
  for (int w : kRegisterColumnWidths) width += w;
  resize(width + 30, 360);
}

RegisterTablePane::~RegisterTablePane() = default;

const std::optional<StationRegisters>& RegisterTablePane::block() const { return model_->block(); }

void RegisterTablePane::showRead(const StationRegisters& block) {
  model_->showRead(block);
  caption_->setText(Utf8(TableCaption(block)));
  // A pair's cells span its two rows.
  table_->clearSpans();
  for (int row = 0; row < model_->rowCount(); ++row) {
    if (!StartsPair(block, row)) continue;
    for (int c = static_cast<int>(RegisterColumn::kInt32HighFirst); c < kRegisterColumns; ++c)
      table_->setSpan(row, c, 2, 1);
  }
}

void RegisterTablePane::showWritten(const StationRegisters& block) { model_->showWritten(block); }

void RegisterTablePane::setEditable(bool editable) {
  table_->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::AnyKeyPressed
                                   : QAbstractItemView::NoEditTriggers);
}
