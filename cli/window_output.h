// What `zavrin splash` and `zavrin about` share: presenters that write a
// window as PNG or pass it on to several presenters, property assignments of
// the command line, and whole-number options.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "branding/splash_windows.h"
#include "cli/commands.h"
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

// The options `zavrin splash` and `zavrin about` share.
struct WindowOptions {
  std::optional<Long> style;
  std::vector<std::string> lets;
  std::string out;
  std::optional<long> seconds;
};

// Reads --style (0 to maxStyle), --let, -o/--output and --show. `own` is
// offered every other argument first, with a reader of its value; it returns
// false for an argument it does not know (a UsageError then).
using OwnOption = std::function<bool(const std::string& arg, const std::function<const std::string&()>& value)>;
WindowOptions readWindowOptions(std::span<const std::string> args, Long maxStyle, const OwnOption& own);

// The presenters the options ask for (PNG, the X display or both); null,
// with the reason on the error stream, when --show finds no display. Raises
// a UsageError without a style or without -o and --show.
std::shared_ptr<BothPresenters> windowPresenters(const WindowOptions& options, CommandIo& io,
                                                 const std::string& command);

// NAME=VALUE: a picture property takes a file (BMP, ICO or PNG; empty for an
// empty picture), any other property a literal as `zavrin call` reads it.
void letProperty(Object& control, const std::string& assignment);

}  // namespace zs::cli
