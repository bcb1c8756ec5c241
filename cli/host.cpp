#include "cli/host.h"

#include <istream>
#include <ostream>

#include "cli/host_answer.h"
#include "cli/host_operations.h"
#include "cli/line_input.h"
#include "cli/request_reader.h"
#include "core/error_mapping.h"

namespace zs::cli {
namespace {

bool blank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

}  // namespace

Host::Host(std::istream& in, std::ostream& out, std::function<void()> idle)
    : in_(in), out_(out), idle_(std::move(idle)) {}

int Host::run() {
  LineInput input(*in_.rdbuf(), kMaxLineBytes, [this] {
    out_.flush();
    if (idle_) idle_();
  });
  std::string_view line;
  for (;;) {
    const LineInput::Status status = input.next(line);
    if (status == LineInput::Status::End) break;
    std::string reply;
    if (status == LineInput::Status::TooLong) {
      reply = failure("null", Error(err::kInvalidCall,
                                    "Malformed request: longer than " +
                                        std::to_string(kMaxLineBytes) + " bytes"));
    } else if (blank(line)) {
      continue;
    } else {
      reply = answer(line);
    }
    reply += '\n';
    out_.write(reply.data(), static_cast<std::streamsize>(reply.size()));
    if (!out_) return 1;
  }
  in_.setstate(std::ios::eofbit);
  out_.flush();
  return out_ ? 0 : 1;
}

std::string Host::answer(std::string_view line) {
  Request request;
  try {
    readRequest(line, request);
    const nlohmann::json* name = request.get(Field::Op);
    if (!name || !name->is_string()) throw Error(err::kInvalidCall, "Field \"op\" must be a string");
    const std::string& opName = name->get_ref<const std::string&>();
    const HostOperation* op = findOperation(opName);
    if (!op) throw Error(err::kInvalidCall, "Unknown operation \"" + opName + "\"");
    return op->run(request, handles_);
  } catch (...) {
    return failure(request.id, currentError());
  }
}

}  // namespace zs::cli
