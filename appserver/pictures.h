#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace zerda::appserver {

struct Rgb {
    uint8_t r, g, b;
};

// A plain RGB raster for the demo pictures the server makes itself.
class Raster {
public:
    Raster(int width, int height, Rgb fill = {255, 255, 255});
    int width() const { return m_width; }
    int height() const { return m_height; }
    void set(int x, int y, Rgb c);
    Rgb at(int x, int y) const;
    void verticalGradient(Rgb top, Rgb bottom);
    void fillRect(int x, int y, int w, int h, Rgb c);
    void fillDisc(double cx, double cy, double radius, Rgb c);
    void fillRing(double cx, double cy, double outer, double inner, Rgb c);
    const std::vector<uint8_t>& pixels() const { return m_pixels; }

private:
    int m_width, m_height;
    std::vector<uint8_t> m_pixels;
};

QByteArray encodeJpeg(const Raster& raster, int quality = 80);
// A GIF of several frames with one palette; delay in hundredths of a second.
QByteArray encodeGif(const std::vector<Raster>& frames, int delay);
// A 24-bit uncompressed Windows bitmap.
QByteArray encodeBmp(const Raster& raster);

}  // namespace zerda::appserver
