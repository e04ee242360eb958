#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ball {

/// Saves bytes the user asked for at the path, replacing the file whole; the message when it
/// cannot, in the words of the data files' messages.
std::optional<std::string> saveFile(const std::string& path, std::string_view bytes);

}  // namespace ball
