#include "main/HotKey.h"

void HotKey::Register() {
  HotKeyID = keys_.AddGlobalAtom(kHotKeyAtomName);
  if (HotKeyID != 0) keys_.Register(window_, HotKeyID, kHotKeyModifiers, kHotKeyKey);
}

void HotKey::Release() {
  if (HotKeyID == 0) return;
  keys_.Unregister(window_, HotKeyID);
  keys_.DeleteGlobalAtom(static_cast<uint16_t>(HotKeyID & 0xFFFFu));
  HotKeyID = 0;
}
