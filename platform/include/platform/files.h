// File-system services on platform paths.
//
// A platform path is code page 932 text with "\" between directories. It is turned into a
// file-system path by converting it to UTF-8 first and then "\" to "/", so a trail byte 0x5C
// ("ソ", "表") is never taken for a separator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/api.h"

namespace platform {

// The file-system (UTF-8, "/"-separated) form of a platform path.
PLATFORM_API std::string ToFileSystemPath(std::string_view platformPath);
// The platform form (code page 932, "\"-separated) of a file-system path.
PLATFORM_API std::string ToPlatformPath(std::string_view fileSystemPath);
// A platform path as a message shows it to the user: platform text with "/" between directories,
// as this system writes paths ("\tmp\out\bad.cef" shows as "/tmp/out/bad.cef").
PLATFORM_API std::string ToDisplayPath(std::string_view platformPath);

// Whether a file or directory exists at the platform path.
PLATFORM_API bool PathExists(std::string_view platformPath);

// Creates every missing directory of a file path (everything before its last "\"); the last
// element is taken for a file name and is not created. Returns false when a directory cannot be
// created, for instance where a file stands in its place.
PLATFORM_API bool MakeSureDirectoryPathExists(std::string_view platformPath);

// The directory of the running program (from /proc/self/exe), as a file-system path without a
// trailing "/"; empty when the system does not tell.
PLATFORM_API std::string ProgramDirectory();

// Looks for a file name with no directory in the running program's directory, then the current
// directory, then each directory of PATH (relative entries taken from the current directory);
// a directory of that name is no hit. Writes the full path into `buffer` and returns its length;
// returns 0, with `buffer` empty, when not found, when the name has a directory, or when the path
// and its terminator do not fit. The path is platform text that keeps the file system's "/"
// (byte for byte the file-system path when that is ASCII), so the profile functions and
// ToFileSystemPath take it as it is; a directory that code page 932 cannot spell is passed over.
PLATFORM_API std::size_t SearchPath(const char* fileName, char* buffer, std::size_t size);

// The notes.ini of the Notes program directory, as the client, the plug-in and the setup program
// all find it: the first hit of SearchPath for "notes.ini" (the running program's directory
// first) whose full path fits a buffer of 260 bytes with its terminator. Its platform path, with
// "\" between directories, or "" when there is none.
PLATFORM_API std::string FindNotesIni();

// Makes `content` the file at `fileSystemPath` by writing a temporary file in the same directory
// and renaming it over the old one, which keeps its permissions (a symbolic link keeps pointing
// at the replaced file): a reader sees the old file or the new one, never a mix. A new file is
// created when the directory exists. Returns false, with the old file untouched and no temporary
// file left, when any step fails or when the old file is not a writable regular file.
PLATFORM_API bool ReplaceWholeFile(const std::string& fileSystemPath, std::string_view content);

}  // namespace platform
