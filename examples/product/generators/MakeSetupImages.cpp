// MakeSetupImages OUTDIR: draws the setup's pictures for the product as
// JPEG pairs, a colour picture "<name>_rgb.jpg" and a grey mask
// "<name>_alp.jpg" (white shows the picture, black lets the background
// through): the wizard's side image Resources/leftimage (113 x 353), the
// product logo Logos/talvic4 (360 x 120) and the maker logo Logos/kiv
// (150 x 62). Each shows an orrery, the Sun with planets on their orbits,
// over a gradient of the night sky.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

struct Colour {
    double r, g, b;
};

Colour Mix(const Colour& a, const Colour& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(width * height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }

    // A vertical gradient from top to bottom.
    void Gradient(const Colour& top, const Colour& bottom) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                pixels_[y * width_ + x] = Mix(top, bottom, static_cast<double>(y) / (height_ - 1));
    }

    // Paints where shape gives a coverage above 0 (1 inside, fading to 0
    // over the last pixel of the edge, so that edges are smooth).
    template <typename Shape> void Paint(const Colour& colour, Shape shape) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const double cover = std::clamp(shape(x + 0.5, y + 0.5), 0.0, 1.0);
                Colour& pixel = pixels_[y * width_ + x];
                pixel = Mix(pixel, colour, cover);
            }
    }

    void Disc(double cx, double cy, double radius, const Colour& colour) {
        Paint(colour,
              [=](double x, double y) { return radius - std::hypot(x - cx, y - cy) + 0.5; });
    }

    void Ring(double cx, double cy, double radius, double width, const Colour& colour) {
        Paint(colour, [=](double x, double y) {
            return width / 2 - std::fabs(std::hypot(x - cx, y - cy) - radius) + 0.5;
        });
    }

    bool Save(const std::filesystem::path& path) const;

private:
    int width_, height_;
    std::vector<Colour> pixels_;
};

unsigned char Byte(double value) {
    return static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L));
}

// Written as a colour JPEG at high quality without chroma subsampling, so
// that masks keep equal red, green and blue and edges stay sharp.
bool Canvas::Save(const std::filesystem::path& path) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width_);
    info.image_height = static_cast<JDIMENSION>(height_);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    for (int i = 0; i < info.num_components; ++i)
        info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width_) * 3);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Colour& pixel = pixels_[y * width_ + x];
            row[x * 3] = Byte(pixel.r);
            row[x * 3 + 1] = Byte(pixel.g);
            row[x * 3 + 2] = Byte(pixel.b);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

const Colour kNightTop{12, 20, 58};
const Colour kNightBottom{70, 36, 104};
const Colour kOrbit{150, 170, 220};
const Colour kSun{255, 206, 84};
const Colour kWhite{255, 255, 255};
const Colour kBlack{0, 0, 0};

struct PlanetLook {
    double orbit; // fraction of the orrery's radius
    double angle; // degrees
    double size;  // fraction of the orrery's radius
    Colour colour;
};

const PlanetLook kPlanetLooks[] = {
    {0.30, 40, 0.045, {190, 180, 170}}, {0.45, 160, 0.07, {236, 200, 140}},
    {0.60, 250, 0.075, {90, 150, 240}}, {0.74, 320, 0.06, {220, 100, 70}},
    {0.90, 110, 0.12, {214, 170, 120}},
};

// An orrery centred at (cx, cy): orbits, the Sun and the planets.
void Orrery(Canvas& canvas, double cx, double cy, double radius) {
    for (const PlanetLook& planet : kPlanetLooks)
        canvas.Ring(cx, cy, planet.orbit * radius, std::max(1.0, radius / 90), kOrbit);
    canvas.Disc(cx, cy, radius * 0.16, kSun);
    for (const PlanetLook& planet : kPlanetLooks) {
        const double angle = planet.angle * M_PI / 180;
        canvas.Disc(cx + std::cos(angle) * planet.orbit * radius,
                    cy - std::sin(angle) * planet.orbit * radius, planet.size * radius,
                    planet.colour);
    }
}

// Faint stars scattered over the sky, the same ones on every build.
void Stars(Canvas& canvas, int count) {
    unsigned seed = 1781; // a linear congruential sequence
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(range));
    };
    for (int i = 0; i < count; ++i) {
        const int x = next(canvas.Width()), y = next(canvas.Height());
        canvas.Disc(x + 0.5, y + 0.5, 0.4 + next(5) / 10.0, Colour{200, 210, 255});
    }
}

// A mask that shows a rounded rectangle of the whole picture, its edge
// fading out over `soft` pixels.
Canvas RoundedMask(int width, int height, double corner, double soft) {
    Canvas mask(width, height);
    mask.Gradient(kBlack, kBlack);
    mask.Paint(kWhite, [=](double x, double y) {
        const double dx = std::max(std::fabs(x - width / 2.0) - (width / 2.0 - corner), 0.0);
        const double dy = std::max(std::fabs(y - height / 2.0) - (height / 2.0 - corner), 0.0);
        return (corner - std::hypot(dx, dy)) / soft;
    });
    return mask;
}

bool SavePair(const std::filesystem::path& base, const Canvas& picture, const Canvas& mask) {
    return picture.Save(base.string() + "_rgb.jpg") && mask.Save(base.string() + "_alp.jpg");
}

bool LeftImage(const std::filesystem::path& folder) {
    Canvas picture(113, 353);
    picture.Gradient(kNightTop, kNightBottom);
    Stars(picture, 60);
    Orrery(picture, 56.5, 120, 52);
    Orrery(picture, 56.5, 280, 30);
    return SavePair(folder / "leftimage", picture, RoundedMask(113, 353, 10, 3));
}

bool ProductLogo(const std::filesystem::path& folder) {
    Canvas picture(360, 120);
    picture.Gradient(kNightTop, kNightBottom);
    Stars(picture, 40);
    Orrery(picture, 60, 60, 54);
    for (int i = 0; i < 5; ++i) // a row of planets as the product's banner
        picture.Disc(140 + i * 48, 60, 10 + i * 2, kPlanetLooks[i].colour);
    return SavePair(folder / "talvic4", picture, RoundedMask(360, 120, 24, 6));
}

bool MakerLogo(const std::filesystem::path& folder) {
    Canvas picture(150, 62);
    picture.Gradient(kNightBottom, kNightTop);
    Orrery(picture, 31, 31, 28);
    picture.Disc(84, 31, 12, kSun);
    picture.Ring(84, 31, 20, 2, kOrbit);
    picture.Disc(122, 31, 12, kPlanetLooks[2].colour);
    return SavePair(folder / "kiv", picture, RoundedMask(150, 62, 12, 3));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeSetupImages OUTDIR\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code error;
    std::filesystem::create_directories(out / "Resources", error);
    std::filesystem::create_directories(out / "Logos", error);
    if (!LeftImage(out / "Resources") || !ProductLogo(out / "Logos") || !MakerLogo(out / "Logos")) {
        std::fprintf(stderr, "MakeSetupImages: cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
