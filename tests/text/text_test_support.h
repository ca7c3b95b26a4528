// Helpers for the text layer's tests: fonts by request and ink measurement.
#pragma once

#include <algorithm>
#include <string>

#include "text/pixel_surface.h"
#include "text/text_font.h"

struct InkBox {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; right < left when empty
  int lit = 0;                                     // pixels that are not black
};

inline InkBox MeasureInk(const PixelSurface& surface, int originX = 0, int originY = 0) {
  InkBox box;
  bool any = false;
  for (int y = 0; y < surface.height; ++y) {
    for (int x = 0; x < surface.width; ++x) {
      if (!IsLitAt(surface, x, y)) continue;
      ++box.lit;
      if (!any) {
        box.left = box.right = x;
        box.top = box.bottom = y;
        any = true;
      }
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  if (any) {
    box.left -= originX;
    box.right -= originX;
    box.top -= originY;
    box.bottom -= originY;
  }
  return box;
}

inline FontRequest Request(const std::string& face, int height, int width = 0, int weight = 400,
                           bool italic = false, bool underline = false) {
  FontRequest request;
  request.face = face;
  request.height = height;
  request.width = width;
  request.weight = weight;
  request.italic = italic;
  request.underline = underline;
  return request;
}

// The file name of a path.
inline std::string BaseName(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
