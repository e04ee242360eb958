#include "atomic_file.h"

#include <fstream>
#include <random>
#include <system_error>


namespace ball {

namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
    std::random_device rd;
    std::filesystem::path tmp = path;
    tmp += ".tmp" + std::to_string(rd() % 1000000);
    return tmp;
}

}  // namespace

void replaceFile(const std::filesystem::path& path, std::string_view bytes, FileRole role) {
    const std::filesystem::path tmp = temporaryBeside(path);
    bool written = false;
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            written = !out.fail();
        }
    }
    std::error_code ec;
    if (written) std::filesystem::rename(tmp, path, ec);
    if (!written || ec) {
        std::filesystem::remove(tmp, ec);
        throw RunError(ErrorKind::FileWriteFailure, path.string(), role);
    }
}

}  // namespace ball
