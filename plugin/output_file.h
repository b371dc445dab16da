// The file an export writes: bytes as given, no translation of line ends.
#pragma once

#include <string>
#include <string_view>

// Open from construction to destruction (or Close). Each Flush puts everything written since
// the previous one on disk; when that fails, the file is cut back to what the previous Flush
// completed and the failure is thrown as a CFileException*.
class OutputFile {
 public:
  // Opens `platformPath` for writing: at its end when `append` (created when missing), otherwise
  // created or truncated. Throws host::kErrFileOpen (0x102) when it cannot be opened; nothing is
  // created then.
  OutputFile(std::string platformPath, bool append);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  void Write(std::string_view bytes) { pending_.append(bytes); }
  void Flush();
  // Flushes and closes; a failed flush is thrown as Flush does, with the file closed.
  void Close();

 private:
  std::string platformPath_;
  int descriptor_ = -1;
  std::string pending_;
  long long committed_ = 0;  // the file's length after the last complete flush
};
