#pragma once
// Shared by the readers that print their lines from a table: each line names one
// register and how the module stores it.
#include <cstdint>
#include <string>

#include "modbus/pdu.h"
#include "readers/report.h"

enum class Decode { kHundredths, kUnsigned, kSigned };

// Writes register k of the reply through format as a quantity: a %.2f for
// kHundredths, a %d for the other two (kSigned keeps the sign of a negative word).
void AppendDecodedWord(ReportBuilder& report, const std::string& key, const std::string& scope,
                       const char* unit, const char* format, Decode decode, RegisterWords reply,
                       int k);
