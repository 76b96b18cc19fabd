// A measurement of the located object: a number computed from the images of its check points in
// the target's coordinates (under transform 1), with optional lower and upper limits.
#pragma once

#include <cstddef>
#include <string>

namespace rkdatum {

enum class MeasureKind {
    coordinate,          // the image's coordinate along a unit direction
    distance_to_point,   // |image - origin|
    distance_to_line,    // from the image to the line through origin along axis
    distance_to_plane,   // signed: positive on the side the plane's normal (axis) points to
    angle_to_direction,  // degrees, 0 to 180, between the object direction and axis
    angle_to_plane,      // degrees, -90 to 90, positive when the object direction leans along the normal
};

struct Measurement {
    std::string name;
    std::string definition;   // as the settings file gives it
    MeasureKind kind = MeasureKind::coordinate;
    std::size_t check = 0;    // the check point; an angle's direction runs from it to `second`
    std::size_t second = 0;
    double origin[3] = {};    // a point of the target: the point, a point of the line or of the plane
    double axis[3] = {};      // unit: the direction, the line's direction or the plane's normal
    bool has_lsl = false, has_usl = false;
    double lsl = 0.0, usl = 0.0;
};

const char* kind_name(MeasureKind kind);   // "coordinate", "distance to plane" ...
bool is_angle(MeasureKind kind);

}  // namespace rkdatum
