// The check every wave file passes before it reaches the platform's sound
// player: a file that lies about its length can keep a player's loader busy
// for ever, and a format the game never uses has no business being played.
#pragma once

#include <string>

// Largest wave file the game reads; its own sounds are a few hundred KiB.
constexpr size_t MAX_WAVE_BYTES = 16u << 20;

// True for a RIFF/WAVE file whose chunks all lie within the file, with one
// "fmt " chunk of uncompressed PCM (1 or 2 channels, 8 or 16 bits, a rate of
// 8000 to 48000 Hz, consistent block sizes) and a non-empty "data" chunk
// after it.
bool IsPlayableWave(const std::string& bytes);
