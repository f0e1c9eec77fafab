#include "layout/main_window_texts.h"
#include "console/texts.h"

std::string MainWindowTitle() { return std::string(kMainWindowCaption) + "  " + kWebAddress; }

std::string WelcomeText() {
  std::string text = Tr("layout", "感谢使用我司产品！温馨提示：\r\n\r\n");
  text += Tr("layout", "产品技术规格书请通过我司网站获取 ");
  text += kWebAddress;
  text += Tr("layout", "\r\n\r\n技术支持可拨打电话：Dolvane技术值班专机");
  text += kSupportPhone;
  text += "\r\n\r\n";
  text += Tr("layout", "模块站号、波特率等配置请通过软件底部“修改模块通讯参数和站号”功能区自行设置\r\n\r\n");
  text += Tr("layout", "固件版本为680及以上的产品增加寄存器写保护功能，建议使能写保护。\r\n\r\n");
  text += Tr("layout", "使能写操作方法: 写保护设置->允许写操作。\r\n\r\n");
  text += Tr("layout", "使能写保护方法: 写保护设置->禁止写操作。");
  return text;
}

const char* OpenButtonCaption(bool portOpen) { return portOpen ? Tr("layout", "关闭串口") : Tr("layout", "打开串口"); }
