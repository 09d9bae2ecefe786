#pragma once

// Makes every window of the program known to the window registry by its name, so that
// windows can refer to each other by name.
void registerAllWindows();
