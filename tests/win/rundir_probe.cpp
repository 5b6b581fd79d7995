// Prints the run directory and the configuration file's path as the program
// computes them, so a test can place it in an unusual folder and compare.
#include <windows.h>

#include <cstdio>

#include "config/config_file.h"

int main() {
  const std::wstring dir = lanzhi::CurrentRunDirectory();
  const lanzhi::ConfigFile config(dir);
  std::printf("%s\n%s\n", lanzhi::NarrowToAnsi(dir).c_str(), config.Path().c_str());
  return 0;
}
