// The About and language popups' behaviour apart from their native windows.
#pragma once

#include <cstdint>
#include <functional>

#include "context/app_context.h"
#include "ui/window_model.h"

void InitAboutPopup(ui::WindowModel& model);

// One radio option per language, in LANGID order, the current one selected.
void FillLanguageList(ui::WindowModel& model, const LanguageTable& languages, uint16_t current);

// Switches the whole program: current language, text table, the popup's repaint, the main
// window's UM_LANGUAGE_CHANGED, then the error-text language. False for a LANGID not in the table.
bool SwitchLanguage(CAppContext& context, ui::Resources& resources, uint16_t langId,
                    const std::function<void()>& repaintPopup);
