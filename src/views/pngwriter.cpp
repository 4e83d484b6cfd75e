#include "views/pngwriter.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "base/fileio.h"

namespace tarvo {

namespace {

// The chunk checksum (CRC-32 of type and data) over `bytes` from `from` on.
std::uint32_t Crc(const std::string& bytes, std::size_t from) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFU;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        c = table[(c ^ static_cast<unsigned char>(bytes[i])) & 0xFFU] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFU;
}

void Put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((v >> shift) & 0xFFU));
    }
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    Put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += data;
    Put32(out, Crc(out, start));
}

// Deflate with the fixed code: runs that repeat the pixel before (three bytes back) become
// matches, everything else literals. White space, which most of a drawing is, shrinks to almost
// nothing.
class BitWriter {
public:
    void Bits(unsigned value, int count) {
        for (int i = 0; i < count; ++i) {
            Bit((value >> i) & 1U);
        }
    }
    // A Huffman code goes out with its first bit first.
    void Code(unsigned code, int length) {
        for (int i = length - 1; i >= 0; --i) {
            Bit((code >> i) & 1U);
        }
    }
    std::string Finish() {
        if (m_count > 0) {
            m_out.push_back(static_cast<char>(m_byte));
        }
        return std::move(m_out);
    }

private:
    void Bit(unsigned bit) {
        m_byte |= bit << m_count;
        if (++m_count == 8) {
            m_out.push_back(static_cast<char>(m_byte));
            m_byte = 0;
            m_count = 0;
        }
    }
    std::string m_out;
    unsigned m_byte = 0;
    int m_count = 0;
};

void Literal(BitWriter& w, unsigned symbol) {
    if (symbol < 144) {
        w.Code(0x30 + symbol, 8);
    } else if (symbol < 256) {
        w.Code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        w.Code(symbol - 256, 7);
    } else {
        w.Code(0xC0 + symbol - 280, 8);
    }
}

void Match(BitWriter& w, unsigned length) {
    static constexpr unsigned kBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                         31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr int kExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                     2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    int i = 28;
    while (kBase[i] > length) {
        --i;
    }
    Literal(w, 257 + static_cast<unsigned>(i));
    w.Bits(length - kBase[i], kExtra[i]);
    w.Code(2, 5);  // distance 3
}

std::string Deflate(const std::string& data) {
    BitWriter w;
    w.Bits(1, 1);  // the last block
    w.Bits(1, 2);  // fixed code
    std::size_t i = 0;
    while (i < data.size()) {
        std::size_t run = 0;
        if (i >= 3) {
            while (run < 258 && i + run < data.size() && data[i + run] == data[i + run - 3]) {
                ++run;
            }
        }
        if (run >= 3) {
            Match(w, static_cast<unsigned>(run));
            i += run;
        } else {
            Literal(w, static_cast<unsigned char>(data[i]));
            ++i;
        }
    }
    Literal(w, 256);
    return w.Finish();
}

}  // namespace

bool WritePng(const std::filesystem::path& file, const PixelBuffer& picture) {
    const auto w = static_cast<std::uint32_t>(picture.Width());
    const auto h = static_cast<std::uint32_t>(picture.Height());
    if (w == 0 || h == 0) {
        return false;
    }
    // The raw rows: a filter byte (none) and the RGB bytes of each pixel.
    std::string raw;
    raw.reserve(static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
    for (std::uint32_t y = 0; y < h; ++y) {
        raw.push_back('\0');
        for (std::uint32_t x = 0; x < w; ++x) {
            const Rgb c = picture.Pixel(static_cast<int>(x), static_cast<int>(y));
            raw.push_back(static_cast<char>((c >> 16) & 0xFFU));
            raw.push_back(static_cast<char>((c >> 8) & 0xFFU));
            raw.push_back(static_cast<char>(c & 0xFFU));
        }
    }
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char ch : raw) {
        a = (a + static_cast<unsigned char>(ch)) % 65521U;
        b = (b + a) % 65521U;
    }
    std::string z = "\x78\x01" + Deflate(raw);
    Put32(z, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    Put32(ihdr, w);
    Put32(ihdr, h);
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return WriteFileAtomic(file, png).ok;
}

}  // namespace tarvo
