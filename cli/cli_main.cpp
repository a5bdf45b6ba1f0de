// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "commands.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return cli::runCli(args, {std::cin, std::cout, std::cerr});
}
