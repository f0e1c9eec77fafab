#include "app/edit_com_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "console/texts.h"
#include "app/cjk_fonts.h"
#include "app/dialog_units.h"
#include "app/main_window_layout.h"
#include "app/message_boxes.h"
#include "layout/port_dialog_template.h"
#include "link/link.h"
#include "link/ports.h"

namespace {

constexpr int kFontPoints = PORT_DIALOG_FONT_POINTS;
constexpr int kWidthDlu = PORT_DIALOG_WIDTH;
constexpr int kHeightDlu = PORT_DIALOG_HEIGHT;
constexpr DluRect kEditRect{PORT_DIALOG_EDIT_RECT};
constexpr DluRect kListLabelRect{PORT_DIALOG_LIST_LABEL_RECT};
constexpr DluRect kListRect{PORT_DIALOG_LIST_RECT};
constexpr DluRect kOkRect{PORT_DIALOG_OK_RECT};
constexpr DluRect kCancelRect{PORT_DIALOG_CANCEL_RECT};
constexpr int kEditId = 1005;

}  // namespace

EditComDialog::EditComDialog(QWidget* owner, const std::vector<PortChoice>& offered, const std::string& lastEntry)
    : QDialog(owner) {
  setWindowTitle(QString::fromUtf8(Tr("layout", PORT_DIALOG_TITLE)));
  setFont(DialogFont(kFontPoints));
  buildControls();
  fillList(offered);
  const std::string first = !offered.empty() ? offered.front().device : !lastEntry.empty() ? lastEntry : "1";
  edit_->setText(QString::fromStdString(first));
  edit_->selectAll();
  edit_->setFocus();
}

void EditComDialog::buildControls() {
  const DialogUnits units = DialogUnits::ofFont(font(), this);
  setFixedSize(units.toPixels(kWidthDlu, kHeightDlu));

  edit_ = new QLineEdit(this);
  edit_->setObjectName(ControlName(kEditId));
  edit_->setGeometry(units.toPixels(kEditRect));

  auto* label = new QLabel(QString::fromUtf8(Tr("layout", PORT_DIALOG_LIST_LABEL)), this);
  label->setGeometry(TextLineRect(units.toPixels(kListLabelRect), font(), this));

  list_ = new QListWidget(this);
  list_->setGeometry(units.toPixels(kListRect));
  list_->setWordWrap(true);
  // Only the user's choices fill the edit: a click, the arrow keys (they select),
  // Enter or a double-click. Tabbing into the list makes its first entry current
  // without selecting it, and must not replace what was typed.
  connect(list_, &QListWidget::itemClicked, this, &EditComDialog::pick);
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (!selected.isEmpty()) pick(selected.front());
  });
  connect(list_, &QListWidget::itemActivated, this, &EditComDialog::pick);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    pick(item);
    accept();
  });

  auto* ok = new QPushButton(QString::fromUtf8(Tr("layout", DIALOG_OK_TEXT)), this);
  ok->setGeometry(units.toPixels(kOkRect));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &EditComDialog::accept);

  auto* cancel = new QPushButton(QString::fromUtf8(Tr("layout", DIALOG_CANCEL_TEXT)), this);
  cancel->setGeometry(units.toPixels(kCancelRect));
  connect(cancel, &QPushButton::clicked, this, &EditComDialog::reject);
}

void EditComDialog::fillList(const std::vector<PortChoice>& offered) {
  for (const PortChoice& choice : PortDialogChoices(offered)) {
    auto* item = new QListWidgetItem(QString::fromUtf8(PortChoiceText(choice)), list_);
    item->setData(Qt::UserRole, QString::fromStdString(choice.device));
    // The by-id name, where there is one, is the name that survives replugging.
    item->setToolTip(QString::fromStdString(choice.tip.empty() ? choice.device : choice.tip));
  }
}

void EditComDialog::pick(QListWidgetItem* item) {
  if (item) edit_->setText(item->data(Qt::UserRole).toString());
}

std::string EditComDialog::portEntry() const { return edit_->text().toStdString(); }

void EditComDialog::accept() {
  if (!ParsePortEntry(portEntry())) {
    ShowInfoBox(this, QString::fromUtf8(kBadPortNumber.text()));
    return;  // the dialog stays open for another try
  }
  QDialog::accept();
}
