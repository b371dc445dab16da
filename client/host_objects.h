// What the client opens in the host for one command: the database, the collection of the view
// to export and the ID table of the selected documents. Each is released with its object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <host/core.h>

namespace client {

// The host's message text of a status, in the locale's character set, with the status in front
// ("104 : ...").
std::string StatusText(STATUS status);

class Database {
 public:
  // Reads the DXL files as one database reporting `server` (UTF-8); throws ClientError.
  Database(const std::vector<std::string>& dxlFiles, const std::string& server);
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();
  CoreDatabaseHandle Handle() const { return handle_; }

 private:
  CoreDatabaseHandle handle_ = 0;
};

class Collection {
 public:
  Collection() = default;
  explicit Collection(CoreCollectionHandle handle) : handle_(handle) {}
  Collection(const Collection&) = delete;
  Collection& operator=(const Collection&) = delete;
  ~Collection();
  CoreCollectionHandle Handle() const { return handle_; }

 private:
  CoreCollectionHandle handle_ = 0;
};

class IdTable {
 public:
  // Throws ClientError when the host cannot make the table.
  explicit IdTable(const std::vector<std::uint32_t>& noteIds);
  IdTable(const IdTable&) = delete;
  IdTable& operator=(const IdTable&) = delete;
  ~IdTable();
  CoreIdTableHandle Handle() const { return handle_; }

 private:
  CoreIdTableHandle handle_ = 0;
};

}  // namespace client
