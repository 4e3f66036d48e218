#include "controls/custom_controls.h"

#include "controls/chart_view.h"
#include "controls/circle_progress.h"
#include "controls/wnd_ui.h"
#include "ui/control_factory.h"

std::unique_ptr<ui::Control> CreateCircleProgress() { return std::make_unique<CCircleProgressUI>(); }

void RegisterCustomControls() {
  ui::ControlRegistry& registry = ui::ControlRegistry::Instance();
  registry.Register("CCircleProgressUI", CreateCircleProgress);
  registry.Register("CMyComboUI", [] { return std::make_unique<CMyComboUI>(); });
  registry.Register("CChartViewUI", [] { return std::make_unique<CChartViewUI>(); });
  registry.Register("CWndUI", [] { return std::make_unique<CWndUI>(); });
}
