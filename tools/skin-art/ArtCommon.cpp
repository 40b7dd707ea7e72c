#include "ArtCommon.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <map>

namespace art
{
using namespace juce;

//==============================================================================
namespace
{
    PixelARGB* pixelAt (Image::BitmapData& data, int x, int y)
    {
        return reinterpret_cast<PixelARGB*> (data.getPixelPointer (x, y));
    }

    const PixelARGB* pixelAt (const Image::BitmapData& data, int x, int y)
    {
        return reinterpret_cast<const PixelARGB*> (data.getPixelPointer (x, y));
    }

    Image toArgb (const Image& source)
    {
        if (source.getFormat() == Image::ARGB)
            return source;

        return source.convertedToFormat (Image::ARGB);
    }

    int currentScale = 1;
}

int outputScale()
{
    return currentScale;
}

void setOutputScale (int scale)
{
    jassert (scale == 1 || scale == 2);
    currentScale = jmax (1, scale);
}

float unitPosition (int pixel)
{
    // At 1x exactly the pixel's index, as the 1x images were always drawn.
    if (currentScale == 1)
        return (float) pixel;

    return ((float) pixel + 0.5f) / (float) currentScale - 0.5f;
}

void drawInUnits (Graphics& g)
{
    if (currentScale != 1)
        g.addTransform (AffineTransform::scale ((float) currentScale));
}

Image makeImage (int width, int height)
{
    return Image (Image::ARGB, jmax (1, width), jmax (1, height), true, SoftwareImageType());
}

Image makeCanvas (int width, int height)
{
    return makeImage (width * currentScale, height * currentScale);
}

Image downsample (const Image& sourceIn, int factor)
{
    const auto source = toArgb (sourceIn);
    const int width = source.getWidth() / factor;
    const int height = source.getHeight() / factor;
    auto result = makeImage (width, height);

    const Image::BitmapData in (source, Image::BitmapData::readOnly);
    Image::BitmapData out (result, Image::BitmapData::writeOnly);
    const std::uint32_t count = (std::uint32_t) (factor * factor);

    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            std::uint32_t a = 0, r = 0, g = 0, b = 0;

            for (int dy = 0; dy < factor; ++dy)
            {
                for (int dx = 0; dx < factor; ++dx)
                {
                    const auto* p = pixelAt (in, x * factor + dx, y * factor + dy);
                    a += p->getAlpha();
                    r += p->getRed();
                    g += p->getGreen();
                    b += p->getBlue();
                }
            }

            pixelAt (out, x, y)->setARGB ((uint8) ((a + count / 2) / count), (uint8) ((r + count / 2) / count),
                                          (uint8) ((g + count / 2) / count), (uint8) ((b + count / 2) / count));
        }
    }

    return result;
}

Image renderSupersampled (int width, int height, int factor, const std::function<void (Graphics&)>& draw)
{
    const int pixelsPerUnit = factor * currentScale;
    auto big = makeImage (width * pixelsPerUnit, height * pixelsPerUnit);

    {
        Graphics g (big);
        g.addTransform (AffineTransform::scale ((float) pixelsPerUnit));
        draw (g);
    }

    return downsample (big, factor);
}

namespace
{
    /** Radii of three box passes that spread as far as three passes of
        `radius` do at 1x, with `factor` pixels a unit. A box of radius k
        has a variance of k (k + 1) / 3 square pixels, so the radii are
        those whose k (k + 1) add up to 3 factor^2 r (r + 1), or nearest it,
        and as even as can be. */
    std::array<int, 3> blurRadii (int radius, int factor)
    {
        if (factor == 1)
            return { radius, radius, radius };

        const int target = 3 * factor * factor * radius * (radius + 1);
        const int limit = 2 * factor * radius + 1;
        std::array<int, 3> best { factor * radius, factor * radius, factor * radius };
        int bestError = -1, bestSpread = 0;

        for (int a = 1; a <= limit; ++a)
        {
            for (int b = a; b <= limit; ++b)
            {
                for (int c = b; c <= limit; ++c)
                {
                    const int error = std::abs (a * (a + 1) + b * (b + 1) + c * (c + 1) - target);

                    if (bestError < 0 || error < bestError || (error == bestError && c - a < bestSpread))
                    {
                        best = { a, b, c };
                        bestError = error;
                        bestSpread = c - a;
                    }
                }
            }
        }

        return best;
    }
}

