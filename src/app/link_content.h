#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a link to the page carries in its fragment (the part after "#", which no browser sends
// to a server): the micro-program, the memory and the task as files, byte for byte, under
// their names. The fragment is a version mark, then the content compressed as a zlib stream
// (which the browsers' DecompressionStream("deflate") reads), then that in the form the mark
// names. Pages of later versions must still open the links of this one: a new form gets a new
// mark, and the old ones stay readable.
namespace vellar {

// "v1.": base64url, the shortest text, for copying and pasting. "v2.": decimal digits, for a QR
// code, whose numeric mode packs three digits into 10 bits while it spends 8 bits on every
// character of base64url: the same code holds about a third more content in digits, and a code
// of the same content has fewer, larger modules.
enum class LinkForm { Text, Digits };
inline constexpr std::string_view kLinkMark = "v1.";
inline constexpr std::string_view kDigitsLinkMark = "v2.";

// The fragment (without "#") of a link to the content, compressed as tightly as we can
// (core/deflate.h), so that the frontends and vellar-cli write the same address.
std::string LinkFragment(std::string_view content, LinkForm form);
// The compressed content of a fragment of either form; none for any other text.
std::optional<std::string> CompressedOfFragment(std::string_view fragment);

enum class LinkKind { Task, Mps, Ram };

struct LinkFile {
  LinkKind kind;
  std::string name;   // the file's own name, no folder; its extension says the format
  std::string bytes;  // exactly as stored
};

// Why a file of that kind and name cannot travel in a link (German, for the user); none when it
// can. The page loads a file by its name's extension, so a task must be named .aufgabe even
// where vellar-cli reads it under another name.
std::optional<std::string> LinkNameProblem(LinkKind kind, std::string_view name);

// The content before compression; at most one file of each kind, in the order task, MPS, RAM.
std::string PackLinkContent(const std::vector<LinkFile>& files);
// The files of a content; none when it is damaged or of no page of ours.
std::optional<std::vector<LinkFile>> UnpackLinkContent(std::string_view content);

// Base64url without padding, as a fragment carries it.
std::string Base64UrlEncode(std::string_view bytes);
// None for any character outside the alphabet or a length no encoding has.
std::optional<std::string> Base64UrlDecode(std::string_view text);

// Each 7 bytes as a number of 17 digits (10^17 > 2^56), a shorter rest as the fewest digits that
// hold it: 1 to 6 bytes as 3, 5, 8, 10, 13 or 15 digits.
std::string DigitsEncode(std::string_view bytes);
// None for anything but digits, a rest of a length no encoding has, or a group too large for
// its bytes.
std::optional<std::string> DigitsDecode(std::string_view digits);

// What the page says of a fragment it cannot open.
inline constexpr std::string_view kDamagedLinkMessage =
    "Der Link ist beschädigt oder stammt nicht von VellarD. Es wurde nichts geladen.";

// What the page says when the browser would not take the link to the clipboard.
inline constexpr std::string_view kLinkNotCopiedMessage =
    "Der Browser lässt den Link nicht in die Zwischenablage. Er steht jetzt in der Adresszeile "
    "und lässt sich von dort kopieren.";

}  // namespace vellar
