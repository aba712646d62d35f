#include "scenes/keyframes.h"

namespace scenes {
namespace {

VectorKey HermiteKey(float time, Vec3 value, Vec3 speedHere, Vec3 speedAtNext,
                     float segmentLength) {
  return {time, ToD3D(value), ToD3D(speedHere * segmentLength), ToD3D(speedAtNext * segmentLength)};
}

// Keys through the values with the given speeds (units per second) at each.
std::vector<VectorKey> KeysWithSpeeds(const std::vector<TimedValue>& points,
                                      const std::vector<Vec3>& speeds) {
  std::vector<VectorKey> keys;
  for (size_t i = 0; i < points.size(); ++i) {
    const bool last = i + 1 == points.size();
    const float length = last ? 0 : points[i + 1].time - points[i].time;
    keys.push_back(HermiteKey(points[i].time, points[i].value, last ? Vec3{} : speeds[i],
                              last ? Vec3{} : speeds[i + 1], length));
  }
  return keys;
}

RotationKey MakeRotationKey(float time, Quat value, Quat control) {
  return {time, ToD3D(value), ToD3D(control), ToD3D(value)};
}

// The rotations turned so that each lies on the same side as the one before: the
// animator's interpolation makes no sign flip of its own.
std::vector<TimedRotation> Aligned(std::vector<TimedRotation> rotations) {
  for (size_t i = 1; i < rotations.size(); ++i) {
    if (Dot(rotations[i].value, rotations[i - 1].value) < 0)
      rotations[i].value = Negated(rotations[i].value);
  }
  return rotations;
}

}  // namespace

std::vector<VectorKey> VectorKeys(const std::vector<TimedValue>& points, KeyMotion motion) {
  std::vector<Vec3> speeds(points.size());
  if (motion == KeyMotion::kSmooth) {
    for (size_t i = 1; i + 1 < points.size(); ++i) {
      speeds[i] = (points[i + 1].value - points[i - 1].value) *
                  (1 / (points[i + 1].time - points[i - 1].time));
    }
  }
  return KeysWithSpeeds(points, speeds);
}

std::vector<VectorKey> SampledVectorKeys(float start, float end, int segments,
                                         const std::function<Vec3(float time)>& curve) {
  const std::vector<float> times = EvenTimes(start, end, segments);
  const float step = (end - start) / static_cast<float>(segments);
  const float probe = step / 8;
  std::vector<TimedValue> points;
  std::vector<Vec3> speeds;
  for (const float time : times) {
    points.push_back({time, curve(time)});
    speeds.push_back((curve(time + probe) - curve(time - probe)) * (1 / (2 * probe)));
  }
  return KeysWithSpeeds(points, speeds);
}

std::vector<RotationKey> RotationKeys(const std::vector<TimedRotation>& unaligned,
                                      KeyMotion motion) {
  const std::vector<TimedRotation> rotations = Aligned(unaligned);
  const size_t count = rotations.size();
  std::vector<RotationKey> keys;
  for (size_t i = 0; i < count; ++i) {
    const Quat value = rotations[i].value;
    const float time = rotations[i].time;
    if (motion == KeyMotion::kSmooth) {
      const bool inner = i > 0 && i + 1 < count;
      keys.push_back(MakeRotationKey(
          time, value,
          inner ? SquadControl(rotations[i - 1].value, value, rotations[i + 1].value) : value));
      continue;
    }
    // Controls half a turn's length behind and beyond the segment make it ease in and out.
    if (i > 0)
      keys.push_back(MakeRotationKey(time, value, Slerp(rotations[i - 1].value, value, 1.5f)));
    if (i + 1 < count)
      keys.push_back(MakeRotationKey(time, value, Slerp(value, rotations[i + 1].value, -0.5f)));
  }
  if (count == 1)
    keys.push_back(MakeRotationKey(rotations[0].time, rotations[0].value, rotations[0].value));
  return keys;
}

std::vector<RotationKey> SampledRotationKeys(float start, float end, int segments,
                                             const std::function<Quat(float time)>& orientation) {
  std::vector<TimedRotation> rotations;
  for (const float time : EvenTimes(start, end, segments))
    rotations.push_back({time, orientation(time)});
  return RotationKeys(rotations, KeyMotion::kSmooth);
}

std::vector<float> EvenTimes(float start, float end, int segments) {
  std::vector<float> times;
  for (int i = 0; i <= segments; ++i) {
    times.push_back(i == segments ? end
                                  : start + (end - start) * static_cast<float>(i) /
                                                static_cast<float>(segments));
  }
  return times;
}

}  // namespace scenes
