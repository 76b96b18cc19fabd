// Degree-of-freedom sets: a word whose bits 0 to 11 say which of the twelve directed degrees a
// datum or fixture controls (bit = 2 x axis + sense). The per-degree operations produce words with
// bits 12 to 31 clear; not, intersection, union and the integer form act on the whole word.
#include "rk_basekit.h"

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
