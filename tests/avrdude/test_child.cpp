// A child process for the runner's tests: does what its arguments say, in order.
//   out:TEXT / err:TEXT    write TEXT to stdout / stderr (escapes: \r \n \0 \xHH \\)
//   outfill:N / errfill:N  write N bytes to stdout / stderr
//   outline:N              write one line of N bytes to stdout, without a line break
//   errlines:N             write N lines to stderr as avrdude writes a memory dump
//   sleep:MS               sleep
//   grandchild:MS          start a grandchild that keeps both pipes open for MS, then go on
//   signal:N               end by signal N
//   ignoreterm             ignore SIGTERM from now on
//   exit:N                 end with code N (default 0)
//   echoargs               write every later argument on a line of its own to stdout, then end
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

std::string unescape(const char *text)
{
    std::string out;
    for (const char *p = text; *p; ++p) {
        if (*p != '\\' || !p[1]) {
            out += *p;
            continue;
        }
        ++p;
        switch (*p) {
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case '0': out += '\0'; break;
        case 'x': {
            const char hex[3] = {p[1], p[1] ? p[2] : '\0', '\0'};
            out += static_cast<char>(std::strtol(hex, nullptr, 16));
            p += 2;
            break;
        }
        default: out += *p;
        }
    }
    return out;
}

void write_all(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0)
            std::_Exit(99);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void fill(int fd, long count)
{
    char block[65536];
    std::memset(block, 'x', sizeof block);
    block[sizeof block - 1] = '\n';
    while (count > 0) {
        const long n = count < static_cast<long>(sizeof block) ? count : static_cast<long>(sizeof block);
        write_all(fd, block, static_cast<std::size_t>(n));
        count -= n;
    }
}

// "avrdude: 0x000010: 0C 94 34 00 …", one per address, buffered as a console program's stream is.
void avrdude_lines(int fd, long count)
{
    std::string block;
    char line[96];
    for (long i = 0; i < count; ++i) {
        const int n = std::snprintf(line, sizeof line, "avrdude: 0x%06lx: 0C 94 34 00 0C 94 3E 00 0C 94 3E 00 0C 94 3E 00\n", i * 16);
        block.append(line, static_cast<std::size_t>(n));
        if (block.size() >= 65536 || i + 1 == count) {
            write_all(fd, block.data(), block.size());
            block.clear();
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    int code = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto colon = arg.find(':');
        const std::string verb = arg.substr(0, colon);
        const char *value = colon == std::string::npos ? "" : argv[i] + colon + 1;
        if (verb == "echoargs") {
            for (int j = i + 1; j < argc; ++j) {
                write_all(1, argv[j], std::strlen(argv[j]));
                write_all(1, "\n", 1);
            }
            break;
        }
        if (verb == "out" || verb == "err") {
            const std::string text = unescape(value);
            write_all(verb == "out" ? 1 : 2, text.data(), text.size());
        } else if (verb == "outfill" || verb == "errfill") {
            fill(verb == "outfill" ? 1 : 2, std::atol(value));
        } else if (verb == "outline") {
            const std::string line(static_cast<std::size_t>(std::atol(value)), 'x');
            write_all(1, line.data(), line.size());
        } else if (verb == "errlines") {
            avrdude_lines(2, std::atol(value));
        } else if (verb == "sleep") {
            ::usleep(static_cast<useconds_t>(std::atol(value) * 1000));
        } else if (verb == "grandchild") {
            if (::fork() == 0) {
                ::usleep(static_cast<useconds_t>(std::atol(value) * 1000));
                std::_Exit(0);
            }
        } else if (verb == "ignoreterm") {
            std::signal(SIGTERM, SIG_IGN);
        } else if (verb == "signal") {
            std::signal(std::atoi(value), SIG_DFL);
            ::raise(std::atoi(value));
        } else if (verb == "exit") {
            code = std::atoi(value);
        }
    }
    return code;
}
