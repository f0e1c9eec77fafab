#include "sim/sim_modules.h"

#include <algorithm>
#include <stdexcept>

#include "link/link.h"
#include "modbus/config_word.h"
#include "modbus/frames.h"
#include "sim/sim_models.h"

namespace {

constexpr uint8_t kBroadcast = 0;

void AppendWord(std::vector<uint8_t>& out, uint16_t w) {
  out.push_back(static_cast<uint8_t>(w >> 8));
  out.push_back(static_cast<uint8_t>(w & 0xFF));
}

std::vector<uint8_t> WithCrc(std::vector<uint8_t> frame) {
  const auto n = static_cast<uint32_t>(frame.size());
  frame.resize(n + 2);
  PlaceCrc(frame.data(), n);
  return frame;
}

// A reply PDU in the RTU envelope.
std::vector<uint8_t> RtuReply(uint8_t station, const std::vector<uint8_t>& pdu) {
  std::vector<uint8_t> frame{station};
  frame.insert(frame.end(), pdu.begin(), pdu.end());
  return WithCrc(std::move(frame));
}

// A reply PDU under the MBAP header of its request: the same transaction and
// unit, the length of unit and PDU.
std::vector<uint8_t> MbapReply(const uint8_t* requestHeader, const std::vector<uint8_t>& pdu) {
  std::vector<uint8_t> frame(requestHeader, requestHeader + kMbapHeaderBytes);
  PutWord(frame.data() + 4, static_cast<uint16_t>(1 + pdu.size()));
  frame.insert(frame.end(), pdu.begin(), pdu.end());
  return frame;
}

std::vector<uint8_t> ExceptionPdu(uint8_t function, uint8_t code) {
  return {static_cast<uint8_t>(function | kExceptionFlag), code};
}

bool Hears(const SimModuleConfig& m, SimLine line) {
  return m.baudRate == line.baudRate && LineFormatAt(m.lineFormat).stopBits == line.stopBits;
}

void ApplyFixed(std::vector<uint16_t>& regs, const std::map<uint16_t, uint16_t>& fixed) {
  for (const auto& [address, value] : fixed)
    if (address < regs.size()) regs[address] = value;
}

}  // namespace

void SimModules::add(const SimModuleConfig& config) {
  const SimModel* model = config.model;
  if (!model) throw std::invalid_argument("a simulated module needs a model");
  Module m;
  m.config = config;
  m.regs.assign(model->registerCount, 0);
  m.rng.seed(static_cast<uint32_t>(config.station));
  model->fillIdentity(m.regs);
  model->fillLive(m.regs, m.rng);  // plausible readings even without live refresh
  modules_.push_back(std::move(m));
}

bool SimModules::remove(int station) {
  const auto at = std::find_if(modules_.begin(), modules_.end(),
                               [station](const Module& m) { return m.config.station == station; });
  if (at == modules_.end()) return false;
  modules_.erase(at);
  return true;
}

SimModules::Module* SimModules::byStation(int station) {
  for (Module& m : modules_)
    if (m.config.station == station) return &m;
  return nullptr;
}

const SimModules::Module* SimModules::byStation(int station) const {
  return const_cast<SimModules*>(this)->byStation(station);
}

void SimModules::setRegisters(int station, const std::map<uint16_t, uint16_t>& words) {
  Module* m = byStation(station);
  if (!m) return;
  for (const auto& [address, value] : words) m->fixed[address] = value;
  ApplyFixed(m->regs, m->fixed);
}

uint16_t SimModules::registerValue(int station, uint16_t address) const {
  const Module* m = byStation(station);
  return m && address < m->regs.size() ? m->regs[address] : 0;
}

std::vector<SimModuleConfig> SimModules::configs() const {
  std::vector<SimModuleConfig> configs;
  for (const Module& m : modules_) configs.push_back(m.config);
  return configs;
}

SimModuleConfig SimModules::config(size_t index) const { return modules_.at(index).config; }

void SimModules::apply(const SimSettingsChange& change) {
  if (change.module >= modules_.size()) return;
  SimModuleConfig& c = modules_[change.module].config;
  c.station = change.station;
  c.baudRate = change.baudRate;
  c.lineFormat = change.lineFormat;
}

SimExchange SimModules::handle(const uint8_t* frame, size_t size, SimLine line) {
  if (size < 4 || RequestLength(frame, size) != size || !CrcMatches(frame, static_cast<uint32_t>(size)))
    return {};
  SimExchange ex = handlePdu(frame[0], frame + 1, size - 3, line);
  if (!ex.reply.empty()) ex.reply = RtuReply(frame[0], ex.reply);
  return ex;
}

SimExchange SimModules::handleMbap(const uint8_t* adu, size_t size, SimLine line) {
  if (!MbapHeaderFits(adu, size)) return {};
  SimExchange ex = handlePdu(StationOf(Framing::kMbap, adu), adu + kMbapHeaderBytes, size - kMbapHeaderBytes, line);
  if (!ex.reply.empty()) ex.reply = MbapReply(adu, ex.reply);
  return ex;
}

