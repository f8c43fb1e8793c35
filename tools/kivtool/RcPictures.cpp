// Bitmap records from the pictures of a language's "pictures" folder.
#include "tools/kivtool/RcPictures.h"

#include <filesystem>
#include <regex>

namespace fs = std::filesystem;

namespace {

// The record of a picture cut into frames along one direction.
std::vector<std::uint8_t> Record(const RcPng& png, int frames, bool vertical) {
    const std::uint32_t width = vertical ? png.width : png.width / frames;
    const std::uint32_t height = vertical ? png.height / frames : png.height;
    const std::uint32_t pixel = png.eightBit ? 1 : 4;
    const std::uint32_t row = png.eightBit ? (width + 3) / 4 * 4 : 4 * width;
    RcBytes out;
    out.Long(0);
    out.Long(png.eightBit ? 4 : 0);
    out.Long(static_cast<std::int32_t>(width));
    out.Long(static_cast<std::int32_t>(height));
    for (int f = 0; f < frames; ++f)
        for (std::uint32_t y = 0; y < height; ++y) {
            const std::uint32_t sourceY = vertical ? f * height + y : y;
            const std::uint32_t sourceX = vertical ? 0 : f * width;
            const auto* first =
                png.pixels.data() + (std::size_t{sourceY} * png.width + sourceX) * pixel;
            out.bytes.insert(out.bytes.end(), first, first + std::size_t{width} * pixel);
            out.bytes.resize(out.bytes.size() + (row - width * pixel), 0);
        }
    return out.bytes;
}

bool CompilePicture(const fs::path& path, RcRecords* records, RcError* error) {
    static const std::regex name(R"(([0-9]{1,5})(\.([vh])([0-9]{1,4}))?\.png)", std::regex::icase);
    std::smatch match;
    const std::string file = path.filename().string();
    *error = {path.string(), 0, ""};
    if (!std::regex_match(file, match, name)) {
        error->message = "expected a name ID.png, ID.vN.png or ID.hN.png";
        return false;
    }
    const std::int32_t id = std::stoi(match[1]);
    const int frames = match[2].matched ? std::stoi(match[4]) : 1;
    const bool vertical = !match[2].matched || std::tolower(match[3].str()[0]) == 'v';
    RcPng png;
    if (id > 65535 || records->count(id) || !ReadPng(path.string(), &png, &error->message)) {
        if (error->message.empty())
            error->message = "bitmap " + std::to_string(id) + " given twice or beyond 65535";
        return false;
    }
    const std::uint32_t side = vertical ? png.height : png.width;
    if (frames < 1 || side == 0 || side % static_cast<std::uint32_t>(frames) != 0 ||
        png.width == 0 || png.height == 0) {
        error->message =
            "the picture does not split into " + std::to_string(frames) + " frames of one size";
        return false;
    }
    (*records)[id] = Record(png, frames, vertical);
    return true;
}

} // namespace

bool CompilePictures(const std::string& folder, RcRecords* records, RcError* error) {
    records->clear();
    std::error_code code;
    if (!fs::is_directory(folder, code))
        return true;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder, code))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
        if (!CompilePicture(file, records, error))
            return false;
    return true;
}
