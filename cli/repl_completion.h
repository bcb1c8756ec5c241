// Tab completion in `zavrin repl`: class names, members, enumeration
// constants, variables and the words of the statements, from the catalogue
// and the session.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cli/repl_session.h"

namespace zs::cli::repl {

struct Completion {
  std::size_t start = 0;                // where the word being completed begins
  std::vector<std::string> candidates;  // sorted, each once, in the catalogue's spelling
};

// What may complete the word that ends the text before the cursor. After
// `name.` the members of the class of the variable (or of the class) `name`;
// after `:members ` classes and variables; inside a text nothing; else
// statement words, functions, variables, classes and constants. Words match
// without regard to letter case.
Completion complete(const Session& session, std::string_view before);

}  // namespace zs::cli::repl
