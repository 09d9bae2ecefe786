#pragma once

// The report windows, known to the window registry by name.
namespace Reports {
void registerWindows();
}
