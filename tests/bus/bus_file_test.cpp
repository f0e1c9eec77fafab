// The bus file: what a user writes by hand loads, saving and loading again gives
// the same bus, and a file that breaks a rule is refused with its line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "bus/bus_file.h"
#include "models/model_registry.h"

namespace {

// A folder of the test's own (this file runs on Windows too, where TempFolder's
// mkdtemp is missing).
class Folder {
 public:
  Folder() : path_(std::filesystem::temp_directory_path() / ("dolvane-bus-" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(path_);
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

constexpr const char* kCabinet = R"({
  "format": 1,
  "port": "/dev/ttyUSB0",
  "baud": 19200,
  "line": "E,8,1",
  "modules": [
    {"station": 3, "model": "4SXY", "name": "3号柜 进线",
     "notes": "CT 4 spare, \"old\" wiring",
     "limits": {"ch1.i": {"low": 0.5, "high": 5}, "ch2.u": {"high": 250.25}}},
    {"station": 17, "model": "9VXY", "name": "出线, 东"}
  ]
}
)";

TEST(BusFile, AHandWrittenFileLoadsAndSurvivesSaveAndLoad) {
  BusFileError error;
  const std::optional<BusFile> bus = ParseBusFile(kCabinet, &error);
  ASSERT_TRUE(bus) << error.message();
  EXPECT_EQ(bus->port, "/dev/ttyUSB0");
  EXPECT_EQ(bus->baudRate, 19200);
  EXPECT_EQ(bus->lineFormat, 1);
  ASSERT_EQ(bus->modules.size(), 2u);
  const BusModule& first = bus->modules[0];
  EXPECT_EQ(first.station, 3);
  EXPECT_EQ(first.model, FindModel("4SXY"));
  EXPECT_EQ(first.name, "3号柜 进线");
  EXPECT_EQ(first.notes, "CT 4 spare, \"old\" wiring");
  EXPECT_EQ(first.limits.at("ch1.i"), (QuantityLimits{0.5, 5.0}));
  EXPECT_EQ(first.limits.at("ch2.u"), (QuantityLimits{std::nullopt, 250.25}));
  EXPECT_TRUE(bus->modules[1].notes.empty() && bus->modules[1].limits.empty());

  // Saved over an older file: loads back equal, and nothing else is left beside it.
  Folder folder;
  const std::string path = folder.path() + "/cabinet.json";
  std::ofstream(path) << "old contents";
  std::string problem;
  ASSERT_TRUE(SaveBusFile(path, *bus, &problem)) << problem;
  const std::optional<BusFile> again = LoadBusFile(path, &problem);
  ASSERT_TRUE(again) << problem;
  EXPECT_EQ(*again, *bus);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(BusFile, LimitsMarkOnlyValuesBeyondTheirEnds) {
  const QuantityLimits both{0.5, 5.0}, highOnly{std::nullopt, 5.0};
  EXPECT_FALSE(both.outside(0.5));
  EXPECT_FALSE(both.outside(5.0));
  EXPECT_TRUE(both.outside(0.49));
  EXPECT_TRUE(both.outside(5.01));
  EXPECT_FALSE(highOnly.outside(-1e9));
  EXPECT_TRUE(highOnly.outside(5.01));
}

// A module list whose second module (from line 4 on) carries `second`.
std::string TwoModules(const std::string& second) {
  return "{\n  \"format\": 1,\n  \"modules\": [\n    {\"station\": 1, \"model\": \"4SXY\"},\n" + second + "\n  ]\n}\n";
}

TEST(BusFile, ABadFileIsRefusedWithItsLineAndField) {
  struct Case {
    const char* why;
    std::string text;
    int line;
    std::string field;  // empty: none named
    std::string says;
  };
  const Case cases[] = {
      {"not JSON", TwoModules("    {\"station\": 2 \"model\": \"3RX\"}"), 5, "", "not JSON"},
      {"unknown model", TwoModules("    {\"station\": 2,\n     \"model\": \"4SXZ\"}"), 6, "/modules/1/model",
       "unknown model 4SXZ"},
      {"duplicate station", TwoModules("    {\"model\": \"3RX\",\n     \"station\": 1}"), 6,
       "/modules/1/station", "station 1 is also /modules/0's"},
      {"station 0", TwoModules("    {\"station\": 0, \"model\": \"3RX\"}"), 5, "/modules/1/station",
       "outside 1-247"},
      {"station 248", TwoModules("    {\"station\": 248, \"model\": \"3RX\"}"), 5, "/modules/1/station",
       "outside 1-247"},
      {"low above high",
       TwoModules("    {\"station\": 2, \"model\": \"4SXY\",\n     \"limits\": {\n       \"ch1.i\": {\"low\": 6, "
                  "\"high\": 5}}}"),
       7, "/modules/1/limits/ch1.i/low", "low is above high"},
      {"unknown quantity key",
       TwoModules("    {\"station\": 2, \"model\": \"4SXY\",\n     \"limits\": {\"ch9.i\": {\"high\": 5}}}"), 6,
       "/modules/1/limits/ch9.i", "4SXY has no quantity ch9.i"},
      {"a misspelt field", TwoModules("    {\"station\": 2, \"modle\": \"3RX\"}"), 5, "/modules/1/modle",
       "unknown field"},
      {"a station in quotes", TwoModules("    {\"station\": \"2\", \"model\": \"3RX\"}"), 5,
       "/modules/1/station", "whole number"},
      {"a number beyond a double",
       TwoModules("    {\"station\": 2, \"model\": \"4SXY\",\n     \"limits\": {\"ch1.i\": {\"high\": 1e999}}}"), 6, "",
       "number overflow"},
      {"a later format", "{\n  \"modules\": [],\n  \"format\": 2\n}\n", 3, "/format", "format 2"},
      {"a baud the combo lacks", "{\"format\": 1,\n \"baud\": 14400, \"modules\": []}", 2, "/baud", "14400"},
  };
  for (const Case& c : cases) {
    BusFileError error;
    EXPECT_FALSE(ParseBusFile(c.text, &error)) << c.why;
    EXPECT_EQ(error.line, c.line) << c.why << ": " << error.message();
    EXPECT_EQ(error.field, c.field) << c.why;
    EXPECT_NE(error.what.find(c.says), std::string::npos) << c.why << ": " << error.what;
  }
}

TEST(BusFile, LoadingNamesTheFileAndLine) {
  Folder folder;
  const std::string path = folder.path() + "/cabinet.json";
  std::ofstream(path, std::ios::binary) << TwoModules("    {\"station\": 248, \"model\": \"3RX\"}");
  std::string problem;
  EXPECT_FALSE(LoadBusFile(path, &problem));
  EXPECT_EQ(problem.rfind(path + ":5: /modules/1/station: ", 0), 0u) << problem;
  EXPECT_FALSE(LoadBusFile(path + ".missing", &problem));
  EXPECT_NE(problem.find("cannot be opened"), std::string::npos);
}

}  // namespace
