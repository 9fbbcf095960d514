#include "pictures.h"

#include <gif_lib.h>
#include <jpeglib.h>

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>

#include "errors.h"

namespace zerda::appserver {

Raster::Raster(int width, int height, Rgb fill)
    : m_width(width), m_height(height), m_pixels(size_t(width) * size_t(height) * 3) {
    for (size_t i = 0; i < m_pixels.size(); i += 3) {
        m_pixels[i] = fill.r;
        m_pixels[i + 1] = fill.g;
        m_pixels[i + 2] = fill.b;
    }
}

void Raster::set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    const size_t at = (size_t(y) * size_t(m_width) + size_t(x)) * 3;
    m_pixels[at] = c.r;
    m_pixels[at + 1] = c.g;
    m_pixels[at + 2] = c.b;
}

Rgb Raster::at(int x, int y) const {
    const size_t i = (size_t(y) * size_t(m_width) + size_t(x)) * 3;
    return {m_pixels[i], m_pixels[i + 1], m_pixels[i + 2]};
}

void Raster::verticalGradient(Rgb top, Rgb bottom) {
    for (int y = 0; y < m_height; ++y) {
        const double t = m_height > 1 ? double(y) / (m_height - 1) : 0;
        const Rgb c{uint8_t(top.r + (bottom.r - top.r) * t),
                    uint8_t(top.g + (bottom.g - top.g) * t),
                    uint8_t(top.b + (bottom.b - top.b) * t)};
        for (int x = 0; x < m_width; ++x)
            set(x, y, c);
    }
}

void Raster::fillRect(int x, int y, int w, int h, Rgb c) {
    for (int j = std::max(0, y); j < std::min(m_height, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(m_width, x + w); ++i)
            set(i, j, c);
}

void Raster::fillDisc(double cx, double cy, double radius, Rgb c) {
    fillRing(cx, cy, radius, -1, c);
}

void Raster::fillRing(double cx, double cy, double outer, double inner, Rgb c) {
    for (int y = int(cy - outer); y <= int(cy + outer) + 1; ++y)
        for (int x = int(cx - outer); x <= int(cx + outer) + 1; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            if (d <= outer && d >= inner)
                set(x, y, c);
        }
}

// ---------------------------------------------------------------------------------------------

namespace {

// libjpeg reports errors through a callback that must not return; it jumps back to the encoder.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

void jpegError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->back, 1);
}

}  // namespace

QByteArray encodeJpeg(const Raster& raster, int quality) {
    jpeg_compress_struct info{};
    JpegErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.back)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        throw Error(QStringLiteral("JPEG yazılamadı: %1").arg(QString::fromLatin1(errors.message)));
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(raster.width());
    info.image_height = JDIMENSION(raster.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const auto stride = size_t(raster.width()) * 3;
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(raster.pixels().data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

namespace {

int writeToByteArray(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

[[noreturn]] void gifFailed(int code) {
    throw Error(
        QStringLiteral("GIF yazılamadı: %1").arg(QString::fromLatin1(GifErrorString(code))));
}

}  // namespace

QByteArray encodeGif(const std::vector<Raster>& frames, int delay) {
    if (frames.empty())
        throw Error(QStringLiteral("GIF için kare yok"));
    // One palette for all frames: the colours met, at most 256 (demo pictures use few).
    std::map<uint32_t, int> index;
    std::vector<GifColorType> colours;
    auto key = [](Rgb c) { return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; };
    auto nearest = [&](Rgb c) {
        int best = 0;
        long bestDistance = -1;
        for (size_t i = 0; i < colours.size(); ++i) {
            const long dr = c.r - colours[i].Red, dg = c.g - colours[i].Green,
                       db = c.b - colours[i].Blue;
            const long d = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || d < bestDistance)
                bestDistance = d, best = int(i);
        }
        return best;
    };
    for (const Raster& f : frames)
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x) {
                const Rgb c = f.at(x, y);
                if (colours.size() < 256 && !index.count(key(c))) {
                    index[key(c)] = int(colours.size());
                    colours.push_back({c.r, c.g, c.b});
                }
            }
    while (colours.size() < 2 || (colours.size() & (colours.size() - 1)))
        colours.push_back({0, 0, 0});

    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeToByteArray, &error);
    if (!gif)
        gifFailed(error);
    ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
    const int width = frames.front().width(), height = frames.front().height();
    auto fail = [&](int code) {
        GifFreeMapObject(map);
        int closeError = 0;
        EGifCloseFile(gif, &closeError);
        gifFailed(code);
    };
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_ERROR)
        fail(gif->Error);
    // Loop for ever (the application extension of animated GIFs).
    static const GifByteType netscape[] = "NETSCAPE2.0";
    static const GifByteType loop[] = {1, 0, 0};
    if (frames.size() > 1 && (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
                              EGifPutExtensionBlock(gif, 11, netscape) == GIF_ERROR ||
                              EGifPutExtensionBlock(gif, 3, loop) == GIF_ERROR ||
                              EGifPutExtensionTrailer(gif) == GIF_ERROR))
        fail(gif->Error);
    std::vector<GifPixelType> line(static_cast<size_t>(width));
    for (const Raster& f : frames) {
        GraphicsControlBlock control{};
        control.DelayTime = delay;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_ERROR)
            fail(gif->Error);
        if (EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR)
            fail(gif->Error);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Rgb c = f.at(std::min(x, f.width() - 1), std::min(y, f.height() - 1));
                const auto it = index.find(key(c));
                line[size_t(x)] = GifPixelType(it != index.end() ? it->second : nearest(c));
            }
            if (EGifPutLine(gif, line.data(), width) == GIF_ERROR)
                fail(gif->Error);
        }
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        gifFailed(error);
    return out;
}

QByteArray encodeBmp(const Raster& raster) {
    const int w = raster.width(), h = raster.height();
    const int stride = (w * 3 + 3) & ~3;
    const quint32 dataSize = quint32(stride * h);
    QByteArray out(54 + qsizetype(dataSize), '\0');
    auto* p = reinterpret_cast<uchar*>(out.data());
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(quint32(out.size()), p + 2);
    qToLittleEndian<quint32>(54, p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(w, p + 18);
    qToLittleEndian<qint32>(h, p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(24, p + 28);
    qToLittleEndian<quint32>(dataSize, p + 34);
    qToLittleEndian<qint32>(2835, p + 38);
    qToLittleEndian<qint32>(2835, p + 42);
    for (int y = 0; y < h; ++y) {
        uchar* row = p + 54 + (h - 1 - y) * stride;  // bottom-up rows
        for (int x = 0; x < w; ++x) {
            const Rgb c = raster.at(x, y);
            row[x * 3] = c.b;
            row[x * 3 + 1] = c.g;
            row[x * 3 + 2] = c.r;
        }
    }
    return out;
}

}  // namespace zerda::appserver
