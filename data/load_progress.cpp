#include "data/load_progress.h"

namespace {
thread_local LoadProgress* current = nullptr;
}  // namespace

void report_load_progress_to(LoadProgress* progress) {
    current = progress;
}

LoadProgress* load_progress() {
    return current;
}
