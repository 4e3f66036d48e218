#include "ui/attribute_values.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/utf.h"

namespace ui {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> SplitCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  while (true) {
    const size_t comma = text.find(',');
    parts.push_back(Trim(text.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return parts;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int ParseInt(std::string_view text, int fallback) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() < '0' || text.front() > '9') return fallback;
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min<long long>(value * 10 + (c - '0'), kMaxAttributeNumber);
  }
  return static_cast<int>(negative ? -value : value);
}

bool ParseBool(std::string_view text) { return EqualsIgnoreCase(Trim(text), "true"); }

Edges ParseEdges(std::string_view text) {
  const auto parts = SplitCommas(text);
  int values[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < parts.size() && i < 4; ++i) values[i] = ParseInt(parts[i]);
  return {values[0], values[1], values[2], values[3]};
}

Rect ParseRect(std::string_view text) {
  const Edges e = ParseEdges(text);
  return {e.left, e.top, e.right, e.bottom};
}

Size ParseSize(std::string_view text) {
  const Edges e = ParseEdges(text);
  return {e.left, e.top};
}

std::optional<Color> ParseColor(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '#') {
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
  }
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (const char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  if (text.size() <= 6) value |= 0xFF000000u;
  return value;
}

std::optional<std::vector<double>> ParseFractions(std::string_view text, size_t count) {
  const auto parts = SplitCommas(text);
  if (parts.size() != count) return std::nullopt;
  std::vector<double> values;
  for (const std::string_view part : parts) {
    const std::string copy(part);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size() || !std::isfinite(value)) return std::nullopt;
    values.push_back(std::clamp(value, -16.0, 16.0));
  }
  return values;
}

std::vector<std::pair<std::string, std::string>> ParseAttributeList(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> pairs;
  size_t i = 0;
  while (true) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    const size_t nameStart = i;
    while (i < text.size() && text[i] != '=' && !IsBlank(text[i])) ++i;
    const std::string name = AsciiLowerCopy(text.substr(nameStart, i - nameStart));
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (name.empty() || i >= text.size() || text[i] != '=') break;
    ++i;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i >= text.size() || (text[i] != '"' && text[i] != '\'')) break;
    const char quote = text[i++];
    const size_t close = text.find(quote, i);
    if (close == std::string_view::npos) break;
    pairs.emplace_back(name, std::string(text.substr(i, close - i)));
    i = close + 1;
  }
  return pairs;
}

}  // namespace ui
