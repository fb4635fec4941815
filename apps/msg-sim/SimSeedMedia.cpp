#include "SimSeedMedia.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace msg_sim {

namespace {

using Bytes = std::vector<uint8_t>;

void putBig32(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void putLittle(Bytes& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void putChunk(Bytes& out, const char* type, const Bytes& data) {
    putBig32(out, static_cast<uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBig32(out, crc32(typed.data(), typed.size()));
}

// A zlib stream of uncompressed blocks: valid for every PNG reader, and small enough for demo pictures.
Bytes storedZlib(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t len = std::min<size_t>(65535, raw.size() - pos);
        out.push_back(pos + len == raw.size() ? 1 : 0);
        putLittle(out, static_cast<uint32_t>(len), 2);
        putLittle(out, static_cast<uint32_t>(~len & 0xFFFF), 2);
        out.insert(out.end(), raw.begin() + pos, raw.begin() + pos + len);
        pos += len;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(out, (b << 16) | a);
    return out;
}

void hueToRgb(int hue, double light, uint8_t rgb[3]) {
    for (int i = 0; i < 3; ++i) {
        double angle = (hue + 120.0 * i) * M_PI / 180.0;
        rgb[i] = static_cast<uint8_t>(std::lround(255.0 * light * (0.5 + 0.5 * std::cos(angle))));
    }
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace

bool simWritePng(const std::string& path, int width, int height, int hue) {
    if (width <= 0 || height <= 0)
        return false;
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < width; ++x) {
            uint8_t rgb[3];
            hueToRgb(hue + (x + y) * 90 / (width + height), 0.35 + 0.65 * (height - y) / height, rgb);
            raw.insert(raw.end(), rgb, rgb + 3);
        }
    }
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBig32(header, static_cast<uint32_t>(width));
    putBig32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", storedZlib(raw));
    putChunk(png, "IEND", Bytes());
    return writeFile(path, png);
}

bool simWriteWav(const std::string& path, int frequency, int milliseconds) {
    constexpr int kRate = 8000;
    int samples = kRate * milliseconds / 1000;
    Bytes wav = {'R', 'I', 'F', 'F'};
    putLittle(wav, static_cast<uint32_t>(36 + samples * 2), 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittle(wav, 16, 4);
    putLittle(wav, 1, 2); // PCM
    putLittle(wav, 1, 2); // mono
    putLittle(wav, kRate, 4);
    putLittle(wav, kRate * 2, 4);
    putLittle(wav, 2, 2);
    putLittle(wav, 16, 2);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    putLittle(wav, static_cast<uint32_t>(samples * 2), 4);
    for (int i = 0; i < samples; ++i) {
        double fade = std::min(1.0, std::min(i, samples - i) / 400.0);
        auto sample = static_cast<int16_t>(12000.0 * fade * std::sin(2.0 * M_PI * frequency * i / kRate));
        putLittle(wav, static_cast<uint16_t>(sample), 2);
    }
    return writeFile(path, wav);
}

bool simWriteText(const std::string& path, const std::string& text) {
    return writeFile(path, Bytes(text.begin(), text.end()));
}

} // namespace msg_sim