void blur (Image& image, int radiusInUnits)
{
    if (radiusInUnits <= 0)
        return;

    const int width = image.getWidth();
    const int height = image.getHeight();
    Image::BitmapData data (image, Image::BitmapData::readWrite);
    std::vector<int> line, sums;
    int radius = radiusInUnits, window = 2 * radius + 1;

    auto blurLine = [&] (int length, const std::function<PixelARGB* (int)>& at)
    {
        line.assign ((size_t) length * 4, 0);

        for (int i = 0; i < length; ++i)
        {
            const auto* p = at (i);
            line[(size_t) i * 4 + 0] = p->getAlpha();
            line[(size_t) i * 4 + 1] = p->getRed();
            line[(size_t) i * 4 + 2] = p->getGreen();
            line[(size_t) i * 4 + 3] = p->getBlue();
        }

        for (int i = 0; i < length; ++i)
        {
            int s[4] = { 0, 0, 0, 0 };

            for (int k = i - radius; k <= i + radius; ++k)
                if (k >= 0 && k < length)
                    for (int c = 0; c < 4; ++c)
                        s[c] += line[(size_t) k * 4 + (size_t) c];

            at (i)->setARGB ((uint8) ((s[0] + window / 2) / window), (uint8) ((s[1] + window / 2) / window),
                             (uint8) ((s[2] + window / 2) / window), (uint8) ((s[3] + window / 2) / window));
        }
    };

    const auto radii = blurRadii (radiusInUnits, currentScale);

    for (int pass = 0; pass < 3; ++pass)
    {
        radius = radii[(size_t) pass];
        window = 2 * radius + 1;

        for (int y = 0; y < height; ++y)
            blurLine (width, [&] (int i) { return pixelAt (data, i, y); });

        for (int x = 0; x < width; ++x)
            blurLine (height, [&] (int i) { return pixelAt (data, x, i); });
    }
}

void composite (Image& target, const Image& layer, int x, int y, float opacity)
{
    // Both images are in pixels of the output scale: a plain context, no resampling.
    Graphics g (target);
    g.setOpacity (opacity);
    g.drawImageAt (layer, x * currentScale, y * currentScale);
}

Image makeShadow (int width, int height, float offsetX, float offsetY, int blurRadius, float opacity,
                  const std::function<void (Graphics&)>& silhouette)
{
    auto shadow = renderSupersampled (width, height, 4, [&] (Graphics& g)
    {
        g.addTransform (AffineTransform::translation (offsetX, offsetY));
        g.setColour (Colours::black);
        silhouette (g);
    });

    blur (shadow, blurRadius);
    modulateAlpha (shadow, [opacity] (float, float) { return opacity; });
    return shadow;
}

void modulateAlpha (Image& image, const std::function<float (float, float)>& factor)
{
    Image::BitmapData data (image, Image::BitmapData::readWrite);

    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            auto* p = pixelAt (data, x, y);
            const float f = jlimit (0.0f, 1.0f, factor (unitPosition (x), unitPosition (y)));
            auto scale = [f] (uint8 v) { return (uint8) jlimit (0, 255, (int) std::lround ((float) v * f)); };
            p->setARGB (scale (p->getAlpha()), scale (p->getRed()), scale (p->getGreen()), scale (p->getBlue()));
        }
    }
}

Image stackFrames (const std::vector<Image>& frames)
{
    jassert (! frames.empty());
    const int width = frames.front().getWidth();
    const int height = frames.front().getHeight();
    auto strip = makeImage (width, height * (int) frames.size());

    Image::BitmapData out (strip, Image::BitmapData::writeOnly);

    for (size_t i = 0; i < frames.size(); ++i)
    {
        const auto frame = toArgb (frames[i]);
        const Image::BitmapData in (frame, Image::BitmapData::readOnly);

        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                *pixelAt (out, x, (int) i * height + y) = *pixelAt (in, x, y);
    }

    return strip;
}

