// Save files "save%d.dat": 1305 lines of code page 932 text, CR LF, one value
// a line. Loading is all or nothing; saving goes through a temporary file so
// that a failed save leaves the previous file intact.
#pragma once

#include <cstdint>
#include <string>

#include "world/port.h"

constexpr int SAVE_FILE_LINES = 1305;

// "save%d.dat" for slot 1..4.
std::string SaveFileName(int slot);

// The persistent part of the world as the file's bytes.
std::string SerializeSaveData();

// What a reader found wrong: the 1-based line and a reason (code page 932).
struct SaveDataError {
    int line = 0;
    std::string reason;
};

// Checks the bytes of a save file and, when every line reads, writes them
// into the world. On failure the world is left exactly as it was.
bool ApplySaveData(const std::string& bytes, SaveDataError& error);

// "ロード" on a file: the messages of a load, owned by owner. Returns true
// when the game was loaded.
bool LoadGameFile(const std::string& path, WindowId owner);

// "セーブ" on a file: asks before overwriting when askOverwrite is set.
// Returns true when the file was written.
bool SaveGameFile(const std::string& path, WindowId owner, bool askOverwrite);

// The dialog's commands for the chosen slot (saveSlot; 0 = none chosen).
bool LoadGame(int slot, WindowId owner);
bool SaveGame(int slot, WindowId owner);
