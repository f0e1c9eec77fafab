#include "readers/decode.h"

#include "console/text.h"
#include "modbus/frames.h"

void AppendDecodedWord(std::string& report, const char* format, Decode decode,
                       const uint8_t* reply, int k) {
  switch (decode) {
    case Decode::kHundredths:
      appendf(report, format, Word(reply, k) / 100.0);
      break;
    case Decode::kUnsigned:
      appendf(report, format, static_cast<int>(Word(reply, k)));
      break;
    case Decode::kSigned:
      appendf(report, format, static_cast<int>(SignedWord(reply, k)));
      break;
  }
}
