#include "platform/help_file.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "platform/cp932.h"
#include "platform/files.h"
#include "whole_file.h"

namespace platform {
namespace {

// The file itself, or the one entry of its directory whose name differs only in ASCII case.
std::optional<std::string> ExistingFile(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::is_regular_file(path, error)) return path;
  const fs::path wanted(path);
  const fs::path directory = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
  for (const auto& entry : fs::directory_iterator(directory, error)) {
    if (EqualsIgnoringAsciiCase(entry.path().filename().string(), wanted.filename().string()) &&
        entry.is_regular_file(error))
      return entry.path().string();
  }
  return std::nullopt;
}

std::optional<unsigned long> ContextNumber(std::string_view word) {
  int base = 10;
  if (word.starts_with("0x") || word.starts_with("0X")) {
    word.remove_prefix(2);
    base = 16;
  }
  unsigned long number = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number, base);
  if (error != std::errc() || end != word.data() + word.size() || word.empty()) return std::nullopt;
  return number;
}

void EndTopic(std::vector<HelpTopic>& topics) {
  if (topics.empty()) return;
  std::string& text = topics.back().text;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
}

}  // namespace

std::optional<std::string> FindHelpFile(std::string_view platformPath) {
  return ExistingFile(ToFileSystemPath(platformPath));
}

std::optional<std::vector<HelpTopic>> ReadHelpFile(std::string_view platformPath) {
  const auto path = FindHelpFile(platformPath);
  if (!path) return std::nullopt;
  const auto file = ReadWholeFile(*path);
  if (!file || !file->exists) return std::nullopt;

  std::vector<HelpTopic> topics;
  std::string_view rest = file->bytes;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with("@ ")) {
      const std::string_view head = line.substr(2);
      const std::size_t blank = head.find(' ');
      if (const auto context = ContextNumber(head.substr(0, blank))) {
        EndTopic(topics);
        const std::string_view title = blank == std::string_view::npos ? std::string_view() : head.substr(blank + 1);
        topics.push_back({*context, std::string(title), {}});
        continue;
      }
    }
    if (topics.empty()) continue;
    std::string& text = topics.back().text;
    if (!text.empty() || !line.empty()) text.append(line).append("\n");
  }
  EndTopic(topics);
  if (topics.empty()) return std::nullopt;
  return topics;
}

const HelpTopic* FindHelpTopic(const std::vector<HelpTopic>& topics, unsigned long context) {
  for (const HelpTopic& topic : topics)
    if (topic.context == context) return &topic;
  return nullptr;
}

}  // namespace platform