Image quantise (const Image& sourceIn, int maxColours)
{
    const auto source = toArgb (sourceIn);
    const int width = source.getWidth(), height = source.getHeight();
    const Image::BitmapData in (source, Image::BitmapData::readOnly);

    using Key = std::uint32_t;  // premultiplied A R G B
    auto keyOf = [] (const PixelARGB& p) { return p.getNativeARGB(); };
    auto channel = [] (Key k, int c) { return (int) ((k >> (24 - 8 * c)) & 0xff); };

    std::map<Key, std::uint32_t> histogram;

    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pixelAt (in, x, y)->getAlpha() > 0)
                ++histogram[keyOf (*pixelAt (in, x, y))];

    struct Entry { Key key; std::uint32_t count; };
    std::vector<Entry> entries;

    for (auto& [key, count] : histogram)
        entries.push_back ({ key, count });

    const int budget = jmax (1, maxColours - 1);  // one colour is kept for full transparency
    std::map<Key, Key> mapping;

    if ((int) entries.size() <= budget)
    {
        for (auto& e : entries)
            mapping[e.key] = e.key;
    }
    else
    {
        struct Box { size_t begin, end; };
        std::vector<Box> boxes { { 0, entries.size() } };

        auto spread = [&] (const Box& b, int& widest)
        {
            int best = -1;

            for (int c = 0; c < 4; ++c)
            {
                int lo = 255, hi = 0;

                for (size_t i = b.begin; i < b.end; ++i)
                {
                    lo = jmin (lo, channel (entries[i].key, c));
                    hi = jmax (hi, channel (entries[i].key, c));
                }

                if (hi - lo > best)
                {
                    best = hi - lo;
                    widest = c;
                }
            }

            return best;
        };

        while ((int) boxes.size() < budget)
        {
            // Split the box with the largest spread weighted by its pixel count.
            int chosen = -1, channelToSplit = 0;
            double bestScore = 0.0;

            for (size_t i = 0; i < boxes.size(); ++i)
            {
                if (boxes[i].end - boxes[i].begin < 2)
                    continue;

                int widest = 0;
                const int s = spread (boxes[i], widest);
                std::uint64_t pixels = 0;

                for (size_t k = boxes[i].begin; k < boxes[i].end; ++k)
                    pixels += entries[k].count;

                const double score = (double) s * std::sqrt ((double) pixels);

                if (score > bestScore)
                {
                    bestScore = score;
                    chosen = (int) i;
                    channelToSplit = widest;
                }
            }

            if (chosen < 0)
                break;

            auto box = boxes[(size_t) chosen];
            std::sort (entries.begin() + (std::ptrdiff_t) box.begin, entries.begin() + (std::ptrdiff_t) box.end,
                       [&] (const Entry& a, const Entry& b)
                       {
                           const int ca = channel (a.key, channelToSplit), cb = channel (b.key, channelToSplit);
                           return ca != cb ? ca < cb : a.key < b.key;
                       });

            std::uint64_t total = 0, running = 0;

            for (size_t k = box.begin; k < box.end; ++k)
                total += entries[k].count;

            size_t split = box.begin + 1;

            for (size_t k = box.begin; k < box.end - 1; ++k)
            {
                running += entries[k].count;
                split = k + 1;

                if (running * 2 >= total)
                    break;
            }

            boxes[(size_t) chosen] = { box.begin, split };
            boxes.push_back ({ split, box.end });
        }

        for (auto& b : boxes)
        {
            double sum[4] = { 0, 0, 0, 0 }, n = 0;

            for (size_t k = b.begin; k < b.end; ++k)
            {
                for (int c = 0; c < 4; ++c)
                    sum[c] += (double) channel (entries[k].key, c) * entries[k].count;

                n += entries[k].count;
            }

            int v[4];
            for (int c = 0; c < 4; ++c)
                v[c] = jlimit (0, 255, (int) std::lround (sum[c] / n));

            // Premultiplied colour components never exceed alpha.
            for (int c = 1; c < 4; ++c)
                v[c] = jmin (v[c], v[0]);

            const Key mean = ((Key) v[0] << 24) | ((Key) v[1] << 16) | ((Key) v[2] << 8) | (Key) v[3];

            for (size_t k = b.begin; k < b.end; ++k)
                mapping[entries[k].key] = mean;
        }
    }

    auto result = makeImage (width, height);
    Image::BitmapData out (result, Image::BitmapData::writeOnly);

    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const auto* p = pixelAt (in, x, y);

            if (p->getAlpha() == 0)
                continue;

            const Key k = mapping[keyOf (*p)];
            pixelAt (out, x, y)->setARGB ((uint8) channel (k, 0), (uint8) channel (k, 1),
                                          (uint8) channel (k, 2), (uint8) channel (k, 3));
        }
    }

    return result;
}

