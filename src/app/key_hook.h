#pragma once

#include "app/frontend.h"

// The application-wide key hook: it sees every key message before the focused control and
// may keep it from it.
namespace vellar {

class Session;

// Keys as the hook tells them apart. Letters and digits are the keys themselves, whatever
// Shift says; the numeric keypad's digits are other keys.
enum class KeyCode { Other, Control, Alt, Space, Insert, Delete, HexDigit, Backspace };

struct KeyMessage {
  bool down = true;
  KeyCode key = KeyCode::Other;
  int hexDigit = 0;      // 0..15 for KeyCode::HexDigit
  bool altHeld = false;  // whether Alt is held at this moment
};

class KeyHook {
 public:
  explicit KeyHook(Session& session) : session_(session) {}

  // Returns true when the message is handled and must not reach the focused control.
  bool OnAppMessage(const KeyMessage& message);

  bool CtrlHeld() const { return ctrlHeld_; }

 private:
  Session& session_;
  bool ctrlHeld_ = false;
};

}  // namespace vellar
