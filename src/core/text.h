#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Text in the model is UTF-8; files are Windows-1252 with CR LF. These helpers are the only
// place where the two meet, and they count characters the way the user sees them.
namespace vellar {

// Number of characters (code points) of a UTF-8 text; a stray byte counts as one.
size_t CharCount(std::string_view text);

// The first n characters of a UTF-8 text.
std::string FirstChars(std::string_view text, size_t n);

// The text without its last character ("" stays "").
std::string DropLastChar(std::string_view text);

// Windows-1252 bytes to UTF-8. The five undefined bytes (81, 8D, 8F, 90, 9D) map to the
// C1 control characters of the same value, so any byte sequence converts and converts back.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252; characters the code page lacks become '?'.
std::string Utf8ToCp1252(std::string_view text);

// The contents of a text file as Windows-1252. A file that begins with the UTF-8 byte order
// mark, as many editors write it, is UTF-8: the mark goes and the text is converted. Any other
// file is taken as it is.
std::string FileTextAsCp1252(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (plain ASCII is).
bool IsWellFormedUtf8(std::string_view text);

// Without a leading UTF-8 byte order mark.
std::string_view WithoutUtf8Bom(std::string_view bytes);

// The text of a file written in an editor, as UTF-8. Editors write UTF-8 today, some with a
// byte order mark; the program's own text files are Windows-1252. A file that is not
// well-formed UTF-8 is taken as Windows-1252.
std::string EditorText(std::string_view file);

// Splits file contents into lines; CR, LF and CR LF all end a line. A final line without a
// line end counts; a file ending in a line end has no empty last line.
std::vector<std::string> SplitLines(std::string_view contents);

// Every control character of a UTF-8 text (C0, DEL and the C1 range U+0080 to U+009F) becomes
// a blank; everything else stays, a stray byte too. A text so cleaned keeps its length in
// characters and can stand in a listing line: no line end inside it splits the line.
std::string ControlsToBlanks(std::string_view text);

// The text as a terminal may show it: every control character becomes visible text, "^[" for
// ESC and the like (C0 and DEL), "\xHH" for each byte of a C1 control and of whatever is no
// well-formed UTF-8. For messages and tables that quote a file's bytes or a file's name.
std::string ShowControls(std::string_view text);

// True when the bytes look like UTF-16 text: a byte order mark of either order, or zero bytes
// in every other place and nowhere else, as ASCII text saved as UTF-16 has them.
bool LooksLikeUtf16(std::string_view bytes);
// What the program says of a text file so saved; the name comes quoted („name“).
std::string SavedAsUtf16Message(std::string_view quotedName);

// Removes leading and trailing blanks and control characters (bytes up to 0x20).
std::string_view TrimBlanks(std::string_view text);

std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
// Lower case for every letter of Windows-1252 (ä for Ä, š for Š, ÿ for Ÿ), in UTF-8 text.
std::string ToLowerCp1252(std::string_view text);
// The bytes of the letter of Windows-1252 (A to Z, a to z, À to ÿ without × and ÷, Š, š, Œ, œ,
// Ž, ž, Ÿ) that starts at pos in UTF-8 text; 0 when no letter starts there.
size_t Cp1252LetterLength(std::string_view text, size_t pos);

}  // namespace vellar
