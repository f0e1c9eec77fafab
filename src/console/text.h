#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// printf-style append; the attribute lets the compiler check every report format.
// MinGW's C++ library formats as C99 does (%zu), which its `printf` archetype,
// the Microsoft one, would flag.
#ifdef __MINGW32__
#define DOLVANE_PRINTF_ARCHETYPE gnu_printf
#else
#define DOLVANE_PRINTF_ARCHETYPE printf
#endif
void appendf(std::string& out, const char* fmt, ...) __attribute__((format(DOLVANE_PRINTF_ARCHETYPE, 2, 3)));

// "01 03 00 28": the bytes in hex, one space between them (a trace line, the
// traffic window's column).
std::string HexBytes(const uint8_t* bytes, size_t count);

// Every command-line and file number: digits only in `base` (no sign, no
// blanks, the whole text), at most `max`; nothing for anything else.
std::optional<uint64_t> WholeNumber(const std::string& text, uint64_t max, int base = 10);

// Decimal rule of every numeric field: leading blanks, optional sign, digits up to
// the first other character; no digits give 0; saturates at the 32-bit range.
int32_t ParseDecimal(const std::string& text);

// True for a field left empty (blanks only): a write must not take it as 0.
bool IsBlank(const std::string& text);
// `text` without the `blanks` it starts or ends with.
std::string Trimmed(const std::string& text, const char* blanks = " \t");

// A CSV file for Excel: on a Chinese Windows it reads a file without a UTF-8
// byte-order mark in the local code page and garbles every Chinese text.
// Windows builds write the mark unless told not to; others leave it out.
#ifdef _WIN32
inline constexpr bool kByteOrderMarkByDefault = true;
#else
inline constexpr bool kByteOrderMarkByDefault = false;
#endif
// `text` as a file starts with it: after the mark when `byteOrderMark`.
std::string ByteOrderMarked(bool byteOrderMark, std::string text);
// `text` without a mark it starts with, when it does.
std::string_view WithoutByteOrderMark(std::string_view text);
