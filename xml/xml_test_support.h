// Tests only: a Notes session in throwing mode, databases made with the test builder, the entries
// of a view, scratch folders, and xmllint as the judge of well-formedness.
#pragma once

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/files.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "columns/export_view_params.h"
#include "columns/view_entry_list.h"
#include "host/core.h"
#include "host/notes.h"
#include "host/testing/builder.h"

namespace xml_test {

// The session every test uses; started once, in throwing mode as the plug-in runs.
inline LNNotesSession& Session() {
  static LNNotesSession* session = [] {
    auto* started = new LNNotesSession;
    EXPECT_EQ(started->Initialize(), host::kNoError);
    LNSetThrowAllErrorsGlobal(TRUE);
    return started;
  }();
  return *session;
}

inline LNDatabase OpenDatabase(host::testing::DatabaseBuilder& builder) {
  LNDatabase database;
  EXPECT_EQ(Session().GetDatabase(builder.Register(), &database), host::kNoError);
  return database;
}

// The document with note ID `id`, fetched as the run fetches it (not open).
inline LNDocument Fetch(const LNDatabase& database, NOTEID id) {
  LNDocument document;
  database.GetNote(id, &document);
  return document;
}

// Every entry of the view, category rows included, in view order.
inline std::vector<ViewEntry> Entries(host::testing::DatabaseBuilder& builder, NOTEID viewId) {
  CoreCollectionHandle collection = 0;
  EXPECT_EQ(CoreOpenCollection(builder.Register(), viewId, &collection), host::kNoError);
  ExportViewParams params;
  params.SetCollectionHandle(collection);
  ViewEntryList list;
  EXPECT_EQ(list.ReadView(params, true), host::kNoError);
  CoreCloseCollection(collection);
  std::vector<ViewEntry> entries;
  for (std::size_t i = 0; i < list.GetCount(); ++i) entries.push_back(list.GetEntry(i));
  return entries;
}

// A new empty folder, removed with everything in it at destruction.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nvorpel-xml-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    EXPECT_FALSE(path_.empty());
  }
  ~ScratchDir() { std::filesystem::remove_all(path_); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  // `name` inside the folder as a platform path ("\" between directories).
  std::string PlatformPath(const std::string& name) const { return platform::ToPlatformPath(path_ + "/" + name); }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What xmllint says about `file` as a whole XML file: "" when it is well formed. A Shift_JIS
// declaration is read as code page 932 (libxml2's Shift_JIS table lacks the NEC and IBM rows).
inline std::string XmlLintComplaints(std::string file) {
  const std::string shiftJis = "encoding=\"Shift_JIS\"";
  if (const auto at = file.find(shiftJis); at != std::string::npos && at < 64) {
    file.replace(at, shiftJis.size(), "encoding=\"CP932\"");
  }
  ScratchDir dir;
  const std::string path = dir.path() + "/lint.xml";
  std::ofstream(path, std::ios::binary) << file;
  FILE* pipe = popen(("xmllint --noout '" + path + "' 2>&1").c_str(), "r");
  if (!pipe) return "xmllint could not be started";
  std::string output;
  char buffer[512];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  const int status = pclose(pipe);
  if (status != 0 && output.empty()) return "xmllint failed without a word (is libxml2-utils installed?)";
  return status == 0 ? std::string() : output;
}

// xmllint's complaints about `docs`, one or more doc elements in platform text, inside a
// Shift_JIS file's database element.
inline std::string DocLintComplaints(const std::string& docs) {
  return XmlLintComplaints("<?xml version=\"1.0\"?>\n<database>\n" + docs + "</database>\n");
}

}  // namespace xml_test
