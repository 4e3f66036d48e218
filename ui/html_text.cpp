#include "ui/html_text.h"

#include <array>
#include <utility>

namespace ui {
namespace {

enum class Kind { kBold, kItalic, kUnderline, kColor, kFont, kCount };

struct Tag {
  enum Type { kOpen, kClose, kBreak } type = kOpen;
  Kind kind = Kind::kBold;
  Color color = 0;
  int font = 0;
  size_t length = 0;  // characters the tag takes, '<' to '>'
};

constexpr std::pair<std::wstring_view, wchar_t> kEntities[] = {
    {L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&amp;", L'&'}, {L"&quot;", L'"'}};
constexpr size_t kMaxFontDigits = 6;

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  c = Lower(c);
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

std::optional<Kind> KindOf(wchar_t letter) {
  switch (Lower(letter)) {
    case L'b':
      return Kind::kBold;
    case L'i':
      return Kind::kItalic;
    case L'u':
      return Kind::kUnderline;
    case L'c':
      return Kind::kColor;
    case L'f':
      return Kind::kFont;
    default:
      return std::nullopt;
  }
}

// "#RRGGBB" (opaque) or "#AARRGGBB".
std::optional<Color> ParseTagColor(std::wstring_view arg) {
  if (arg.empty() || arg[0] != L'#' || (arg.size() != 7 && arg.size() != 9)) return std::nullopt;
  Color color = 0;
  for (wchar_t c : arg.substr(1)) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    color = color << 4 | static_cast<Color>(digit);
  }
  return arg.size() == 7 ? color | 0xFF000000 : color;
}

std::optional<int> ParseTagFont(std::wstring_view arg) {
  if (arg.empty() || arg.size() > kMaxFontDigits) return std::nullopt;
  int id = 0;
  for (wchar_t c : arg) {
    if (c < L'0' || c > L'9') return std::nullopt;
    id = id * 10 + (c - L'0');
  }
  return id;
}

// The tag at the start of s (which begins with '<'); none when it is not one this markup knows.
std::optional<Tag> ReadTag(std::wstring_view s) {
  Tag tag;
  size_t i = 1;
  const bool closing = i < s.size() && s[i] == L'/';
  if (closing) ++i;
  if (i >= s.size()) return std::nullopt;
  const wchar_t letter = s[i++];
  if (Lower(letter) == L'n' && !closing) {
    if (i >= s.size() || s[i] != L'>') return std::nullopt;
    tag.type = Tag::kBreak;
    tag.length = i + 1;
    return tag;
  }
  const std::optional<Kind> kind = KindOf(letter);
  if (!kind) return std::nullopt;
  tag.kind = *kind;
  tag.type = closing ? Tag::kClose : Tag::kOpen;
  if (closing || (*kind != Kind::kColor && *kind != Kind::kFont)) {
    if (i >= s.size() || s[i] != L'>') return std::nullopt;
    tag.length = i + 1;
    return tag;
  }
  // <c #colour> and <f id>: one argument after at least one space.
  const size_t nameEnd = i;
  while (i < s.size() && s[i] == L' ') ++i;
  if (i == nameEnd) return std::nullopt;
  const size_t argStart = i;
  while (i < s.size() && s[i] != L' ' && s[i] != L'>' && s[i] != L'<') ++i;
  const std::wstring_view arg = s.substr(argStart, i - argStart);
  while (i < s.size() && s[i] == L' ') ++i;
  if (i >= s.size() || s[i] != L'>') return std::nullopt;
  tag.length = i + 1;
  if (*kind == Kind::kColor) {
    const auto color = ParseTagColor(arg);
    if (!color) return std::nullopt;
    tag.color = *color;
  } else {
    const auto font = ParseTagFont(arg);
    if (!font) return std::nullopt;
    tag.font = *font;
  }
  return tag;
}

class Parser {
 public:
  std::vector<HtmlRun> Run(std::wstring_view markup) {
    size_t i = 0;
    while (i < markup.size()) {
      const wchar_t c = markup[i];
      if (c == L'<') {
        if (const auto tag = ReadTag(markup.substr(i))) {
          Apply(*tag);
          i += tag->length;
          continue;
        }
      } else if (c == L'&') {
        if (const auto entity = ReadEntity(markup.substr(i))) {
          Append(entity->second);
          i += entity->first.size();
          continue;
        }
      }
      Append(c);
      ++i;
    }
    return std::move(runs_);
  }

 private:
  static std::optional<std::pair<std::wstring_view, wchar_t>> ReadEntity(std::wstring_view s) {
    for (const auto& entity : kEntities) {
      if (s.substr(0, entity.first.size()) == entity.first) return entity;
    }
    return std::nullopt;
  }

  void Apply(const Tag& tag) {
    if (tag.type == Tag::kBreak) {
      HtmlRun run;
      run.style = style_;
      run.lineBreak = true;
      runs_.push_back(std::move(run));
      return;
    }
    int& ignored = ignored_[static_cast<size_t>(tag.kind)];
    if (tag.type == Tag::kOpen) {
      if (open_.size() >= kMaxHtmlNesting) {
        ++ignored;
      } else {
        open_.push_back(tag);
      }
    } else if (ignored > 0) {
      // Openers beyond the depth were the innermost, so their closers come first.
      --ignored;
    } else {
      for (size_t k = open_.size(); k-- > 0;) {
        if (open_[k].kind == tag.kind) {
          open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(k));
          break;
        }
      }
    }
    style_ = {};
    for (const Tag& open : open_) {
      switch (open.kind) {
        case Kind::kBold:
          style_.bold = true;
          break;
        case Kind::kItalic:
          style_.italic = true;
          break;
        case Kind::kUnderline:
          style_.underline = true;
          break;
        case Kind::kColor:
          style_.color = open.color;
          break;
        case Kind::kFont:
          style_.font = open.font;
          break;
        case Kind::kCount:
          break;
      }
    }
  }

  void Append(wchar_t c) {
    if (runs_.empty() || runs_.back().lineBreak || !(runs_.back().style == style_)) {
      runs_.push_back({{}, style_, false});
    }
    runs_.back().text += c;
  }

  std::vector<HtmlRun> runs_;
  std::vector<Tag> open_;
  std::array<int, static_cast<size_t>(Kind::kCount)> ignored_{};
  HtmlRunStyle style_;
};

}  // namespace

std::vector<HtmlRun> ParseHtmlText(std::wstring_view markup) { return Parser().Run(markup); }

}  // namespace ui
