// The GPD as the skin archive packs it (both families' copies) against the entries Microsoft's GPD
// documentation marks Required, and every *CallbackID against what the rendering plug-in handles.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "driver/label_job.h"
#include "tests/test_paths.h"
#include "ui/zip_archive.h"

namespace {

// One GPD entry "*Key: value" with the entries of its braces.
struct Entry {
  std::string key, value;
  std::vector<Entry> children;
};

// Reads entries up to the closing brace of the block or the end; comments ("*%" to the end of the
// line) are skipped. False when the braces do not pair up.
bool ParseBlock(const std::string& text, size_t& i, std::vector<Entry>& out, bool nested) {
  while (i < text.size()) {
    const char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '}') {
      ++i;
      return nested;
    } else if (c == '{') {
      if (out.empty() || !ParseBlock(text, ++i, out.back().children, true)) return false;
    } else if (text.compare(i, 2, "*%") == 0 || c != '*') {
      i = text.find('\n', i);
    } else {
      const size_t colon = text.find(':', i);
      if (colon == std::string::npos) return false;
      Entry entry{text.substr(i + 1, colon - i - 1), "", {}};
      bool quoted = false;
      for (i = colon + 1;
           i < text.size() && (quoted || (text[i] != '\n' && text[i] != '{' && text[i] != '}')); ++i) {
        if (text[i] == '"') quoted = !quoted;
        entry.value += text[i];
      }
      entry.value.erase(0, entry.value.find_first_not_of(" \t"));
      entry.value.erase(entry.value.find_last_not_of(" \t\r") + 1);
      out.push_back(entry);
    }
  }
  return !nested;
}

// An alternative of a rule: "Key" for an entry of that key, "Key=Value" for one with that value.
bool HasEntry(const std::vector<Entry>& entries, const std::string& rule) {
  std::istringstream alternatives(rule);
  for (std::string one; std::getline(alternatives, one, '|');) {
    const size_t equals = one.find('=');
    for (const Entry& e : entries) {
      if (e.key == one.substr(0, equals) &&
          (equals == std::string::npos || e.value == one.substr(equals + 1)))
        return true;
    }
  }
  return false;
}

std::vector<const Entry*> Children(const std::vector<Entry>& entries, const std::string& key) {
  std::vector<const Entry*> found;
  for (const Entry& e : entries) {
    if (e.key == key) found.push_back(&e);
  }
  return found;
}

void CollectCallbacks(const std::vector<Entry>& entries, std::vector<std::string>& ids) {
  for (const Entry& e : entries) {
    if (e.key == "CallbackID") ids.push_back(e.value);
    CollectCallbacks(e.children, ids);
  }
}

struct PackedGpd {
  std::string family, text;
  std::vector<Entry> root;
};

std::vector<PackedGpd> PackedGpds() {
  static const std::vector<uint8_t> skin = PackedSkin();
  ui::ZipArchive archive;
  std::vector<PackedGpd> gpds;
  if (!archive.Attach(skin.data(), skin.size())) return gpds;
  for (const char* family : {"Driver32", "Driver64"}) {
    std::vector<uint8_t> bytes;
    if (!archive.ReadEntry(std::string("driver/label/") + family + "/Ombrevia.gpd", bytes)) continue;
    PackedGpd gpd{family, std::string(bytes.begin(), bytes.end()), {}};
    size_t i = 0;
    if (ParseBlock(gpd.text, i, gpd.root, false)) gpds.push_back(gpd);
  }
  return gpds;
}

// The standard features of "Standard Features"; any other feature is customized.
const std::set<std::string> kStandardFeatures = {
    "Collate",     "ColorMode", "Duplex",      "Halftone",  "InputBin", "MediaType",  "Memory",
    "Orientation", "OutputBin", "PageProtect", "PaperSize", "RESDLL",   "Resolution", "Stapling"};

// Where a rule applies: "root", "feature", "option" (of every feature), "option:Feature" and
// "option:Feature=Option" or "option:Feature!Option" (that option only, or all but it).
// Each with its name for messages.
using Scoped = std::vector<std::pair<std::string, const std::vector<Entry>*>>;
Scoped Scope(const std::vector<Entry>& root, const std::string& scope) {
  if (scope == "root") return {{"root", &root}};
  Scoped found;
  for (const Entry* feature : Children(root, "Feature")) {
    if (scope == "feature" || (scope == "customized feature" && !kStandardFeatures.count(feature->value)))
      found.push_back({feature->value, &feature->children});
    if (scope.rfind("option", 0) != 0) continue;
    const std::string want = scope.size() > 7 ? scope.substr(7) : "";
    const size_t mark = want.find_first_of("=!");
    if (!want.empty() && want.substr(0, mark) != feature->value) continue;
    for (const Entry* option : Children(feature->children, "Option")) {
      const bool named = mark != std::string::npos && option->value == want.substr(mark + 1);
      if (mark == std::string::npos || named == (want[mark] == '='))
        found.push_back({feature->value + "." + option->value, &option->children});
    }
  }
  return found;
}

