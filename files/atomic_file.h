#pragma once

#include <filesystem>
#include <string_view>

#include "physics/run_error.h"

namespace ball {

/// Replaces the file with the given bytes as a whole: writes a temporary file in the same folder,
/// then renames it over the old one, so a failed write leaves the old file untouched.
/// Raises FileWriteFailure naming the file, with its role.
void replaceFile(const std::filesystem::path& path, std::string_view bytes, FileRole role);

}  // namespace ball
