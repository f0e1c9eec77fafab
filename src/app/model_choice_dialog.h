#pragma once
// 选择型号: where several models fit what a scanned station said, one combo
// box per such station, all in one dialog. OK sets the bus's modules to the
// models picked; Cancel keeps the first of each.
class QWidget;
struct ScannedBus;

void PickScannedModels(QWidget* owner, ScannedBus& scanned);
