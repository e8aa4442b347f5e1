#pragma once

#include <png.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

namespace vortila::testing {

struct Rgb {
  std::uint8_t red, green, blue;
};

// Writes a PNG file of `width` x `height` pixels, each coloured by `colourAt(x, y)`: the
// pictures the terminal front end is tested and measured with.
inline bool WritePng(const std::filesystem::path& file, int width, int height,
                     const std::function<Rgb(int, int)>& colourAt) {
  std::vector<std::uint8_t> pixels;
  pixels.reserve(static_cast<std::size_t>(width * height * 3));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb colour = colourAt(x, y);
      pixels.insert(pixels.end(), {colour.red, colour.green, colour.blue});
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, file.c_str(), 0, pixels.data(), 0, nullptr) != 0;
}

}  // namespace vortila::testing
