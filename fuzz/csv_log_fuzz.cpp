// The log's check of a file it is asked to continue: the fuzzer's bytes are
// what the file holds (any bytes, or a log's header with anything after it),
// the columns a model's or a register block's. Checked for the pure check:
// only an empty file is "nothing", a file is continued exactly when its first
// line is this header, and a log of other columns is told from other content.
// Checked through the file itself: an open never changes a byte that was
// there, a refused file stays as it was, and a continued file reads back as a
// log of the same columns with the new row on a line of its own.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "memory_file.h"
#include "models/model_registry.h"
#include "monitor/csv_log.h"

namespace {

constexpr std::string_view kLogStart = "time,station,status";

std::vector<QuantityColumn> Columns(FuzzInput& in) {
  const auto models = Models();
  const size_t choice = in.range(0, models.size());
  if (choice < models.size()) return ColumnsOf(PollTarget::Model(models[choice].reader));
  const uint16_t start = in.word();
  return ColumnsOf(PollTarget::Registers(start, static_cast<uint16_t>(in.range(1, 8))));
}

std::string_view FirstLine(std::string_view head) {
  std::string_view first = head.substr(0, head.find('\n'));
  if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
  return first;
}

// A line's end, or what a crash left of it.
std::string LineEnd(FuzzInput& in) {
  static const char* const kEnds[] = {"\r\n", "\n", "", "\r"};
  return kEnds[in.range(0, 3)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFile file("log");
  FuzzInput in(data, size);
  const uint8_t shape = in.byte() % 4;
  const std::vector<QuantityColumn> columns = Columns(in);
  const std::string header = CsvHeader(columns);
  Require(IsUtf8(header) && header.find_first_of("\r\n") == std::string::npos,
          "a header that is not one line of UTF-8");

  std::string head;
  std::string otherHeader;
  switch (shape) {
    case 0: break;  // any bytes
    case 1: head = header + LineEnd(in); break;  // this log, perhaps cut short in its header
    case 2:
      otherHeader = CsvHeader(Columns(in));  // a log of other (or the same) columns
      head = otherHeader + LineEnd(in);
      break;
    default: head = std::string(kLogStart) + LineEnd(in);  // a log of no columns
  }
  // Rows after a whole line, or any bytes.
  if (shape == 0 || head.back() == '\n')
    while (!in.empty()) head.push_back(static_cast<char>(in.byte()));

  const ExistingLog kind = ClassifyExistingLog(head, header);
  Require((kind == ExistingLog::kNothing) == head.empty(), "only an empty file holds nothing");
  Require((kind == ExistingLog::kSameColumns) == (!head.empty() && FirstLine(head) == header),
          "continued where the first line is not this header, or refused where it is");
  if (kind == ExistingLog::kOtherColumns) {
    const std::string_view first = FirstLine(head);
    Require(first.substr(0, kLogStart.size()) == kLogStart &&
                (first.size() == kLogStart.size() || first[kLogStart.size()] == ','),
            "other columns where the first line is no log's header");
  }
  if (shape == 1) Require(kind == ExistingLog::kSameColumns, "this log's own header not continued");
  if (shape == 2 && otherHeader != header)
    Require(kind == ExistingLog::kOtherColumns, "a log of other columns taken for other content");

  // The same through the file: an open adds, and only to a log of these columns.
  file.hold(head);
  std::string error;
  bool refused = false;
  std::unique_ptr<CsvLog> log =
      CsvLog::OpenFile(file.path(), columns, CsvLog::FileMode::kAppend, &error, &refused);
  if (!log) {
    Require(refused && (kind == ExistingLog::kOtherColumns || kind == ExistingLog::kOtherContent),
            "a log refused that could be continued");
    Require(IsUtf8(error), "a refusal that is not UTF-8");
    Require(file.contents() == head, "a refused file was changed");
    return 0;
  }
  Require(kind == ExistingLog::kNothing || kind == ExistingLog::kSameColumns, "a file of other content continued");
  PollResult result;
  result.station = 1;
  result.status = PollStatus::kTimeout;
  Require(log->write(result), "a row could not be written");
  log.reset();
  const std::string after = file.contents();
  Require(after.compare(0, head.size(), head) == 0, "bytes the file held were changed");
  Require(ClassifyExistingLog(after, header) == ExistingLog::kSameColumns, "a continued log reads back otherwise");
  // The row is the last line, all of it new: not glued onto a line cut short.
  Require(after.size() > head.size() + 2 && after.compare(after.size() - 2, 2, "\r\n") == 0,
          "a row without its line end");
  const size_t rowStart = after.rfind('\n', after.size() - 3) + 1;
  Require(rowStart > 0 && rowStart >= head.size() && after.find(",1,timeout", rowStart) != std::string::npos,
          "the new row does not stand on a line of its own");
  return 0;
}
