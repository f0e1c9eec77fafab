#include "report/bus_report.h"

#include "bus/bus_poller.h"
#include "models/model_registry.h"
#include "monitor/csv_log.h"
#include "console/texts.h"

namespace {

constexpr TrText kReplyHeading = TrNoop("report", "十六进制显示接收数据：");

std::string ModelName(const BusModule& module) { return module.model ? module.model->cliName : ""; }

// The text after the reply's hex dump: what the model's reader decoded, with
// plain line ends.
std::string DecodedText(std::string report) {
  std::erase(report, '\r');
  const size_t heading = report.find(kReplyHeading.text());
  if (heading == std::string::npos) return {};
  const size_t blank = report.find("\n\n", heading);
  if (blank == std::string::npos) return {};
  size_t start = blank;
  while (start < report.size() && report[start] == '\n') ++start;
  return report.substr(start);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// "程序版本：700" -> {"程序版本", "700"}; a line without the colon is its label alone.
std::pair<std::string, std::string> LabelAndValue(const std::string& line) {
  const std::string kColon = Tr("report", "：");
  const size_t colon = line.find(kColon);
  if (colon == std::string::npos) return {line, {}};
  return {line.substr(0, colon), line.substr(colon + kColon.size())};
}

std::string Html(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\n': out += "<br>"; break;
      case '\r': break;
      default: out += c;
    }
  }
  return out;
}

std::string Row(const std::vector<std::string>& cells, const char* tag = "td") {
  std::string row = "<tr>";
  for (const std::string& cell : cells) row += std::string("<") + tag + ">" + Html(cell) + "</" + tag + ">";
  return row + "</tr>\n";
}

}  // namespace

bool ReadBusReport(OperationContext& ctx, const BusFile& bus, BusReport& report) {
  report.bus = bus;
  report.at = std::chrono::system_clock::now();
  report.modules.clear();
  BusPoller poller(ctx, bus);
  RunBusPolls(poller, 1, nullptr, [&](size_t module, const PollResult& result) {
    report.modules.push_back({bus.modules[module], result});
  });
  return poller.stopBox().empty();
}

std::vector<std::string> IdentityLines(const std::string& moduleReport) {
  static constexpr TrText kIdentityWords[] = {TrNoop("report", "型号"), TrNoop("report", "版本"), TrNoop("report", "量程"), TrNoop("report", "日期")};
  std::vector<std::string> lines;
  for (std::string& line : Lines(DecodedText(moduleReport))) {
    if (line.empty()) break;
    const std::string label = LabelAndValue(line).first;
    for (const char* word : kIdentityWords) {
      if (label.find(word) == std::string::npos) continue;
      lines.push_back(std::move(line));
      break;
    }
  }
  return lines;
}

std::string BusReportCsv(const BusReport& report) {
  std::string csv = "station,name,model,status,time,item,value,unit\r\n";
  const std::string at = IsoLocalTime(report.at);
  auto cover = [&](const std::string& item, const std::string& value) {
    csv += ",,,," + at + "," + CsvField(item) + "," + CsvField(value) + ",\r\n";
  };
  cover(Tr("report", "端口"), report.port);
  cover(Tr("report", "通讯参数"), LineSettingsText(report.bus));
  cover(Tr("report", "模块数"), std::to_string(report.bus.modules.size()));
  for (const ModuleReading& m : report.modules) {
    const std::string head = std::to_string(m.module.station) + "," + CsvField(m.module.name) + "," +
                             CsvField(ModelName(m.module)) + "," + CsvField(StatusText(m.reading)) + "," +
                             IsoLocalTime(m.reading.wallClock) + ",";
    if (m.reading.status != PollStatus::kOk) {
      csv += head + ",,\r\n";
      continue;
    }
    for (const std::string& line : IdentityLines(m.reading.report)) {
      const auto [label, value] = LabelAndValue(line);
      csv += head + CsvField(label) + "," + CsvField(value) + ",\r\n";
    }
    for (const Quantity& q : m.reading.quantities)
      csv += head + CsvField(q.label) + "," + CsvNumber(q.value) + "," + CsvField(q.unit) + "\r\n";
  }
  return csv;
}

std::string BusReportHtml(const BusReport& report) {
  std::string html =
      "<html><head><meta charset=\"utf-8\"><style>"
      "body { font-size: 10pt; } h1 { font-size: 20pt; } h2 { font-size: 14pt; }"
      "table { border-collapse: collapse; } td, th { padding: 2px 8px; border: 1px solid #999; }"
      "th { background: #eee; text-align: left; }"
      "</style></head><body>\n";
  html += "<h1>" + Html(kReportTitle) + "</h1>\n<table>\n";
  html += Row({Tr("report", "日期"), IsoLocalTime(report.at)});
  html += Row({Tr("report", "端口"), report.port});
  html += Row({Tr("report", "通讯参数"), LineSettingsText(report.bus)});
  html += Row({Tr("report", "模块数"), std::to_string(report.bus.modules.size())});
  html += "</table>\n<table>\n" + Row({Tr("report", "站号"), Tr("report", "名称"), Tr("report", "型号"), Tr("report", "状态")}, "th");
  for (const ModuleReading& m : report.modules)
    html += Row({std::to_string(m.module.station), m.module.name, ModelName(m.module), StatusText(m.reading)});
  html += "</table>\n";
  for (const ModuleReading& m : report.modules) {
    html += "<h2 style=\"page-break-before: always\">" +
            Html(Tr("report", "站号 ") + std::to_string(m.module.station) + " · " + m.module.name + " · " + ModelName(m.module)) +
            "</h2>\n<table>\n";
    html += Row({Tr("report", "通讯参数"), Tr("report", "站号 ") + std::to_string(m.module.station) + Tr("report", "，") + LineSettingsText(report.bus)});
    if (!m.module.notes.empty()) html += Row({Tr("report", "备注"), m.module.notes});
    html += Row({Tr("report", "读取时间"), IsoLocalTime(m.reading.wallClock)});
    html += Row({Tr("report", "状态"), StatusText(m.reading)});
    if (m.reading.status != PollStatus::kOk) {
      html += "</table>\n<p>" + Html(m.reading.report) + "</p>\n";
      continue;
    }
    for (const std::string& line : IdentityLines(m.reading.report)) {
      const auto [label, value] = LabelAndValue(line);
      html += Row({label, value});
    }
    html += "</table>\n<p></p><table>\n" + Row({Tr("report", "读数"), Tr("report", "数值"), Tr("report", "单位")}, "th");
    for (const Quantity& q : m.reading.quantities) html += Row({q.label, CsvNumber(q.value), q.unit});
    html += "</table>\n";
  }
  return html + "</body></html>\n";
}
