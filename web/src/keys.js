// Keys as the session's key hook tells them apart, and the controls it asks about.
export const KEY = { Other: 0, Control: 1, Alt: 2, Space: 3, Insert: 4, Delete: 5, HexDigit: 6, Backspace: 7 };
export const CONTROL = {
  None: 0, MpsGrid: 1, RamGrid: 2, RamInspector: 3, RegisterField: 4, Slider: 5,
  GateControl: 6, Other: 7,
};

// Letters and digits are the keys themselves, whatever Shift says; the keypad's digits are
// other keys.
export function keyMessage(down, e) {
  if (e.key === 'Control') return { code: KEY.Control, digit: 0 };
  if (e.key === 'Alt') return { code: KEY.Alt, digit: 0 };
  if (e.code === 'Space') return { code: KEY.Space, digit: 0 };
  if (e.key === 'Insert') return { code: KEY.Insert, digit: 0 };
  if (e.key === 'Delete') return { code: KEY.Delete, digit: 0 };
  if (e.key === 'Backspace') return { code: KEY.Backspace, digit: 0 };
  const digit = /^Digit([0-9])$/.exec(e.code);
  if (digit) return { code: KEY.HexDigit, digit: Number(digit[1]) };
  const letter = /^Key([A-F])$/.exec(e.code);
  if (letter) return { code: KEY.HexDigit, digit: parseInt(letter[1], 16) };
  return { code: KEY.Other, digit: 0 };
}
