// Degree-of-freedom sets: a word whose bits 0 to 11 say which of the twelve directed degrees a
// datum or fixture controls (bit = 2 x axis + sense). The per-degree operations produce words with
// bits 12 to 31 clear; not, intersection, union and the integer form act on the whole word.
// A set is carried into another frame's axes axis by axis or by root sum square; only the frames'
// axes count, their origins are ignored.
#include <cmath>
#include <cstring>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "geometry/geometry.hpp"

namespace {

constexpr int kNumDegrees = 12;
constexpr int kDegreeMask = 0xFFF;
constexpr int kTranslationMask = 0x03F;
constexpr int kRotationMask = 0xFC0;
constexpr int kRzMask = 0xC00;
constexpr int kNumAxes = kNumDegrees / 2;

constexpr int degrees(int word) { return word & kDegreeMask; }

// Both senses of every axis on which `word` controls at least one.
int both_senses(int word)
{
    int result = 0;
    for (int axis = 0; axis < kNumAxes; ++axis) {
        const int pair = 3 << (2 * axis);
        if (word & pair) result |= pair;
    }
    return result;
}

// The bit of a degree: `kind` 0 translation, 1 rotation; `axis` 0 x, 1 y, 2 z; `sense` 0 plus, 1 minus.
constexpr int degree_bit(int kind, int axis, int sense) { return 6 * kind + 2 * axis + sense; }

constexpr bool controlled(int word, int bit) { return ((word >> bit) & 1) != 0; }

void axes_of(const Rk_RefFrameStruct* frame, Rk_VectorStruct axes[3])
{
    Rk_PointStruct origin = {};
    Rk_RefFrameGet(frame, &axes[0], &axes[1], &axes[2], &origin);
}

// The degrees of target axis `to` onto which the controlled degrees of source axis `from` carry,
// each in its own sense or, with `flip`, in the other.
int carried(int source, int from, int to, int flip)
{
    int result = 0;
    for (int kind = 0; kind < 2; ++kind)
        for (int sense = 0; sense < 2; ++sense)
            if (controlled(source, degree_bit(kind, from, sense))) result |= 1 << degree_bit(kind, to, sense ^ flip);
    return result;
}

// Axis-to-axis mapping into `*result`, which is written only once every angle could be measured.
int map_axis_to_axis(int source, const Rk_RefFrameStruct* dof_frame, const Rk_RefFrameStruct* new_frame,
                     double max_angle, int* result)
{
    Rk_VectorStruct from[3], to[3];
    axes_of(dof_frame, from);
    axes_of(new_frame, to);
    int word = 0;
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            double angle = 0.0;
            RK_TRY(Rk_VectorAngleFromVector(&from[a], &to[b], &angle));
            // Above 90 degrees of tolerance both tests can hold for one pair.
            if (angle < max_angle) word |= carried(source, a, b, 0);
            if (angle > 180.0 - max_angle) word |= carried(source, a, b, 1);
        }
    }
    *result = word;
    return 0;
}

// The six directions of a frame: +x, +y, +z, -x, -y, -z (direction d is axis d % 3, sense d / 3).
void directions_of(const Rk_RefFrameStruct* frame, Rk_VectorStruct dirs[6])
{
    axes_of(frame, dirs);
    for (int axis = 0; axis < 3; ++axis) Rk_VectorInvert(&dirs[axis], &dirs[axis + 3]);
}

// The root-sum-square projection on `target` of the controlled source directions of one kind that
// point into its half-space.
double rss_onto(int source, int kind, const Rk_VectorStruct from[6], const Rk_VectorStruct& target)
{
    double sum = 0.0;
    for (int d = 0; d < 6; ++d) {
        const double dot = rk::dot(from[d], target);
        if (controlled(source, degree_bit(kind, d % 3, d / 3)) && dot > 0.0) sum += dot * dot;
    }
    return std::sqrt(sum);
}

}  // namespace

