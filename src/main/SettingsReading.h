#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

// A value's name below a store path: empty and "." segments are dropped, ".." removes the
// segment before it (or nothing), so the form state's "..\" names values of the root itself.
std::string JoinStorePath(std::string_view path, std::string_view name);

// An optional sign and decimal digits, nothing else; its low 32 bits. None for any other text
// and for numbers beyond 64 bits.
std::optional<int32_t> ParseStoredInteger(std::string_view text);

// A DWORD or QWORD gives its low 32 bits, a text holding a number that number; anything else,
// or nothing, the default.
int32_t ReadInteger(SettingsStore& store, const std::string& name, int32_t fallback);
// Only a text value is a text; anything else, or nothing, gives the default.
std::string ReadString(SettingsStore& store, const std::string& name, const std::string& fallback);
// The form state's Booleans: TRUE, YES, Y or FALSE, NO, N in any case, else a number (0 is
// false); none for anything else, which leaves the control as it is.
std::optional<bool> ReadStoredBool(SettingsStore& store, const std::string& name);

// The main window's own Boolean texts; the form state writes "TRUE" and "FALSE".
inline const char* BoolToText(bool b) { return b ? "True" : "False"; }
