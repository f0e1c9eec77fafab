#pragma once
// Every program calls this first thing in main: a standard descriptor (0, 1 or
// 2) left closed by whoever started it is opened on the null device, so that
// the next file or port opened cannot take its number and receive what the
// program prints (a report or a message sent down the serial line).
void KeepStandardFdsOpen();
