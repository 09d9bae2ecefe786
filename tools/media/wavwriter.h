// Writes mono 16-bit PCM WAVE files.
#pragma once

#include <string>
#include <vector>

namespace media {

// Samples are in [-1, 1]; anything outside is clipped. Returns false when the file cannot
// be written.
bool writeWav(const std::string &path, const std::vector<double> &samples, int sampleRate);

} // namespace media
