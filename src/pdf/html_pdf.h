#pragma once
// An HTML document printed to a PDF file (A4) by Qt's text engine, the file
// replaced atomically. Runs without a display: a program with no Qt
// application of its own gets an off-screen one for the call.
#include <string>

bool WriteHtmlPdf(const std::string& html, const std::string& title, const std::string& path, std::string* error);
