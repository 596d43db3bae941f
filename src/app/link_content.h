#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a link to the page carries in its fragment (the part after "#", which no browser sends
// to a server): the micro-program, the memory and the task as files, byte for byte, under
// their names. The fragment is the version mark, then the content compressed as the browsers'
// CompressionStream("deflate") writes it (zlib), then base64url. Pages of later versions must
// still open the links of this one: a new form gets a new mark, and this one stays readable.
namespace vellar {

inline constexpr std::string_view kLinkMark = "v1.";

enum class LinkKind { Task, Mps, Ram };

struct LinkFile {
  LinkKind kind;
  std::string name;   // the file's own name, no folder; its extension says the format
  std::string bytes;  // exactly as stored
};

// The content before compression; at most one file of each kind, in the order task, MPS, RAM.
std::string PackLinkContent(const std::vector<LinkFile>& files);
// The files of a content; none when it is damaged or of no page of ours.
std::optional<std::vector<LinkFile>> UnpackLinkContent(std::string_view content);

// Base64url without padding, as a fragment carries it.
std::string Base64UrlEncode(std::string_view bytes);
// None for any character outside the alphabet or a length no encoding has.
std::optional<std::string> Base64UrlDecode(std::string_view text);

// What the page says of a fragment it cannot open.
inline constexpr std::string_view kDamagedLinkMessage =
    "Der Link ist beschädigt oder stammt nicht von VellarD. Es wurde nichts geladen.";

// What the page says when the browser would not take the link to the clipboard.
inline constexpr std::string_view kLinkNotCopiedMessage =
    "Der Browser lässt den Link nicht in die Zwischenablage. Er steht jetzt in der Adresszeile "
    "und lässt sich von dort kopieren.";

}  // namespace vellar
