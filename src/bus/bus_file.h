#pragma once
// The bus file: a cabinet's modules on one line, as UTF-8 JSON a user can read
// and edit by hand:
//
//   {
//     "format": 1,
//     "port": "/dev/ttyUSB0",
//     "baud": 9600,
//     "line": "N,8,1",
//     "modules": [
//       {"station": 1, "model": "4SXY", "name": "3号柜 进线",
//        "notes": "spare CT on channel 4",
//        "limits": {"ch1.i": {"low": 0, "high": 5}}}
//     ]
//   }
//
// "baud" and "line" are named as the console's combo boxes name them, "model" as
// the command line does, a limit's key as the log's quantity keys. "port" may be
// empty; "notes" and "limits", and either end of a limit, may be left out. A
// file that breaks a rule is refused whole, with the line it breaks it on.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ModelEntry;

inline constexpr int kBusFileFormat = 1;

struct QuantityLimits {
  std::optional<double> low;
  std::optional<double> high;
  // Outside [low, high]; an end not given never is.
  bool outside(double value) const { return (low && value < *low) || (high && value > *high); }
  bool operator==(const QuantityLimits&) const = default;
};

struct BusModule {
  int station = 1;
  const ModelEntry* model = nullptr;
  std::string name;
  std::string notes;
  std::map<std::string, QuantityLimits> limits;  // by quantity key
  bool operator==(const BusModule&) const = default;
};

struct BusFile {
  std::string port;
  int baudRate = 9600;
  int lineFormat = 0;  // index into kLineFormats
  std::vector<BusModule> modules;
  bool operator==(const BusFile&) const = default;
};

// Why a file was refused: "LINE: FIELD: WHAT" (the path in front when loaded from
// a file). The line is 1-based; the field a JSON pointer ("/modules/2/station").
struct BusFileError {
  int line = 0;
  std::string field;
  std::string what;
  std::string message() const;
};

// The bus a text describes, or nullopt with *error saying why not.
std::optional<BusFile> ParseBusFile(std::string_view text, BusFileError* error);
// The same for a file; *error is "PATH:LINE: FIELD: WHAT", or why it could not be read.
std::optional<BusFile> LoadBusFile(const std::string& path, std::string* error);

// The text ParseBusFile reads back as `bus`: two-space indents, a module per
// block, fields in the order above, empty notes and limits left out.
std::string BusFileText(const BusFile& bus);
// Writes the text atomically: a reader sees the old file or the new one, whole.
bool SaveBusFile(const std::string& path, const BusFile& bus, std::string* error);

// "9600 N,8,1": the bus's line as the console writes a line.
std::string LineSettingsText(const BusFile& bus);

// The quantity keys a model's block decodes to, in its log's column order.
std::vector<std::string> QuantityKeysOf(const ModelEntry& model);
