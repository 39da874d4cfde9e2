#pragma once

#include "platform/HotKeys.h"

class Win32HotKeys final : public HotKeys {
 public:
  uint16_t AddGlobalAtom(const std::string& name) override;
  void DeleteGlobalAtom(uint16_t atom) override;
  bool Register(WindowId window, uint32_t id, uint32_t modifiers, uint32_t key) override;
  void Unregister(WindowId window, uint32_t id) override;
};
