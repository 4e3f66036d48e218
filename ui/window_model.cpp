#include "ui/window_model.h"

#include <algorithm>

#include "ui/container.h"
#include "ui/control_factory.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/layout_builder.h"
#include "ui/shared_layout_data.h"
#include "ui/utf.h"

namespace ui {

SharedLayoutData& SharedLayoutData::Instance() {
  static SharedLayoutData data;
  return data;
}

WindowModel::WindowModel(Resources& resources) : resources_(resources) {}

WindowModel::~WindowModel() {
  // The tree goes while the groups and tables its controls detach from still exist.
  root_.reset();
  disposedDuringDispatch_.clear();
}

bool WindowModel::Load(std::string_view layoutName, CreateControlCallback* callback) {
  root_.reset();
  attributes_ = WindowAttributes{};
  createCallback_ = callback;
  const std::optional<MarkupNode> markup = ReadLayout(resources_, layoutName);
  if (!markup) return false;
  LayoutBuilder builder(*this, ControlRegistry::Instance(), callback);
  std::unique_ptr<Control> root = builder.Build(*markup, true);
  if (!root) return false;
  root_ = std::move(root);
  root_->SetManager(this, nullptr);
  clientSize_ = {Px(attributes_.size.cx), Px(attributes_.size.cy)};
  needsLayout_ = true;
  return true;
}

std::unique_ptr<Control> WindowModel::BuildFromLayout(std::string_view layoutName) {
  const std::optional<MarkupNode> markup = ReadLayout(resources_, layoutName);
  if (!markup) return nullptr;
  LayoutBuilder builder(*this, ControlRegistry::Instance(), createCallback_);
  return builder.Build(*markup, false);
}

Control* WindowModel::FindControl(std::wstring_view name) const {
  return root_ ? root_->FindByName(name) : nullptr;
}

Control* WindowModel::FindControlAt(Point point) const { return root_ ? root_->FindAt(point) : nullptr; }

void WindowModel::ForEachControl(const std::function<void(Control&)>& visit) const {
  if (!root_) return;
  std::vector<Control*> pending{root_.get()};
  while (!pending.empty()) {
    Control* control = pending.back();
    pending.pop_back();
    visit(*control);
    if (Container* container = control->AsContainer()) {
      for (int i = container->Count() - 1; i >= 0; --i) pending.push_back(container->ItemAt(i));
    }
  }
}

void WindowModel::SetClientSize(Size size) {
  if (size == clientSize_) return;
  clientSize_ = size;
  needsLayout_ = true;
}

void WindowModel::Layout() {
  needsLayout_ = false;
  if (!root_) return;
  root_->SetPos({0, 0, clientSize_.cx, clientSize_.cy});
  ForEachControl([](Control& control) { control.SyncNativeWindow(); });
  if (treeChanged_) {
    treeChanged_ = false;
    if (host_ != nullptr) host_->AccessibleChanged(nullptr, AccessibleEvent::kReorder);
  }
}

std::vector<Rect> PaintParts(const std::vector<Rect>& region, const Rect& bounds) {
  constexpr size_t kMostParts = 4;
  std::vector<Rect> parts;
  int64_t area = 0;
  for (const Rect& rect : region) {
    const Rect part = rect.Intersect(bounds);
    if (part.IsEmpty()) continue;
    parts.push_back(part);
    area += static_cast<int64_t>(part.Width()) * part.Height();
  }
  const int64_t boundsArea = static_cast<int64_t>(bounds.Width()) * bounds.Height();
  if (parts.empty() || parts.size() > kMostParts || area * 4 >= boundsArea * 3) return {bounds};
  return parts;
}

void WindowModel::Paint(Graphics& graphics, const Rect& dirty) {
  LayoutIfNeeded();
  if (attributes_.bkColor != 0)
    graphics.FillRect({0, 0, clientSize_.cx, clientSize_.cy}, attributes_.bkColor);
  if (root_) root_->Paint(graphics, dirty);
  PaintFocusRing(graphics, dirty);
}

void WindowModel::SetScale(int percent) {
  if (percent < kMinScale || percent > kMaxScale || percent == scale_) return;
  scale_ = percent;
  needsLayout_ = true;
  Invalidate({0, 0, clientSize_.cx, clientSize_.cy});
}

ImageDraw WindowModel::ResolveImage(const ImageDesc& image, const Rect& control) const {
  ImageDraw draw;
  std::string path = image.file;
  if (path.empty() && !image.resId.empty()) path = resources_.Map().ImagePath(image.resId).value_or("");
  draw.path = path.empty() ? path : ScaledImageName(path, scale_);
  draw.source = {Px(image.source.left), Px(image.source.top), Px(image.source.right),
                 Px(image.source.bottom)};
  draw.corner = {Px(image.corner.left), Px(image.corner.top), Px(image.corner.right),
                 Px(image.corner.bottom)};
  draw.dest = image.dest.IsEmpty()
                  ? control
                  : Rect{control.left + Px(image.dest.left), control.top + Px(image.dest.top),
                         control.left + Px(image.dest.right), control.top + Px(image.dest.bottom)};
  draw.fade = image.fade;
  draw.xtiled = image.xtiled;
  draw.ytiled = image.ytiled;
  return draw;
}

bool WindowModel::ShadowImage(Size windowSize, ImageDraw& draw) const {
  const WindowAttributes& a = attributes_;
  if (!a.showShadow || a.shadowImage.IsEmpty() || a.shadowSize <= 0) return false;
  ImageDesc image = a.shadowImage;
  image.corner = a.shadowCorner;
  const int margin = ShadowMargin();
  draw = ResolveImage(image, {0, 0, windowSize.cx + 2 * margin, windowSize.cy + 2 * margin});
  return !draw.path.empty();
}

void WindowModel::SetDefaultFont(const std::wstring& face, int size, bool bold, bool underline, bool italic) {
  fonts_.SetDefault({-1, face, size, bold, underline, italic});
  hasOwnDefaultFont_ = true;
  needsLayout_ = true;
  Invalidate({0, 0, clientSize_.cx, clientSize_.cy});
}

FontSpec WindowModel::ScaledFont(int id) const {
  const SharedLayoutData& shared = SharedLayoutData::Instance();
  FontSpec font;
  if (const FontSpec* own = fonts_.Find(id)) {
    font = *own;
  } else if (const FontSpec* common = shared.fonts.Find(id)) {
    font = *common;
  } else if (!hasOwnDefaultFont_ && shared.hasDefaultFont) {
    font = shared.fonts.Default();
  } else {
    font = fonts_.Default();
  }
  font.size = Px(font.size);
  return font;
}

const std::string* WindowModel::FindStyle(std::string_view name) const {
  if (const auto found = styles_.find(name); found != styles_.end()) return &found->second;
  const auto& shared = SharedLayoutData::Instance().styles;
  if (const auto found = shared.find(name); found != shared.end()) return &found->second;
  return nullptr;
}

void WindowModel::AddDefault(std::string_view className, std::string attributeList) {
  defaults_[AsciiLowerCopy(className)] = std::move(attributeList);
}

const std::string* WindowModel::DefaultAttributes(std::string_view className) const {
  const std::string key = AsciiLowerCopy(className);
  if (const auto found = defaults_.find(key); found != defaults_.end()) return &found->second;
  const auto& shared = SharedLayoutData::Instance().defaults;
  if (const auto found = shared.find(key); found != shared.end()) return &found->second;
  return nullptr;
}

std::wstring WindowModel::LookupText(const std::wstring& key) const {
  return resources_.Texts().Get(key.c_str(), textCallback_);
}

void WindowModel::ReloadTexts() { resources_.Texts().Reload(textCallback_); }

void WindowModel::SetTextMetrics(const TextMetrics* metrics) {
  if (metrics == metrics_) return;
  metrics_ = metrics;
  needsLayout_ = true;
}

Size WindowModel::MeasureText(std::wstring_view text, const FontSpec& font) const {
  if (metrics_ != nullptr) return metrics_->MeasureText(text, font);
  // Without a measuring surface: half the font height per character.
  return {static_cast<int>(text.size()) * ((font.size + 1) / 2), font.size};
}

void WindowModel::JoinGroup(Option* option) {
  if (option == nullptr || option->Group().empty()) return;
  std::vector<Option*>& members = groups_[option->Group()];
  if (std::find(members.begin(), members.end(), option) == members.end()) members.push_back(option);
  if (!option->IsSelected()) return;
  for (Option* other : members) {
    if (other != option) other->Selected(false, false);
  }
}

void WindowModel::LeaveGroup(Option* option) { ControlDetached(option); }

std::vector<Option*> WindowModel::OptionGroup(const std::wstring& group) const {
  const auto found = groups_.find(group);
  return found == groups_.end() ? std::vector<Option*>{} : found->second;
}

void WindowModel::AddVirtualWnd(const std::wstring& name, NotifyPump* target) {
  if (!name.empty() && target != nullptr) virtualWnds_[name] = target;
}

void WindowModel::RemoveVirtualWnd(const std::wstring& name) { virtualWnds_.erase(name); }

void WindowModel::SendNotify(Notification& notification) {
  ++dispatchDepth_;
  Route(notification);
  if (--dispatchDepth_ > 0) return;
  // Taken out first: a destructor must not find the list half destroyed.
  std::vector<std::unique_ptr<Control>> disposed;
  disposed.swap(disposedDuringDispatch_);
}

void WindowModel::Dispose(std::unique_ptr<Control> control) {
  if (control && dispatchDepth_ > 0) disposedDuringDispatch_.push_back(std::move(control));
}

void WindowModel::Route(Notification& notification) {
  if (handler_ != nullptr && handler_->HandleNotification(notification)) return;
  if (!notification.virtualWnd.empty()) {
    const auto target = virtualWnds_.find(notification.virtualWnd);
    if (target != virtualWnds_.end()) {
      target->second->Dispatch(notification);
      return;
    }
  }
  ownHandlers_.Dispatch(notification);
}

void WindowModel::Invalidate(const Rect& rect) {
  if (host_ != nullptr && !rect.IsEmpty()) host_->Invalidate(rect);
}

void WindowModel::StartAnimation(Control* control) {
  if (control == nullptr) return;
  if (host_ == nullptr || !host_->RequestAnimationFrames()) {
    control->FinishAnimation();
    return;
  }
  if (std::find(animating_.begin(), animating_.end(), control) == animating_.end())
    animating_.push_back(control);
}

bool WindowModel::AdvanceAnimations(int elapsedMs) {
  // A step may start or end other animations; step a copy and keep what still runs.
  const std::vector<Control*> running = animating_;
  for (Control* control : running) {
    if (std::find(animating_.begin(), animating_.end(), control) == animating_.end()) continue;
    if (!control->StepAnimation(elapsedMs)) {
      animating_.erase(std::remove(animating_.begin(), animating_.end(), control), animating_.end());
    }
  }
  return !animating_.empty();
}

void WindowModel::ControlDetached(Control* control) {
  animating_.erase(std::remove(animating_.begin(), animating_.end(), control), animating_.end());
  for (auto& [name, members] : groups_) {
    members.erase(
        std::remove_if(members.begin(), members.end(),
                       [control](Option* option) { return static_cast<Control*>(option) == control; }),
        members.end());
  }
  if (hot_ == control) hot_ = nullptr;
  if (pushed_ == control) pushed_ = nullptr;
  if (focused_ == control) focused_ = nullptr;
  if (const auto id = accessibleIds_.find(control); id != accessibleIds_.end()) {
    accessibleControls_.erase(id->second);
    accessibleIds_.erase(id);
  }
  if (defaultButton_ == control) defaultButton_ = nullptr;
  if (cancelButton_ == control) cancelButton_ = nullptr;
  if (static_cast<Control*>(dragBox_) == control) dragBox_ = nullptr;
}

}  // namespace ui
