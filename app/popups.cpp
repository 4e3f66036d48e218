#include "app/popups.h"

#include <string>

#include "context/system_error.h"
#include "context/ui_messages.h"
#include "ui/container.h"
#include "ui/label.h"
#include "ui/utf.h"

void InitAboutPopup(ui::WindowModel& model) {
  if (ui::Control* version = model.FindControl(L"app_version")) version->SetText(L"V1.0.01");
  if (ui::Control* time = model.FindControl(L"app_time")) time->SetText(L"Revised Date:          2024-07-24 11:52:16");
}

void FillLanguageList(ui::WindowModel& model, const LanguageTable& languages, uint16_t current) {
  auto* list = dynamic_cast<ui::Container*>(model.FindControl(L"verLanList"));
  if (list == nullptr) return;
  for (const auto& [langId, language] : languages) {
    auto* option = static_cast<ui::Option*>(list->Add(std::make_unique<ui::Option>()));
    option->SetAttribute("resourcetext", "true");
    option->SetAttribute("text", ui::WideToUtf8(language.key));
    option->SetAttribute("userdata", std::to_string(langId));
    option->SetAttribute("name", "radiolan");
    option->SetAttribute("style", "radio_style");
    option->SetAttribute("autocalcwidth", "true");
    option->SetAttribute("minwidth", "180");
    option->SetAttribute("align", "left");
    option->SetAttribute("group", "lanGroup");
    option->SetAttribute("textpadding", "20,0,6,0");
    option->SetAttribute("selected", langId == current ? "true" : "false");
  }
  model.MarkForLayout();
}

bool SwitchLanguage(CAppContext& context, ui::Resources& resources, uint16_t langId,
                    const std::function<void()>& repaintPopup) {
  const auto found = context.m_languages.find(langId);
  if (found == context.m_languages.end()) return false;
  context.m_curLangId = langId;
  resources.LoadLanguage(ui::WideToUtf8(found->second.file));
  resources.Texts().Reload(nullptr);
  if (repaintPopup) repaintPopup();
  context.platform().messages.Send(context.m_hMainWnd, UM_LANGUAGE_CHANGED, 0, 0);
  SetErrorTextLanguage(found->second.langId);
  return true;
}
