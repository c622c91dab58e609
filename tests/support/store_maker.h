#pragma once
// Small oracle stores for tests, written with SQLite directly.
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

// Runs SQL statements against a store file (to make odd rows: Null
// contents, text where bytes belong).
bool ExecOnStore(const std::wstring& path, const std::string& sql);

// Writes a file that is not a store.
bool WriteFile(const std::wstring& path, const std::string& bytes);

}  // namespace testing_support
