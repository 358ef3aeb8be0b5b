#include "render/value_summary.h"

#include <cmath>

#include "render/color_map.h"

const ValueSummary& value_summary(const DataSet& set) {
    static const DataSet* last_set = nullptr;
    static std::uint64_t last_revision = 0;
    static ValueSummary summary;
    if (&set == last_set && set.revision == last_revision) return summary;
    summary = ValueSummary();
    for (std::size_t k = 0; k < set.point_count(); ++k) {
        const float v = set.color_values[k];
        if (v >= 0) {
            summary.entries |= 1u << (color_index(v) % 16);
        } else {
            summary.negative = true;
        }
        if (!std::isfinite(v)) continue;
        summary.min = summary.any ? std::fmin(summary.min, v) : v;
        summary.max = summary.any ? std::fmax(summary.max, v) : v;
        summary.any = true;
    }
    last_set = &set;
    last_revision = set.revision;
    return summary;
}
