#include "app/model_choice_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "bus/scan_to_bus.h"
#include "busview/bus_view_core.h"
#include "models/model_registry.h"

void PickScannedModels(QWidget* owner, ScannedBus& scanned) {
  if (scanned.choices.empty()) return;
  QDialog dialog(owner);
  dialog.setWindowTitle(QString::fromUtf8(kBusPickModelTitle.text()));
  auto* rows = new QWidget;
  auto* form = new QFormLayout(rows);
  std::map<int, QComboBox*> combos;
  for (const auto& [station, models] : scanned.choices) {
    auto* combo = new QComboBox;
    combo->setObjectName(QStringLiteral("station%1").arg(station));
    for (const ModelEntry* model : models) combo->addItem(QString::fromUtf8(model->cliName));
    form->addRow(QString::fromStdString(PickModelPrompt(station)), combo);
    combos[station] = combo;
  }
  auto* scroll = new QScrollArea;
  scroll->setWidget(rows);
  scroll->setWidgetResizable(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(scroll);
  layout->addWidget(buttons);
  dialog.resize(rows->sizeHint().width() + 40, std::min(rows->sizeHint().height() + 80, 480));
  if (dialog.exec() != QDialog::Accepted) return;
  for (BusModule& module : scanned.bus.modules) {
    const auto combo = combos.find(module.station);
    if (combo != combos.end()) module.model = FindModel(combo->second->currentText().toStdString());
  }
}
