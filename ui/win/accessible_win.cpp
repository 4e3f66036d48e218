// The IAccessible objects of a hosted window. Each object names a control by its accessible id
// (0: the window's client) and looks the control up at every call, so a client may keep an object
// after its control is gone and gets "not connected" instead of a dangling pointer. Calls come on
// the UI thread: the process is a single-threaded apartment.
#include "ui/win/accessible_win.h"

#include <oleacc.h>

#include <string>
#include <vector>

#include "ui/accessible.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/list.h"
#include "ui/window_model.h"

namespace ui {

struct AccessibleLink {
  HWND window = nullptr;
  WindowModel* model = nullptr;  // null once the window is gone
};

namespace {

constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED

long RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kPushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kRadioButton:
      return ROLE_SYSTEM_RADIOBUTTON;
    case AccessibleRole::kCheckBox:
      return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::kList:
      return ROLE_SYSTEM_LIST;
    case AccessibleRole::kListItem:
      return ROLE_SYSTEM_LISTITEM;
    case AccessibleRole::kEditableText:
      return ROLE_SYSTEM_TEXT;
    case AccessibleRole::kAnimation:
      return ROLE_SYSTEM_ANIMATION;
    case AccessibleRole::kStaticText:
    default:
      return ROLE_SYSTEM_STATICTEXT;
  }
}

long StateOf(const Control& control, unsigned state) {
  const std::pair<unsigned, long> bits[] = {
      {kAccessibleFocused, STATE_SYSTEM_FOCUSED},       {kAccessibleFocusable, STATE_SYSTEM_FOCUSABLE},
      {kAccessibleChecked, STATE_SYSTEM_CHECKED},       {kAccessibleSelected, STATE_SYSTEM_SELECTED},
      {kAccessibleSelectable, STATE_SYSTEM_SELECTABLE}, {kAccessibleUnavailable, STATE_SYSTEM_UNAVAILABLE},
      {kAccessibleReadOnly, STATE_SYSTEM_READONLY},     {kAccessibleProtected, STATE_SYSTEM_PROTECTED},
      {kAccessibleAnimated, STATE_SYSTEM_ANIMATED},
  };
  long result = control.IsVisibleInTree() ? 0 : STATE_SYSTEM_INVISIBLE;
  for (const auto& [bit, system] : bits) {
    if (state & bit) result |= system;
  }
  return result;
}

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

