// An in-memory powrprof for tests of the components: the capabilities and
// policy answers set by the test, every call recorded, nothing sleeps.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/powrprof.h"

namespace zs::platform::testing {

class FakePowrprof : public Powrprof {
 public:
  void setCapabilities(const SYSTEM_POWER_CAPABILITIES& caps) { caps_ = caps; }
  void failCapabilities() { capsFail_ = true; }
  void allow(bool hibernate, bool suspend, bool shutdown) {
    hibernate_ = hibernate;
    suspend_ = suspend;
    shutdown_ = shutdown;
  }
  // Runs before each SetSuspendState is recorded (to look at other fakes).
  void onSuspendState(std::function<void()> hook) { hook_ = std::move(hook); }
  // "GetPwrCapabilities", "SetSuspendState(h,f,w)", "IsPwrHibernateAllowed", ...
  const std::vector<std::string>& calls() const { return calls_; }

  BOOLEAN GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities) override {
    calls_.push_back("GetPwrCapabilities");
    if (capsFail_ || !capabilities) return 0;
    *capabilities = caps_;
    return 1;
  }
  BOOLEAN SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wake) override {
    if (hook_) hook_();
    calls_.push_back("SetSuspendState(" + std::to_string(hibernate) + "," +
                     std::to_string(force) + "," + std::to_string(wake) + ")");
    return 0;  // refused: the component must not care
  }
  BOOLEAN IsPwrHibernateAllowed() override { return ask("IsPwrHibernateAllowed", hibernate_); }
  BOOLEAN IsPwrSuspendAllowed() override { return ask("IsPwrSuspendAllowed", suspend_); }
  BOOLEAN IsPwrShutdownAllowed() override { return ask("IsPwrShutdownAllowed", shutdown_); }

 private:
  BOOLEAN ask(const char* name, bool answer) {
    calls_.push_back(name);
    return answer ? 1 : 0;
  }

  SYSTEM_POWER_CAPABILITIES caps_{};
  bool capsFail_ = false;
  bool hibernate_ = false, suspend_ = false, shutdown_ = false;
  std::function<void()> hook_;
  std::vector<std::string> calls_;
};

}  // namespace zs::platform::testing
