// The JSON-lines automation host: reads one request per line, answers one line
// per request in request order, and holds the objects its client creates under
// handles. See docs/automation-host.md for the protocol.
#pragma once

#include <functional>

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/handle_table.h"

namespace zs::cli {

class Host {
 public:
  // A request line longer than this is answered with an error and skipped.
  static constexpr std::size_t kMaxLineBytes = 16u << 20;
  // The source of errors that the host itself raises.
  static constexpr std::string_view kSource = "zavrin serve";

  // `idle` runs whenever the host is about to wait for input, after the
  // answers so far are flushed: `zavrin serve` handles its dialogs' events
  // there until input arrives.
  Host(std::istream& in, std::ostream& out, std::function<void()> idle = {});

  // Serves until the end of input. Returns 0, or 1 when the output failed
  // (for one, because the reader of a pipe went away). Answers are flushed
  // whenever no further input is at hand.
  int run();

  // The answer line (without its line end) to one request line.
  std::string answer(std::string_view line);

  // Holds an object from the embedding program and returns its handle.
  Handle adopt(const ObjectPtr& object) { return handles_.add(object); }
  const HandleTable& handles() const { return handles_; }

  // Ends the session: every object still held is released, reference cycles
  // made through the host broken first. The destructor does the same.
  void releaseAll() noexcept { handles_.releaseAll(); }

 private:
  std::istream& in_;
  std::ostream& out_;
  std::function<void()> idle_;
  HandleTable handles_;
};

}  // namespace zs::cli
