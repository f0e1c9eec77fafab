#include "readers/decode.h"

#include "modbus/frames.h"

void AppendDecodedWord(ReportBuilder& report, const std::string& key, const std::string& scope,
                       const char* unit, const char* format, Decode decode, RegisterWords reply,
                       int k) {
  switch (decode) {
    case Decode::kHundredths:
      report.quantity(key, scope, unit, format, Word(reply, k) / 100.0);
      break;
    case Decode::kUnsigned:
      report.quantity(key, scope, unit, format, static_cast<int>(Word(reply, k)));
      break;
    case Decode::kSigned:
      report.quantity(key, scope, unit, format, static_cast<int>(SignedWord(reply, k)));
      break;
  }
}
