#include "ui/file_load.h"

#include <sys/stat.h>

#include <algorithm>

#include "core/choices.h"
#include "core/console.h"
#include "core/settings.h"
#include "core/status_line.h"
#include "data/format_guess.h"
#include "data/formats.h"

namespace {
void read_as(int format, DataSet& into, const std::string& name) {
    if (const FileFormat* f = file_format(format)) f->read(into, name.c_str());
}

std::string label_of(int format) {
    std::string label = NamedList(kDataFormats).find(format)->label;
    while (!label.empty() && label.back() == ' ') label.pop_back();
    return label;
}
}  // namespace

void FileLoad::run() {
    ConsoleKept console_kept(console);
    LoadSettingsKept settings_kept(settings);
    report_load_progress_to(&progress);
    const unsigned changes_before = status_line_changes();
    read_format = format;
    read_as(format, fresh, name);
    int sure = kNotThis;
    const int guessed =
        loaded() || load_cancelled(&progress) ? format : guess_data_format(name.c_str(), &sure);
    if (sure >= kCertain && guessed != format) {
        read_format = guessed;
        read_as(guessed, fresh, name);
        if (loaded()) prefix_status_line(name + ": read as \"" + label_of(guessed) + "\"");
    }
    report_load_progress_to(nullptr);
    status_set = status_line_changes() != changes_before;
    status = status_line();
}

double FileLoad::fraction() const {
    if (expected_bytes <= 0) return 0;
    const double read = static_cast<double>(progress.bytes.load(std::memory_order_relaxed));
    return std::min(1.0, read / static_cast<double>(expected_bytes));
}

std::unique_ptr<FileLoad> make_file_load(int item, const std::string& name, const std::string& path,
                                         bool keep_view) {
    auto load = std::make_unique<FileLoad>();
    load->item = item;
    load->name = name;
    load->path = path;
    load->keep_view = keep_view;
    load->format = data_format;
    load->settings = current_load_settings();
    struct stat about;
    if (stat(path.c_str(), &about) == 0 && about.st_size > 0) {
        // A table is read twice: once to count, once to convert.
        const long long passes = data_format == kColumnsFormat ? 2 : 1;
        load->expected_bytes = static_cast<long long>(about.st_size) * passes;
    }
    return load;
}
