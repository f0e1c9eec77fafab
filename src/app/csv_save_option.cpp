#include "app/csv_save_option.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>

#include "console/text.h"

namespace {

bool wanted = kByteOrderMarkByDefault;

}  // namespace

bool ByteOrderMarkWanted() { return wanted; }

QCheckBox* AddByteOrderMarkOption(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* option = new QCheckBox(QCoreApplication::translate("CsvSaveOption", "添加字节顺序标记（Excel）"), &dialog);
  option->setObjectName(QStringLiteral("byteOrderMark"));
  option->setChecked(wanted);
  QObject::connect(&dialog, &QDialog::accepted, option, [option] { wanted = option->isChecked(); });
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(option, grid->rowCount(), 0, 1, grid->columnCount());
  } else if (dialog.layout()) {
    dialog.layout()->addWidget(option);
  }
  return option;
}
