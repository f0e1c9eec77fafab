#pragma once
#include "readers/reader.h"

// One object per model, defined in the model family's source.
extern const ReaderModel kReader4SXY;
extern const ReaderModel kReader3SXY;
extern const ReaderModel kReader8SXY;
extern const ReaderModel kReader4RXY;
extern const ReaderModel kReader3RX;
extern const ReaderModel kReader16RXY;
extern const ReaderModel kReader8RXYZ;
extern const ReaderModel kReader12RX;
extern const ReaderModel kReader10RX;
extern const ReaderModel kReader5RXZ;
extern const ReaderModel kReader4WX;
extern const ReaderModel kReader5UZ;
extern const ReaderModel kReader9VXY;
extern const ReaderModel kReaderForeignMeter;
