// SPDX-License-Identifier: GPL-3.0-or-later
// corvel-cli print runs corvel-cli-print, the one part of corvel-cli that
// draws with Qt: the other commands then start without loading Qt at all.
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "commands.h"

extern char** environ;

namespace cli {

int runPrintProgram(const std::vector<std::string>& args, CommandIo io)
{
#ifdef CORVEL_PRINT_PROGRAM
    // Found from this program's own place, so that the build tree and every
    // install prefix work alike.
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !self.is_absolute()) {
        io.err << "corvel-cli print: cannot find the printing program: " << ec.message() << "\n";
        return kExitBadInput;
    }
    const std::string program = (self.parent_path() / CORVEL_PRINT_PROGRAM).lexically_normal().string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    io.out.flush();
    io.err.flush();
    pid_t child = 0;
    const int failed = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (failed) {
        io.err << "corvel-cli print: cannot run " << program << ": " << std::strerror(failed) << "\n";
        return kExitBadInput;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) {
            io.err << "corvel-cli print: lost " << program << ": " << std::strerror(errno) << "\n";
            return kExitBadInput;
        }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    io.err << "corvel-cli print: " << program << " ended by signal " << WTERMSIG(status) << "\n";
    return kExitBadInput;
#else
    (void)args;
    io.err << "corvel-cli print: not available in this build (it was built without Qt)\n";
    return kExitBadInput;
#endif
}

} // namespace cli
