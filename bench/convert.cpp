// The listxml -> listinfo converter on the real emulator's list ($KELVARO_BENCH_XML):
//  1. a streamed conversion from the file into $KELVARO_BENCH_DATA/mame.dat, as the program runs it,
//     with the process's peak memory afterwards; then the same with the list's machines fed three
//     times over (an input three times the size), to show that the peak stays where it was;
//  2. throughput on the list held in memory: a plain expat parse of the same bytes against the
//     converter (best of a few runs each).
#include <expat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "gamelist/ListInfoConverter.h"
#include "platform/Files.h"

using namespace kelvaro;
using bench::Clock;
using bench::Env;
using bench::MsSince;

namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr int kRuns = 4;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Peak resident memory of this process so far, in MB.
double PeakMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return -1;
}

double MB(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Streams byte ranges of a file through the converter in chunks.
struct Streamer {
    std::FILE* file;
    ListInfoConverter& converter;
    std::vector<char> buffer = std::vector<char>(kChunk);
    std::size_t fed = 0;

    void Range(long from, long to, bool last) {
        std::fseek(file, from, SEEK_SET);
        long left = to - from;
        while (left > 0) {
            std::size_t want = std::min<std::size_t>(kChunk, static_cast<std::size_t>(left));
            std::size_t got = std::fread(buffer.data(), 1, want, file);
            if (got == 0) break;
            left -= static_cast<long>(got);
            fed += got;
            converter.Feed(buffer.data(), got, last && left == 0);
        }
    }
};

// Offsets of the first machine and of the closing root tag, read from the head and the tail.
bool FindMachines(std::FILE* file, long size, long& first, long& end) {
    std::string head(static_cast<std::size_t>(std::min<long>(size, 256 << 10)), '\0');
    std::fseek(file, 0, SEEK_SET);
    head.resize(std::fread(head.data(), 1, head.size(), file));
    std::size_t m = head.find("<machine ");
    if (m == std::string::npos) return false;
    first = static_cast<long>(head.rfind('\n', m) + 1);
    long tailStart = std::max<long>(0, size - 4096);
    std::string tail(static_cast<std::size_t>(size - tailStart), '\0');
    std::fseek(file, tailStart, SEEK_SET);
    tail.resize(std::fread(tail.data(), 1, tail.size(), file));
    std::size_t e = tail.rfind("</mame>");
    if (e == std::string::npos) return false;
    end = tailStart + static_cast<long>(e);
    return true;
}

struct StreamResult {
    double seconds = 0;
    std::size_t inBytes = 0, outBytes = 0;
    int games = 0;
    bool ok = false;
    double peakMB = 0;
};

StreamResult Stream(const std::string& xmlPath, const std::string& outPath, int copies) {
    StreamResult r;
    std::FILE* file = std::fopen(xmlPath.c_str(), "rb");
    if (!file) return r;
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    long first = 0, end = 0;
    if (!FindMachines(file, size, first, end)) {
        std::fclose(file);
        return r;
    }
    auto start = Clock::now();
    AtomicFile out(outPath);
    ListInfoConverter converter([&](std::string_view text) {
        out.Write(text);
        r.outBytes += text.size();
    });
    Streamer s{file, converter};
    s.Range(0, end, false);
    for (int i = 1; i < copies; ++i) s.Range(first, end, false);
    s.Range(end, size, true);
    r.ok = !converter.Failed() && out.Commit();
    r.seconds = SecondsSince(start);
    r.inBytes = s.fed;
    r.games = converter.MachinesWritten();
    r.peakMB = PeakMB();
    std::fclose(file);
    return r;
}

double PlainExpat(const std::string& bytes) {
    auto start = Clock::now();
    XML_Parser p = XML_ParserCreate(nullptr);
    for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
        std::size_t n = std::min(kChunk, bytes.size() - at);
        if (XML_Parse(p, bytes.data() + at, static_cast<int>(n), at + n == bytes.size()) == XML_STATUS_ERROR) {
            std::fprintf(stderr, "plain expat: %s\n", XML_ErrorString(XML_GetErrorCode(p)));
            break;
        }
    }
    XML_ParserFree(p);
    return SecondsSince(start);
}

double Converter(const std::string& bytes, std::size_t& outBytes) {
    auto start = Clock::now();
    outBytes = 0;
    ListInfoConverter converter([&](std::string_view text) { outBytes += text.size(); });
    for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
        std::size_t n = std::min(kChunk, bytes.size() - at);
        if (!converter.Feed(bytes.data() + at, n, at + n == bytes.size())) {
            std::fprintf(stderr, "converter: %s\n", converter.ErrorText().c_str());
            break;
        }
    }
    return SecondsSince(start);
}

} // namespace

int main() {
    const std::string xml = Env("KELVARO_BENCH_XML");
    if (xml.empty() || !FileExists(xml, false)) {
        std::fprintf(stderr, "set KELVARO_BENCH_XML to the emulator's -listxml output\n");
        return 2;
    }
    std::string data = Env("KELVARO_BENCH_DATA");
    if (data.empty()) data = "/tmp";

    // Streaming first, before anything big is held, so that the peak is the conversion's own.
    std::printf("start-up peak memory: %.1f MB\n", PeakMB());
    for (int copies : {1, 3}) {
        std::string out = data + (copies == 1 ? "/mame.dat" : "/mame-x3.dat");
        StreamResult r = Stream(xml, out, copies);
        if (!r.ok) {
            std::fprintf(stderr, "streamed conversion failed\n");
            return 1;
        }
        std::printf("streamed file->file: %.1f MB in, %.1f MB out, %d games, %.2f s (%.0f MB/s), peak memory "
                    "%.1f MB\n",
                    MB(r.inBytes), MB(r.outBytes), r.games, r.seconds, MB(r.inBytes) / r.seconds, r.peakMB);
        if (copies != 1) std::remove(out.c_str());
    }

    std::string bytes;
    {
        std::ifstream in(xml, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<double> plain, conv;
    std::size_t outBytes = 0;
    for (int i = 0; i < kRuns; ++i) {
        // Alternate, and swap the order each round, so that both meet the same disturbances.
        if (i % 2 == 0) plain.push_back(PlainExpat(bytes));
        conv.push_back(Converter(bytes, outBytes));
        if (i % 2 == 1) plain.push_back(PlainExpat(bytes));
    }
    double bestPlain = *std::min_element(plain.begin(), plain.end());
    double bestConv = *std::min_element(conv.begin(), conv.end());
    std::printf("in memory, %.1f MB, best of %d:\n", MB(bytes.size()), kRuns);
    std::printf("  plain expat parse: %.3f s, %.0f MB/s\n", bestPlain, MB(bytes.size()) / bestPlain);
    std::printf("  converter:         %.3f s, %.0f MB/s (%.1f MB of listinfo)\n", bestConv, MB(bytes.size()) / bestConv,
                MB(outBytes));
    std::printf("  converter / plain expat throughput: %.1f%%\n", 100.0 * bestPlain / bestConv);
    return 0;
}
