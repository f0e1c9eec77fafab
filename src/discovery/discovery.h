#pragma once
// Finding modules without touching them: a station scan at the console's line
// settings and a line-setting search for one station. Both send only the
// function-03 probe, report progress through Console::progress, check the
// cancel callback between exchanges, and give the port back with the
// console's own line settings and time-outs.
#include <functional>
#include <string>
#include <vector>

#include "discovery/probe.h"
#include "modbus/exchange.h"

struct DiscoveryControl {
  int turnaroundMs = kDefaultTurnaroundMs;
  // Asked before each exchange; true ends the run there. A window sets a flag
  // from its Cancel button while the port's idle callback runs its event loop.
  std::function<bool()> cancelRequested;
};

enum class DiscoveryEnd {
  kDone,
  kCancelled,
  kPortNotOpen,  // its box was shown
  kBadStation,   // its box was shown
  kPortFailed,   // the port failed (box shown); what was found so far stays
  kLineFixed,    // the line is set elsewhere (a serial server); its box was shown
  kLineIgnored,  // every setting answered alike: the port does not carry them; its box was shown
};

struct StationFound {
  int station = 0;
  ProbeResult probe;  // kWord, kException or kCorrupted
  ModelGuess guess;   // for kWord
};

struct StationScan {
  DiscoveryEnd end = DiscoveryEnd::kDone;
  int probed = 0;
  std::vector<StationFound> found;
};

// Probes every station from..to (within 1..247) at the console's settings.
StationScan ScanStations(OperationContext& ctx, int from, int to, const DiscoveryControl& control);

struct LineSetting {
  int baudRate = 0;
  int formatIndex = 0;  // into kLineFormats
};

struct LineDetection {
  DiscoveryEnd end = DiscoveryEnd::kDone;
  int probed = 0;
  std::vector<LineSetting> answered;   // a well-formed reply (data or exception)
  std::vector<LineSetting> corrupted;  // bytes came, but no reply could be read
  // The port cannot carry parity: settings that differ only in parity answer alike.
  bool parityHidden = false;
};

// Tries station at each of the 8 baud rates x 4 formats. Refused over a serial
// server, where every setting would reach the same line; a port that turns out
// to carry no settings at all (a virtual COM port, a pty pair) ends as
// kLineIgnored instead of naming all 32.
LineDetection DetectLine(OperationContext& ctx, int station, const DiscoveryControl& control);

// The words of a station found, as printf formats: the command line's fixed
// English, or the finder window's from the catalogue.
struct StationWords {
  const char* word0;      // %u; ends with its separator
  const char* model;      // %s: the model's command-line name
  const char* noModel;
  const char* ambiguous;  // %s: the models that fit
  const char* exception;  // %02X, %s its name
  const char* corrupted;
};
extern const StationWords kCliStationWords;
StationWords WindowStationWords();
// What was found at a station, as one line of text (without the station).
std::string DescribeStation(const StationFound& found, const StationWords& words = kCliStationWords);
// "38400 N,8,2".
std::string SettingText(const LineSetting& setting);
// The models a word 0 is tried against, by their command-line names.
std::string ModelsTriedText();
// The models no word 0 can name (no acceptance rule on a block from register 0).
std::string ModelsUntriedText();
