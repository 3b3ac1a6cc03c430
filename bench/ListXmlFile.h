#pragma once
// The emulator's list for the benchmarks that start from listinfo text: its -listxml output
// converted once into a file.
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "gamelist/ListInfoConverter.h"

// Converts the XML file into a listinfo file; false when the XML was malformed (what came before
// is written) or a file could not be read or written.
inline bool ConvertListXmlFile(const std::string& xml, const std::string& listinfo) {
    std::ifstream in(xml, std::ios::binary);
    std::ofstream out(listinfo, std::ios::binary);
    kelvaro::ListInfoConverter converter(
        [&out](std::string_view text) { out.write(text.data(), static_cast<std::streamsize>(text.size())); });
    std::vector<char> buffer(1 << 20);
    bool ok = in.is_open();
    while (ok) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const bool atEnd = !in;
        ok = !in.bad() && converter.Feed(buffer.data(), static_cast<std::size_t>(in.gcount()), atEnd) && out.good();
        if (atEnd) break;
    }
    out.close();
    return ok && !out.fail();
}