TEST(GpdRules, EveryEntryTheDocumentationMarksRequiredIsThere) {
  struct Rule {
    std::string scope, entry, page;  // the documentation's page that marks it Required
  };
  const std::vector<Rule> rules = {
      {"root", "GPDSpecVersion", "Root-Level-Only Attributes"},
      {"root", "MasterUnits", "Root-Level-Only Attributes"},
      {"root", "PrinterType", "Root-Level-Only Attributes"},
      {"root", "ModelName|rcModelNameID", "Root-Level-Only Attributes"},
      {"root", "Command=CmdCR", "Cursor Commands"},
      {"root", "Command=CmdLF", "Cursor Commands"},
      {"root", "Command=CmdFF", "Cursor Commands"},
      {"root", "Command=CmdSendBlockData", "Raster Data Emission Commands"},
      {"root", "Feature=InputBin", "Standard Features"},
      {"root", "Feature=PaperSize", "Standard Features"},
      {"root", "Feature=Resolution", "Standard Features"},
      {"feature", "Name|rcNameID", "Feature Attributes"},
      {"feature", "Option", "Feature Attributes"},
      {"customized feature", "FeatureType", "Feature Attributes"},
      {"option", "Name|rcNameID", "Option Attributes for All Features"},
      {"option", "Command=CmdSelect", "Option Attributes for All Features"},
      {"option:Resolution", "DPI", "Option Attributes for the Resolution Feature"},
      {"option:Resolution", "TextDPI", "Option Attributes for the Resolution Feature"},
      {"option:Resolution", "SpotDiameter", "Option Attributes for the Resolution Feature"},
      {"option:PaperSize!CUSTOMSIZE", "PrintableArea", "Option Attributes for the PaperSize Feature"},
      {"option:PaperSize!CUSTOMSIZE", "PrintableOrigin", "Option Attributes for the PaperSize Feature"},
      {"option:PaperSize!CUSTOMSIZE", "PageDimensions", "Option Attributes for the PaperSize Feature"},
      {"option:PaperSize=CUSTOMSIZE", "MinSize", "Option Attributes for the PaperSize Feature"},
      {"option:PaperSize=CUSTOMSIZE", "MaxSize", "Option Attributes for the PaperSize Feature"},
      {"option:PaperSize=CUSTOMSIZE", "MaxPrintableWidth", "Option Attributes for the PaperSize Feature"},
      // Optional there, but what the printer has: no margins, the cursor at the label's corner.
      {"option:PaperSize=CUSTOMSIZE", "TopMargin", "Option Attributes for the PaperSize Feature"},
      {"option:PaperSize=CUSTOMSIZE", "BottomMargin", "Option Attributes for the PaperSize Feature"},
      {"option:PaperSize=CUSTOMSIZE", "CursorOrigin", "Option Attributes for the PaperSize Feature"},
      {"option:ColorMode", "IPCallbackID", "Option Attributes for the ColorMode Feature"},
  };
  const std::vector<PackedGpd> gpds = PackedGpds();
  ASSERT_EQ(gpds.size(), 2u) << "both families' GPDs are packed and their braces pair up";
  for (const PackedGpd& gpd : gpds) {
    for (const Rule& rule : rules) {
      const auto scopes = Scope(gpd.root, rule.scope);
      EXPECT_FALSE(scopes.empty()) << gpd.family << ": nothing in " << rule.scope;
      for (const auto& [name, entries] : scopes) {
        EXPECT_TRUE(HasEntry(*entries, rule.entry))
            << gpd.family << ": " << name << " lacks *" << rule.entry << " (" << rule.page << ")";
      }
    }
    // "Must be first entry in GPD file, before any comments."
    const std::string first = gpd.text.substr(0, gpd.text.find('\n'));
    EXPECT_TRUE(first == "*GPDSpecVersion: \"1.0\"" || first == "*GPDSpecVersion: \"1.0\"\r") << gpd.family;
    // The model name must match the INF's.
    EXPECT_TRUE(HasEntry(gpd.root, "ModelName=\"LABEL\"")) << gpd.family;
    // A default names one of the feature's options.
    for (const Entry* feature : Children(gpd.root, "Feature")) {
      for (const Entry* fallback : Children(feature->children, "DefaultOption"))
        EXPECT_TRUE(HasEntry(feature->children, "Option=" + fallback->value)) << feature->value;
    }
    EXPECT_EQ(Scope(gpd.root, "option:InputBin=AUTO").size(), 1u) << gpd.family << ": one source, AUTO";
  }
}

TEST(GpdRules, EveryCallbackIsOneTheRenderingPlugInHandles) {
  for (const PackedGpd& gpd : PackedGpds()) {
    std::vector<std::string> ids;
    CollectCallbacks(gpd.root, ids);
    EXPECT_GT(ids.size(), 30u) << gpd.family;
    for (const std::string& id : ids) {
      label::LabelJob job([](const void*, size_t) { return true; });
      const uint32_t params[] = {100000, 100000};
      EXPECT_TRUE(job.Command(std::stoul(id), params, 2)) << gpd.family << ": *CallbackID " << id;
    }
    // *IPCallbackID is ImageProcessing's, not a command's; it must be positive (Option Attributes
    // for the ColorMode Feature).
    for (const auto& [name, mono] : Scope(gpd.root, "option:ColorMode")) {
      for (const Entry* ip : Children(*mono, "IPCallbackID")) EXPECT_GT(std::stoul(ip->value), 0u) << name;
    }
  }
}

}  // namespace
