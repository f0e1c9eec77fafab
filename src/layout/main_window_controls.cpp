#include "layout/main_window_controls.h"

#include "console/control_ids.h"
#include "models/model_registry.h"
#include "console/texts.h"

namespace {

using K = ControlKind;

// The 20 value edits of the multiple-register tool: 4 rows of 5.
void AppendValueGrid(std::vector<ControlDef>& controls) {
  constexpr int kColumns[5] = {442, 489, 535, 582, 629};
  constexpr int kRows[4] = {283, 301, 319, 336};
  for (int i = 0; i < 20; ++i) {
    controls.push_back({ids::kWriteValues[i], K::kDigitEdit, "", {kColumns[i % 5], kRows[i / 5], 38, 13}});
  }
}

std::vector<ControlDef> BuildControls() {
  std::vector<ControlDef> c = {
      {1000, K::kButton, TrMark("layout", "打开串口"), {533, 10, 50, 14}},
      {1002, K::kPane, "", {7, 7, 402, 348}},
      {ids::kRead4SXY, K::kButton, kModelCaption, {489, 105, 50, 14}},
      {ids::kRead3SXY, K::kButton, kModelCaption, {553, 105, 50, 14}},
      {1006, K::kDigitEdit, "", {630, 11, 37, 13}},
      {0, K::kCentredLabel, TrMark("layout", "模块站号:"), {590, 13, 35, 8}},
      {1008, K::kDigitEdit, "", {560, 187, 41, 13}},
      {1005, K::kButton, TrMark("layout", "写单寄存器"), {617, 186, 50, 14}},
      {1007, K::kDigitEdit, "", {465, 187, 41, 13}},
      {1012, K::kCombo, "", {419, 12, 50, kClosedComboHeightDlu}},
      {1011, K::kButton, TrMark("layout", "通信重置"), {617, 378, 50, 14}},
      {1013, K::kCombo, "", {476, 12, 50, kClosedComboHeightDlu}},
      {ids::kRead16RXY, K::kButton, kModelCaption, {425, 42, 50, 14}},
      {0, K::kGroupBox, TrMark("layout", "读多寄存器(十进制)@开发者模式"), {419, 212, 253, 33}},
      {1010, K::kDigitEdit, "", {465, 226, 41, 13}},
      {1014, K::kDigitEdit, "", {560, 226, 41, 13}},
      {1001, K::kButton, TrMark("layout", "读多寄存器"), {617, 225, 50, 14}},
      {0, K::kGroupBox, TrMark("layout", "RX/RY/RZ系列数据采集"), {419, 30, 253, 55}},
      {ids::kRead4RXY, K::kButton, kModelCaption, {489, 66, 50, 14}},
      {ids::kRead3RX, K::kButton, kModelCaption, {553, 66, 50, 14}},
      {0, K::kGroupBox, TrMark("layout", "SX/SY系列数据采集"), {419, 93, 253, 31}},
      {ids::kRead8SXY, K::kButton, kModelCaption, {425, 105, 50, 14}},
      {ids::kRead8RXYZ, K::kButton, kModelCaption, {617, 42, 50, 14}},
      {ids::kRead4WX, K::kButton, kModelCaption, {591, 145, 50, 14}},
      {0, K::kGroupBox, TrMark("layout", "交直流系列数据采集"), {521, 133, 151, 31}},
      {0, K::kGroupBox, TrMark("layout", "写保护设置(仅680以上版本支持)"), {7, 365, 126, 34}},
      {1025, K::kButton, TrMark("layout", "允许写操作"), {13, 379, 50, 14}},
      {1026, K::kButton, TrMark("layout", "禁用写操作"), {77, 379, 50, 14}},
      {0, K::kLabel, TrMark("layout", "写入地址:"), {425, 266, 36, 8}},
      {1022, K::kDigitEdit, "", {465, 264, 41, 13}},
      {1024, K::kDigitEdit, "", {560, 264, 41, 13}},
      {1027, K::kButton, TrMark("layout", "写多寄存器"), {617, 263, 50, 14}},
  };
  AppendValueGrid(c);
  const std::vector<ControlDef> rest = {
      {0, K::kGroupBox, TrMark("layout", "写多寄存器(十进制)@开发者模式"), {419, 250, 253, 105}},
      {0, K::kLabel, "00", {427, 285, 11, 8}},
      {0, K::kLabel, "05", {427, 303, 11, 8}},
      {0, K::kLabel, "10", {427, 321, 11, 8}},
      {0, K::kLabel, "15", {427, 339, 11, 8}},
      {ids::kRead9VXY, K::kButton, kModelCaption, {425, 145, 50, 14}},
      {0, K::kLabel, TrMark("layout", "写入长度:"), {520, 266, 36, 8}},
      {0, K::kLabel, TrMark("layout", "读取地址:"), {425, 228, 36, 8}},
      {0, K::kLabel, TrMark("layout", "读取长度:"), {520, 228, 36, 8}},
      {0, K::kLabel, TrMark("layout", "写入地址:"), {425, 190, 36, 8}},
      {0, K::kLabel, TrMark("layout", "写入数值:"), {520, 190, 36, 8}},
      {0, K::kGroupBox, TrMark("layout", "写单寄存器(十进制)"), {419, 174, 253, 33}},
      {0, K::kGroupBox, TrMark("layout", "VX/VY系列数据采集"), {419, 133, 87, 31}},
      {ids::kReadForeignMeter, K::kHiddenButton, kModelCaption, {141, 379, 46, 14}},
      {ids::kRead5RXZ, K::kButton, kModelCaption, {425, 66, 50, 14}},
      {ids::kRead12RX, K::kButton, kModelCaption, {489, 42, 50, 14}},
      {ids::kRead5UZ, K::kButton, kModelCaption, {530, 145, 50, 14}},
      {0, K::kGroupBox, TrMark("layout", "修改模块通讯参数和站号"), {195, 365, 387, 34}},
      {1020, K::kCombo, "", {237, 379, 50, kClosedComboHeightDlu}},
      {1038, K::kCombo, "", {337, 379, 50, kClosedComboHeightDlu}},
      {1039, K::kDigitEdit, "", {443, 379, 37, 13}},
      {0, K::kCentredLabel, TrMark("layout", "模块站号:"), {402, 381, 35, 8}},
      {1048, K::kButton, TrMark("layout", "修改通讯参数/站号"), {500, 378, 74, 14}},
      {0, K::kCentredLabel, TrMark("layout", "波特率："), {198, 381, 35, 8}},
      {0, K::kCentredLabel, TrMark("layout", "校验位:"), {300, 381, 35, 8}},
      {ids::kRead10RX, K::kButton, kModelCaption, {553, 42, 50, 14}},
  };
  c.insert(c.end(), rest.begin(), rest.end());
  return c;
}

}  // namespace

const std::vector<ControlDef>& MainWindowControls() {
  static const std::vector<ControlDef> controls = BuildControls();
  return controls;
}

const char* CaptionOf(const ControlDef& def) {
  if (def.text) return Tr("layout", def.text);
  const ModelEntry* model = FindModelByButton(def.id);
  return model ? Tr("models", model->caption) : "";
}
