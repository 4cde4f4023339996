// Reading numbers from the shell's texts.
#include "number_text.h"

#include <cmath>
#include <cstdlib>

namespace tessarine::shell {
namespace {

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u3000'; }
bool is_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

size_t scan_number(const std::wstring& text, size_t from) {
  const size_t n = text.size();
  size_t i = from;
  if (i < n && (text[i] == L'+' || text[i] == L'-')) ++i;
  size_t digits = 0;
  while (i < n && is_digit(text[i])) ++i, ++digits;
  if (i < n && text[i] == L'.') {
    ++i;
    while (i < n && is_digit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return from;
  if (i < n && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    if (j < n && (text[j] == L'+' || text[j] == L'-')) ++j;
    size_t exponent_digits = 0;
    while (j < n && is_digit(text[j])) ++j, ++exponent_digits;
    if (exponent_digits > 0) i = j;
  }
  return i;
}

double number_value(const std::wstring& text, size_t from, size_t end) {
  // The scanned characters are all ASCII.
  std::string ascii;
  for (size_t k = from; k < end; ++k) ascii.push_back(static_cast<char>(text[k]));
  return std::strtod(ascii.c_str(), nullptr);
}

std::optional<double> read_number(const std::wstring& text) {
  size_t start = 0;
  while (start < text.size() && is_blank(text[start])) ++start;
  const size_t end = scan_number(text, start);
  if (end == start) return std::nullopt;
  size_t rest = end;
  while (rest < text.size() && is_blank(text[rest])) ++rest;
  if (rest != text.size()) return std::nullopt;
  const double value = number_value(text, start, end);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

double round_half_even(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  if (fraction > 0.5) return lower + 1;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

}  // namespace tessarine::shell
