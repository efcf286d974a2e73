#include <iostream>
#include <string>
#include <vector>

#include "cli/TesselCommand.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return Cli::RunTessel(args, std::cin, std::cout, std::cerr);
}
