#include "readers/models.h"

namespace {
// Order of the command line's model list (and of the simulated stations 1..14).
const ReaderModel* const kAll[] = {
    &kReader4SXY,
    &kReader3SXY,
    &kReader8SXY,
    &kReader4RXY,
    &kReader3RX,
    &kReader16RXY,
    &kReader8RXYZ,
    &kReader12RX,
    &kReader10RX,
    &kReader5RXZ,
    &kReader4WX,
    &kReader5UZ,
    &kReader9VXY,
    &kReaderForeignMeter,
};
}  // namespace

const ReaderModel* const* AllReaders(size_t& count) {
  count = sizeof kAll / sizeof kAll[0];
  return kAll;
}

const ReaderModel* FindReader(std::string_view cliName) {
  for (const ReaderModel* model : kAll)
    if (cliName == model->cliName) return model;
  return nullptr;
}

const ReaderModel* FindReaderByButton(int buttonId) {
  for (const ReaderModel* model : kAll)
    if (model->buttonId == buttonId) return model;
  return nullptr;
}