class AccessibleObject final : public IAccessible, public IEnumVARIANT {
 public:
  AccessibleObject(std::shared_ptr<AccessibleLink> link, int id) : link_(std::move(link)), id_(id) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == IID_IEnumVARIANT) {
      *out = static_cast<IEnumVARIANT*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: clients call through the vtable.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count != nullptr) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    Control* self = nullptr;
    if (HRESULT hr = Self(self); FAILED(hr)) return hr;
    if (self == nullptr) {
      return AccessibleObjectFromWindow(link_->window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                        reinterpret_cast<void**>(parent));
    }
    *parent = ObjectOf(AccessibleParent(*self));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (count == nullptr) return E_POINTER;
    Control* self = nullptr;
    if (HRESULT hr = Self(self); FAILED(hr)) return hr;
    *count = static_cast<long>(AccessibleChildren(*link_->model, self).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    if (child.lVal == CHILDID_SELF) return E_INVALIDARG;
    *out = ObjectOf(target);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    if (target == nullptr) {
      wchar_t title[256] = {};
      GetWindowTextW(link_->window, title, 256);
      return ReturnText(title, name);
    }
    return ReturnText(Describe(*link_->model, *target).name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    return ReturnText(target != nullptr ? Describe(*link_->model, *target).value : L"", value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    return ReturnText(target != nullptr ? Describe(*link_->model, *target).description : L"", description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    role->vt = VT_I4;
    role->lVal = target == nullptr ? ROLE_SYSTEM_CLIENT : RoleOf(Describe(*link_->model, *target).role);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    state->vt = VT_I4;
    if (target == nullptr) {
      const bool focused = GetFocus() == link_->window && link_->model->FocusedControl() == nullptr;
      state->lVal = STATE_SYSTEM_FOCUSABLE | (focused ? STATE_SYSTEM_FOCUSED : 0);
    } else {
      state->lVal = StateOf(*target, Describe(*link_->model, *target).state);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return ReturnText(L"", help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (topic != nullptr) *topic = 0;
    return ReturnText(L"", file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
    return ReturnText(L"", shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    VariantInit(focus);
    Control* self = nullptr;
    if (HRESULT hr = Self(self); FAILED(hr)) return hr;
    Control* focused = link_->model->FocusedControl();
    if (focused != nullptr && focused == self) {
      focus->vt = VT_I4;
      focus->lVal = CHILDID_SELF;
    } else if (self == nullptr && focused != nullptr && IsAccessible(*focused)) {
      focus->vt = VT_DISPATCH;
      focus->pdispVal = ObjectOf(focused);
    } else if (self == nullptr && GetFocus() == link_->window) {
      focus->vt = VT_I4;
      focus->lVal = CHILDID_SELF;
    }
    return focus->vt == VT_EMPTY ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection == nullptr) return E_POINTER;
    VariantInit(selection);
    Control* self = nullptr;
    if (HRESULT hr = Self(self); FAILED(hr)) return hr;
    const auto* list = dynamic_cast<List*>(self);
    Control* row = list != nullptr ? list->RowAt(list->SelectedIndex()) : nullptr;
    if (row == nullptr) return S_FALSE;
    selection->vt = VT_DISPATCH;
    selection->pdispVal = ObjectOf(row);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    if (target == nullptr) return ReturnText(L"", action);
    switch (Describe(*link_->model, *target).role) {
      case AccessibleRole::kPushButton:
        return ReturnText(L"Press", action);
      case AccessibleRole::kRadioButton:
        return ReturnText(L"Check", action);
      case AccessibleRole::kCheckBox:
        return ReturnText(static_cast<const Option*>(target)->IsSelected() ? L"Uncheck" : L"Check", action);
      case AccessibleRole::kListItem:
        return ReturnText(L"Select", action);
      default:
        return ReturnText(L"", action);
    }
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    if (target == nullptr) return S_FALSE;
    if ((flags & SELFLAG_TAKEFOCUS) && !link_->model->SetFocus(target)) return S_FALSE;
    if (flags & SELFLAG_TAKESELECTION) {
      List* list = OwningList(*target);
      if (list == nullptr || !list->SelectRow(list->RowIndex(target), true)) return S_FALSE;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    RECT r{};
    if (target == nullptr) {
      GetClientRect(link_->window, &r);
    } else {
      const Rect& b = target->GetRect();
      r = {b.left, b.top, b.right, b.bottom};
    }
    MapWindowPoints(link_->window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left, *top = r.top, *width = r.right - r.left, *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (end == nullptr) return E_POINTER;
    VariantInit(end);
    Control* from = nullptr;
    if (HRESULT hr = Target(start, from); FAILED(hr)) return hr;
    std::vector<Control*> row;
    Control* found = nullptr;
    if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
      row = AccessibleChildren(*link_->model, from);
      if (!row.empty()) found = direction == NAVDIR_FIRSTCHILD ? row.front() : row.back();
    } else if ((direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS) && from != nullptr) {
      row = AccessibleChildren(*link_->model, AccessibleParent(*from));
      for (size_t i = 0; i < row.size(); ++i) {
        if (row[i] != from) continue;
        if (direction == NAVDIR_NEXT && i + 1 < row.size()) found = row[i + 1];
        if (direction == NAVDIR_PREVIOUS && i > 0) found = row[i - 1];
      }
    }
    if (found == nullptr) return S_FALSE;
    end->vt = VT_DISPATCH;
    end->pdispVal = ObjectOf(found);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (hit == nullptr) return E_POINTER;
    VariantInit(hit);
    Control* self = nullptr;
    if (HRESULT hr = Self(self); FAILED(hr)) return hr;
    POINT point{x, y};
    ScreenToClient(link_->window, &point);
    RECT client{};
    GetClientRect(link_->window, &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    Control* at = link_->model->FindControlAt({point.x, point.y});
    while (at != nullptr && !IsAccessible(*at)) at = at->Parent();
    if (at == nullptr || at == self) {
      hit->vt = VT_I4;
      hit->lVal = CHILDID_SELF;
    } else {
      hit->vt = VT_DISPATCH;
      hit->pdispVal = ObjectOf(at);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    Control* target = nullptr;
    if (HRESULT hr = Target(child, target); FAILED(hr)) return hr;
    return target != nullptr && link_->model->Press(*target) ? S_OK : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // IEnumVARIANT over the children, as AccessibleChildren asks for them.
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (out == nullptr) return E_POINTER;
    Control* self = nullptr;
    if (HRESULT hr = Self(self); FAILED(hr)) return hr;
    const std::vector<Control*> children = AccessibleChildren(*link_->model, self);
    ULONG given = 0;
    for (; given < count && next_ < children.size(); ++given, ++next_) {
      VariantInit(&out[given]);
      out[given].vt = VT_DISPATCH;
      out[given].pdispVal = ObjectOf(children[next_]);
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    next_ += count;
    long children = 0;
    get_accChildCount(&children);
    return next_ <= static_cast<size_t>(children) ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (out == nullptr) return E_POINTER;
    auto* copy = new AccessibleObject(link_, id_);
    copy->next_ = next_;
    *out = copy;
    return S_OK;
  }

 private:
  ~AccessibleObject() = default;

  // The control this object stands for: null for the window's client.
  HRESULT Self(Control*& self) const {
    self = nullptr;
    if (link_->model == nullptr) return CO_E_OBJNOTCONNECTED;
    if (id_ == 0) return S_OK;
    self = link_->model->ControlByAccessibleId(id_);
    return self != nullptr ? S_OK : CO_E_OBJNOTCONNECTED;
  }
  // The control a call names: this object's, or a child by its id.
  HRESULT Target(const VARIANT& child, Control*& target) const {
    if (HRESULT hr = Self(target); FAILED(hr)) return hr;
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) return S_OK;
    target = child.lVal > 0 ? link_->model->ControlByAccessibleId(child.lVal) : nullptr;
    return target != nullptr ? S_OK : E_INVALIDARG;
  }
  IDispatch* ObjectOf(Control* control) const {
    return new AccessibleObject(link_, control != nullptr ? link_->model->AccessibleId(control) : 0);
  }

  std::shared_ptr<AccessibleLink> link_;
  int id_;
  ULONG refs_ = 1;
  size_t next_ = 0;
};

}  // namespace

AccessibleWindow::AccessibleWindow(HWND window, WindowModel& model)
    : link_(std::make_shared<AccessibleLink>(AccessibleLink{window, &model})) {}

AccessibleWindow::~AccessibleWindow() { link_->model = nullptr; }

LRESULT AccessibleWindow::GetObject(WPARAM wParam, LPARAM objectId, Control* control) {
  if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT) || link_->model == nullptr) return 0;
  auto* object = new AccessibleObject(link_, control != nullptr ? link_->model->AccessibleId(control) : 0);
  const LRESULT result = LresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(object));
  object->Release();
  return result;
}

void AccessibleWindow::FocusChanged(Control* focused) {
  if (focused == nullptr || dynamic_cast<Edit*>(focused) != nullptr || link_->model == nullptr) return;
  NotifyWinEvent(EVENT_OBJECT_FOCUS, link_->window, OBJID_CLIENT, link_->model->AccessibleId(focused));
}

void AccessibleWindow::Changed(Control* control, AccessibleEvent event) {
  if (link_->model == nullptr) return;
  const LONG child = control != nullptr ? link_->model->AccessibleId(control) : CHILDID_SELF;
  switch (event) {
    case AccessibleEvent::kNameChange:
      NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, link_->window, OBJID_CLIENT, child);
      break;
    case AccessibleEvent::kStateChange:
      NotifyWinEvent(EVENT_OBJECT_STATECHANGE, link_->window, OBJID_CLIENT, child);
      break;
    case AccessibleEvent::kValueChange:
      NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, link_->window, OBJID_CLIENT, child);
      break;
    case AccessibleEvent::kNewLine:
      // The newest line is the log's description; readers that know live regions read it out.
      NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, link_->window, OBJID_CLIENT, child);
      NotifyWinEvent(kLiveRegionChanged, link_->window, OBJID_CLIENT, child);
      break;
    case AccessibleEvent::kReorder:
      NotifyWinEvent(EVENT_OBJECT_REORDER, link_->window, OBJID_CLIENT, child);
      break;
  }
}

}  // namespace ui
