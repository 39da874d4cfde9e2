#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/HotKeys.h"

// The global atom table and the registered combinations. Processes share one system: give a
// second instance's fake the first one's `system`.
class FakeHotKeys : public HotKeys {
 public:
  struct System {
    struct Atom {
      uint16_t value;
      int references;
    };
    std::map<std::string, Atom> atoms;
    uint16_t nextAtom = 0xC000;
    // (modifiers, key) -> (window, id)
    std::map<std::pair<uint32_t, uint32_t>, std::pair<WindowId, uint32_t>> combinations;
  };
  std::shared_ptr<System> system = std::make_shared<System>();
  bool atomTableFull = false;

  uint16_t AddGlobalAtom(const std::string& name) override {
    if (atomTableFull) return 0;
    auto found = system->atoms.find(name);
    if (found == system->atoms.end()) found = system->atoms.emplace(name, System::Atom{system->nextAtom++, 0}).first;
    ++found->second.references;
    return found->second.value;
  }
  void DeleteGlobalAtom(uint16_t atom) override {
    for (auto it = system->atoms.begin(); it != system->atoms.end(); ++it) {
      if (it->second.value != atom) continue;
      if (--it->second.references == 0) system->atoms.erase(it);
      return;
    }
  }
  bool Register(WindowId window, uint32_t id, uint32_t modifiers, uint32_t key) override {
    return system->combinations.emplace(std::pair{modifiers, key}, std::pair{window, id}).second;
  }
  void Unregister(WindowId window, uint32_t id) override {
    for (auto it = system->combinations.begin(); it != system->combinations.end(); ++it) {
      if (it->second != std::pair{window, id}) continue;
      system->combinations.erase(it);
      return;
    }
  }

  // The window whose hot-key message a press of the combination becomes.
  std::optional<WindowId> OwnerOf(uint32_t modifiers, uint32_t key) const {
    const auto found = system->combinations.find({modifiers, key});
    if (found == system->combinations.end()) return std::nullopt;
    return found->second.first;
  }
  int References(const std::string& name) const {
    const auto found = system->atoms.find(name);
    return found == system->atoms.end() ? 0 : found->second.references;
  }
};
