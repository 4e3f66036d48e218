// Caps on the total work of building one layout. A tampered skin package can multiply a few small
// files without end: Includes repeated through Windows that hold only Includes or fonts (eight
// files of count="100" are 100^8 parses), or a style that names itself several times (k^8 style
// applications). The caps on include depth and on controls do not see that work; these do, and
// past any of them the layout fails to load. The package's own layouts use a small fraction.
#pragma once

#include <cstddef>

namespace ui {

class LayoutBudget {
 public:
  static constexpr int kMaxFileReads = 64;              // layout files read for Includes
  static constexpr size_t kMaxMarkupBytes = 16u << 20;  // their bytes
  static constexpr int kMaxElements = 100000;           // markup elements visited, repeats included
  static constexpr int kMaxStyleApplications = 20000;   // style attributes applied, nested ones included
  static constexpr size_t kMaxStyleText = 4u << 20;     // bytes of the style values applied

  // Each records its work and answers false once any cap has been passed.
  bool ReadFile(size_t bytes) {
    markupBytes_ += bytes;
    return Check(++fileReads_ <= kMaxFileReads && markupBytes_ <= kMaxMarkupBytes);
  }
  bool VisitElement() { return Check(++elements_ <= kMaxElements); }
  bool ApplyStyle(size_t valueBytes) {
    styleText_ += valueBytes;
    return Check(++styleApplications_ <= kMaxStyleApplications && styleText_ <= kMaxStyleText);
  }
  bool Exceeded() const { return exceeded_; }

 private:
  bool Check(bool within) {
    if (!within) exceeded_ = true;
    return !exceeded_;
  }

  int fileReads_ = 0;
  size_t markupBytes_ = 0;
  int elements_ = 0;
  int styleApplications_ = 0;
  size_t styleText_ = 0;
  bool exceeded_ = false;
};

}  // namespace ui
