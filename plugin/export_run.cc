#include "plugin/export_run.h"

#include "messages/note_id_hex.h"

std::string NoteFetchFailure(NOTEID id) {
  return platform::Utf8ToCp932("文書(NOTEID=") + NoteIdHex(id) + platform::Utf8ToCp932(")の取得に失敗しました。");
}
