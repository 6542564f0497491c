// Files of the working directory: saves, pictures and sounds. Only regular
// files are read, and reading never waits (a named pipe or a device in the
// place of a file is refused without being opened). A file is replaced by
// writing a fresh file of our own and renaming it over the old one, so that a
// failed write leaves the old file as it was and no link is ever followed.
#pragma once

#include <cstddef>
#include <string>

enum class FileRead {
    OK,
    MISSING,       // nothing of that name
    NOT_REGULAR,   // a directory, pipe, device or socket
    UNREADABLE,    // there, but not ours to read (permissions, an I/O error)
    TOO_LARGE,     // longer than the caller accepts
};

// Reads the whole of a regular file, at most maxBytes of it.
FileRead ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes);

enum class PathKind {
    NONE,      // nothing of that name
    REGULAR,   // a regular file
    LINK,      // a symbolic link, whatever it points to
    OTHER,     // a directory, pipe, device or socket
};

// What stands at path, looked at without opening or following it.
PathKind KindOfPath(const std::string& path);

// Writes data to a new file in path's folder (created exclusively, so never
// through a link or over a file that someone else made), flushes it to the
// disk and renames it to path. A link named path is replaced by the file.
// Returns false, with path untouched and nothing left behind, on failure.
bool ReplaceFile(const std::string& path, const std::string& data);
