// Text conversion through WideCharToMultiByte and MultiByteToWideChar.
#include "win32_code_page.h"

#include <windows.h>

namespace tessarine::shell {
namespace {

std::string to_bytes(UINT code_page, const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(code_page, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring to_text(UINT code_page, const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, out.data(), n);
  return out;
}

}  // namespace

std::string to_ansi(const std::wstring& text) { return to_bytes(CP_ACP, text); }
std::wstring from_ansi(const std::string& bytes) { return to_text(CP_ACP, bytes); }

const CodePage& ansi_code_page() {
  static const CodePage page{to_ansi, from_ansi};
  return page;
}

}  // namespace tessarine::shell
