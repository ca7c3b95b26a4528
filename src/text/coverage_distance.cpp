// Signed distance fields from coverage: marching squares at the half level, then dead
// reckoning.
#include "text/coverage_distance.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>
#include <vector>

namespace {

constexpr float kHalf = 127.5f;
constexpr float kFar = std::numeric_limits<float>::infinity();

struct Point {
  float x = 0, y = 0;
};

// Per pixel: the nearest edge point found so far (pixel centres at whole coordinates)
// and its squared distance.
struct Nearest {
  std::vector<Point> point;
  std::vector<float> distance2;
};

// Where the ramp from a (value va) to b (value vb) crosses the half level; one of the
// two is at least 128, the other below.
Point Crossing(Point a, float va, Point b, float vb) {
  const float t = (kHalf - va) / (vb - va);
  return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

// The point of segment [a, b] nearest p.
Point NearestOnSegment(Point p, Point a, Point b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length2 = dx * dx + dy * dy;
  float t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  return {a.x + t * dx, a.y + t * dy};
}

void Offer(Nearest& nearest, int index, Point p, Point q) {
  const float dx = p.x - q.x, dy = p.y - q.y;
  const float d2 = dx * dx + dy * dy;
  if (d2 < nearest.distance2[index]) {
    nearest.distance2[index] = d2;
    nearest.point[index] = q;
  }
}

// Hands the pieces of edge to the pixels of the 4 x 4 block around the square whose
// top-left centre is (x, y).
void SeedAround(Nearest& nearest, int width, int height, int x, int y, Point a, Point b) {
  for (int py = std::max(0, y - 1); py <= std::min(height - 1, y + 2); ++py) {
    for (int px = std::max(0, x - 1); px <= std::min(width - 1, x + 2); ++px) {
      const Point p{static_cast<float>(px), static_cast<float>(py)};
      Offer(nearest, py * width + px, p, NearestOnSegment(p, a, b));
    }
  }
}

// Marching squares over every square of four pixel centres.
bool SeedEdges(const PixelSurface& coverage, Nearest& nearest) {
  const int width = coverage.width, height = coverage.height;
  const std::uint8_t* c = coverage.pixels.data();
  bool any = false;
  for (int y = 0; y + 1 < height; ++y) {
    for (int x = 0; x + 1 < width; ++x) {
      // Corners clockwise from the top-left, and the sides between them.
      const Point corner[4] = {{float(x), float(y)},
                               {float(x + 1), float(y)},
                               {float(x + 1), float(y + 1)},
                               {float(x), float(y + 1)}};
      const float value[4] = {float(c[y * width + x]), float(c[y * width + x + 1]),
                              float(c[(y + 1) * width + x + 1]), float(c[(y + 1) * width + x])};
      Point cross[4];
      int count = 0;
      for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        if ((value[i] > kHalf) != (value[j] > kHalf)) {
          cross[count++] = Crossing(corner[i], value[i], corner[j], value[j]);
        }
      }
      if (count < 2) continue;
      any = true;
      if (count == 2) {
        SeedAround(nearest, width, height, x, y, cross[0], cross[1]);
        continue;
      }
      // A saddle: the centre's mean decides whether the lit corners join.
      const float mean = (value[0] + value[1] + value[2] + value[3]) / 4;
      const bool litJoin = mean > kHalf;
      // Side i runs from corner i to corner i + 1; pair each side with the next one
      // around the corner it cuts off.
      const bool firstCornerLit = value[1] > kHalf;  // corner between sides 0 and 1
      if (firstCornerLit != litJoin) {
        SeedAround(nearest, width, height, x, y, cross[0], cross[1]);
        SeedAround(nearest, width, height, x, y, cross[2], cross[3]);
      } else {
        SeedAround(nearest, width, height, x, y, cross[1], cross[2]);
        SeedAround(nearest, width, height, x, y, cross[3], cross[0]);
      }
    }
  }
  return any;
}

// Two raster sweeps, each pixel trying the nearest edge points of the neighbours
// already swept.
void Propagate(Nearest& nearest, int width, int height) {
  const auto tryFrom = [&](int x, int y, int nx, int ny) {
    if (nx < 0 || ny < 0 || nx >= width || ny >= height) return;
    const int from = ny * width + nx;
    if (nearest.distance2[from] == kFar) return;
    Offer(nearest, y * width + x, {float(x), float(y)}, nearest.point[from]);
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      tryFrom(x, y, x - 1, y - 1);
      tryFrom(x, y, x, y - 1);
      tryFrom(x, y, x + 1, y - 1);
      tryFrom(x, y, x - 1, y);
    }
    for (int x = width - 1; x >= 0; --x) tryFrom(x, y, x + 1, y);
  }
  for (int y = height - 1; y >= 0; --y) {
    for (int x = width - 1; x >= 0; --x) {
      tryFrom(x, y, x + 1, y + 1);
      tryFrom(x, y, x, y + 1);
      tryFrom(x, y, x - 1, y + 1);
      tryFrom(x, y, x + 1, y);
    }
    for (int x = 0; x < width; ++x) tryFrom(x, y, x - 1, y);
  }
}

std::uint8_t FieldValue(bool inside, float distance2, int spreadPx) {
  if (distance2 == kFar) return inside ? 255 : 0;
  const float d = std::sqrt(distance2) * (inside ? 1.0f : -1.0f);
  const long value = std::lround(128.0f + 128.0f * d / static_cast<float>(spreadPx));
  return static_cast<std::uint8_t>(inside ? std::clamp(value, 128L, 255L)
                                          : std::clamp(value, 0L, 127L));
}

}  // namespace

Status CoverageDistance(const PixelSurface& coverage, int spreadPx, PixelSurface& field) {
  spreadPx = std::clamp(spreadPx, 1, 32);
  if (Status made = ResizePixelSurface(field, coverage.width, coverage.height); !made) return made;
  const std::size_t count = field.pixels.size();
  Nearest nearest;
  try {
    nearest.point.resize(count);
    nearest.distance2.assign(count, kFar);
  } catch (const std::bad_alloc&) {
    field = {};
    return Failure("Out of memory.", ENOMEM);
  }
  if (SeedEdges(coverage, nearest)) Propagate(nearest, coverage.width, coverage.height);
  for (std::size_t i = 0; i < count; ++i) {
    field.pixels[i] = FieldValue(coverage.pixels[i] > kHalf, nearest.distance2[i], spreadPx);
  }
  return {};
}

void MaxCoverageDistance(const PixelSurface& coverage, PixelRect rect, int spreadPx,
                         PixelSurface& field) {
  rect.left = std::max({rect.left, 0});
  rect.top = std::max({rect.top, 0});
  rect.right = std::min({rect.right, coverage.width, field.width});
  rect.bottom = std::min({rect.bottom, coverage.height, field.height});
  if (rect.left >= rect.right || rect.top >= rect.bottom) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  PixelSurface part;
  if (!ResizePixelSurface(part, width, height)) return;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = coverage.pixels.data() +
                              static_cast<std::size_t>(rect.top + y) * coverage.width + rect.left;
    std::copy(src, src + width, part.pixels.data() + static_cast<std::size_t>(y) * width);
  }
  PixelSurface partField;
  if (!CoverageDistance(part, spreadPx, partField)) return;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = partField.pixels.data() + static_cast<std::size_t>(y) * width;
    std::uint8_t* dst =
        field.pixels.data() + static_cast<std::size_t>(rect.top + y) * field.width + rect.left;
    for (int x = 0; x < width; ++x) dst[x] = std::max(dst[x], src[x]);
  }
}
