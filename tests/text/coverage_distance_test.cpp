// Distance fields from coverage, judged against shapes whose distances are known exactly:
// the coverage is each pixel's area inside the shape, sampled 16 x 16 times.
#include "text/coverage_distance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// The signed distance of a point from the shape's edge, positive inside.
using Shape = std::function<double(double x, double y)>;

PixelSurface Coverage(int size, const Shape& shape) {
  PixelSurface surface;
  EXPECT_TRUE(ResizePixelSurface(surface, size, size));
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int in = 0;
      for (int sy = 0; sy < 16; ++sy) {
        for (int sx = 0; sx < 16; ++sx) in += shape(x + (sx + 0.5) / 16, y + (sy + 0.5) / 16) > 0;
      }
      surface.pixels[y * size + x] = static_cast<std::uint8_t>(std::lround(in * 255.0 / 256));
    }
  }
  return surface;
}

TEST(CoverageDistanceTest, FollowsTheShapesEdgeWithinAFifthOfAPixel) {
  constexpr int kSize = 40;
  const struct {
    const char* name;
    Shape shape;
  } rows[] = {
      {"disc of radius 11.3",
       [](double x, double y) { return 11.3 - std::hypot(x - 20.2, y - 19.7); }},
      {"slanted half plane", [](double x, double y) { return (x * 0.8 + y * 0.6) - 23.4; }},
      {"ring 2.6 px thick",
       [](double x, double y) { return 1.3 - std::abs(std::hypot(x - 19.5, y - 20.1) - 12); }},
  };
  for (const int spread : {4, 8}) {
    for (const auto& row : rows) {
      SCOPED_TRACE(std::string(row.name) + ", spread " + std::to_string(spread));
      const PixelSurface coverage = Coverage(kSize, row.shape);
      PixelSurface field;
      ASSERT_TRUE(CoverageDistance(coverage, spread, field));
      double worst = 0;
      for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
          const int value = field.pixels[y * kSize + x];
          // The half-coverage shape, pixel for pixel.
          ASSERT_EQ(value >= 128, coverage.pixels[y * kSize + x] >= 128) << x << "," << y;
          const double d = row.shape(x + 0.5, y + 0.5);
          // Clamped, or nearer an edge beyond the surface than any within it.
          const int border = std::min({x, y, kSize - 1 - x, kSize - 1 - y});
          if (std::abs(d) > spread - 0.5 || border < spread) continue;
          worst = std::max(worst, std::abs((value - 128) * spread / 128.0 - d));
        }
      }
      EXPECT_LT(worst, 0.2);
    }
  }
}

TEST(CoverageDistanceTest, WithoutAnEdgeEveryPixelIsFarInOrOut) {
  for (const std::uint8_t lit : {0, 200}) {
    PixelSurface coverage;
    ASSERT_TRUE(ResizePixelSurface(coverage, 5, 3));
    FillPixelSurface(coverage, lit);
    PixelSurface field;
    ASSERT_TRUE(CoverageDistance(coverage, 4, field));
    for (const std::uint8_t v : field.pixels) EXPECT_EQ(v, lit ? 255 : 0);
  }
}

}  // namespace