extern "C" RK_API int Rk_DofInit(Rk_DofStruct* dof)
{
    dof->dof = 0;
    return 0;
}

extern "C" RK_API int Rk_DofClear(Rk_DofStruct* dof) { return Rk_DofInit(dof); }

extern "C" RK_API int Rk_DofInitNot(Rk_DofStruct* dof)
{
    dof->dof = kDegreeMask;
    return 0;
}

// A flag other than 0 counts as controlled: shifting the raw value would mark a neighbouring
// degree (2) or the bits above the twelve degrees (a negative flag).
extern "C" RK_API int Rk_DofSet(Rk_DofStruct* dof, int txp, int txm, int typ, int tym, int tzp, int tzm,
                                int rxp, int rxm, int ryp, int rym, int rzp, int rzm)
{
    const int flags[kNumDegrees] = {txp, txm, typ, tym, tzp, tzm, rxp, rxm, ryp, rym, rzp, rzm};
    int word = 0;
    for (int bit = 0; bit < kNumDegrees; ++bit)
        if (flags[bit] != 0) word |= 1 << bit;
    dof->dof = word;
    return 0;
}

extern "C" RK_API int Rk_DofGet(const Rk_DofStruct* dof, int* txp, int* txm, int* typ, int* tym, int* tzp,
                                int* tzm, int* rxp, int* rxm, int* ryp, int* rym, int* rzp, int* rzm)
{
    const int word = dof->dof;
    int* const flags[kNumDegrees] = {txp, txm, typ, tym, tzp, tzm, rxp, rxm, ryp, rym, rzp, rzm};
    for (int bit = 0; bit < kNumDegrees; ++bit)
        *flags[bit] = (word >> bit) & 1;
    return 0;
}

extern "C" RK_API int Rk_DofClearTranslation(const Rk_DofStruct* dof, Rk_DofStruct* new_dof)
{
    new_dof->dof = dof->dof & kRotationMask;
    return 0;
}

extern "C" RK_API int Rk_DofClearRotation(const Rk_DofStruct* dof, Rk_DofStruct* new_dof)
{
    new_dof->dof = dof->dof & kTranslationMask;
    return 0;
}

extern "C" RK_API int Rk_DofControlRz(const Rk_DofStruct* dof, Rk_DofStruct* new_dof)
{
    new_dof->dof = degrees(dof->dof) | kRzMask;
    return 0;
}

extern "C" RK_API int Rk_DofAdjustForFixture(const Rk_DofStruct* dof, Rk_DofStruct* adj_dof)
{
    adj_dof->dof = both_senses(dof->dof);
    return 0;
}

extern "C" RK_API int Rk_DofAllDegreesControlled(const Rk_DofStruct* dof, int* none_open)
{
    *none_open = degrees(dof->dof) == kDegreeMask ? 1 : 0;
    return 0;
}

extern "C" RK_API int Rk_DofAnyDegreeControlled(const Rk_DofStruct* dof, int* one_not_open)
{
    *one_not_open = degrees(dof->dof) != 0 ? 1 : 0;
    return 0;
}

extern "C" RK_API int Rk_DofNot(const Rk_DofStruct* dof, Rk_DofStruct* not_dof)
{
    not_dof->dof = ~dof->dof;
    return 0;
}

extern "C" RK_API int Rk_DofIntersectDof(const Rk_DofStruct* dof1, const Rk_DofStruct* dof2,
                                         Rk_DofStruct* dof_out)
{
    dof_out->dof = dof1->dof & dof2->dof;
    return 0;
}

extern "C" RK_API int Rk_DofUnionDof(const Rk_DofStruct* dof1, const Rk_DofStruct* dof2, Rk_DofStruct* dof_out)
{
    dof_out->dof = dof1->dof | dof2->dof;
    return 0;
}

