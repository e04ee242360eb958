#pragma once

#include <filesystem>
#include <string_view>

#include "physics/run_error.h"

namespace ball {

/// Replaces the file with the given bytes as a whole: writes a temporary file in the same folder,
/// then renames it over the old one, so a failed write leaves the old file untouched. The file
/// keeps its permissions, and a link is followed to the file it names. Raises, naming the file
/// with its role: FileWriteFailure when the file or its folder refuses (saying which), and
/// NotARegularFile when something else stands at the name.
void replaceFile(const std::filesystem::path& path, std::string_view bytes, FileRole role);

}  // namespace ball
