// A tool for the build machine, not part of the program: writes the Windows program icon
// (zelkgauges.ico, one 32-by-32 picture in the 16 standard colours, with a transparency mask)
// from the XPM picture that the Linux program uses, so that both show the same icon. The
// Windows build makes it with the build machine's compiler and runs it
// (cmake/ZelkWin32Resources.cmake):
//
//   c++ -std=c++17 -o icon-from-xpm tools/IconFromXpm.cpp
//   ./icon-from-xpm data/zelkgauges.xpm zelkgauges.ico
//
// Standard C++ only. Fails with a message for a picture it cannot convert exactly (another
// size, a colour outside the 16).
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 32;

// The 16 colours of the standard Windows palette, in its order, as 0xRRGGBB.
constexpr std::array<std::uint32_t, 16> kPalette{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr int kTransparent = -1;

// Every string literal of the XPM source, in order.
std::vector<std::string> stringsOf(const std::string& source) {
    std::vector<std::string> strings;
    std::size_t at = 0;
    while ((at = source.find('"', at)) != std::string::npos) {
        const std::size_t end = source.find('"', at + 1);
        if (end == std::string::npos) {
            throw std::runtime_error("unterminated string in the XPM");
        }
        strings.push_back(source.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return strings;
}

int paletteIndex(const std::string& colour) {
    if (colour == "None" || colour == "none") {
        return kTransparent;
    }
    if (colour.size() != 7 || colour[0] != '#') {
        throw std::runtime_error("colour not in #RRGGBB form: " + colour);
    }
    const auto rgb = static_cast<std::uint32_t>(std::stoul(colour.substr(1), nullptr, 16));
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        if (kPalette[i] == rgb) {
            return static_cast<int>(i);
        }
    }
    throw std::runtime_error("colour outside the 16 standard colours: " + colour);
}

// The picture as palette indices (kTransparent for "None"), top row first.
std::vector<std::vector<int>> readXpm(const std::string& source) {
    const std::vector<std::string> strings = stringsOf(source);
    if (strings.empty()) {
        throw std::runtime_error("no XPM data");
    }
    int width = 0, height = 0, colours = 0, charsPerPixel = 0;
    std::istringstream header(strings[0]);
    header >> width >> height >> colours >> charsPerPixel;
    if (width != kSize || height != kSize || colours <= 0 || charsPerPixel <= 0) {
        throw std::runtime_error("the icon must be a 32 by 32 XPM picture");
    }
    if (strings.size() < static_cast<std::size_t>(1 + colours + height)) {
        throw std::runtime_error("the XPM has fewer rows than its header says");
    }
    std::map<std::string, int> indexOf;
    for (int i = 1; i <= colours; ++i) {
        const std::string& entry = strings[static_cast<std::size_t>(i)];
        const std::string key = entry.substr(0, static_cast<std::size_t>(charsPerPixel));
        const std::size_t colourAt = entry.find(" c ", static_cast<std::size_t>(charsPerPixel));
        if (colourAt == std::string::npos) {
            throw std::runtime_error("colour entry without a c key: " + entry);
        }
        std::istringstream rest(entry.substr(colourAt + 3));
        std::string colour;
        rest >> colour;
        indexOf[key] = paletteIndex(colour);
    }
    std::vector<std::vector<int>> pixels;
    for (int y = 0; y < height; ++y) {
        const std::string& row = strings[static_cast<std::size_t>(1 + colours + y)];
        if (row.size() != static_cast<std::size_t>(width * charsPerPixel)) {
            throw std::runtime_error("row " + std::to_string(y) + " has the wrong length");
        }
        std::vector<int> line;
        for (int x = 0; x < width; ++x) {
            const auto key = row.substr(static_cast<std::size_t>(x * charsPerPixel),
                                        static_cast<std::size_t>(charsPerPixel));
            const auto found = indexOf.find(key);
            if (found == indexOf.end()) {
                throw std::runtime_error("pixel of an undeclared colour in row " +
                                         std::to_string(y));
            }
            line.push_back(found->second);
        }
        pixels.push_back(line);
    }
    return pixels;
}

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// The icon file: its directory, then one device-independent bitmap of twice the height (the
// colour picture and the mask, each bottom row first).
std::vector<std::uint8_t> icoOf(const std::vector<std::vector<int>>& pixels) {
    constexpr std::uint32_t kColourRowBytes = kSize / 2;  // 4 bits a pixel
    constexpr std::uint32_t kMaskRowBytes = 4;            // 1 bit a pixel, rows of 4 bytes
    constexpr std::uint32_t kHeaderBytes = 40;
    constexpr std::uint32_t kImageBytes =
        kHeaderBytes + 16 * 4 + kSize * kColourRowBytes + kSize * kMaskRowBytes;
    std::vector<std::uint8_t> out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon
    put16(out, 1);  // one picture
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(16);  // colours
    out.push_back(0);
    put16(out, 1);  // planes
    put16(out, 4);  // bits a pixel
    put32(out, kImageBytes);
    put32(out, 6 + 16);  // the picture follows the directory

    put32(out, kHeaderBytes);
    put32(out, kSize);
    put32(out, kSize * 2);
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);  // not compressed
    put32(out, kSize * (kColourRowBytes + kMaskRowBytes));
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (const std::uint32_t rgb : kPalette) {
        out.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
        out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
        out.push_back(0);
    }
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; x += 2) {
            const int left = pixels[y][x] == kTransparent ? 0 : pixels[y][x];
            const int right = pixels[y][x + 1] == kTransparent ? 0 : pixels[y][x + 1];
            out.push_back(static_cast<std::uint8_t>((left << 4) | right));
        }
    }
    for (int y = kSize - 1; y >= 0; --y) {
        std::uint32_t bits = 0;
        for (int x = 0; x < kSize; ++x) {
            if (pixels[y][x] == kTransparent) {
                bits |= 0x80000000u >> x;
            }
        }
        for (int shift = 24; shift >= 0; shift -= 8) {
            out.push_back(static_cast<std::uint8_t>((bits >> shift) & 0xFF));
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s picture.xpm icon.ico\n", argv[0]);
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) {
            throw std::runtime_error(std::string("cannot read ") + argv[1]);
        }
        const std::string source{std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>()};
        const std::vector<std::uint8_t> icon = icoOf(readXpm(source));
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(icon.data()),
                  static_cast<std::streamsize>(icon.size()));
        if (!out) {
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}
