#pragma once
// Shared by the readers that print their lines from a table: each line names one
// register and how the module stores it.
#include <cstdint>
#include <string>

enum class Decode { kHundredths, kUnsigned, kSigned };

// Appends register k of the reply through format: a %.2f for kHundredths, a %d
// for the other two (kSigned keeps the sign of a negative word).
void AppendDecodedWord(std::string& report, const char* format, Decode decode,
                       const uint8_t* reply, int k);
