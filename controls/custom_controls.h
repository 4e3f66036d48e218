// Registration of the program's own control classes with the framework's factory.
#pragma once

#include <memory>

#include "ui/control.h"

// "CCircleProgressUI", "CMyComboUI", "CChartViewUI", "CWndUI", in that order.
void RegisterCustomControls();
std::unique_ptr<ui::Control> CreateCircleProgress();
