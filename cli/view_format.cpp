#include "cli/view_format.h"

#include "cli/json_text.h"
#include "cli/json_values.h"
#include "cli/literals.h"

namespace zs::cli {
namespace {

std::string errorText(const Error& e) {
  std::string text = "Error " + std::to_string(e.number()) + ": " + e.description();
  if (!e.source().empty()) text += " (source: " + e.source() + ")";
  return text;
}

bool isObject(const Variant& v) { return v.kind() == Kind::Object && v.object(); }

void appendCut(std::string& out, const View& view) {
  if (view.cut == View::Cut::None) return;
  out += ",\"cut\":";
  appendJsonString(out, cutText(view.cut));
}

}  // namespace

std::string viewText(const View& view, int indent) {
  if (view.error) return errorText(*view.error);
  std::string text = formatValue(view.value);
  if (view.count) text += ", Count " + std::to_string(*view.count);
  if (view.cut == View::Cut::Depth || view.cut == View::Cut::Cycle)
    text += " (not expanded: " + std::string(cutText(view.cut)) + ")";
  const std::string pad(static_cast<std::size_t>(indent) + 2, ' ');
  for (const auto& p : view.properties)
    text += "\n" + pad + std::string(p.name) + ": " + viewText(p.view, indent + 2);
  for (const auto& item : view.items) {
    text += "\n" + pad + std::to_string(item.position);
    if (!item.key.empty()) text += " (key " + jsonString(StringView(item.key)) + ")";
    text += ": " + viewText(item.view, indent + 2);
  }
  if (view.cut == View::Cut::Items && view.count) {
    const auto more = *view.count - static_cast<Long>(view.items.size());
    text += "\n" + pad + "... " + std::to_string(more) + " more item" + (more == 1 ? "" : "s") +
            " not shown (item limit)";
  } else if (view.cut == View::Cut::Values) {
    text += "\n" + pad + "... the rest not shown (value limit)";
  }
  return text;
}

void appendErrorJson(std::string& out, const Error& e) {
  out += "{\"number\":" + std::to_string(e.number()) + ",\"description\":";
  appendJsonString(out, std::string_view(e.description()));
  out += ",\"source\":";
  appendJsonString(out, std::string_view(e.source()));
  out += '}';
}

void appendViewJson(std::string& out, const View& view) {
  if (view.error) {
    out += "{\"error\":";
    appendErrorJson(out, *view.error);
    out += '}';
    return;
  }
  if (!isObject(view.value)) {
    HandleTable none;  // only objects take handles, and they are written below
    appendValue(out, view.value, none);
    return;
  }
  const ClassInfo* cls = view.value.object()->classInfo();
  out += "{\"type\":\"Object\",\"class\":";
  if (cls) {
    appendJsonString(out, cls->name);
  } else {
    out += "null";
  }
  if (view.count) out += ",\"count\":" + std::to_string(*view.count);
  if (!view.properties.empty()) {
    out += ",\"properties\":{";
    for (std::size_t i = 0; i < view.properties.size(); ++i) {
      if (i) out += ',';
      appendJsonString(out, view.properties[i].name);
      out += ':';
      appendViewJson(out, view.properties[i].view);
    }
    out += '}';
  }
  if (view.count && view.cut != View::Cut::Depth && view.cut != View::Cut::Cycle) {
    out += ",\"items\":[";
    for (std::size_t i = 0; i < view.items.size(); ++i) {
      const auto& item = view.items[i];
      if (i) out += ',';
      out += "{\"position\":" + std::to_string(item.position);
      if (!item.key.empty()) {
        out += ",\"key\":";
        appendJsonString(out, StringView(item.key));
      }
      out += ",\"value\":";
      appendViewJson(out, item.view);
      out += '}';
    }
    out += ']';
  }
  appendCut(out, view);
  out += '}';
}

}  // namespace zs::cli
