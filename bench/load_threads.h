#pragma once
// Loading beyond the Google Benchmark pairs: the "Data" reader on one thread and
// on two at 1M, 10M and 30M points, and a first load in a fresh process (whose
// grid is memory the process never had) beside a repeated one. Table rows.

#include <string>
#include <vector>

// A program that runs write_load_thread_rows answers `<program> --first-load FILE`
// by first_load(FILE): one load, its MB/s printed.
constexpr const char* kFirstLoadOption = "--first-load";
int first_load(const char* path);

// `files`: label and path of each input, smallest first.
void write_load_thread_rows(const std::vector<std::pair<std::string, std::string>>& files);