Image crop (const Image& source, Rectangle<int> area)
{
    auto result = makeImage (area.getWidth(), area.getHeight());
    const auto argb = toArgb (source);
    const Image::BitmapData in (argb, Image::BitmapData::readOnly);
    Image::BitmapData out (result, Image::BitmapData::writeOnly);

    for (int y = 0; y < area.getHeight(); ++y)
        for (int x = 0; x < area.getWidth(); ++x)
            if (isPositiveAndBelow (area.getX() + x, argb.getWidth()) && isPositiveAndBelow (area.getY() + y, argb.getHeight()))
                *pixelAt (out, x, y) = *pixelAt (in, area.getX() + x, area.getY() + y);

    return result;
}

Image enlarge (const Image& sourceIn, int factor)
{
    const auto source = toArgb (sourceIn);
    auto result = makeImage (source.getWidth() * factor, source.getHeight() * factor);
    const Image::BitmapData in (source, Image::BitmapData::readOnly);
    Image::BitmapData out (result, Image::BitmapData::writeOnly);

    for (int y = 0; y < result.getHeight(); ++y)
        for (int x = 0; x < result.getWidth(); ++x)
            *pixelAt (out, x, y) = *pixelAt (in, x / factor, y / factor);

    return result;
}

String scaledFileName (const String& name, int scale)
{
    if (scale == 1)
        return name;

    return name.upToLastOccurrenceOf (".", false, false) + "@" + String (scale) + "x"
         + name.fromLastOccurrenceOf (".", true, false);
}

//==============================================================================
namespace
{
    std::uint32_t mix32 (std::uint32_t x)
    {
        x ^= x >> 16;
        x *= 0x7feb352du;
        x ^= x >> 15;
        x *= 0x846ca68bu;
        x ^= x >> 16;
        return x;
    }

    float smooth (float t) { return t * t * (3.0f - 2.0f * t); }
}

std::uint32_t hash (std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    return mix32 ((std::uint32_t) x * 0x9e3779b1u ^ mix32 ((std::uint32_t) y + seed * 0x85ebca6bu));
}

float whiteNoise (std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    return (float) (hash (x, y, seed) >> 8) / 8388607.5f - 1.0f;
}