extern "C" RK_API int Rk_DofExclusiveOrDof(const Rk_DofStruct* dof1, const Rk_DofStruct* dof2,
                                           Rk_DofStruct* dof_out)
{
    dof_out->dof = degrees(dof1->dof ^ dof2->dof);
    return 0;
}

extern "C" RK_API int Rk_DofSubtractDofCont(const Rk_DofStruct* dof1, const Rk_DofStruct* dof2,
                                            Rk_DofStruct* dof_out)
{
    dof_out->dof = degrees(dof1->dof & ~dof2->dof);
    return 0;
}

extern "C" RK_API int Rk_DofMapToInt(const Rk_DofStruct* dof, int* dof_int)
{
    *dof_int = dof->dof;
    return 0;
}

extern "C" RK_API int Rk_DofMapFromInt(Rk_DofStruct* dof, int dof_int)
{
    dof->dof = dof_int;
    return 0;
}

extern "C" RK_API int Rk_DofMapContToRefFrame(const Rk_DofStruct* dof, const Rk_RefFrameStruct* dof_frame,
                                              const Rk_RefFrameStruct* new_frame, double max_angle,
                                              Rk_DofStruct* new_dof)
{
    // A failure leaves `new_dof` as it was, so a caller mapping a set onto itself keeps its input.
    int word = 0;
    RK_TRY(map_axis_to_axis(dof->dof, dof_frame, new_frame, max_angle, &word));
    new_dof->dof = word;
    return 0;
}

extern "C" RK_API int Rk_DofMapContToRefFrameRss(const Rk_DofStruct* dof, const Rk_RefFrameStruct* dof_frame,
                                                 const Rk_RefFrameStruct* new_frame, double max_angle,
                                                 Rk_DofStruct* new_dof)
{
    const int source = dof->dof;
    Rk_VectorStruct from[6], to[6];
    directions_of(dof_frame, from);
    directions_of(new_frame, to);
    const double zero_eps = rk::zero_eps();
    const double threshold = std::cos(max_angle * rk::kRadiansPerDegree);
    int word = 0;
    for (int kind = 0; kind < 2; ++kind) {
        for (int d = 0; d < 6; ++d) {
            const double rss = rss_onto(source, kind, from, to[d]);
            if (threshold < rss + zero_eps)
                word |= 1 << degree_bit(kind, d % 3, d / 3);
        }
    }
    new_dof->dof = word;
    return 0;
}

extern "C" RK_API int Rk_DofMapOpenToRefFrame(const Rk_DofStruct* dof, const Rk_RefFrameStruct* dof_frame,
                                              const Rk_RefFrameStruct* new_frame, double max_angle,
                                              Rk_DofStruct* new_dof)
{
    Rk_DofStruct open = {};
    Rk_DofNot(dof, &open);
    RK_TRY(Rk_DofMapContToRefFrame(&open, dof_frame, new_frame, max_angle, &open));
    return Rk_DofNot(&open, new_dof);
}

// Each axis shows its minus sense before its plus sense, the reverse of the order of its two bits:
// column c shows bit c ^ 1.
extern "C" RK_API int Rk_DofDebugRpt(const Rk_DofStruct* dof, Rk_ReportStruct* report)
{
    int f[kNumDegrees];
    Rk_DofGet(dof, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8], &f[9], &f[10], &f[11]);
    char states[sizeof "DOF :" + 4 * kNumDegrees] = "DOF :";
    for (int column = 0; column < kNumDegrees; ++column) std::strcat(states, f[column ^ 1] ? "   C" : "   O");
    Rk_ReportWrite(report, "       -Tx +Tx -Ty +Ty -Tz +Tz -Rx +Rx -Ry +Ry -Rz +Rz");
    Rk_ReportWrite(report, states);
    return 0;
}

extern "C" RK_API int Rk_DofDebug(const Rk_DofStruct* dof) { return rk::dump::to_console(Rk_DofDebugRpt, dof); }
