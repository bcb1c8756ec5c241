// What `zavrin splash` and `zavrin about` share: presenters that write a
// window as PNG or pass it on to several presenters, property assignments of
// the command line, and whole-number options.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "branding/splash_windows.h"
#include "core/object.h"

namespace zs::cli {

// Writes each window it is asked to show as PNG.
class PngPresenter final : public branding::WindowPresenter {
 public:
  explicit PngPresenter(std::string path) : path_(std::move(path)) {}
  void show(int slot, const branding::Window& window) override;
  void hide(int) override {}

 private:
  std::string path_;
};

// Sends both calls on to every presenter.
class BothPresenters final : public branding::WindowPresenter {
 public:
  std::vector<std::shared_ptr<branding::WindowPresenter>> all;
  void show(int slot, const branding::Window& w) override {
    for (auto& p : all) p->show(slot, w);
  }
  void hide(int slot) override {
    for (auto& p : all) p->hide(slot);
  }
};

// NAME=VALUE: a picture property takes a file (BMP, ICO or PNG; empty for an
// empty picture), any other property a literal as `zavrin call` reads it.
void letProperty(Object& control, const std::string& assignment);

// A whole number of the command line in [min, max]; a UsageError otherwise.
long wholeOption(const std::string& option, const std::string& text, long min, long max);

}  // namespace zs::cli
