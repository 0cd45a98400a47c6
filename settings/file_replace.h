// Whole-file reading and replacing for the settings store. A replaced file
// goes from its old content to its new content in one rename, so a reader
// (or a process killed in the middle) only ever sees a complete file.
#pragma once

#include <string>
#include <string_view>

namespace quillmark {

struct FileContent {
  enum class State { kRead, kMissing, kUnreadable };
  State state;
  std::string bytes;  // empty unless kRead
};

// The whole content of the file. kMissing when there is no such file;
// kUnreadable for anything else that stops the reading (a folder, no read
// permission, an I/O error).
FileContent ReadWholeFile(const std::string& path);

// Writes `content` to a new file in the same folder and renames it over
// `path`. The new file keeps the permission bits of the file it replaces,
// and its owner where the process may set it; a file created anew gets the
// usual 0666 less the umask.
//
// Returns false, leaving `path` as it was and no other file behind, when the
// file is read-only (every write permission bit off, which is checked even
// for root, or not writable by this process), is not a regular file, the
// folder has every write bit off or refuses the new file, or any write
// fails.
bool ReplaceFileContent(const std::string& path, std::string_view content);

// Asks the system to put the file's data and its folder's entry on disk.
// Failures are ignored: the content is already in place for every reader.
void SyncToDisk(const std::string& path);

}  // namespace quillmark
