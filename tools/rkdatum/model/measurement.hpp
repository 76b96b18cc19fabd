// A measurement of the assembly: a number computed from the images of check points in the base's
// coordinates, against geometry that is fixed in the base, carried by a part, or a feature of a part;
// with optional lower and upper limits.
#pragma once

#include <cstddef>
#include <string>

namespace rkdatum {

enum class MeasureKind {
    coordinate,          // the image's coordinate along a unit direction, from the frame's origin
    distance_to_point,   // |image - origin|
    distance_to_line,    // from the image to the line through origin along axis
    distance_to_plane,   // signed: positive on the side the plane's normal (axis) points to
    angle_to_direction,  // degrees, 0 to 180, between the direction of two images and axis
    angle_to_plane,      // degrees, -90 to 90, positive when that direction leans along the normal
};

// Whose coordinates a measurement's given geometry is written in: the base's, a part's own, or the
// datum reference frame of a located part. Geometry given in a part moves, and varies, with it.
enum class Frame { base, part, datum_frame };

struct Measurement {
    std::string name;
    std::string definition;   // as the settings file gives it
    MeasureKind kind = MeasureKind::coordinate;
    std::size_t check = 0;    // the check point; an angle's direction runs from it to `second`
    std::size_t second = 0;
    Frame frame = Frame::base;
    std::size_t frame_part = 0;   // with Frame::part and Frame::datum_frame
    // Instead of given geometry, a feature of a part: feature `feature_precedence` of set `feature_set`.
    bool on_feature = false;
    std::size_t feature_set = 0;
    int feature_precedence = 0;
    double origin[3] = {};    // given geometry: the point, a point of the line or of the plane
    double axis[3] = {};      // unit: the direction, the line's direction or the plane's normal
    bool has_lsl = false, has_usl = false;
    double lsl = 0.0, usl = 0.0;
};

const char* kind_name(MeasureKind kind);   // "coordinate", "distance to plane" ...
bool is_angle(MeasureKind kind);

}  // namespace rkdatum
