#pragma once
// The settings the readers read. A load on a worker thread reads the copy taken
// when it started, so that the event loop may change the settings meanwhile; a
// load on the event loop's thread reads them as they are.

#include <string>

struct LoadSettings {
    std::string columns;  // which columns of a table to read
    int axis_data = 0;    // printed with the bounds
    int verbose = 0;      // detailed prints
};

// The settings as they are now.
LoadSettings current_load_settings();

// This thread's: the copy a LoadSettingsKept holds, else current_load_settings().
LoadSettings load_settings();

// While one lives, the readers on this thread read `kept`.
class LoadSettingsKept {
  public:
    explicit LoadSettingsKept(const LoadSettings& kept);
    ~LoadSettingsKept();
    LoadSettingsKept(const LoadSettingsKept&) = delete;
    LoadSettingsKept& operator=(const LoadSettingsKept&) = delete;

  private:
    const LoadSettings* previous_;
};
