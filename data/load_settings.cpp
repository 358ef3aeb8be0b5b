#include "data/load_settings.h"

#include "core/settings.h"

namespace {
thread_local const LoadSettings* kept_settings = nullptr;
}  // namespace

LoadSettings current_load_settings() {
    return {columns, axis_data, verbose};
}

LoadSettings load_settings() {
    return kept_settings ? *kept_settings : current_load_settings();
}

LoadSettingsKept::LoadSettingsKept(const LoadSettings& kept) : previous_(kept_settings) {
    kept_settings = &kept;
}

LoadSettingsKept::~LoadSettingsKept() {
    kept_settings = previous_;
}
