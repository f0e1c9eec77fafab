// The commissioning report from the command line: every module of a bus file
// read once, written as PDF (read back with pdftotext), CSV and HTML.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "support/cli_run.h"
#include "support/program.h"
#include "support/temp_file.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string PdfText(const std::string& pdf) {
  std::string text;
  if (FILE* pipe = ::popen(("pdftotext -layout '" + pdf + "' - 2>&1").c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

TEST(BusReportCli, EveryModuleIsReadOnceIntoThePdfAndTheCsvAndASilentOneIsNamed) {
  Program sim("dolvane-sim", {"--module", "2:4SXY", "--module", "5:3RX", "--module", "9:16RXY", "--steady"});
  const std::string device = sim.firstLine();
  ASSERT_FALSE(device.empty());
  TempFolder folder;
  const std::string bus = folder.path() + "/cabinet.json";
  std::ofstream(bus) << R"({"format": 1, "port": ")" << device << R"(", "baud": 9600, "line": "N,8,1",
  "modules": [
    {"station": 2, "model": "4SXY", "name": "1号柜 进线"},
    {"station": 5, "model": "3RX", "name": "1号柜 出线"},
    {"station": 9, "model": "16RXY", "name": "2号柜"}]})";
  const std::string pdf = folder.path() + "/report.pdf";
  const std::string csv = folder.path() + "/report.csv";
  const CliRun run = RunCliProgram({"--bus", bus, "report", "--pdf", pdf, "--csv", csv});
  ASSERT_EQ(run.status, 0) << run.err;

  const std::string text = PdfText(pdf);
  for (const char* expected : {"调试报告", device.c_str(), "9600 N,8,1", "1号柜 进线", "4SXY", "3RX", "16RXY",
                               "程序版本", "700", "01通道 电流"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in\n" << text;
  // A reading with its unit (the text map gives 一 as its radical: the label's tail is matched).
  EXPECT_TRUE(std::regex_search(text, std::regex("路电流 +[0-9]+\\.[0-9]+ +A\n"))) << text;
  const std::string rows = Contents(csv);
  EXPECT_EQ(rows.rfind("station,name,model,status,time,item,value,unit\r\n", 0), 0u);
  EXPECT_NE(rows.find(",,,,"), std::string::npos) << "the cover";
  EXPECT_NE(rows.find("2,1号柜 进线,4SXY,ok,"), std::string::npos) << rows;
  EXPECT_TRUE(std::regex_search(rows, std::regex(",一路电流,[0-9.]+,A\r\n"))) << rows;
  EXPECT_NE(rows.find(",程序版本,700,\r\n"), std::string::npos) << rows;

  // A module that does not answer is in the report with its failure; exit 1.
  std::ofstream(bus) << R"({"format": 1, "port": ")" << device << R"(", "baud": 9600, "line": "N,8,1",
  "modules": [{"station": 2, "model": "4SXY"}, {"station": 30, "model": "3RX", "name": "空位"}]})";
  const std::string html = folder.path() + "/report.html";
  const CliRun missing = RunCliProgram({"--bus", bus, "report", "--csv", csv, "--html", html});
  EXPECT_EQ(missing.status, 1) << missing.err;
  EXPECT_NE(missing.err.find("report: station 30: timeout"), std::string::npos) << missing.err;
  EXPECT_NE(Contents(csv).find("30,空位,3RX,timeout,"), std::string::npos);
  EXPECT_NE(Contents(html).find("空位"), std::string::npos);
}

}  // namespace
