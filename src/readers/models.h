#pragma once
#include "readers/reader.h"

// One object per model, defined in the model family's source.
extern const ReaderModel kReader4SXY;
