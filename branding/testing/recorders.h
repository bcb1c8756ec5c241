// Recording doubles for the branding controls' tests: a property bag that
// records every read and write, a change sink, a window presenter and the
// about dialogs' actions.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "branding/about_dialogs.h"
#include "branding/splash_windows.h"
#include "core/property_bag.h"
#include "core/variant_ops.h"
#include "frame/control_site.h"

namespace zs::branding::testing {

// Records every read and write, in order; answers reads from `stored`.
class RecordingBag final : public PropertyBag {
 public:
  struct Call {
    std::string op;
    std::string key;
    Variant value, defaultValue;
  };
  Variant ReadProperty(StringView name, const Variant& defaultValue) override {
    calls.push_back({"read", u8(name), {}, defaultValue});
    auto it = stored.find(u8(name));
    return it == stored.end() ? defaultValue : it->second;
  }
  void WriteProperty(StringView name, const Variant& value, const Variant& defaultValue) override {
    calls.push_back({"write", u8(name), value, defaultValue});
    stored[u8(name)] = value;
  }
  std::vector<std::string> keys(const std::string& op) const {
    std::vector<std::string> k;
    for (const auto& c : calls)
      if (c.op == op) k.push_back(c.key);
    return k;
  }
  std::map<std::string, Variant> stored;
  std::vector<Call> calls;
};

class RecordingSink final : public ChangeSink {
 public:
  void PropertyChanged(StringView name) override { names.push_back(u8(name)); }
  std::vector<std::string> names;
};

class RecordingPresenter final : public branding::WindowPresenter {
 public:
  void show(int slot, const branding::Window& w) override { events.push_back("show " + std::to_string(slot) + " " + w.name); }
  void hide(int slot) override { events.push_back("hide " + std::to_string(slot)); }
  std::vector<WindowEvent> takeEvents() override { return std::exchange(queued, {}); }
  std::vector<std::string> events;
  // What the next takeEvents answers.
  std::vector<WindowEvent> queued;
};

// Records what the about dialogs ask of the system.
class RecordingActions final : public branding::AboutActions {
 public:
  void openLink(const std::string& target) override { log.push_back("open " + target); }
  void startSysInfo() override { log.push_back("sysinfo"); }
  std::vector<std::string> log;
};

}  // namespace zs::branding::testing
