#include "layout/port_status.h"

#include "console/text.h"

namespace {

char ParityLetter(Parity parity) {
  switch (parity) {
    case Parity::kEven: return 'E';
    case Parity::kOdd: return 'O';
    default: return 'N';
  }
}

int BaudRateAt(int baudIndex) { return baudIndex >= 0 && baudIndex < 8 ? kBaudRates[baudIndex] : 0; }

}  // namespace

std::string LineShortText(int baudRate, int formatIndex) {
  const LineFormat& format = LineFormatAt(formatIndex);
  return std::to_string(baudRate) + " 8" + ParityLetter(format.parity) + std::to_string(format.stopBits);
}

bool LineChangePending(const LinkState& link, int baudIndex, int formatIndex) {
  return link.isOpen == 1 && ConsoleSetsTheLine(link) &&
         (BaudRateAt(baudIndex) != link.baudRateInUse || formatIndex != link.lineFormatInUse);
}

std::string PortStatusText(const LinkState& link, int baudIndex, int formatIndex) {
  if (link.isOpen != 1) return kPortClosedStatus;
  std::string text = link.portName.empty() ? DeviceOfPortNumber(link.portNumber) : link.portName;
  if (!ConsoleSetsTheLine(link)) return text;
  text += "  " + LineShortText(link.baudRateInUse, link.lineFormatInUse);
  if (LineChangePending(link, baudIndex, formatIndex))
    appendf(text, kLinePendingPattern, LineShortText(BaudRateAt(baudIndex), formatIndex).c_str(), kLinePendingMark.text());
  return text;
}
