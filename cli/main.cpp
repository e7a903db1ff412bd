#include <iostream>
#include <string>
#include <vector>

#include "app/paths.h"
#include "cli/q804ctl.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return q804::cli::RunQ804ctl(args, std::cout, std::cerr, q804::CurrentExecutablePath());
}
