#pragma once
// The database engine object and its workspaces.
#include <string_view>

#include "store/database.h"
#include "store/result.h"

namespace store {

class Workspace {
 public:
  Workspace() = default;
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // Opens an existing store for reading. The flags and the connect
  // string are accepted as the desktop engine takes them: a store is never
  // created or changed, and it is not protected, so any password opens it.
  Result<Database> OpenDatabase(std::wstring_view name, bool exclusive = false,
                                bool readOnly = false, std::wstring_view connect = {});
};

class Engine {
 public:
  Engine() = default;
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Workspace 0 is the default workspace and the only one.
  Result<Workspace*> Workspaces(int index);

 private:
  Workspace default_;
};

// The engine object: made on first use, shared for the program's life.
Engine& DBEngine();

}  // namespace store