float valueNoise (float x, float y, std::uint32_t seed)
{
    const float fx = std::floor (x), fy = std::floor (y);
    const auto ix = (std::int32_t) fx, iy = (std::int32_t) fy;
    const float tx = smooth (x - fx), ty = smooth (y - fy);
    const float a = whiteNoise (ix, iy, seed), b = whiteNoise (ix + 1, iy, seed);
    const float c = whiteNoise (ix, iy + 1, seed), d = whiteNoise (ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fractalNoise (float x, float y, int octaves, std::uint32_t seed)
{
    float sum = 0.0f, amplitude = 0.5f, norm = 0.0f;

    for (int i = 0; i < octaves; ++i)
    {
        sum += amplitude * valueNoise (x, y, seed + (std::uint32_t) i * 101u);
        norm += amplitude;
        x *= 2.0f;
        y *= 2.0f;
        amplitude *= 0.5f;
    }

    return sum / norm;
}

//==============================================================================
namespace
{
    struct FontFile
    {
        explicit FontFile (const char* fileName)
        {
            const File file (String ("/usr/share/fonts/truetype/dejavu/") + fileName);

            if (file.loadFileAsData (data) && data.getSize() > 0)
                typeface = Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
        }

        Font withHeight (float height, int fallbackStyle) const
        {
            if (typeface != nullptr)
                return Font (typeface).withHeight (height);

            return Font (Font::getDefaultSansSerifFontName(), height, fallbackStyle);
        }

        MemoryBlock data;
        Typeface::Ptr typeface;
    };

    const FontFile& fontFile (int which)
    {
        static const FontFile legend ("DejaVuSansCondensed-Bold.ttf");
        static const FontFile plain ("DejaVuSansCondensed.ttf");
        static const FontFile logo ("DejaVuSerif-Bold.ttf");
        static const FontFile script ("DejaVuSerifCondensed-Italic.ttf");

        switch (which)
        {
            case 0:  return legend;
            case 1:  return plain;
            case 2:  return logo;
            default: return script;
        }
    }
}

Font legendFont (float height) { return fontFile (0).withHeight (height, Font::bold); }
Font plainFont (float height)  { return fontFile (1).withHeight (height, Font::plain); }
Font logoFont (float height)   { return fontFile (2).withHeight (height, Font::bold); }
Font scriptFont (float height) { return fontFile (3).withHeight (height, Font::italic); }

float textWidth (const Font& font, const String& text)
{
    GlyphArrangement glyphs;
    glyphs.addLineOfText (font, text, 0.0f, 0.0f);
    return glyphs.getBoundingBox (0, -1, true).getWidth();
}

void drawLegend (Graphics& g, const String& text, const Font& font, float x, float baselineY,
                 Colour colour, Justification justification)
{
    const float width = textWidth (font, text);
    float left = x;

    if (justification.testFlags (Justification::horizontallyCentred))
        left = x - width * 0.5f;
    else if (justification.testFlags (Justification::right))
        left = x - width;

    left = std::round (left);
    g.setFont (font);

    // The lower lip of the engraving catches the light from above.
    g.setColour (Colours::white.withAlpha (0.07f));
    g.drawSingleLineText (text, (int) left, (int) std::round (baselineY) + 1);
    g.setColour (Colours::black.withAlpha (0.55f));
    g.drawSingleLineText (text, (int) left, (int) std::round (baselineY) - 1);
    g.setColour (colour);
    g.drawSingleLineText (text, (int) left, (int) std::round (baselineY));
}

//==============================================================================
Point<float> polar (Point<float> centre, float radius, float angle)
{
    return { centre.x + radius * std::sin (angle), centre.y - radius * std::cos (angle) };
}

Path radialLine (Point<float> centre, float r1, float r2, float angle, float thickness)
{
    Path p;
    p.addLineSegment ({ polar (centre, r1, angle), polar (centre, r2, angle) }, thickness);
    return p;
}

float knobAngle (float proportion)
{
    return degreesToRadians (-150.0f + 300.0f * proportion);
}

//==============================================================================
namespace
{
    struct Encoding
    {
        int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
        int bitDepth = 8;
        int width = 0, height = 0;
        std::vector<std::vector<png_byte>> rows;
        std::vector<png_color> palette;
        std::vector<png_byte> paletteAlpha;
    };

    void appendBytes (png_structp png, png_bytep data, png_size_t length)
    {
        auto* out = static_cast<std::vector<png_byte>*> (png_get_io_ptr (png));
        out->insert (out->end(), data, data + length);
    }

    void noFlush (png_structp) {}

    bool encode (const Encoding& e, int filter, int strategy, std::vector<png_byte>& out)
    {
        out.clear();
        png_structp png = png_create_write_struct (PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);

        if (png == nullptr)
            return false;

        png_infop info = png_create_info_struct (png);

        if (info == nullptr || setjmp (png_jmpbuf (png)))
        {
            png_destroy_write_struct (&png, &info);
            return false;
        }

        png_set_write_fn (png, &out, appendBytes, noFlush);
        png_set_compression_level (png, Z_BEST_COMPRESSION);
        png_set_compression_mem_level (png, 9);
        png_set_compression_strategy (png, strategy);
        png_set_filter (png, PNG_FILTER_TYPE_BASE, filter);
        png_set_IHDR (png, info, (png_uint_32) e.width, (png_uint_32) e.height, e.bitDepth, e.colourType,
                      PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);

        if (e.colourType == PNG_COLOR_TYPE_PALETTE)
        {
            png_set_PLTE (png, info, e.palette.data(), (int) e.palette.size());

            if (! e.paletteAlpha.empty())
                png_set_tRNS (png, info, e.paletteAlpha.data(), (int) e.paletteAlpha.size(), nullptr);
        }

        png_write_info (png, info);

        for (auto& row : e.rows)
            png_write_row (png, row.data());

        png_write_end (png, info);
        png_destroy_write_struct (&png, &info);
        return true;
    }
}

bool writePng (const Image& imageIn, const File& file)
{
    const auto image = toArgb (imageIn);
    const int width = image.getWidth(), height = image.getHeight();
    const Image::BitmapData data (image, Image::BitmapData::readOnly);

    // Straight (not premultiplied) RGBA, and what the image needs.
    std::vector<std::uint32_t> rgba ((size_t) width * (size_t) height);
    bool opaque = true;

    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            auto p = *pixelAt (data, x, y);
            p.unpremultiply();
            auto a = p.getAlpha();
            auto r = p.getRed(), g = p.getGreen(), b = p.getBlue();

            if (a == 0)
                r = g = b = 0;

            opaque = opaque && a == 255;
            rgba[(size_t) y * (size_t) width + (size_t) x] = ((std::uint32_t) r << 24) | ((std::uint32_t) g << 16)
                                                             | ((std::uint32_t) b << 8) | a;
        }
    }

    // Palette in order of first appearance, transparent colours first.
    std::vector<std::uint32_t> colours;
    std::map<std::uint32_t, int> index;

    for (int pass = 0; pass < 2; ++pass)
        for (auto c : rgba)
            if (((c & 0xff) != 255) == (pass == 0) && index.find (c) == index.end() && colours.size() <= 256)
            {
                index[c] = (int) colours.size();
                colours.push_back (c);
            }

    Encoding e;
    e.width = width;
    e.height = height;

    if (colours.size() <= 256 && ! colours.empty())
    {
        e.colourType = PNG_COLOR_TYPE_PALETTE;
        e.bitDepth = colours.size() <= 2 ? 1 : colours.size() <= 4 ? 2 : colours.size() <= 16 ? 4 : 8;

        for (auto c : colours)
        {
            e.palette.push_back ({ (png_byte) (c >> 24), (png_byte) (c >> 16), (png_byte) (c >> 8) });

            if ((c & 0xff) != 255)
                e.paletteAlpha.push_back ((png_byte) (c & 0xff));
        }

        const int perByte = 8 / e.bitDepth;

        for (int y = 0; y < height; ++y)
        {
            std::vector<png_byte> row ((size_t) ((width + perByte - 1) / perByte), 0);

            for (int x = 0; x < width; ++x)
            {
                const int value = index[rgba[(size_t) y * (size_t) width + (size_t) x]];
                const int shift = 8 - e.bitDepth * (x % perByte + 1);
                row[(size_t) (x / perByte)] |= (png_byte) (value << shift);
            }

            e.rows.push_back (std::move (row));
        }
    }
    else
    {
        e.colourType = opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA;
        const int channels = opaque ? 3 : 4;

        for (int y = 0; y < height; ++y)
        {
            std::vector<png_byte> row ((size_t) (width * channels));

            for (int x = 0; x < width; ++x)
            {
                const auto c = rgba[(size_t) y * (size_t) width + (size_t) x];

                for (int k = 0; k < channels; ++k)
                    row[(size_t) (x * channels + k)] = (png_byte) (c >> (24 - 8 * k));
            }

            e.rows.push_back (std::move (row));
        }
    }

    std::vector<png_byte> best, attempt;
    const int filters[] = { PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG,
                            PNG_FILTER_PAETH, PNG_ALL_FILTERS };
    const int strategies[] = { Z_DEFAULT_STRATEGY, Z_FILTERED };

    for (auto filter : filters)
        for (auto strategy : strategies)
            if (encode (e, filter, strategy, attempt) && (best.empty() || attempt.size() < best.size()))
                best = attempt;

    if (best.empty())
        return false;

    file.getParentDirectory().createDirectory();
    return file.replaceWithData (best.data(), best.size());
}

Image readImage (const File& file)
{
    return ImageFileFormat::loadFrom (file);
}
} // namespace art
