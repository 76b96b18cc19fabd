// The nominal analysis: frames from datum geometry, the candidate transforms of each located part
// onto its seat with its check points carried by each, the placements down the chain, the
// fixture's degrees of freedom in a part's datum frame, and the one analysis of a varied assembly
// that samples and sensitivities repeat.
#include "analysis/nominal.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "analysis/measure.hpp"
#include "input/read_scheme.hpp"

namespace rkdatum {

namespace {

bool fixed_in_base(const Measurement& def) { return !def.on_feature && def.frame == Frame::base; }

void require(int status, const std::string& step)
{
    if (status != 0) throw LibraryFailure(step);
}

bool same_frame(const Rk_RefFrameStruct& a, const Rk_RefFrameStruct& b)
{
    int equal = 0;
    Rk_PointIsEqualToPoint(&a.origin, &b.origin, &equal);
    const Rk_VectorStruct* axes_a[] = {&a.x_axis, &a.y_axis, &a.z_axis};
    const Rk_VectorStruct* axes_b[] = {&b.x_axis, &b.y_axis, &b.z_axis};
    for (int i = 0; i < 3 && equal; ++i)
        if (Rk_VectorIsEqualToVector(axes_a[i], axes_b[i], &equal) != 0) equal = 0;
    return equal != 0;
}

// Builds the frame of a reduced datum set to compare it with a result. A reduced set that the
// library refuses cannot be what it fell back to, so its error is taken back out of the queue:
// it belongs to this question, not to the user's scheme.
bool probe(DatumSet datums, double eps, const Rk_RefFrameStruct& result, int& redundant)
{
    int queued_before = 0;
    Rk_ErrorQueueGetSize(&queued_before);
    Rk_RefFrameStruct frame;
    if (build_frame(datums, eps, &frame, &redundant) == 0) return same_frame(frame, result);
    int queued = 0;
    Rk_ErrorQueueGetSize(&queued);
    static Rk_ErrorStruct discarded;
    for (int found = 1; queued > queued_before && found; --queued) Rk_ErrorQueueGetError(&discarded, &found);
    return false;
}

// The library reports that it dropped a feature, not which; the two fallbacks it may have taken
// (tertiary left out, or tertiary moved up in place of the secondary) are rebuilt and compared.
std::string dropped_feature(const DatumSet& datums, double eps, const Rk_RefFrameStruct& result)
{
    if (datums.feature[kTertiary].type == kNone) return "secondary";
    DatumSet without_tertiary = datums;
    without_tertiary.feature[kTertiary].type = kNone;
    DatumSet without_secondary = datums;
    without_secondary.feature[kSecondary] = datums.feature[kTertiary];
    without_secondary.feature[kTertiary].type = kNone;
    int again_t = 0, again_s = 0;
    const bool by_t = probe(without_tertiary, eps, result, again_t);
    const bool by_s = probe(without_secondary, eps, result, again_s);
    if (by_t && by_s) return "secondary or tertiary";
    if (by_t) return again_t ? "secondary and tertiary" : "tertiary";
    if (by_s) return again_s ? "secondary and tertiary" : "secondary";
    return "a lower-precedence feature";
}

FrameResult frame_of(const FeatureSet& set, double eps)
{
    FrameResult result;
    DatumSet work = set.datums;
    require(build_frame(work, eps, &result.frame, &result.redundant),
            "cannot build the " + set.name + "'s datum reference frame");
    if (result.redundant) result.dropped = dropped_feature(set.datums, eps, result.frame);
    return result;
}

LinkResult link_of(const Scheme& scheme, std::size_t p)
{
    const Part& part = scheme.parts[p];
    const FeatureSet& datums = scheme.sets[part.datum_set];
    const FeatureSet& seat = scheme.sets[part.seat_set];
    const double eps = scheme.angle_tolerance;
    LinkResult link;
    link.datum = frame_of(datums, eps);
    link.seat = frame_of(seat, eps);
    DatumSet object = datums.datums;
    DatumSet target = seat.datums;
    require(build_transforms(object, target, eps, &link.num_tfms, link.tfms),
            "cannot build the transforms that carry the " + part.name + " onto the " + seat.name);
    for (std::size_t c = 0; c < scheme.checks.size(); ++c)
        if (scheme.checks[c].part == p) link.checks.push_back(c);
    for (int t = 0; t < link.num_tfms; ++t) {
        for (std::size_t c : link.checks) {
            std::array<double, 3> image{};
            require(carry(link.tfms[t], scheme.checks[c].xyz, image), "cannot carry check point " + scheme.checks[c].name);
            link.images[t].push_back(image);
        }
    }
    return link;
}

Rk_VectorStruct vector_of(const double v[3])
{
    Rk_VectorStruct vec;
    Rk_VectorSet(&vec, v[0], v[1], v[2]);
    return vec;
}

FixtureResult map_fixture(const Fixture& fixture, const Rk_RefFrameStruct& part_frame, const Rk_TransformStruct& tfm)
{
    FixtureResult r;
    Rk_RefFrameInit(&r.fixture_frame);
    const Rk_VectorStruct z = vector_of(fixture.z_axis);
    const Rk_VectorStruct x = vector_of(fixture.x_axis);
    if (fixture.x_given) require(Rk_RefFrameSetAxesByZX(&r.fixture_frame, &z, &x), "cannot build the fixture frame");
    else if (fixture.z_given) require(Rk_RefFrameSetAxesByZ(&r.fixture_frame, &z), "cannot build the fixture frame");

    double rows[4][3];
    Rk_RefFrameGetArray(&part_frame, rows);
    const std::string placing = "cannot place the fixture part's datum frame";
    for (int axis = 0; axis < 3; ++axis) {
        Rk_VectorStruct placed;
        const Rk_VectorStruct from = vector_of(rows[axis]);
        require(Rk_TransformApplyToVector(&tfm, &from, &placed), placing);
        Rk_VectorGet(&placed, &rows[axis][0], &rows[axis][1], &rows[axis][2]);
    }
    require(Rk_TransformApply(&tfm, rows[3][0], rows[3][1], rows[3][2], &rows[3][0], &rows[3][1], &rows[3][2]), placing);
    require(Rk_RefFrameSetByArray(&r.placed_frame, rows), placing);

    const std::string mapping = "cannot map the fixture's degrees of freedom into the part's datum frame";
    require(Rk_DofMapContToRefFrame(&fixture.controls, &r.fixture_frame, &r.placed_frame, fixture.max_angle,
                                    &r.axis_to_axis),
            mapping);
    require(Rk_DofMapContToRefFrameRss(&fixture.controls, &r.fixture_frame, &r.placed_frame,
                                       fixture.max_angle, &r.root_sum_square),
            mapping);
    return r;
}

}  // namespace

int build_frame(DatumSet& d, double eps, Rk_RefFrameStruct* frame, int* redundant)
{
    Feature* f = d.feature;
    return Rk_RefFrameSetByGeom(frame, f[0].type, f[0].rows, f[1].type, f[1].rows, f[2].type, f[2].rows, eps,
                                redundant);
}

int build_transforms(DatumSet& object, DatumSet& target, double eps, int* num_tfms, Rk_TransformStruct tfms[4])
{
    Feature* o = object.feature;
    Feature* t = target.feature;
    return Rk_TransformsSetByGeom(num_tfms, tfms, o[0].type, o[0].rows, t[0].type, t[0].rows, o[1].type, o[1].rows,
                                  t[1].type, t[1].rows, o[2].type, o[2].rows, t[2].type, t[2].rows, eps);
}

int carry(const Rk_TransformStruct& tfm, const double xyz[3], std::array<double, 3>& image)
{
    return Rk_TransformApply(&tfm, xyz[0], xyz[1], xyz[2], &image[0], &image[1], &image[2]);
}

Evaluation make_evaluation(const Scheme& scheme)
{
    Evaluation e;
    e.links.resize(scheme.parts.size());
    e.placements.resize(scheme.parts.size());
    Rk_TransformInit(&e.placements[0]);
    e.images.resize(scheme.checks.size());
    e.geometry.resize(scheme.measurements.size());
    e.values.resize(scheme.measurements.size());
    // Geometry given in the base's coordinates stays where it is: placed once, here.
    for (std::size_t m = 0; m < scheme.measurements.size(); ++m) {
        const Measurement& def = scheme.measurements[m];
        if (fixed_in_base(def)) {
            std::copy(def.origin, def.origin + 3, e.geometry[m].origin);
            std::copy(def.axis, def.axis + 3, e.geometry[m].axis);
        }
    }
    return e;
}

std::vector<DatumSet> nominal_work(const Scheme& scheme)
{
    std::vector<DatumSet> work;
    for (const FeatureSet& set : scheme.sets) work.push_back(set.datums);
    return work;
}

// Each part in order: its frames for the samples' comparisons, its first candidate composed with
// the placement of the part below (a part on the base takes the candidate as it is, exactly). A
// plane's points 2 and 3 swapped give exactly the opposite normal on the same point, as the
// library's turned plane has it, so the seat's frame comes out as the library's first candidate
// builds it.
int evaluate(const Scheme& scheme, std::vector<DatumSet>& work, Evaluation& out)
{
    const double eps = scheme.angle_tolerance;
    Rk_RefFrameStruct seat_frame;
    Rk_TransformStruct first;
    for (std::size_t p = 1; p < scheme.parts.size(); ++p) {
        const Part& part = scheme.parts[p];
        LinkState& link = out.links[p];
        DatumSet facing = work[part.seat_set];
        for (Feature& f : facing.feature)
            if (f.type == kPlane) std::swap(f.rows[1], f.rows[2]);
        if (build_frame(work[part.datum_set], eps, &link.datum_frame, &link.datum_redundant) != 0 ||
            build_frame(facing, eps, &seat_frame, &link.seat_redundant) != 0 ||
            Rk_TransformSetByFrameToFrame(&first, &link.datum_frame, &seat_frame) != 0)
            return 1;
        if (part.parent == 0) out.placements[p] = first;
        else if (Rk_TransformSetByTransforms(&out.placements[p], &first, &out.placements[part.parent]) != 0) return 1;
    }
    for (std::size_t c = 0; c < scheme.checks.size(); ++c)
        if (carry(out.placements[scheme.checks[c].part], scheme.checks[c].xyz, out.images[c]) != 0) return 1;
    for (std::size_t m = 0; m < scheme.measurements.size(); ++m) {
        const Measurement& def = scheme.measurements[m];
        if (!fixed_in_base(def) && place_geometry(scheme, def, work, out, out.geometry[m]) != 0) return 1;
        out.values[m] = measure(def, out.images.data(), out.geometry[m]);
    }
    return 0;
}

Nominal analyse(const Scheme& scheme)
{
    Nominal n;
    n.links.resize(scheme.parts.size());
    for (std::size_t p = 1; p < scheme.parts.size(); ++p) n.links[p] = link_of(scheme, p);
    std::vector<DatumSet> work = nominal_work(scheme);
    n.placed = make_evaluation(scheme);
    require(evaluate(scheme, work, n.placed), "cannot place the parts of the assembly");
    for (std::size_t m = 0; m < scheme.measurements.size(); ++m)
        if (std::isnan(n.placed.values[m]))
            throw InputError(scheme.file + ": [Measurements] " + scheme.measurements[m].name +
                             ": the images of its two check points coincide in the nominal assembly, so they give "
                             "no direction");
    if (scheme.fixture.present) {
        n.has_fixture = true;
        const std::size_t p = scheme.fixture.part;
        n.fixture = map_fixture(scheme.fixture, n.links[p].datum.frame, n.placed.placements[p]);
    }
    return n;
}

}  // namespace rkdatum
