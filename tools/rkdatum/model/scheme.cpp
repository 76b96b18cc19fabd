// The names the model gives its codes: feature types, precedences and degrees of freedom.
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

}  // namespace rkdatum
