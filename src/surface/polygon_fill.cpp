#include "surface/polygon_fill.h"

#include <algorithm>
#include <vector>

#include "surface/span_list.h"

void EdgeStepper::Start(TPoint top, TPoint bottom, int y) {
  dy = std::int64_t(bottom.Y) - top.Y;
  const std::int64_t dx = std::int64_t(bottom.X) - top.X;
  q = std::int64_t(FloorDiv(dx, dy));
  r = dx - q * dy;
  const RasterWide t = RasterWide(std::int64_t(y) - top.Y) * dx;
  const RasterWide steps = CeilDiv(t, dy);
  x = top.X + std::int64_t(steps);
  e = std::int64_t(steps * dy - t);
}

namespace {

struct Edge {
  TPoint top, bottom;
  int dir;  // +1 when the path runs downwards along the edge, -1 upwards
};

struct ActiveEdge {
  EdgeStepper stepper;
  int bottomY;
  int dir;
};

struct Crossing {
  std::int64_t x;
  int dir;
};

std::vector<Edge> polygonEdges(const TPoint* pts, std::size_t count) {
  std::vector<Edge> edges;
  edges.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const TPoint prev = pts[(i + count - 1) % count], cur = pts[i];
    if (prev.Y == cur.Y) continue;
    if (prev.Y > cur.Y)
      edges.push_back(Edge{cur, prev, -1});
    else
      edges.push_back(Edge{prev, cur, +1});
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.top.Y < b.top.Y; });
  return edges;
}

// Spans of one row from its crossings sorted by x.
void addRow(SpanList& out, int y, const std::vector<Crossing>& xs, bool winding) {
  if (!winding) {
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2) out.Add(y, xs[i].x, xs[i + 1].x);
    return;
  }
  int count = 0;
  std::int64_t start = 0;
  for (const Crossing& c : xs) {
    const int before = count;
    count += c.dir;
    if (before == 0 && count != 0) start = c.x;
    if (before != 0 && count == 0) out.Add(y, start, c.x);
  }
}

}  // namespace

void AddPolygon(SpanList& out, const TPoint* points, std::size_t count, bool winding) {
  const std::vector<Edge> edges = polygonEdges(points, count);
  if (edges.empty()) return;
  int top = edges.front().top.Y, bottom = top;
  for (const Edge& e : edges) bottom = std::max(bottom, e.bottom.Y);
  const int yEnd = out.EndRow(bottom);
  std::vector<ActiveEdge> active;
  std::vector<Crossing> xs;
  std::size_t next = 0;
  for (int y = out.FirstRow(top); y < yEnd; ++y) {
    active.erase(std::remove_if(active.begin(), active.end(), [y](const ActiveEdge& a) { return a.bottomY <= y; }),
                 active.end());
    for (; next < edges.size() && edges[next].top.Y <= y; ++next) {
      if (edges[next].bottom.Y <= y) continue;
      ActiveEdge a{{}, edges[next].bottom.Y, edges[next].dir};
      a.stepper.Start(edges[next].top, edges[next].bottom, y);
      active.push_back(a);
    }
    xs.clear();
    for (ActiveEdge& a : active) {
      xs.push_back(Crossing{a.stepper.x, a.dir});
      a.stepper.Step();
    }
    std::sort(xs.begin(), xs.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    addRow(out, y, xs, winding);
  }
}
