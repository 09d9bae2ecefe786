#pragma once

namespace Readings {
// Makes the readings' windows known to the registry by name.
void registerWindows();
} // namespace Readings
