// Writes values into a profile file through the system's profile functions,
// one call each, in the order given:
//   quorvin_profile_write FILE SECTION KEY=VALUE...
// The end-to-end checks apply to a copy of a settings file the writes that
// the program's exit makes, and compare the result with what the program
// left: whatever the system's writer does to the rest of the file, it does to
// both. Exit code 0 when every write succeeded.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc < 4)
    return 2;
  for (int i = 3; i < argc; ++i) {
    const std::string pair = argv[i];
    const std::size_t equals = pair.find('=');
    if (equals == std::string::npos)
      return 2;
    if (!::WritePrivateProfileStringA(argv[2], pair.substr(0, equals).c_str(), pair.substr(equals + 1).c_str(),
                                      argv[1])) {
      std::printf("writing %s failed: %lu\n", pair.c_str(), ::GetLastError());
      return 1;
    }
  }
  return 0;
}
