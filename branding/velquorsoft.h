// ZSVelquorsoft: the suite's own about entry.
#pragma once

#include <memory>

#include "branding/suite_about.h"
#include "core/class_info.h"
#include "core/object.h"

namespace zs {

// Opens the suite's about window (branding/suite_about.h) modeless through
// `about`, or through the calling thread's own when it is null. Shared by
// every About member of the library.
void showSuiteAbout(branding::AboutPresenter* about = nullptr);

class Velquorsoft : public Object {
 public:
  explicit Velquorsoft(std::shared_ptr<branding::AboutPresenter> about = nullptr)
      : about_(std::move(about)) {}

  void About() { showSuiteAbout(about_.get()); }

  const ClassInfo* classInfo() const override;

 private:
  std::shared_ptr<branding::AboutPresenter> about_;
};

}  // namespace zs
