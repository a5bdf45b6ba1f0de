#include <ostream>

#include "commands.h"

namespace cli {

int runPrint(const std::vector<std::string>&, CommandIo io)
{
    io.err << "corvel-cli print: not available yet\n";
    return kExitBadInput;
}

} // namespace cli
