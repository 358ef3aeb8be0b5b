#pragma once
// The loaders every speed figure is compared with: the readers as they were first
// written, one formatted scan per point ("Data", "Data with Color") and one strtod
// per value on chunks of at most 99 characters ("Maple"). They fill the same
// fields as the real readers (grid, bounds, normalisation, kind) but print
// nothing and skip the error handling, which costs nothing on good files.

#include "data/data_set.h"

// Each returns false only when the file cannot be opened or its header is bad.
bool reference_read_data(DataSet& set, const char* name);
bool reference_read_color_data(DataSet& set, const char* name);
bool reference_read_maple(DataSet& set, const char* name);
