#include "data/data_set.h"
#include "data/point_file.h"

void DataSet::read_data(const char* name) {
    load_point_file(*this, name, PointFormat::xyz);
}
