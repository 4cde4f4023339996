// Reading the mode letter and the parent handle from the argument text.
#include "startup_args.h"

#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <string>

namespace tessarine::shell {

wchar_t mode_letter(const std::wstring& arguments) {
  if (arguments.size() < 2) return 0;
  return static_cast<wchar_t>(std::towupper(arguments[1]));
}

StartMode start_mode(const std::wstring& arguments) {
  switch (mode_letter(arguments)) {
    case L'P': return StartMode::Preview;
    case L'C': return StartMode::Configure;
    case L'S': return StartMode::Saver;
    default: return arguments.empty() ? StartMode::PlainRun : StartMode::End;
  }
}

namespace {

bool is_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The longest prefix of text[i..] that reads as [sign]digits[.digits][e[sign]digits],
// as ASCII; empty when it holds no digit.
std::string number_prefix(const std::wstring& text, size_t i) {
  std::string number;
  const size_t n = text.size();
  if (i < n && (text[i] == L'+' || text[i] == L'-')) number.push_back(static_cast<char>(text[i++]));
  size_t digits = 0;
  while (i < n && is_digit(text[i])) number.push_back(static_cast<char>(text[i++])), ++digits;
  if (i < n && text[i] == L'.') {
    number.push_back('.');
    ++i;
    while (i < n && is_digit(text[i])) number.push_back(static_cast<char>(text[i++])), ++digits;
  }
  if (digits == 0) return {};
  if (i < n && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < n && (text[j] == L'+' || text[j] == L'-')) exponent.push_back(static_cast<char>(text[j++]));
    size_t exponent_digits = 0;
    while (j < n && is_digit(text[j])) exponent.push_back(static_cast<char>(text[j++])), ++exponent_digits;
    if (exponent_digits > 0) number += exponent;
  }
  return number;
}

}  // namespace

uint32_t parent_handle(const std::wstring& arguments) {
  size_t i = 3;
  while (i < arguments.size() && (arguments[i] == L' ' || arguments[i] == L'\t')) ++i;
  const std::string number = number_prefix(arguments, i);
  if (number.empty()) return 0;
  // Rounded to the nearest integer, halves to even. Windows may write a
  // handle as a signed or an unsigned 32-bit number: both are kept as their 32
  // bits; a value beyond 32 bits leaves the handle 0.
  const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));
  if (!std::isfinite(value) || value < -2147483648.0 || value > 4294967295.0) return 0;
  return value < 0 ? static_cast<uint32_t>(static_cast<int32_t>(value)) : static_cast<uint32_t>(value);
}

}  // namespace tessarine::shell
