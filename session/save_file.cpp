#include "save_file.h"

#include "files/atomic_file.h"
#include "messages.h"

namespace ball {

std::optional<std::string> saveFile(const std::string& path, std::string_view bytes) {
    try {
        replaceFile(path, bytes, FileRole::None);
        return std::nullopt;
    } catch (const RunError& e) {
        return errorMessage(e);
    }
}

}  // namespace ball
