// Lines of the registry file. On disk every line ends with CR CR LF (what a
// text-mode stream makes of "\r\n"); a reader splits lines at LF and cuts
// each at its first CR or LF. Positions are byte offsets in the file's
// content; every function accepts any offset and clamps it to the content.
#pragma once

#include <cstddef>
#include <string>

namespace KIVRegistryFileText {

// The line end written after every line.
inline constexpr const char* kLineEnd = "\r\r\n";

// The offset of the line that follows the line starting (or continuing) at pos.
std::size_t NextLine(const std::string& content, std::size_t pos);
// The end of the text of the line at pos: its first CR or LF, or the end.
std::size_t TextEnd(const std::string& content, std::size_t pos);
// The text of the line at pos, cut at its first CR or LF.
std::string LineText(const std::string& content, std::size_t pos);
// Whether the line at pos begins with c (cheap test before LineText).
bool LineStartsWith(const std::string& content, std::size_t pos, char c);
// The text cut behind the last occurrence of mark (unchanged when it has none).
std::string CutBehindLast(const std::string& text, char mark);
// Appends text with every CR and LF removed, then the line end.
void AppendLine(std::string* out, const std::string& text);
// Appends the lines of content[from, to) as AppendLine writes them.
void AppendLines(std::string* out, const std::string& content, std::size_t from, std::size_t to);

} // namespace KIVRegistryFileText
