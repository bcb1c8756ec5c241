// ZSHelp in the catalogue: its two methods, ZSHtmlHelpConstants and
// ZSWinHelpConstants.
#include "frame/bindings.h"
#include "shell/help.h"

namespace zs {
namespace {

Help& self(Object& o) { return static_cast<Help&>(o); }

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"RunHtmlHelp", methodId(0), MemberKind::Method,
       {ref("hwnd", t::Long), ref("CHMFile", t::String),
        ref("Command", t::enumOf("ZSHtmlHelpConstants"))},
       t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).RunHtmlHelp(a[0].lng(), a[1].string(), a[2].lng());
       }},
      {"RunWinHelp", methodId(1), MemberKind::Method,
       {ref("hwnd", t::Long), ref("WinFile", t::String),
        ref("Command", t::enumOf("ZSWinHelpConstants"))},
       t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).RunWinHelp(a[0].lng(), a[1].string(), a[2].lng());
       }},
  };
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSHtmlHelpConstants",
       {{"zvHH_DISPLAY_TOPIC", zvHH_DISPLAY_TOPIC},
        {"zvHH_SET_WIN_TYPE", zvHH_SET_WIN_TYPE},
        {"zvHH_GET_WIN_TYPE", zvHH_GET_WIN_TYPE},
        {"zvHH_GET_WIN_HANDLE", zvHH_GET_WIN_HANDLE},
        {"zvHH_DISPLAY_TEXT_POPUP", zvHH_DISPLAY_TEXT_POPUP},
        {"zvHH_HELP_CONTEXT", zvHH_HELP_CONTEXT},
        {"zvHH_TP_HELP_CONTEXTMENU", zvHH_TP_HELP_CONTEXTMENU},
        {"zvHH_TP_HELP_WM_HELP", zvHH_TP_HELP_WM_HELP},
        {"zvHH_CLOSE_ALL", zvHH_CLOSE_ALL}}},
      {"ZSWinHelpConstants",
       {{"zvHELP_CONTEXT", zvHELP_CONTEXT},
        {"zvHELP_QUIT", zvHELP_QUIT},
        {"zvHELP_CONTENTS", zvHELP_CONTENTS},
        {"zvHELP_INDEX", zvHELP_INDEX},
        {"zvHELP_HELPONHELP", zvHELP_HELPONHELP},
        {"zvHELP_SETCONTENTS", zvHELP_SETCONTENTS},
        {"zvHELP_SETINDEX", zvHELP_SETINDEX},
        {"zvHELP_CONTEXTPOPUP", zvHELP_CONTEXTPOPUP},
        {"zvHELP_FORCEFILE", zvHELP_FORCEFILE},
        {"zvHELP_KEY", zvHELP_KEY},
        {"zvHELP_COMMAND", zvHELP_COMMAND},
        {"zvHELP_PARTIALKEY", zvHELP_PARTIALKEY},
        {"zvHELP_MULTIKEY", zvHELP_MULTIKEY},
        {"zvHELP_SETWINPOS", zvHELP_SETWINPOS}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSHelp{members, [] { return ObjectPtr(create<Help>()); }, enums};

const ClassInfo* Help::classInfo() const { return &zs::classInfo(ClassId::ZSHelp); }

}  // namespace zs
