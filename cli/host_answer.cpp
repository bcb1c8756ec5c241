#include "cli/host_answer.h"

#include "cli/host.h"
#include "cli/json_text.h"

namespace zs::cli {

std::string success(std::string_view id, std::string_view rest) {
  std::string out;
  out.reserve(id.size() + rest.size() + 20);
  out += "{\"id\":";
  out += id;
  out += ",\"ok\":true";
  out += rest;
  out += '}';
  return out;
}

std::string failure(std::string_view id, const Error& e, std::string_view rest) {
  std::string out = "{\"id\":";
  out += id;
  out += ",\"ok\":false,\"error\":{\"number\":" + std::to_string(e.number()) + ",\"description\":";
  appendJsonString(out, std::string_view(e.description()));
  out += ",\"source\":";
  appendJsonString(out, std::string_view(e.source().empty() ? Host::kSource : e.source()));
  out += '}';
  out += rest;
  out += '}';
  return out;
}

}  // namespace zs::cli
