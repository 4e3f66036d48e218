// Marks on the program's way to its first painted frame. They cost one pointer check unless a
// recorder is set, which the start-up benchmark asks for; the recorder keeps the first time of each
// stage.
#pragma once

namespace ui {

using StartupRecorder = void (*)(const char* stage);

void SetStartupRecorder(StartupRecorder recorder);
void MarkStartup(const char* stage);

}  // namespace ui
