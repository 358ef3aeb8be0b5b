#include "render/model_modes.h"
#include "render/segment_walk.h"
#include "render/tube.h"

void emit_joined(const DataSet& set, const PointTexels& texels, const DrawStyle& style) {
    for_each_joined_segment(set, texels, [&](const Vector3& from, const Vector3& to, int k) {
        emit_segment(from, to, k, style);
    });
}

void emit_needled(const DataSet& set, const PointTexels& texels, const DrawStyle& style) {
    for_each_needled_segment(set, texels, [&](const Vector3& from, const Vector3& to, int k) {
        emit_segment(from, to, k, style);
    });
}
