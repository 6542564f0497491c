// Every field of the world by the name the rules give it: the one table that
// orchidia-sim's --dump writes and its script's "set" writes into.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class FieldType {
    I32,        // int32_t
    I64,        // int64_t
    F32,        // float
    TEXT,       // a text reference (null reads as empty)
    BUFFER,     // a text buffer of NAME_BUF_SIZE bytes
    RAND,       // the generator's state, through its accessors
};

struct WorldField {
    std::string name;   // "gameYear", "companies[4].holdings[7]", "assetRanking[3][1]"
    FieldType type;
    void* where;        // null for RAND
    bool constant;      // named by the rules but never changed: dumped, never set
};

// The whole table, built once; every array element is a row of its own.
const std::vector<WorldField>& WorldFields();
// The row of that name, or null.
const WorldField* FindWorldField(const std::string& name);

// A field's value as the dump writes it.
std::string FieldValue(const WorldField& field);

// One line "name value" per field: integers in decimal, floats as %.9g,
// texts as their code page 932 bytes.
std::string DumpWorld();

// Reads all of text as a signed decimal number; false when it is not one or
// does not fit in 64 bits.
bool ReadWholeNumber(const std::string& text, int64_t& value);

// Checks that a number may be written into a field; on failure says why.
bool CanSetWorldField(const WorldField& field, const std::string& value, std::string& why);
// Writes a number checked by CanSetWorldField.
void SetWorldField(const WorldField& field, const std::string& value);

// Every field (and the dialogs' own state) back to its value at program
// start, so that one process can run one game after another.
void ResetWholeWorld();
