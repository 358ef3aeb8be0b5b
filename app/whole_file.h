#pragma once
// Writing a file so that nothing is lost: the bytes go into a new file beside
// `path`, made whole on disk, and only then take its place; a save that fails (a
// full disk) or is killed half-way leaves whatever stood there, and saves at
// once each leave a whole file. With `exclusive`, a file already at `path`
// stays and the write fails. On failure, the system's reason in `error`.

#include <string>
#include <vector>

bool write_whole_file(const std::string& path, const std::vector<unsigned char>& bytes,
                      bool exclusive, std::string& error);
