// The start-up breakdown: with LDW_STARTUP_TRACE naming a file, each stage's time since the process
// was created is written there once the first frame is on screen, one "stage milliseconds" a line.
// Only in the build made for measurement (LDW_MEASUREMENT_BUILD); the product ignores the variable.
#pragma once

void RecordStartupWhenAsked();
