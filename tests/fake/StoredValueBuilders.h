#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/SettingsStore.h"

// Stored values of each kind, as this program, an older version or another program could have
// left them under the key (FakeSettingsStore::Put), or as a test expects to find them.
inline StoredValue Dword(uint32_t n) { return {StoredValue::Kind::Dword, n, {}}; }
inline StoredValue Qword(uint64_t n) { return {StoredValue::Kind::Qword, n, {}}; }
inline StoredValue Text(std::string t) { return {StoredValue::Kind::Text, 0, std::move(t)}; }
// A kind the program never writes, such as REG_BINARY.
inline const StoredValue kBinary{StoredValue::Kind::Other, 0, {}};
inline const StoredValue kAbsent{};

// Names and their values, in the order a table gives them.
using Values = std::vector<std::pair<const char*, StoredValue>>;
