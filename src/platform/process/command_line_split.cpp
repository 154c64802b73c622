#include "platform/process/command_line_split.h"

namespace kelvane {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> splitWindowsCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = line.size();

    // The program name: quotes group, nothing is escaped.
    {
        std::string program;
        bool quoted = false;
        while (i < n) {
            char c = line[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (isBlank(c) && !quoted) {
                break;
            } else {
                program.push_back(c);
            }
            ++i;
        }
        args.push_back(program);
    }

    while (true) {
        while (i < n && isBlank(line[i])) ++i;
        if (i >= n) break;

        std::string arg;
        bool quoted = false;
        while (i < n) {
            char c = line[i];
            if (c == '\\') {
                std::size_t slashes = 0;
                while (i < n && line[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && line[i] == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        arg.push_back('"');
                        ++i;
                    }
                    // An even count leaves the quote for the next round.
                } else {
                    arg.append(slashes, '\\');
                }
                continue;
            }
            if (c == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    arg.push_back('"');
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            if (isBlank(c) && !quoted) break;
            arg.push_back(c);
            ++i;
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace kelvane
