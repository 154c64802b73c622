// A tool for the console benchmarks: prints BYTES of output and then writes
// the moment it ended (CLOCK_MONOTONIC, nanoseconds) and how long it ran into
// END_FILE.
//   output_source paced BYTES SECONDS END_FILE  80-column lines, evenly spread
//   output_source flood BYTES END_FILE          80-column lines, at full speed
//   output_source endless BYTES END_FILE        no line end at all, full speed
//   output_source wide BYTES SECONDS END_FILE   2000-byte lines, evenly spread
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

long long nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

void writeAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = write(STDOUT_FILENO, data, size);
        if (n <= 0) std::exit(2);
        data += n;
        size -= std::size_t(n);
    }
}

// About 64 KiB of text: numbered lines of `width` bytes, or (width 0) no
// line end at all.
std::vector<char> block(std::size_t width) {
    if (width == 0) return std::vector<char>(1 << 16, 'x');
    std::vector<char> text((1 << 16) / width * width, 'x');
    for (std::size_t at = 0, n = 0; at + width <= text.size(); at += width, ++n) {
        std::snprintf(text.data() + at, 80,
                      "%08zu Patching offset 0x%08zX: 00 00 00 00 -> 01 02 03 04 ", n, n * 16);
        std::memset(text.data() + at + std::strlen(text.data() + at), '.',
                    width - 1 - std::strlen(text.data() + at));
        text[at + width - 1] = '\n';
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    const std::string mode = argv[1];
    const long long total = std::atoll(argv[2]);
    const bool paced = mode == "paced" || mode == "wide";
    const double seconds = paced ? std::atof(argv[3]) : 0;
    const char* endFile = argv[paced ? 4 : 3];
    const std::vector<char> text = block(mode == "endless" ? 0 : mode == "wide" ? 2000 : 80);

    const long long start = nowNs();
    long long written = 0;
    std::size_t at = 0;
    // Paced output comes in small writes every 5 ms, as a tool reporting its
    // progress would.
    const long long tickNs = 5000000;
    while (written < total) {
        long long due = total - written;
        if (paced) {
            const long long ticks = (long long)(seconds * 1e9 / tickNs);
            const long long next = (nowNs() - start) / tickNs + 1;
            due = std::min(due, total * next / ticks - written);
            if (due <= 0) {
                timespec pause{0, 1000000};
                nanosleep(&pause, nullptr);
                continue;
            }
        }
        while (due > 0) {
            const std::size_t size =
                std::size_t(std::min<long long>(due, (long long)(text.size() - at)));
            writeAll(text.data() + at, size);
            at = (at + size) % text.size();
            written += (long long)size;
            due -= (long long)size;
        }
    }
    const long long end = nowNs();
    if (FILE* f = std::fopen(endFile, "w")) {
        std::fprintf(f, "%lld %lld\n", end, end - start);
        std::fclose(f);
    }
    return 0;
}
