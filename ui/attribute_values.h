// Parsing of the attribute value forms used by the layouts: numbers, booleans, "l,t,r,b", "w,h",
// colours, and attribute lists such as a Style's value (name="value" name2='value2' ...).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/geometry.h"

namespace ui {

using Color = uint32_t;  // 0xAARRGGBB; 0 means "not set" wherever a colour is optional

// Numbers saturate here: no layout needs more, and the layout arithmetic stays far from overflow.
constexpr int kMaxAttributeNumber = 1 << 20;

// Leading blanks and a sign are accepted, reading stops at the first non-digit; no digits give
// the fallback. The result lies within +-kMaxAttributeNumber.
int ParseInt(std::string_view text, int fallback = 0);
// "true" (any case) is true; everything else is false.
bool ParseBool(std::string_view text);
// Up to four comma-separated integers; missing ones are 0.
Edges ParseEdges(std::string_view text);
Rect ParseRect(std::string_view text);
Size ParseSize(std::string_view text);
// "#AARRGGBB", "AARRGGBB", "0xRRGGBB", "#RRGGBB": hexadecimal with an optional "#" or "0x".
// Six digits or fewer are taken as an opaque RGB colour; eight as ARGB. Nothing for non-hex text.
std::optional<Color> ParseColor(std::string_view text);
// Comma-separated fractions, used by float="l,t,r,b" anchors; each within -16..16, none NaN.
std::optional<std::vector<double>> ParseFractions(std::string_view text, size_t count);

// name="value" pairs, quoted with " or '; names are lower-cased. Stops at the first malformed pair.
std::vector<std::pair<std::string, std::string>> ParseAttributeList(std::string_view text);

}  // namespace ui
