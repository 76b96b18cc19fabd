// The transforms that carry an object's datum reference frame onto a target's: the frame of the
// object's features, then the target's in up to four orientations of its primary and secondary,
// each candidate kept once. The object's frame and its inverse transform are worked out once for
// the four. Part of module src/rk_tform, whose other operations are in geometry/rk_tform.cpp.
#include <initializer_list>

#include "datum/datum_frame.hpp"
#include "core/fail.hpp"

extern "C" RK_API int Rk_TransformsSetByGeom(int* num_tfms, Rk_TransformStruct* tfms, int obj_pri_type,
                                             double (*obj_pri)[3], int tar_pri_type, double (*tar_pri)[3],
                                             int obj_sec_type, double (*obj_sec)[3], int tar_sec_type,
                                             double (*tar_sec)[3], int obj_ter_type, double (*obj_ter)[3],
                                             int tar_ter_type, double (*tar_ter)[3], double eps)
{
    *num_tfms = 0;
    int redundant = 0;
    Rk_RefFrameStruct obj_frame = {}, tar_frame = {};
    RK_TRY(Rk_RefFrameSetByGeom(&obj_frame, obj_pri_type, obj_pri, obj_sec_type, obj_sec, obj_ter_type, obj_ter, eps,
                                &redundant));
    // The target's features are built once, from rows that are only read, and turned in copies.
    // In the reference orientation every target plane faces the object.
    rk::DatumFeatures reference = {};
    RK_TRY(rk::build_datum_features(tar_pri_type, tar_pri, tar_sec_type, tar_sec, tar_ter_type, tar_ter,
                                    &reference));
    for (rk::DatumFeature* feature : {&reference.pri, &reference.sec, &reference.ter})
        if (feature->type == rk::kPlaneFeature) rk::reverse_sense(feature);
    // Each candidate is Rk_TransformSetByFrameToFrame(object frame, target frame): world to object
    // coordinates inverted, then the target frame's transform.
    Rk_TransformStruct to_object = {}, from_object = {}, to_target = {};
    Rk_TransformSetByRefFrame(&to_object, &obj_frame);
    Rk_TransformInvert(&to_object, &from_object);
    RK_TRY(rk::datum_frame(&tar_frame, reference, eps, &redundant));
    Rk_TransformSetByRefFrame(&to_target, &tar_frame);
    RK_TRY(Rk_TransformSetByTransforms(&tfms[0], &from_object, &to_target));
    *num_tfms = 1;

    // The secondary reversed, then the primary, then both; the tertiary stays as in the reference.
    const struct {
        bool pri, sec;
    } kFurther[3] = {{false, true}, {true, false}, {true, true}};
    for (const auto& turn : kFurther) {
        rk::DatumFeatures turned = reference;
        if (turn.pri) rk::reverse_sense(&turned.pri);
        if (turn.sec) rk::reverse_sense(&turned.sec);
        RK_TRY(rk::datum_frame(&tar_frame, turned, eps, &redundant));
        Rk_TransformStruct* candidate = &tfms[*num_tfms];
        Rk_TransformSetByRefFrame(&to_target, &tar_frame);
        RK_TRY(Rk_TransformSetByTransforms(candidate, &from_object, &to_target));
        int duplicate = 0;
        for (int kept = 0; kept < *num_tfms && !duplicate; ++kept)
            RK_TRY(Rk_TransformIsEqualToTransform(candidate, &tfms[kept], &duplicate));
        if (!duplicate) ++*num_tfms;
    }
    return 0;
}
