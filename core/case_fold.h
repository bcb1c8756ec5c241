// Letter case without regard to which two names or keys compare: one folding
// shared by Collection keys and the names of the registry store.
#pragma once

#include "core/value_types.h"

namespace zs {

// The simple upper-case form of one UTF-16 code unit for the Latin (Basic,
// Latin-1, Extended-A, Extended Additional), Greek, Cyrillic, Armenian and
// fullwidth Latin letters; every other code unit is returned unchanged.
char16_t upperCaseUnit(char16_t c);

// The form under which a key is stored and looked up: each code unit
// upper-cased by upperCaseUnit. Two keys are the same key when their folded
// forms are equal code unit by code unit.
String foldKey(StringView key);

// Whether `a` and `b` are the same key: equal code unit by code unit once
// each unit is upper-cased by upperCaseUnit (what foldKey compares, without
// building the folded copies).
bool sameFoldedKey(StringView a, StringView b) noexcept;

}  // namespace zs
