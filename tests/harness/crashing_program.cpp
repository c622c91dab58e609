// Ends the way it is told to, for the check that a crash is named:
//   crashing_program access-violation | throw
#include <cstring>
#include <stdexcept>

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "access-violation") == 0) {
    volatile int* nowhere = nullptr;
    return *nowhere;
  }
  if (argc == 2 && std::strcmp(argv[1], "throw") == 0) throw std::runtime_error("thrown on purpose");
  return 2;
}
