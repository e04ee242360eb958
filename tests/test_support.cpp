#include "test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <optional>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

namespace ball::test {

ScopedWorkDir::ScopedWorkDir() : previous_(std::filesystem::current_path()) {
    std::random_device rd;
    dir_ = std::filesystem::temp_directory_path() / ("ball-test-" + std::to_string(rd()));
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
}

ScopedWorkDir::~ScopedWorkDir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_, ec);
}

void plant(const std::filesystem::path& name, Planted what, const std::string& text) {
    namespace fs = std::filesystem;
    switch (what) {
        case Planted::Fifo: ASSERT_EQ(::mkfifo(name.c_str(), 0644), 0); break;
        case Planted::DevZeroLink: fs::create_symlink("/dev/zero", name); break;
        case Planted::Oversize:
            writeFile(name, text);
            fs::resize_file(name, 2ull << 30);
            break;
        case Planted::Unreadable:
            writeFile(name, text);
            fs::permissions(name, fs::perms::none);
            break;
        case Planted::ReadOnly:
            writeFile(name, text);
            fs::permissions(name, fs::perms::owner_read | fs::perms::group_read |
                                      fs::perms::others_read);
            fs::permissions(fs::current_path(), fs::perms::all);
            break;
        case Planted::Folder: fs::create_directory(name); break;
        case Planted::LockedFolder:
            fs::permissions(fs::current_path(), fs::perms::owner_read | fs::perms::owner_exec |
                                                    fs::perms::group_read | fs::perms::group_exec |
                                                    fs::perms::others_read |
                                                    fs::perms::others_exec);
            break;
        case Planted::SharedFolder:
            writeFile(name, text);
            fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write |
                                      fs::perms::group_read | fs::perms::group_write |
                                      fs::perms::others_read | fs::perms::others_write);
            fs::permissions(fs::current_path(), fs::perms::all | fs::perms::sticky_bit);
            break;
        case Planted::WriteOnly:
            writeFile(name, text);
            fs::permissions(name, fs::perms::owner_write | fs::perms::group_write |
                                      fs::perms::others_write);
            break;
        case Planted::LinkToFile:
            writeFile("linked.txt", text);
            fs::permissions("linked.txt", fs::perms::owner_read | fs::perms::owner_write |
                                              fs::perms::group_read | fs::perms::group_write |
                                              fs::perms::others_read | fs::perms::others_write);
            fs::create_symlink("linked.txt", name);
            break;
    }
}

void expectOnlyRegularFilesRead(const std::string& name, const std::string& valid,
                                const std::function<void()>& read) {
    struct Row {
        Planted planted;
        std::optional<ErrorKind> kind;  // none: read
    };
    const Row rows[] = {
        {Planted::Fifo, ErrorKind::NotARegularFile},
        {Planted::DevZeroLink, ErrorKind::NotARegularFile},
        {Planted::Folder, ErrorKind::NotARegularFile},
        {Planted::Oversize, ErrorKind::BadFileData},
        {Planted::Unreadable, ErrorKind::PermissionDenied},
        {Planted::LinkToFile, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.planted));
        ScopedWorkDir dir;
        plant(name, r.planted, valid);
        AsUnprivileged user;
        const auto start = std::chrono::steady_clock::now();
        if (r.kind) {
            expectRunError(read, *r.kind, name);
        } else {
            EXPECT_NO_THROW(read());
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    }
}

AsUnprivileged::AsUnprivileged() {
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0) switched_ = ::seteuid(kNobody) == 0;
}

AsUnprivileged::~AsUnprivileged() {
    if (switched_) (void)::seteuid(0);
}

PitchState defaultBall1State() {
    PitchState s;
    s.rho = 1.205;
    s.dball = 0.0715f;
    s.mball = 0.1445;
    s.g = 9.8f;
    s.dist = 18.44;
    s.cl0 = 0.08;
    s.cl1 = 0.006;
    s.vrel0 = 125.0 * 1000 / 3600;
    s.dt = 0.00005;
    s.nstep = 12746;
    s.domega = 0;
    s.omega = 30;
    s.omega0 = 30;
    s.ikind = 1;
    s.thita = 0;
    s.noaim = 0;
    s.xtgt = 0;
    s.ztgt = 0.85f;
    s.xrel0 = 0;
    s.yrel0 = 0;
    s.zrel0 = 1.754;
    s.beta = 0;
    s.alpha = -0.014210547108888109;  // the first guess, about -0.014211 rad
    return s;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<double> readDoubles(const std::string& line) {
    std::vector<double> out;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) {
        double v = 0;
        std::from_chars(field.data(), field.data() + field.size(), v);
        out.push_back(v);
    }
    return out;
}

}  // namespace ball::test