SimExchange SimModules::handlePdu(uint8_t station, const uint8_t* pdu, size_t size, SimLine line) {
  SimExchange ex;
  if (size < 1) return ex;
  for (size_t i = 0; i < modules_.size(); ++i) {
    Module& m = modules_[i];
    if (station != kBroadcast && m.config.station != station) continue;
    if (!Hears(m.config, line)) continue;
    std::optional<SimSettingsChange> change;
    std::vector<uint8_t> reply = answer(m, station, pdu, size, change);
    if (change) change->module = i;
    if (station == kBroadcast) {
      if (change) apply(*change);  // nobody replies, so nothing to wait for
      continue;
    }
    ex.replier = m.config;
    ex.reply = std::move(reply);
    ex.change = change;
    return ex;
  }
  return ex;
}

std::vector<uint8_t> SimModules::answer(Module& m, uint8_t station, const uint8_t* pdu, size_t size,
                                        std::optional<SimSettingsChange>& change) {
  const uint8_t function = pdu[0];
  // A request shorter than its function's layout (over TCP nothing else frames it).
  const size_t need = function == kWriteMultipleRegisters && size >= 6 ? 6u + pdu[5] : 5u;
  if ((function == kReadHoldingRegisters || function == kWriteSingleRegister || function == kWriteMultipleRegisters) && size < need)
    return ExceptionPdu(function, kIllegalValue);
  switch (function) {
    case kReadHoldingRegisters: {
      if (station == kBroadcast) return {};  // nobody answers a broadcast read
      const uint16_t start = WordAt(pdu, 1);
      const uint16_t count = WordAt(pdu, 3);
      if (count < 1 || count > 125) return ExceptionPdu(function, kIllegalValue);
      if (start + count > static_cast<int>(m.regs.size())) return ExceptionPdu(function, kIllegalAddress);
      if (live_) {
        m.config.model->fillLive(m.regs, m.rng);
        ApplyFixed(m.regs, m.fixed);
      }
      std::vector<uint8_t> reply{function, static_cast<uint8_t>(2 * count)};
      for (int k = 0; k < count; ++k) AppendWord(reply, m.regs[start + k]);
      return reply;
    }
    case kWriteSingleRegister: {
      const uint8_t code = write(m, WordAt(pdu, 1), {WordAt(pdu, 3)}, change);
      if (code) return ExceptionPdu(function, code);
      return std::vector<uint8_t>(pdu, pdu + 5);  // the echo
    }
    case kWriteMultipleRegisters: {
      const uint16_t start = WordAt(pdu, 1);
      const uint16_t count = WordAt(pdu, 3);
      if (count < 1 || count > 123 || pdu[5] != 2 * count) return ExceptionPdu(function, kIllegalValue);
      std::vector<uint16_t> values;
      for (uint32_t k = 0; k < count; ++k) values.push_back(WordAt(pdu, 6 + 2 * k));
      const uint8_t code = write(m, start, values, change);
      if (code) return ExceptionPdu(function, code);
      std::vector<uint8_t> reply{function};
      AppendWord(reply, start);
      AppendWord(reply, count);
      return reply;
    }
    default:
      return ExceptionPdu(function, kIllegalFunction);
  }
}

uint8_t SimModules::write(Module& m, uint16_t start, const std::vector<uint16_t>& values,
                          std::optional<SimSettingsChange>& change) {
  const size_t end = size_t{start} + values.size();
  const bool touchesConfig = start <= kConfigRegister && kConfigRegister < end;
  const uint16_t configWord = touchesConfig ? values[kConfigRegister - start] : 0;
  const bool command = touchesConfig && IsProtectionCommand(configWord);

  // The two protection commands pass whatever the state; nothing else does.
  if (command && values.size() == 1) {
    m.config.writesAllowed = configWord == kWriteEnableWord;
    return 0;
  }
  if (!m.config.writesAllowed) return kWriteProtected;
  if (end > m.regs.size()) return kIllegalAddress;
  if (touchesConfig && !command) {
    const std::optional<CommWord> fields = DecodeCommWord(configWord);
    // Station 0 would leave the module reachable by broadcasts only.
    if (!fields || fields->station == 0) return kIllegalValue;
    change = SimSettingsChange{0, fields->station, BaudRateForNumber(fields->baudNumber),
                               fields->formatNumber};
  }
  for (size_t k = 0; k < values.size(); ++k) {
    const auto address = static_cast<uint16_t>(start + k);
    if (address == kConfigRegister) continue;
    m.regs[address] = values[k];
    m.fixed[address] = values[k];
  }
  if (command) m.config.writesAllowed = configWord == kWriteEnableWord;
  return 0;
}

