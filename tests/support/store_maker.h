#pragma once
// Small oracle stores for tests, written with the builder's own schema.
#include <string>
#include <vector>

namespace testing_support {

struct StoreLot {
  int id;
  std::wstring text;  // scrambled with the program's own code on writing
};

struct StoreChar {
  std::wstring zi;
  std::wstring bh;
};

// Writes a store file with tables vesha and hanzi; false if it cannot.
bool WriteStore(const std::wstring& path, const std::vector<StoreLot>& lots,
                const std::vector<StoreChar>& chars = {});

// Runs SQL statements against a store file, to spoil it.
bool ExecOnStore(const std::wstring& path, const std::string& sql);

// Rebuilds both tables, rows kept, without the keys and NOT NULL rules of
// the real schema, and with bh of no type: for tests of stores that no
// builder writes, with Null fields, numbers as counts or lots stored twice.
bool LoosenStore(const std::wstring& path);

// Writes a file that is not a store.
bool WriteFile(const std::wstring& path, const std::string& bytes);

}  // namespace testing_support
