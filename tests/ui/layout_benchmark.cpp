// How long the main window's tree takes: attach the packed skin, read res.xml, build main.xml with
// its includes and lay it out at 700 x 500; and a new layout pass of a built tree.
#include <benchmark/benchmark.h>

#include "tests/test_paths.h"
#include "ui/resources.h"
#include "ui/shared_layout_data.h"
#include "ui/window_model.h"

namespace {

void BuildAndLayOutMainWindow(benchmark::State& state) {
  const std::vector<uint8_t> zip = PackedSkin();
  for (auto _ : state) {
    ui::SharedLayoutData::Instance().Clear();
    ui::Resources resources;
    if (!resources.AttachArchive(zip.data(), zip.size()) || !resources.LoadResourceMap("res.xml")) {
      state.SkipWithError("the packed skin does not open");
      break;
    }
    ui::WindowModel window(resources);
    if (!window.Load("XML_MAIN")) {
      state.SkipWithError("main.xml does not load");
      break;
    }
    window.SetClientSize({700, 500});
    window.Layout();
    benchmark::DoNotOptimize(window.Root());
  }
}
BENCHMARK(BuildAndLayOutMainWindow)->Unit(benchmark::kMillisecond);

void LayOutMainWindowAgain(benchmark::State& state) {
  const std::vector<uint8_t> zip = PackedSkin();
  ui::SharedLayoutData::Instance().Clear();
  ui::Resources resources;
  resources.AttachArchive(zip.data(), zip.size());
  resources.LoadResourceMap("res.xml");
  ui::WindowModel window(resources);
  if (!window.Load("XML_MAIN")) {
    state.SkipWithError("main.xml does not load");
    return;
  }
  int width = 700;
  for (auto _ : state) {
    width = width == 700 ? 701 : 700;  // a new size each time, as a drag-resize gives
    window.SetClientSize({width, 500});
    window.Layout();
  }
}
BENCHMARK(LayOutMainWindowAgain)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
