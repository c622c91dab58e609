#pragma once
// The shapes the build's pictures are painted from, tested at pixel centres.
namespace tools {

struct Point {
  double x, y;
};

struct RoundedSquare {
  double left, top, right, bottom, radius;

  bool Contains(Point p) const {
    const double dx = p.x < left + radius ? left + radius - p.x : (p.x > right - radius ? p.x - (right - radius) : 0);
    const double dy = p.y < top + radius ? top + radius - p.y : (p.y > bottom - radius ? p.y - (bottom - radius) : 0);
    return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom && dx * dx + dy * dy <= radius * radius;
  }
};

struct Pip {
  Point centre;
  double radius;

  bool Contains(Point p) const {
    const double dx = p.x - centre.x;
    const double dy = p.y - centre.y;
    return dx * dx + dy * dy <= radius * radius;
  }
};

}  // namespace tools
