#include "app/log_file_dialog.h"

#include <QFileDialog>

#include "app/csv_save_option.h"
#include "monitor/monitor_texts.h"

QString ChooseLogFileInDialog(QWidget* owner, const QString& last) {
  QFileDialog dialog(owner, QString::fromUtf8(kLogDialogTitle.text()));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilter(QString::fromUtf8(kLogDialogFilterName.text()) + QStringLiteral(" (") +
                       QString::fromUtf8(kLogDialogPattern) + QStringLiteral(")"));
  dialog.setDefaultSuffix(QString::fromUtf8(kLogDialogSuffix));
  if (!last.isEmpty()) dialog.selectFile(last);
  AddByteOrderMarkOption(dialog);  // for a log started in a new or empty file
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}
