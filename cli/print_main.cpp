// SPDX-License-Identifier: GPL-3.0-or-later
// corvel-cli-print: the print command of corvel-cli, which runs it with the
// command's arguments.
#include <iostream>

#include "commands.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return cli::runPrint(args, {std::cin, std::cout, std::cerr});
}
