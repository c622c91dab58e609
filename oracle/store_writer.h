#pragma once
// Writing an oracle store: the one schema the program reads, for the
// build's store and for the small stores of the tests. Not linked into the
// program, which only ever reads a store.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;

namespace oracle {

class StoreWriter {
 public:
  // A new store at path, replacing any file there, with its tables made
  // and a transaction begun; nothing, with error set, when it cannot be.
  static std::optional<StoreWriter> Create(const std::filesystem::path& path, std::string& error);

  // A lot's stored bytes, as ScrambleOracleText gives them.
  bool AddLot(int id, std::string_view content);
  // A character's stroke count, kept as the text it is given.
  bool AddCharacter(std::wstring_view zi, std::wstring_view strokes);
  // Ends the transaction; rows not committed are lost when the writer goes.
  bool Commit();

  std::string LastError() const;

 private:
  struct CloseDatabase {
    void operator()(sqlite3* db) const;
  };
  explicit StoreWriter(std::unique_ptr<sqlite3, CloseDatabase> db) : db_(std::move(db)) {}
  bool Exec(const char* sql);

  std::unique_ptr<sqlite3, CloseDatabase> db_;
};

}  // namespace oracle
