#include "dxl/reader.h"

#include <condition_variable>
#include <cstdio>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "dxl/note.h"
#include "dxl/stored_attachment.h"
#include "dxl/xml_access.h"
#include "dxl/xml_pieces.h"
#include "status_error.h"

namespace host::dxl {
namespace {

struct NoteKind {
  std::string_view element;
  model::NoteClass noteClass;
};
constexpr NoteKind kNoteKinds[] = {
    {"document", model::NoteClass::Document}, {"view", model::NoteClass::View},
    {"folder", model::NoteClass::Folder},     {"form", model::NoteClass::Form},
    {"subform", model::NoteClass::Subform},
};

std::optional<model::NoteClass> NoteClassOf(pugi::xml_node element) {
  for (const NoteKind& kind : kNoteKinds)
    if (IsElement(element, kind.element)) return kind.noteClass;
  return std::nullopt;
}

std::string HexId(std::uint32_t noteId) {
  char text[9];
  std::snprintf(text, sizeof text, "%X", noteId);
  return text;
}

// Hands parsed batches from the thread that reads a file to the one that makes notes of them, one
// batch waiting at a time.
class Handoff {
 public:
  // Leaves `batch` (null: there are no more) for Take; false once the taker has stopped.
  bool Put(std::unique_ptr<XmlBatch> batch) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !waiting_ || stopped_; });
    if (stopped_) return false;
    batch_ = std::move(batch);
    waiting_ = true;
    changed_.notify_all();
    return true;
  }
  // Ends the reading with the reader's failure, which Take throws.
  void Fail(std::exception_ptr failure) {
    std::lock_guard lock(mutex_);
    failure_ = std::move(failure);
    changed_.notify_all();
  }
  // The next batch; null after the last.
  std::unique_ptr<XmlBatch> Take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return waiting_ || failure_; });
    if (failure_) std::rethrow_exception(failure_);
    waiting_ = false;
    changed_.notify_all();
    return std::move(batch_);
  }
  void Stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::unique_ptr<XmlBatch> batch_;
  bool waiting_ = false, stopped_ = false;
  std::exception_ptr failure_;
};

// Collects the notes of all files; note IDs are checked and assigned once every file is read.
class DatabaseBuilder {
 public:
  explicit DatabaseBuilder(std::vector<std::string>& warnings) : warnings_(warnings) {}

  // A <database> file is read a batch of notes at a time; the parsed text of each batch is gone
  // before the next is read, so the memory needed is the model's.
  // Large attachments are left in the file (see AttachmentStore). One thread reads and parses the
  // file's batches while this one makes notes of the batch before.
  void AddFile(const std::string& path) {
    AttachmentStore store{StoredFileOf(path), nullptr};
    XmlPieces file(path, "database");
    const XmlBatch* current = nullptr;
    store.fileOffsetOf = [&](const char* text) { return current ? current->FileOffsetOf(text) : file.FileOffsetOf(text); };
    const AttachmentStore* leaveIn = store.file ? &store : nullptr;
    try {
      if (file.Streamed()) {
        TakeDatabaseAttributes(file.Root());
        Handoff handoff;
        std::thread reader([&] {
          try {
            for (bool last = false; !last;) {
              std::unique_ptr<XmlBatch> batch = file.NextBatch();
              last = !batch;
              if (!handoff.Put(std::move(batch))) return;
            }
          } catch (...) {
            handoff.Fail(std::current_exception());
          }
        });
        const struct Joined {
          Handoff& handoff;
          std::thread& reader;
          ~Joined() {
            handoff.Stop();
            reader.join();
          }
        } joined{handoff, reader};
        while (const std::unique_ptr<XmlBatch> batch = handoff.Take()) {
          current = batch.get();
          for (pugi::xml_node child : batch->Node().children()) AddNoteElement(path, child, leaveIn);
          current = nullptr;
        }
      } else if (!AddNoteElement(path, file.Root(), leaveIn)) {
        throw Malformed{"the root element <" + std::string(LocalName(file.Root())) + "> is not a DXL database or note"};
      }
    } catch (const Malformed& error) {
      throw StatusError{kErrDatabaseRead, path + ": " + error.message};
    }
  }

  model::Database Finish() {
    std::uint32_t next = 0;
    for (const auto& [noteId, note] : database_.notes) next = std::max(next, noteId);
    for (model::Note& note : unnumbered_) {
      next = (next / 4 + 1) * 4;
      note.noteId = next;
      database_.notes.emplace(next, std::move(note));
    }
    unnumbered_.clear();
    return std::move(database_);
  }

 private:
  void TakeDatabaseAttributes(pugi::xml_node root) {
    if (haveDatabaseRoot_) return;
    haveDatabaseRoot_ = true;
    database_.title = Attr(root, "title");
    database_.filePath = Attr(root, "path");
    database_.replicaId = Attr(root, "replicaid");
  }

  // Reads `element` when it is a note; false for anything else (skipped).
  bool AddNoteElement(const std::string& path, pugi::xml_node element, const AttachmentStore* store) {
    std::optional<model::NoteClass> noteClass = NoteClassOf(element);
    if (!noteClass && IsElement(element, "note")) {
      const std::string_view declared = Attr(element, "class");
      if (declared == "document") {
        noteClass = model::NoteClass::Document;
      } else {
        warnings_.push_back(path + ": note-format design note skipped (class '" + std::string(declared) + "')");
        return true;
      }
    }
    if (!noteClass) return false;
    ReadNoteResult read;
    try {
      read = ReadNote(element, *noteClass, store);
    } catch (Malformed& error) {
      error.message = "<" + std::string(LocalName(element)) + "> " + Describe(element) + error.message;
      throw;
    }
    const std::uint32_t noteId = read.note.noteId;
    if (!read.hasNoteId) {
      unnumbered_.push_back(std::move(read.note));
    } else if (!database_.notes.try_emplace(noteId, std::move(read.note)).second) {
      throw Malformed{"note ID " + HexId(noteId) + " appears twice"};
    }
    return true;
  }

  // Names a note in a message: its name or note ID, where it has one.
  static std::string Describe(pugi::xml_node element) {
    if (const pugi::xml_attribute name = element.attribute("name")) return "'" + std::string(name.value()) + "': ";
    if (const pugi::xml_attribute noteId = FirstChild(element, "noteinfo").attribute("noteid"))
      return std::string(noteId.value()) + ": ";
    return "";
  }

  std::vector<std::string>& warnings_;
  model::Database database_;
  std::vector<model::Note> unnumbered_;
  bool haveDatabaseRoot_ = false;
};

}  // namespace

model::Database ReadFiles(const std::vector<std::string>& fileSystemPaths, std::vector<std::string>& warnings) {
  DatabaseBuilder builder(warnings);
  for (const std::string& path : fileSystemPaths) builder.AddFile(path);
  return builder.Finish();
}

}  // namespace host::dxl