namespace {

constexpr size_t kMaxRequest = 256;  // the longest RTU frame
constexpr size_t kShortestFrame = 4;  // station, function, CRC

// A request's length as its function's layout gives it: 0 while too few bytes
// have come to tell, nullopt for a function whose layout fixes no length.
std::optional<size_t> LengthByFunction(const uint8_t* bytes, size_t size) {
  switch (bytes[1]) {
    case 0x07: case 0x0B: case 0x0C: case 0x11:  // no data
      return 4;
    case 0x18:  // the FIFO's address
      return 6;
    case 0x01: case 0x02: case 0x03: case 0x04: case 0x05: case 0x06:
      return 8;
    case 0x08:  // "return query data" echoes any number of bytes
      if (size < 4) return 0;
      if (bytes[2] == 0 && bytes[3] == 0) return std::nullopt;
      return 8;
    case 0x16:  // address, AND mask, OR mask
      return 10;
    case 0x0F: case 0x10:  // byte count after start and quantity
      return size < 7 ? 0 : 9u + bytes[6];
    case 0x14: case 0x15:  // byte count first
      return size < 3 ? 0 : 5u + bytes[2];
    case 0x17:  // byte count after the read and the write ranges
      return size < 11 ? 0 : 13u + bytes[10];
    case 0x2B:  // only the device identification has a fixed layout
      if (size < 3) return 0;
      if (bytes[2] == 0x0E) return 7;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

// The shortest stretch of at most kMaxRequest bytes whose CRC matches, or 0.
// The CRC runs along once (bitwise; the frames are short), so a long stretch of
// noise costs no more than its length.
size_t ShortestFrame(const uint8_t* bytes, size_t size) {
  uint16_t crc = 0xFFFF;
  auto feed = [&crc](uint8_t byte) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
  };
  const size_t last = std::min(size, kMaxRequest);
  for (size_t n = 0; n + 2 <= last; ++n) {
    // CRC of bytes[0, n) against the two bytes after them, low byte first.
    if (n + 2 >= kShortestFrame && (crc & 0xFF) == bytes[n] && (crc >> 8) == bytes[n + 1]) return n + 2;
    feed(bytes[n]);
  }
  return 0;
}

bool WholeFrameAt(const std::vector<uint8_t>& buffer, size_t at) {
  if (buffer.size() - at < 2) return false;
  const std::optional<size_t> need = LengthByFunction(&buffer[at], buffer.size() - at);
  return need && *need != 0 && buffer.size() - at >= *need &&
         CrcMatches(&buffer[at], static_cast<uint32_t>(*need));
}

}  // namespace

size_t RequestLength(const uint8_t* bytes, size_t size) {
  if (size < 2) return 0;
  if (const std::optional<size_t> need = LengthByFunction(bytes, size)) return *need;
  // A function of no known layout: the shortest frame whose CRC matches, as
  // silence on the wire would have ended it.
  if (const size_t n = ShortestFrame(bytes, size)) return n;
  return size >= kMaxRequest ? kMaxRequest : 0;
}

std::vector<std::vector<uint8_t>> TakeRequests(std::vector<uint8_t>& buffer) {
  std::vector<std::vector<uint8_t>> requests;
  for (;;) {
    const size_t need = RequestLength(buffer.data(), buffer.size());
    if (need != 0 && buffer.size() >= need) {
      if (!CrcMatches(buffer.data(), static_cast<uint32_t>(need))) {
        buffer.erase(buffer.begin());  // slide until a frame lines up
        continue;
      }
      requests.emplace_back(buffer.begin(), buffer.begin() + static_cast<long>(need));
      buffer.erase(buffer.begin(), buffer.begin() + static_cast<long>(need));
      continue;
    }
    // Bytes of no known layout may be noise in front of a request: a whole one
    // behind them is taken rather than left waiting for a frame that never ends.
    if (buffer.size() < 2 || LengthByFunction(buffer.data(), buffer.size())) break;
    size_t at = 1;
    while (at < buffer.size() && !WholeFrameAt(buffer, at)) ++at;
    if (at == buffer.size()) break;
    buffer.erase(buffer.begin(), buffer.begin() + static_cast<long>(at));
  }
  return requests;
}

std::vector<uint8_t> ExceptionReply(uint8_t station, uint8_t function, uint8_t code) {
  return RtuReply(station, ExceptionPdu(function, code));
}

std::vector<uint8_t> MbapExceptionReply(const uint8_t* requestHeader, uint8_t function, uint8_t code) {
  return MbapReply(requestHeader, ExceptionPdu(function, code));
}

std::vector<std::vector<uint8_t>> TakeMbapRequests(std::vector<uint8_t>& buffer) {
  std::vector<std::vector<uint8_t>> requests;
  while (buffer.size() >= 6) {
    const size_t length = WordAt(buffer.data(), 4);
    // A header that is not Modbus TCP's leaves nothing to line the stream up by.
    if (WordAt(buffer.data(), 2) != 0 || length < 2 || length > 1 + kMaxPduBytes) {
      buffer.clear();
      break;
    }
    if (buffer.size() < 6 + length) break;
    requests.emplace_back(buffer.begin(), buffer.begin() + static_cast<long>(6 + length));
    buffer.erase(buffer.begin(), buffer.begin() + static_cast<long>(6 + length));
  }
  return requests;
}

int BitsPerCharacter(int lineFormat) { return BitsPerCharacter(LineFormatAt(lineFormat)); }
