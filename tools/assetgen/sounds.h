// Sound effects of the game, synthesised as mono 22050 Hz samples in
// [-1, 1] and written as 16-bit PCM wave files.
#pragma once

#include <string>
#include <vector>

namespace sound {

constexpr int kRate = 22050;

struct Clip {
    std::string name;  // file name, e.g. "tab.wav"
    std::vector<double> samples;
};

std::vector<Clip> makeAll();
bool writeWav(const std::string& path, const std::vector<double>& samples);

}  // namespace sound
