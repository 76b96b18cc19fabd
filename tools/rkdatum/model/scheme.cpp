// The names the model gives its codes: feature types, precedences, degrees of freedom and kinds of
// measurement.
#include "model/scheme.hpp"

namespace rkdatum {

const char* const kDofLabels[12] = {"+Tx", "-Tx", "+Ty", "-Ty", "+Tz", "-Tz",
                                    "+Rx", "-Rx", "+Ry", "-Ry", "+Rz", "-Rz"};

const char* feature_type_name(int type)
{
    static const char* const names[] = {"none", "point", "line", "plane"};
    return type >= kNone && type <= kPlane ? names[type] : "unknown";
}

const char* precedence_name(int precedence)
{
    static const char* const names[] = {"primary", "secondary", "tertiary"};
    return names[precedence];
}

const char* kind_name(MeasureKind kind)
{
    switch (kind) {
    case MeasureKind::coordinate: return "coordinate";
    case MeasureKind::distance_to_point: return "distance to point";
    case MeasureKind::distance_to_line: return "distance to line";
    case MeasureKind::distance_to_plane: return "distance to plane";
    case MeasureKind::angle_to_direction: return "angle to direction";
    case MeasureKind::angle_to_plane: return "angle to plane";
    }
    return "unknown";
}

bool is_angle(MeasureKind kind) { return kind == MeasureKind::angle_to_direction || kind == MeasureKind::angle_to_plane; }

}  // namespace rkdatum
