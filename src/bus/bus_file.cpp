#include "bus/bus_file.h"

#include "discovery/discovery.h"
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>

#include "bus/atomic_file.h"
#include "discovery/discovery.h"
#include "discovery/probe.h"
#include "link/link.h"
#include "models/model_registry.h"
#include "monitor/poller.h"

using nlohmann::json;

namespace {

std::string PointerPart(const std::string& key) {
  std::string part;
  for (char c : key) part += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
  return part;
}

// The line each value of a well-formed JSON text starts on, by its JSON pointer,
// so that a rule broken by a value can name its line. The parser keeps no
// positions; the text has been parsed already, so this walk need not check it.
class JsonLines {
 public:
  explicit JsonLines(std::string_view text) : text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;  // a byte-order mark, as some editors save
    value("");
  }
  // The line of the value at `pointer`, else of the nearest value holding it.
  int lineOf(std::string pointer) const {
    for (;;) {
      if (const auto found = lines_.find(pointer); found != lines_.end()) return found->second;
      if (pointer.empty()) return 1;
      pointer.resize(pointer.rfind('/'));
    }
  }

 private:
  char next() {
    while (pos_ < text_.size() && std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos)
      if (text_[pos_++] == '\n') ++line_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  std::string string() {
    std::string raw;
    for (++pos_; pos_ < text_.size() && text_[pos_] != '"'; ++pos_) {
      if (text_[pos_] == '\\') raw += text_[pos_++];
      raw += text_[pos_];
    }
    ++pos_;
    return raw;
  }
  void value(const std::string& pointer) {
    const char c = next();
    lines_[pointer] = line_;
    if (c == '{' || c == '[') {
      ++pos_;
      for (size_t index = 0; next() != (c == '{' ? '}' : ']'); ++index) {
        std::string member = std::to_string(index);
        if (c == '{') {
          member = PointerPart(string());
          next();
          ++pos_;  // ':'
        }
        value(pointer + "/" + member);
        if (next() == ',') ++pos_;
      }
      ++pos_;
    } else if (c == '"') {
      string();
    } else {
      while (pos_ < text_.size() && std::string_view(",]} \t\r\n").find(text_[pos_]) == std::string_view::npos) ++pos_;
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  std::map<std::string, int> lines_;
};

struct Refusal {
  std::string pointer;
  std::string what;
};

[[noreturn]] void Refuse(const std::string& pointer, const std::string& what) { throw Refusal{pointer, what}; }

void OnlyFields(const json& object, const std::string& pointer, std::initializer_list<const char*> known) {
  for (const auto& item : object.items()) {
    const std::string& key = item.key();
    if (std::none_of(known.begin(), known.end(), [&](const char* k) { return key == k; })) {
      std::string list;
      for (const char* k : known) list += std::string(list.empty() ? "" : ", ") + k;
      Refuse(pointer + "/" + PointerPart(key), "unknown field (a " +
                                                   std::string(pointer.empty() ? "bus file" : "module") +
                                                   " has " + list + ")");
    }
  }
}

const json* Field(const json& object, const char* key) {
  const auto found = object.find(key);
  return found == object.end() ? nullptr : &*found;
}

std::string StringField(const json& object, const std::string& pointer, const char* key, bool required) {
  const json* field = Field(object, key);
  if (!field) {
    if (required) Refuse(pointer, std::string("\"") + key + "\" is missing");
    return {};
  }
  if (!field->is_string()) Refuse(pointer + "/" + key, "must be a text in quotes");
  return field->get<std::string>();
}

// A whole number, or nullopt when the field is missing.
std::optional<long long> WholeField(const json& object, const std::string& pointer, const char* key) {
  const json* field = Field(object, key);
  if (!field) return std::nullopt;
  if (!field->is_number_integer()) Refuse(pointer + "/" + key, "must be a whole number");
  return field->get<long long>();
}

std::string LineFormatNames() {
  std::string names;
  for (const LineFormat& format : kLineFormats) names += std::string(names.empty() ? "" : ", ") + format.text;
  return names;
}

std::string BaudRateNames() {
  std::string names;
  for (int rate : kBaudRates) names += (names.empty() ? "" : ", ") + std::to_string(rate);
  return names;
}

QuantityLimits LimitsOf(const json& limit, const std::string& pointer) {
  if (!limit.is_object()) Refuse(pointer, "a limit is {\"low\": NUMBER, \"high\": NUMBER}");
  OnlyFields(limit, pointer, {"low", "high"});
  QuantityLimits limits;
  for (auto [key, end] : {std::pair{"low", &limits.low}, {"high", &limits.high}}) {
    if (const json* field = Field(limit, key)) {
      if (!field->is_number() || !std::isfinite(field->get<double>())) Refuse(pointer + "/" + key, "must be a number");
      *end = field->get<double>();
    }
  }
  if (limits.low && limits.high && *limits.low > *limits.high)
    Refuse(pointer + "/low", "low is above high");
  return limits;
}

BusModule ModuleOf(const json& entry, const std::string& pointer) {
  if (!entry.is_object()) Refuse(pointer, "a module is an object {\"station\": ..., \"model\": ...}");
  OnlyFields(entry, pointer, {"station", "model", "name", "notes", "limits"});
  BusModule module;
  const std::optional<long long> station = WholeField(entry, pointer, "station");
  if (!station) Refuse(pointer, "\"station\" is missing");
  if (*station < kFirstStation || *station > kLastStation)
    Refuse(pointer + "/station", "station " + std::to_string(*station) + " is outside " + std::to_string(kFirstStation) + "-" + std::to_string(kLastStation));
  module.station = static_cast<int>(*station);
  const std::string model = StringField(entry, pointer, "model", true);
  module.model = FindModel(model);
  if (!module.model) {
    std::string names;
    for (const ModelEntry& m : Models()) names += std::string(names.empty() ? "" : " ") + m.cliName;
    Refuse(pointer + "/model", "unknown model " + model + " (known: " + names + ")");
  }
  module.name = StringField(entry, pointer, "name", false);
  module.notes = StringField(entry, pointer, "notes", false);
  if (const json* limits = Field(entry, "limits")) {
    if (!limits->is_object()) Refuse(pointer + "/limits", "must be an object of quantity keys");
    const std::vector<std::string> keys = QuantityKeysOf(*module.model);
    for (const auto& [key, limit] : limits->items()) {
      const std::string at = pointer + "/limits/" + PointerPart(key);
      if (std::find(keys.begin(), keys.end(), key) == keys.end())
        Refuse(at, "model " + model + " has no quantity " + key);
      module.limits[key] = LimitsOf(limit, at);
    }
  }
  return module;
}

BusFile BusOf(const json& root) {
  if (!root.is_object()) Refuse("", "a bus file is an object {\"format\": 1, ...}");
  OnlyFields(root, "", {"format", "port", "baud", "line", "modules"});
  const std::optional<long long> format = WholeField(root, "", "format");
  if (!format) Refuse("", "\"format\" is missing");
  if (*format != kBusFileFormat)
    Refuse("/format", "format " + std::to_string(*format) + " is not one this program reads (it reads 1)");
  BusFile bus;
  bus.port = StringField(root, "", "port", false);
  if (const std::optional<long long> baud = WholeField(root, "", "baud")) {
    if (std::find(std::begin(kBaudRates), std::end(kBaudRates), *baud) == std::end(kBaudRates))
      Refuse("/baud", "baud " + std::to_string(*baud) + " is not one of " + BaudRateNames());
    bus.baudRate = static_cast<int>(*baud);
  }
  if (Field(root, "line")) {
    const std::string line = StringField(root, "", "line", false);
    const auto format = std::find_if(std::begin(kLineFormats), std::end(kLineFormats),
                                     [&](const LineFormat& f) { return line == f.text; });
    if (format == std::end(kLineFormats)) Refuse("/line", "line " + line + " is not one of " + LineFormatNames());
    bus.lineFormat = static_cast<int>(format - std::begin(kLineFormats));
  }
  const json* modules = Field(root, "modules");
  if (!modules) Refuse("", "\"modules\" is missing");
  if (!modules->is_array()) Refuse("/modules", "must be a list [...] of modules");
  std::map<int, size_t> moduleAt;
  for (size_t i = 0; i < modules->size(); ++i) {
    const std::string pointer = "/modules/" + std::to_string(i);
    BusModule module = ModuleOf((*modules)[i], pointer);
    if (const auto [first, added] = moduleAt.emplace(module.station, i); !added)
      Refuse(pointer + "/station", "station " + std::to_string(module.station) + " is also /modules/" +
                                       std::to_string(first->second) + "'s");
    bus.modules.push_back(std::move(module));
  }
  return bus;
}

// nlohmann's text without its own tag and position: ours is the line.
std::string ParseErrorText(const std::string& what) {
  const size_t column = what.find("column ");
  const size_t colon = column == std::string::npos ? std::string::npos : what.find(": ", column);
  if (colon != std::string::npos) return what.substr(colon + 2);
  const size_t tag = what.find("] ");
  return what.substr(what.rfind('[', 0) == 0 && tag != std::string::npos ? tag + 2 : 0);
}

// Where the text an exception quotes ("... parsing '1e999'") stands, 1-based; 0 when it does not say.
size_t OffendingTextAt(std::string_view text, const std::string& what) {
  const size_t open = what.find('\'');
  const size_t close = what.rfind('\'');
  if (open == std::string::npos || close <= open + 1) return 0;
  const size_t at = text.find(std::string_view(what).substr(open + 1, close - open - 1));
  return at == std::string_view::npos ? 0 : at + 1;
}

int LineAtByte(std::string_view text, size_t byte) {
  const size_t end = std::min(byte > 0 ? byte - 1 : 0, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(end), '\n'));
}

}  // namespace

std::string BusFileError::message() const {
  return std::to_string(line) + ": " + (field.empty() ? "" : field + ": ") + what;
}

std::vector<std::string> QuantityKeysOf(const ModelEntry& model) {
  std::vector<std::string> keys;
  for (const QuantityColumn& column : ColumnsOf(PollTarget::Model(model.reader))) keys.push_back(column.key);
  return keys;
}

std::optional<BusFile> ParseBusFile(std::string_view text, BusFileError* error) {
  json root;
  try {
    root = json::parse(text);
  } catch (const json::parse_error& e) {
    *error = {LineAtByte(text, e.byte), "", "not JSON: " + ParseErrorText(e.what())};
    return std::nullopt;
  } catch (const json::exception& e) {  // a number beyond a double's range: its line, by its text
    *error = {LineAtByte(text, OffendingTextAt(text, e.what())), "", ParseErrorText(e.what())};
    return std::nullopt;
  }
  try {
    return BusOf(root);
  } catch (const Refusal& refusal) {
    *error = {JsonLines(text).lineOf(refusal.pointer), refusal.pointer, refusal.what};
    return std::nullopt;
  }
}

std::optional<BusFile> LoadBusFile(const std::string& path, std::string* error) {
  std::ifstream in(PathOfUtf8(path), std::ios::binary);
  if (!in.is_open()) {
    *error = path + ": cannot be opened";
    return std::nullopt;
  }
  std::string text(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) {
    *error = path + ": cannot be read";
    return std::nullopt;
  }
  BusFileError refusal;
  std::optional<BusFile> bus = ParseBusFile(text, &refusal);
  if (!bus) *error = path + ":" + refusal.message();
  return bus;
}

std::string BusFileText(const BusFile& bus) {
  nlohmann::ordered_json root;
  root["format"] = kBusFileFormat;
  root["port"] = bus.port;
  root["baud"] = bus.baudRate;
  root["line"] = LineFormatAt(bus.lineFormat).text;
  root["modules"] = nlohmann::ordered_json::array();
  for (const BusModule& module : bus.modules) {
    nlohmann::ordered_json entry;
    entry["station"] = module.station;
    entry["model"] = module.model ? module.model->cliName : "";
    entry["name"] = module.name;
    if (!module.notes.empty()) entry["notes"] = module.notes;
    for (const auto& [key, limits] : module.limits) {
      nlohmann::ordered_json& limit = entry["limits"][key];
      limit = nlohmann::ordered_json::object();
      if (limits.low) limit["low"] = *limits.low;
      if (limits.high) limit["high"] = *limits.high;
    }
    root["modules"].push_back(std::move(entry));
  }
  return root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

bool SaveBusFile(const std::string& path, const BusFile& bus, std::string* error) {
  return ReplaceFileAtomically(path, BusFileText(bus), error);
}

std::string LineSettingsText(const BusFile& bus) { return SettingText({bus.baudRate, bus.lineFormat}); }
