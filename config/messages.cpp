#include "config/messages.h"

#include "config/config_file.h"
#include "config/text_number.h"

namespace lanzhi {

std::string UsageText() {
  std::string text = "按键F6或F10启动点击\r\n";
  text += "按键F7或F11停止点击\r\n";
  text += "如不需要此提示请修改：岚指智能鼠标点击器.ini\r\n";
  text += "使用过程中遇到问题请联系";
  text += kSupportContact;
  return text;
}

bool UsageRequested(std::string_view switchValue) {
  return TextSearch(switchValue, kUsageSwitchOn) > 0;
}

unsigned MessageBoxFlags(unsigned callerFlags) {
  return (callerFlags & kSystemModal) != 0 ? callerFlags : (callerFlags | kTaskModal);
}

int MessageResult(int boxResult) {
  // IDOK 1, IDCANCEL 2, IDABORT 3, IDRETRY 4, IDIGNORE 5, IDYES 6, IDNO 7.
  return (boxResult >= 1 && boxResult <= 7) ? boxResult - 1 : 0;
}

}  // namespace lanzhi
