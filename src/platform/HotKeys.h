#pragma once

#include <cstdint>
#include <string>

#include "platform/Windowing.h"

// Modifier bits of a system-wide key combination, as Windows numbers them.
inline constexpr uint32_t kModAlt = 0x1;
inline constexpr uint32_t kModControl = 0x2;

// System-wide key combinations and the global atoms that name them.
class HotKeys {
 public:
  virtual ~HotKeys() = default;

  // The atom of `name` in the global table (a new reference when it is there already); 0 on failure.
  virtual uint16_t AddGlobalAtom(const std::string& name) = 0;
  virtual void DeleteGlobalAtom(uint16_t atom) = 0;
  // False when another window holds the combination already. Its presses then arrive as
  // `window`'s hot-key messages, whatever window has the focus.
  virtual bool Register(WindowId window, uint32_t id, uint32_t modifiers, uint32_t key) = 0;
  virtual void Unregister(WindowId window, uint32_t id) = 0;
};
