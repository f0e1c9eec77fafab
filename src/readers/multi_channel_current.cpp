// "16RX/Y", "8RX/Y/Z", "12RX", "10RX", "5RX/Z": multi-channel current modules of the
// RX/RY/RZ series. One routine; the members differ only by their table line.
#include <string>

#include "readers/models.h"
#include "console/texts.h"

namespace {

struct CurrentMember {
  uint16_t registers;  // C: the block ends with the last ratio word
  int channels;        // n
  bool fastValues;     // "10RX": a fast-value array, header B and line B
};

constexpr CurrentMember k16RXY{56, 16, false};
constexpr CurrentMember k8RXYZ{32, 8, false};
constexpr CurrentMember k12RX{44, 12, false};
constexpr CurrentMember k10RX{48, 10, true};
constexpr CurrentMember k5RXZ{23, 5, false};

constexpr bool BlockEndsWithRatios(const CurrentMember& m) {
  return m.registers == 8 + (m.fastValues ? 4 : 3) * m.channels;
}
static_assert(BlockEndsWithRatios(k16RXY) && BlockEndsWithRatios(k8RXYZ) &&
              BlockEndsWithRatios(k12RX) && BlockEndsWithRatios(k10RX) &&
              BlockEndsWithRatios(k5RXZ));

void FormatCurrentModule(ReportBuilder& report, RegisterWords reply, const CurrentMember& m) {
  const int n = m.channels;
  if (m.fastValues) {
    // Word 6 carries the slow and the fast update setting, one byte each.
    report.text(Tr("readers", "程序版本：%d\r\n二次额定：%d\r\n二次额定：%d\r\n出厂日期：%02X-%02X\r\n"
                "慢速更新：%d\r\n快速更新：%d\r\n信号阈值：%d\r\n选频系数：%d\r\n\r\n"),
                Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4), LowByte(reply, 4),
                HighByte(reply, 6), LowByte(reply, 6), HighByte(reply, 7), LowByte(reply, 7));
  } else {
    report.text(Tr("readers", "程序版本：%d\r\n电流量程：%d\r\n电流量程：%d\r\n出厂日期：%02X-%02X\r\n"
                "分频系数：%d\r\n信号阈值：%d\r\n选频系数：%d\r\n\r\n"),
                Word(reply, 0), Word(reply, 1), Word(reply, 2), HighByte(reply, 4), LowByte(reply, 4),
                Word(reply, 6), HighByte(reply, 7), LowByte(reply, 7));
  }
  for (int c = 1; c <= n; ++c) {
    const std::string channel = NumberedChannel(c);
    const double current = Word(reply, 7 + c) / 100.0;
    const double frequency = Word(reply, 7 + n + c) / 10.0;
    report.quantity(ChannelKey(c, "i"), "", "A", Tr("readers", "%02d通道  电流：%06.2f； "), c, current);
    report.quantity(ChannelKey(c, "f"), channel, "Hz", Tr("readers", "频率：%06.1f； "), frequency);
    if (m.fastValues) {
      const double fast = Word(reply, 7 + 2 * n + c) / 100.0;
      report.quantity(ChannelKey(c, "ifast"), channel, "A", Tr("readers", "快速：%06.2f； "), fast);
      report.quantity(ChannelKey(c, "ct"), channel, "", Tr("readers", "变比：%05d\r\n"), Word(reply, 7 + 3 * n + c));
    } else {
      report.quantity(ChannelKey(c, "ct"), channel, "", Tr("readers", "变比：%05d\r\n"), Word(reply, 7 + 2 * n + c));
    }
  }
}

template <const CurrentMember& M>
void Format(ReportBuilder& report, RegisterWords reply) {
  FormatCurrentModule(report, reply, M);
}

}  // namespace

const ReaderModel kReader16RXY{0, k16RXY.registers, AcceptsByVersion,
                               Format<k16RXY>};
const ReaderModel kReader8RXYZ{0, k8RXYZ.registers, AcceptsByVersion,
                               Format<k8RXYZ>};
const ReaderModel kReader12RX{0, k12RX.registers, AcceptsByVersion,
                              Format<k12RX>};
const ReaderModel kReader10RX{0, k10RX.registers, AcceptsByVersion,
                              Format<k10RX>};
const ReaderModel kReader5RXZ{0, k5RXZ.registers, AcceptsByVersion,
                              Format<k5RXZ>};
