#pragma once
// The buffer between the Data readers and the grid.

#include <cstddef>
#include <memory>

#include "data/data_set.h"
#include "data/point_file.h"

// Sets read in file order, gathered and written into the grid's rows: point (s, i)
// of the grid is element i * width + s, so a point stored as it is read would jump
// a whole row ahead of the last. A set too long for the buffer goes straight in.
class SetBlock {
  public:
    SetBlock(DataSet& grid, int values)
        : grid_(grid), count_(static_cast<std::size_t>(grid.points_per_set)) {
        const std::size_t set_bytes = count_ * (sizeof(Vector3) + sizeof(float));
        sets_ = set_bytes == 0 ? 0 : set_block_bytes / set_bytes;
        if (sets_ > static_cast<std::size_t>(grid.width)) sets_ = grid.width;
        if (sets_ > 1) {
            points_.reset(new Vector3[sets_ * count_]);
            if (values == 4) colors_.reset(new float[sets_ * count_]);
        }
    }
    // Where point i of set s goes now.
    Vector3& point(int s, int i) {
        return sets_ > 1 ? points_[(s - first_) * count_ + i] : grid_.point(s, i);
    }
    float& color(int s, int i) {
        return sets_ > 1 ? colors_[(s - first_) * count_ + i] : grid_.color_value(s, i);
    }
    // After each set: when the buffer is full, or at the last set, into the grid.
    void set_done(int s) {
        if (sets_ <= 1 || (s + 1 - first_ < static_cast<int>(sets_) && s + 1 < grid_.width)) return;
        const std::size_t held = static_cast<std::size_t>(s + 1 - first_);
        const std::size_t width = static_cast<std::size_t>(grid_.width);
        for (std::size_t i = 0; i < count_; ++i) {
            Vector3* row = grid_.points.get() + i * width + first_;
            for (std::size_t b = 0; b < held; ++b) row[b] = points_[b * count_ + i];
            if (!colors_) continue;
            float* colors = grid_.color_values.get() + i * width + first_;
            for (std::size_t b = 0; b < held; ++b) colors[b] = colors_[b * count_ + i];
        }
        first_ = s + 1;
    }

  private:
    DataSet& grid_;
    std::size_t count_;
    std::size_t sets_ = 0;  // sets the buffer holds; at most 1: no buffer
    int first_ = 0;         // the set at the start of the buffer
    std::unique_ptr<Vector3[]> points_;
    std::unique_ptr<float[]> colors_;
};
