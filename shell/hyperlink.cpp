#include "shell/hyperlink.h"

#include "platform/ansi.h"

namespace zs {

HyperLink::HyperLink(const platform::Libraries& libraries) : libraries_(libraries) {}

void HyperLink::open(const std::string& target) {
  libraries_.shell32->ShellExecuteA(0, nullptr, target.c_str(), nullptr, "C:\\",
                                    platform::kSwShowNormal);
}

Variant HyperLink::GoUrl(String& http) {
  const std::string target = platform::toAnsi(http);
  http = platform::fromAnsi(target);
  open(target);
  return Variant();
}

Variant HyperLink::SendMail(const String& Mailto) {
  open("mailto:" + platform::toAnsi(Mailto));
  return Variant();
}

}  // namespace zs
