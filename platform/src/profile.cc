#include "platform/profile.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "ini_text.h"
#include "platform/files.h"
#include "whole_file.h"

namespace platform {
namespace {

std::optional<std::string> ReadValue(const char* section, const char* key, const char* file) {
  if (section == nullptr || key == nullptr || file == nullptr) return std::nullopt;
  const auto content = ReadWholeFile(ToFileSystemPath(file));
  if (!content || !content->exists) return std::nullopt;
  const auto value = FindIniValue(content->bytes, section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

// An optional sign and at least one decimal digit, nothing else; wraps modulo 2^32.
std::optional<unsigned> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10u + static_cast<unsigned>(c - '0');
  }
  return negative ? 0u - value : value;
}

}  // namespace

unsigned GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* file) {
  const auto value = ReadValue(section, key, file);
  const auto number = value ? ParseDecimal(*value) : std::nullopt;
  return number ? *number : static_cast<unsigned>(defaultValue);
}

std::size_t GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                    char* buffer, std::size_t size, const char* file) {
  if (buffer == nullptr || size == 0) return 0;
  const auto value = ReadValue(section, key, file);
  const std::string_view text = value ? std::string_view(*value) : defaultValue ? defaultValue : "";
  const std::size_t copied = std::min(text.size(), size - 1);
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  return copied;
}

bool WritePrivateProfileString(const char* section, const char* key, const char* value, const char* file) {
  const ProfileChange change{section, key, value};
  return WritePrivateProfileChanges(std::span(&change, 1), file);
}

bool WritePrivateProfileChanges(std::span<const ProfileChange> changes, const char* file) {
  if (file == nullptr) return false;
  for (const ProfileChange& change : changes) {
    if (change.section == nullptr || !IsWritableIniSection(change.section)) return false;
    if (change.key != nullptr && !IsWritableIniKey(change.key)) return false;
    if (change.value != nullptr && !IsWritableIniValue(change.value)) return false;
  }
  const std::string path = ToFileSystemPath(file);
  const auto content = ReadWholeFile(path);
  if (!content) return false;
  std::string updated = content->bytes;
  for (const ProfileChange& change : changes) {
    updated = change.key == nullptr     ? DeleteIniSection(updated, change.section)
              : change.value == nullptr ? DeleteIniKey(updated, change.section, change.key)
                                        : SetIniValue(updated, change.section, change.key, change.value);
  }
  if (updated == content->bytes && (content->exists || updated.empty())) return true;
  return ReplaceWholeFile(path, updated);
}

}  // namespace platform
