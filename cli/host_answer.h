// The answer lines of the automation host (without their line end).
#pragma once

#include <string>
#include <string_view>

#include "core/error.h"

namespace zs::cli {

// {"id":ID,"ok":true REST}: `id` is JSON text, `rest` the answer's further
// members, each with its leading comma.
std::string success(std::string_view id, std::string_view rest = {});

// {"id":ID,"ok":false,"error":{...} REST}; an error without a source gets the
// host's own.
std::string failure(std::string_view id, const Error& error, std::string_view rest = {});

}  // namespace zs::cli
