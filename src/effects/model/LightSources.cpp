// Light sources and barriers: the values a new one starts with and the text
// form the command line gives them in.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "base/Rounding.h"
#include "effects/model/Lighting.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

namespace {

int32_t Coordinate(double v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(Round(v), -kLightCoordinateLimit, kLightCoordinateLimit));
}

// One digit 0..9 from the generator.
double Digit(TRandomGenerator& rng) {
  return static_cast<double>(rng.Below(10));
}

// A field of a text form: its name in the form, its range, whether it must
// be whole, and where it goes.
struct TextField {
  const char* Name;
  double Min, Max;
  bool Whole;
};

constexpr TextField kLightFields[] = {{"STYLE", 0, 3, true},
                                      {"X", -kLightCoordinateLimit, kLightCoordinateLimit, true},
                                      {"Y", -kLightCoordinateLimit, kLightCoordinateLimit, true},
                                      {"WIDTH", 0, kLightWidthMax, true},
                                      {"MAXDIST", -1, kLightWidthMax, true},
                                      {"FUNCTION", -1, 5, true},
                                      {"FACTOR", 1, kLightFactorMax, false},
                                      {"RED", 0, 100, false},
                                      {"GREEN", 0, 100, false},
                                      {"BLUE", 0, 100, false}};

constexpr TextField kBarrierFields[] = {{"X1", -kLightCoordinateLimit, kLightCoordinateLimit, true},
                                        {"Y1", -kLightCoordinateLimit, kLightCoordinateLimit, true},
                                        {"X2", -kLightCoordinateLimit, kLightCoordinateLimit, true},
                                        {"Y2", -kLightCoordinateLimit, kLightCoordinateLimit, true},
                                        {"RED", 0, 100, false},
                                        {"GREEN", 0, 100, false},
                                        {"BLUE", 0, 100, false}};

std::string Range(const TextField& f) {
  auto text = [](double v) { return std::to_string(static_cast<int64_t>(v)); };
  return (f.Whole ? "a whole number from " : "a number from ") + text(f.Min) + " to " + text(f.Max);
}

// Splits text at commas into exactly N numbers within their fields' ranges.
template <size_t N>
std::array<double, N> ParseFields(const std::string& text, const TextField (&fields)[N],
                                  const char* what, const char* form) {
  std::array<double, N> values{};
  size_t start = 0, i = 0;
  for (; i < N; ++i) {
    const size_t end = std::min(text.find(',', start), text.size());
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    double v = 0;
    auto [stop, ec] = std::from_chars(first, last, v);
    const TextField& f = fields[i];
    if (ec != std::errc() || stop != last || !(v >= f.Min && v <= f.Max) ||
        (f.Whole && v != std::floor(v)))
      throw ELumarteError(std::string(what) + " " + f.Name + " takes " + Range(f) + ", got \"" +
                          std::string(first, last) + "\"");
    values[i] = v;
    if (end == text.size()) break;
    start = end + 1;
  }
  if (i + 1 != N)
    throw ELumarteError(std::string(what) + " takes " + std::to_string(N) + " numbers " + form +
                        ", got \"" + text + "\"");
  return values;
}

int32_t Int(double v) {
  return static_cast<int32_t>(v);
}

}  // namespace

TLight NewLight(int width, int height, TRandomGenerator& rng) {
  const double scale = static_cast<double>(width) * height / 160000.0;
  TLight s;
  s.X = Coordinate(scale * (Digit(rng) - 55));
  s.Y = Coordinate(scale * (Digit(rng) - 55));
  s.Width = static_cast<int32_t>(std::min<int64_t>(Round(scale * 100), kLightWidthMax));
  return s;
}

TBarrier NewBarrier(int width, int height, TRandomGenerator& rng) {
  const double scale = static_cast<double>(width) * height / 160000.0;
  TBarrier b;
  b.X1 = Coordinate(scale * (Digit(rng) - 45));
  b.Y1 = Coordinate(scale * (Digit(rng) - 45));
  b.X2 = Coordinate((Digit(rng) - 35) * scale * scale);
  b.Y2 = Coordinate((Digit(rng) - 25) * scale * scale);
  return b;
}

TLight ParseLight(const std::string& text) {
  const auto v = ParseFields(text, kLightFields, "--light", kLightForm);
  return {Int(v[0]), Int(v[1]),     Int(v[2]), Int(v[3]), Int(v[4]),
          Int(v[5]), v[6] / 1000.0, v[7],      v[8],      v[9]};
}

TBarrier ParseBarrier(const std::string& text) {
  const auto v = ParseFields(text, kBarrierFields, "--barrier", kBarrierForm);
  return {0, Int(v[0]), Int(v[1]), Int(v[2]), Int(v[3]), v[4], v[5], v[6]};
}

TLightHandle PickLightHandle(const std::vector<TLight>& lights,
                             const std::vector<TBarrier>& barriers, double x, double y,
                             double tolerance) {
  TLightHandle best;
  double nearest = HUGE_VAL;
  auto consider = [&](TLightHandle::TKind kind, size_t i, double distance) {
    if (distance < nearest) {
      nearest = distance;
      best = {kind, static_cast<int>(i)};
    }
  };
  auto from = [&](double px, double py) { return std::hypot(px - x, py - y); };
  for (size_t i = 0; i < lights.size(); ++i)
    consider(TLightHandle::Centre, i, from(lights[i].X, lights[i].Y));
  for (size_t i = 0; i < barriers.size(); ++i)
    consider(TLightHandle::Start, i, from(barriers[i].X1, barriers[i].Y1));
  for (size_t i = 0; i < barriers.size(); ++i)
    consider(TLightHandle::End, i, from(barriers[i].X2, barriers[i].Y2));
  for (size_t i = 0; i < lights.size(); ++i) {
    const double ring = std::abs(from(lights[i].X, lights[i].Y) - lights[i].Width);
    if (ring <= tolerance) consider(TLightHandle::Reach, i, ring);
  }
  return best;
}

void DragLightHandle(TLightHandle h, std::vector<TLight>& lights, std::vector<TBarrier>& barriers,
                     double x, double y) {
  const size_t i = static_cast<size_t>(h.Index);
  const bool light = h.Kind == TLightHandle::Centre || h.Kind == TLightHandle::Reach;
  if (h.Kind == TLightHandle::None || h.Index < 0 || i >= (light ? lights.size() : barriers.size()))
    return;
  switch (h.Kind) {
    case TLightHandle::Centre:
      lights[i].X = Coordinate(x);
      lights[i].Y = Coordinate(y);
      break;
    case TLightHandle::Reach:
      lights[i].Width = static_cast<int32_t>(
          std::min<int64_t>(Round(std::hypot(x - lights[i].X, y - lights[i].Y)), kLightWidthMax));
      break;
    case TLightHandle::Start:
      barriers[i].X1 = Coordinate(x);
      barriers[i].Y1 = Coordinate(y);
      break;
    case TLightHandle::End:
      barriers[i].X2 = Coordinate(x);
      barriers[i].Y2 = Coordinate(y);
      break;
    case TLightHandle::None:
      break;
  }
}

}  // namespace lumarte::effects
