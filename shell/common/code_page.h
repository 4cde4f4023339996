// A code page as two conversions, and whether it spells a text exactly.
// Platform-free: win32_code_page.h gives the system's code pages.
#pragma once

#include <functional>
#include <string>

namespace tessarine::shell {

// A code page's two directions as the platform converts: to bytes with its
// best fit (a character that the page lacks becomes a look-alike or '?'), and
// back to text.
struct CodePage {
  std::function<std::string(const std::wstring&)> to_bytes;
  std::function<std::wstring(const std::string&)> to_text;
};

// The round trip: true when there and back give the same text, so that no
// character was best-fitted or replaced.
inline bool spells_exactly(const CodePage& code_page, const std::wstring& text) {
  return code_page.to_text(code_page.to_bytes(text)) == text;
}

}  // namespace tessarine::shell
