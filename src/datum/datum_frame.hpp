// Datum features (a point, a line or a plane, built from rows of three doubles by type code) and
// the reference frame they fix in precedence order. Rk_RefFrameSetByGeom is the two steps in one;
// Rk_TransformsSetByGeom builds a target's features once and turns their senses in copies.
// Defined in rk_reffr; failures are raised as src/rk_reffr or by the geometry operations.
#pragma once

#include "rk_basekit.h"

namespace rk {

enum DatumType { kNoFeature = 0, kPointFeature = 1, kLineFeature = 2, kPlaneFeature = 3 };

// Only the member of `type` is meaningful.
struct DatumFeature {
    int type;
    Rk_PointStruct point;
    Rk_LineStruct line;
    Rk_PlaneStruct plane;
};

struct DatumFeatures {
    DatumFeature pri;
    DatumFeature sec;
    DatumFeature ter;
};

// Error 1 for a combination of types no case serves; otherwise builds, in order, the features the
// case uses (a tertiary after a point primary with no secondary is ignored and left as none).
// A line or plane whose rows are degenerate fails with the error of its building operation.
int build_datum_features(int pri_type, double (*pri)[3], int sec_type, double (*sec)[3], int ter_type,
                         double (*ter)[3], DatumFeatures* features);

// The frame of features made by build_datum_features: `redundant` is 1 when a lower feature was
// dropped because it added nothing.
int datum_frame(Rk_RefFrameStruct* frame, const DatumFeatures& features, double eps, int* redundant);

// The feature in the other sense: a line's points exchanged, a plane's normal negated (as its
// second and third rows exchanged would make it), a point left alone.
void reverse_sense(DatumFeature* feature);

}  // namespace rk
