// ZSHyperLink: opens a web address with the user's browser (GoUrl) or starts
// a mail message (SendMail, which always puts "mailto:" in front), through
// ShellExecuteA with no owner, the default action, the folder "C:\" and
// SW_SHOWNORMAL, returning at once.
#pragma once

#include "core/class_info.h"
#include "core/property_bag.h"
#include "core/variant.h"
#include "platform/libraries.h"

namespace zs {

class HyperLink : public Control {
 public:
  explicit HyperLink(const platform::Libraries& libraries = platform::systemLibraries());

  // Opens `http` unchanged; it then holds the text as the system code page
  // carries it. Returns Empty.
  Variant GoUrl(String& http);
  // Opens "mailto:" followed by `Mailto`, which is not changed. Returns Empty.
  Variant SendMail(const String& Mailto);

  const ClassInfo* classInfo() const override;

 private:
  void open(const std::string& target);

  platform::Libraries libraries_;
};

}  // namespace zs
