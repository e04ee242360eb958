#include "atomic_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <random>

#include "disk_calls.h"

namespace ball {

namespace {

namespace fs = std::filesystem;

// Beside each file, under names no one else makes: its new content until the rename, its old
// version until the commit ends, and the journal of a commit of several files.
constexpr std::string_view kTemporaryMark = ".tmp";
constexpr std::string_view kBackupMark = ".bak";
constexpr std::string_view kJournalSuffix = ".journal";
constexpr std::string_view kJournalHeader = "ballview journal 1\n";
constexpr std::size_t kJournalMaxBytes = 64 * 1024;
constexpr std::size_t kRandomDigits = 16;
constexpr int kMostLinks = 8;  // links followed in a row before the name counts as a loop

bool refusedByPermission(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// A user's name for a message; the number where the system knows no name.
std::string userName(uid_t uid) {
    struct passwd entry {}, *found = nullptr;
    char buffer[1024];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found) {
        return found->pw_name;
    }
    return std::to_string(uid);
}

// An open folder: every name a commit touches is reached from it, so that nothing swapped in
// above it, or planted at a name, redirects a write.
class Folder {
public:
    explicit Folder(fs::path path) : path_(std::move(path)) {
        fd_ = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) error_ = errno;
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const { return fd_; }
    int error() const { return error_; }  // why it could not be opened
    const fs::path& path() const { return path_; }
    bool has(const std::string& name) const {
        struct stat st {};
        return ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    }
    void remove(const std::string& name) const { ::unlinkat(fd_, name.c_str(), 0); }
    bool rename(const std::string& from, const std::string& to) const {
        return diskCalls.rename(fd_, from.c_str(), fd_, to.c_str()) == 0;
    }

private:
    fs::path path_;
    int fd_ = -1;
    int error_ = 0;
};
using FolderRef = std::shared_ptr<const Folder>;

// Where others can make files: the sticky bit (as the system's temporary folder) or a folder
// anybody may write.
bool othersMakeFilesIn(const fs::path& folder) {
    struct stat st {};
    return ::stat(folder.c_str(), &st) != 0 || (st.st_mode & (S_ISVTX | S_IWOTH)) != 0;
}

// The file a data file's name stands for. A link is followed only when it is the user's own
// in a folder where no one else can make files: anything else could send the write anywhere.
fs::path followedTarget(const fs::path& path, const std::string& name, FileRole role) {
    fs::path at = path;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        if (st.st_uid != ::geteuid() || othersMakeFilesIn(FolderLock::folderOf(at))) {
            throw RunError(ErrorKind::FileWriteFailure, name, role, Refuser::Link)
                .withOwner(st.st_uid == ::geteuid() ? std::string() : userName(st.st_uid));
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(at, ec);
        if (ec) return at;
        at = next.is_absolute() ? next : FolderLock::folderOf(at) / next;
    }
    throw RunError(ErrorKind::NotARegularFile, name, role);
}

// A name beside the file that nobody can guess ahead: the mark and 64 random bits.
std::string markedBeside(const std::string& file, std::string_view mark) {
    std::random_device rd;
    const unsigned long long bits = (static_cast<unsigned long long>(rd()) << 32) ^ rd();
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, "%016llx", bits);
    return file + std::string(mark) + suffix;
}

// Whether a name is one that markedBeside makes for the file.
bool isMarked(const std::string& entry, const std::string& file, std::string_view mark) {
    const std::string stem = file + std::string(mark);
    return entry.size() == stem.size() + kRandomDigits && entry.starts_with(stem) &&
           std::all_of(entry.begin() + stem.size(), entry.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::string journalOf(const std::string& file) { return file + std::string(kJournalSuffix); }

// In a shared folder (the sticky bit, as in the system's temporary folder) only a file's owner
// or the folder's may replace it; the file itself may still be writable by all.
bool othersFileInSharedFolder(const Folder& folder, const struct stat& file) {
    struct stat st {};
    const uid_t me = ::geteuid();
    return me != 0 && ::fstat(folder.fd(), &st) == 0 && (st.st_mode & S_ISVTX) &&
           st.st_uid != me && file.st_uid != me;
}

RunError writeFailure(const Folder& folder, const std::string& file, const std::string& name,
                      FileRole role, int error) {
    if (!refusedByPermission(error)) {
        return RunError(ErrorKind::FileWriteFailure, name, role, Refuser::Unknown);
    }
    struct stat st {};
    if (::fstatat(folder.fd(), file.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        othersFileInSharedFolder(folder, st)) {
        return RunError(ErrorKind::FileWriteFailure, name, role, Refuser::OtherUser)
            .withOwner(userName(st.st_uid));
    }
    return RunError(ErrorKind::FileWriteFailure, name, role, Refuser::Folder);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A new file in the folder under a fresh marked name, created exclusively and never through a
// link, so nothing planted at a name is touched; -1 with errno when none can be made.
int createMarked(const Folder& folder, const std::string& file, std::string_view mark,
                 mode_t mode, std::string& made) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        made = markedBeside(file, mark);
        const int fd = ::openat(folder.fd(), made.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes the bytes to an open new file, gives it the mode unless that is kCreatedMode, flushes
// it to disk and closes it; on failure removes it and keeps errno.
constexpr int kCreatedMode = -1;
bool finish(int fd, const Folder& folder, const std::string& name, std::string_view bytes,
            int mode) {
    bool written = writeAll(fd, bytes) &&
                   (mode == kCreatedMode || ::fchmod(fd, static_cast<mode_t>(mode)) == 0) &&
                   diskCalls.flush(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) written = false, error = errno;
    if (!written) {
        folder.remove(name);
        errno = error;
    }
    return written;
}

std::optional<std::string> readOpen(int fd, std::size_t maxBytes) {
    std::string text(maxBytes + 1, '\0');
    std::size_t got = 0;
    ssize_t n = 0;
    while (got < text.size() && ((n = ::read(fd, text.data() + got, text.size() - got)) > 0 ||
                                 (n < 0 && errno == EINTR))) {
        if (n > 0) got += static_cast<std::size_t>(n);
    }
    if (n < 0 || got > maxBytes) return std::nullopt;
    text.resize(got);
    return text;
}

// One file of a commit: where it goes, whether a file stood there, its old version kept aside
// (empty: none is kept), and its new content until it is renamed in; names in its folder.
struct Entry {
    FolderRef folder;
    fs::path target;
    bool existed = false;
    std::string backup;
    std::string temporary;

    std::string file() const { return target.filename().string(); }
    bool renamedIn() const { return !folder->has(temporary); }
};

// A file a commit may touch: its path as a journal names it, and its open folder.
struct Place {
    fs::path target;
    FolderRef folder;
};

// The old version of a file, kept aside under a marked name: a second link to it where the file
// system allows, a copy otherwise. None, with errno, when it cannot be kept.
std::optional<std::string> keepAside(const Folder& folder, const std::string& file) {
    std::string backup;
    for (int attempt = 0; attempt < 8; ++attempt) {
        backup = markedBeside(file, kBackupMark);
        if (::linkat(folder.fd(), file.c_str(), folder.fd(), backup.c_str(), 0) == 0) {
            return backup;
        }
        if (errno != EEXIST) break;
    }
    const int in =
        ::openat(folder.fd(), file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (in < 0) return std::nullopt;
    struct stat st {};
    const bool regular = ::fstat(in, &st) == 0 && S_ISREG(st.st_mode);
    const std::optional<std::string> old =
        regular ? readOpen(in, 16 * 1024 * 1024) : std::nullopt;
    ::close(in);
    if (!old) return std::nullopt;
    const int fd = createMarked(folder, file, kBackupMark, 0600, backup);
    if (fd < 0 || !finish(fd, folder, backup, *old, static_cast<int>(st.st_mode & 07777))) {
        return std::nullopt;
    }
    return backup;
}

// Paths as a journal has always named them: the target's, and its marks appended to it.
std::string journalText(const std::vector<Entry>& entries) {
    std::string text(kJournalHeader);
    for (const Entry& e : entries) {
        const auto beside = [&](const std::string& name) {
            return e.target.string() + name.substr(e.file().size());
        };
        for (const std::string& field :
             {e.target.string(), std::string(e.existed ? "1" : "0"),
              e.backup.empty() ? std::string() : beside(e.backup), beside(e.temporary)}) {
            text += field;
            text += '\0';
        }
    }
    return text;
}

// The name a journal's path gives beside the target, when it is one markedBeside makes there.
std::optional<std::string> markedName(const std::string& path, const fs::path& target,
                                      std::string_view mark) {
    const std::string stem = target.string();
    if (!path.starts_with(stem)) return std::nullopt;
    const std::string name = target.filename().string() + path.substr(stem.size());
    if (!isMarked(name, target.filename().string(), mark)) return std::nullopt;
    return name;
}

// The entries of a journal, when every one names a file of the places and its own names beside
// it; none otherwise.
std::optional<std::vector<Entry>> parseJournal(const std::string& text,
                                               const std::vector<Place>& places) {
    if (!text.starts_with(kJournalHeader)) return std::nullopt;
    std::vector<std::string> fields;
    for (std::size_t at = kJournalHeader.size(); at < text.size();) {
        const std::size_t end = text.find('\0', at);
        if (end == std::string::npos) return std::nullopt;
        fields.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (fields.empty() || fields.size() % 4 != 0) return std::nullopt;
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < fields.size(); i += 4) {
        const auto place = std::find_if(places.begin(), places.end(),
                                        [&](const Place& p) { return p.target == fields[i]; });
        if (place == places.end() || (fields[i + 1] != "0" && fields[i + 1] != "1")) {
            return std::nullopt;
        }
        const std::optional<std::string> temporary =
            markedName(fields[i + 3], place->target, kTemporaryMark);
        const std::optional<std::string> backup =
            fields[i + 2].empty() ? std::optional<std::string>("")
                                  : markedName(fields[i + 2], place->target, kBackupMark);
        if (!temporary || !backup) return std::nullopt;
        entries.push_back({.folder = place->folder,
                           .target = place->target,
                           .existed = fields[i + 1] == "1",
                           .backup = *backup,
                           .temporary = *temporary});
    }
    return entries;
}

// What stands at a journal's name: nothing, a journal to settle, or a file in the way (another
// user's, a link, or one naming anything but the places' files), never read past its header.
struct Journal {
    bool present = false;
    std::optional<std::vector<Entry>> entries;  // present and trusted
    uid_t owner = 0;
};

Journal examineJournal(const Folder& folder, const std::string& name,
                       const std::vector<Place>& places) {
    Journal j;
    struct stat st {};
    if (::fstatat(folder.fd(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return j;
    j.present = true;
    j.owner = st.st_uid;
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return j;
    const int fd =
        ::openat(folder.fd(), name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return j;
    const bool same = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
    const std::optional<std::string> text = same ? readOpen(fd, kJournalMaxBytes) : std::nullopt;
    ::close(fd);
    if (text) j.entries = parseJournal(*text, places);
    return j;
}

RunError journalInTheWay(const Folder& folder, const std::string& name, uid_t owner,
                         FileRole role) {
    return RunError(ErrorKind::FileWriteFailure, (folder.path() / name).lexically_normal(), role,
                    Refuser::InTheWay)
        .withOwner(owner == ::geteuid() ? std::string() : userName(owner));
}

// Settles a commit that stopped part way: once every file is renamed in it is done and only
// the old versions go; otherwise every file goes back as it was, last first, and what was
// written for it goes. False when a file could not be put back; its old version stays.
bool settle(const std::vector<Entry>& entries) {
    const bool done =
        std::all_of(entries.begin(), entries.end(), [](const Entry& e) { return e.renamedIn(); });
    bool complete = true;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        if (!done && e->renamedIn()) {
            // A file without a kept version is renamed in last, so it is never put back.
            const bool back =
                e->existed ? !e->backup.empty() && e->folder->rename(e->backup, e->file())
                           : ::unlinkat(e->folder->fd(), e->file().c_str(), 0) == 0 ||
                                 errno == ENOENT;
            if (!back) complete = false;
            if (!back) continue;
        }
        if (!e->backup.empty()) e->folder->remove(e->backup);
        e->folder->remove(e->temporary);
    }
    return complete;
}

// Settles the commit a trusted journal names. True when files were put back.
bool settleJournal(const Folder& folder, const std::string& name,
                   const std::vector<Entry>& entries) {
    const bool putBack =
        !std::all_of(entries.begin(), entries.end(), [](const Entry& e) { return e.renamedIn(); });
    if (!settle(entries)) return false;
    folder.remove(name);
    return putBack;
}

}  // namespace

// The folders of the staged files, open for the life of the group.
struct ReplaceGroup::Folders {
    std::map<fs::path, FolderRef> open;
    FolderRef of(const fs::path& target) {
        const fs::path path = FolderLock::folderOf(target);
        FolderRef& f = open[path];
        if (!f) f = std::make_shared<const Folder>(path);
        return f;
    }
};

ReplaceGroup::ReplaceGroup() : folders_(std::make_unique<Folders>()) {}

ReplaceGroup::~ReplaceGroup() {
    for (const Staged& s : staged_) folders_->of(s.target)->remove(s.temporary);
}

void ReplaceGroup::add(const fs::path& path, std::string_view bytes, FileRole role) {
    const std::string name = path.string();
    const auto fail = [&](Refuser refuser) {
        return RunError(ErrorKind::FileWriteFailure, name, role, refuser);
    };
    const fs::path target = followedTarget(path, name, role);
    const FolderRef folder = folders_->of(target);
    if (folder->fd() < 0) {
        throw fail(refusedByPermission(folder->error()) ? Refuser::Folder : Refuser::Unknown);
    }
    const std::string file = target.filename().string();

    // A file the user may not write or replace stays as it is, as it would under a plain write;
    // one that may be written keeps its permissions.
    struct stat old {};
    const bool existed = ::fstatat(folder->fd(), file.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (existed && !S_ISREG(old.st_mode)) throw RunError(ErrorKind::NotARegularFile, name, role);
    if (existed && ::faccessat(folder->fd(), file.c_str(), W_OK, AT_EACCESS) != 0) {
        throw fail(refusedByPermission(errno) ? Refuser::File : Refuser::Unknown);
    }
    if (existed && othersFileInSharedFolder(*folder, old)) {
        throw fail(Refuser::OtherUser).withOwner(userName(old.st_uid));
    }

    std::string tmp;
    const int fd = createMarked(*folder, file, kTemporaryMark, 0666, tmp);
    if (fd < 0) throw fail(refusedByPermission(errno) ? Refuser::Folder : Refuser::Unknown);
    // On disk before any rename, so that a power cut leaves the old file or the new one whole.
    const int mode = existed ? static_cast<int>(old.st_mode & 07777) : kCreatedMode;
    if (!finish(fd, *folder, tmp, bytes, mode)) {
        throw fail(refusedByPermission(errno) ? Refuser::Folder : Refuser::Unknown);
    }
    staged_.push_back({target, tmp, name, role});
}

void ReplaceGroup::commit(const FolderLock* held,
                          const std::function<void(std::size_t)>& afterRename) {
    std::vector<FolderLock> locks;
    for (const Staged& s : staged_) {
        const auto covers = [&](const FolderLock& l) { return l.coversCommitTo(s.target); };
        if ((held && covers(*held)) || std::any_of(locks.begin(), locks.end(), covers)) continue;
        const fs::path folder = FolderLock::folderOf(s.target);
        locks.emplace_back(folder, FolderLock::Mode::Exclusive);
        if (locks.back().busy()) throw RunError(ErrorKind::FolderBusy, folder.string(), s.role);
    }
    const auto flush = [&] {
        if (held) held->flush();
        for (const FolderLock& l : locks) l.flush();
    };

    // Several files: each old version aside and a journal naming them, on disk before the
    // first rename. One whose old version cannot be kept (a file the user may write but not
    // read) is renamed in last, when nothing can fail after it; two such cannot be replaced.
    std::vector<Entry> entries;
    std::vector<std::size_t> order;
    if (staged_.size() > 1) {
        const Staged& first = staged_.front();
        const FolderRef journalFolder = folders_->of(first.target);
        const std::string journal = journalOf(first.target.filename().string());
        std::vector<Place> places;
        for (const Staged& s : staged_) places.push_back({s.target, folders_->of(s.target)});
        // A commit here that a crash cut short is settled first; a journal that is not this
        // user's own, naming only these files, is left as it is and nothing is written.
        const Journal found = examineJournal(*journalFolder, journal, places);
        if (found.present && !found.entries) {
            throw journalInTheWay(*journalFolder, journal, found.owner, first.role);
        }
        if (found.entries) settleJournal(*journalFolder, journal, *found.entries);
        std::optional<std::size_t> unkept;
        for (std::size_t i = 0; i < staged_.size(); ++i) {
            const Staged& s = staged_[i];
            Entry e{.folder = places[i].folder,
                    .target = s.target,
                    .existed = false,
                    .backup = {},
                    .temporary = s.temporary};
            e.existed = e.folder->has(e.file());
            if (e.existed) {
                const std::optional<std::string> backup = keepAside(*e.folder, e.file());
                if (!backup && unkept) {
                    const int error = errno;
                    settle(entries);  // the destructor removes every temporary left
                    throw refusedByPermission(error)
                        ? RunError(ErrorKind::PermissionDenied, s.name, s.role)
                        : writeFailure(*e.folder, e.file(), s.name, s.role, error);
                }
                if (!backup) unkept = i;
                e.backup = backup.value_or(std::string());
            }
            entries.push_back(e);
            if (unkept != i) order.push_back(i);
        }
        if (unkept) order.push_back(*unkept);
        std::string written;
        const int fd = createMarked(*journalFolder, journal, kTemporaryMark, 0600, written);
        if (fd < 0 || !finish(fd, *journalFolder, written, journalText(entries), kCreatedMode) ||
            !journalFolder->rename(written, journal)) {
            const int error = errno;
            if (fd >= 0) journalFolder->remove(written);
            settle(entries);
            throw writeFailure(*journalFolder, journal, first.name, first.role, error);
        }
        flush();
    } else if (!staged_.empty()) {
        order.push_back(0);
    }

    for (std::size_t renamed = 0; renamed < order.size(); ++renamed) {
        const Staged& s = staged_[order[renamed]];
        const FolderRef folder = folders_->of(s.target);
        const std::string file = s.target.filename().string();
        if (!folder->rename(s.temporary, file)) {
            const RunError error = writeFailure(*folder, file, s.name, s.role, errno);
            // Whatever was renamed in goes back, and the temporaries go with the journal; one
            // that cannot be carried out stays for the next commit or start to finish.
            if (!entries.empty() && settle(entries)) {
                folders_->of(staged_.front().target)
                    ->remove(journalOf(staged_.front().target.filename().string()));
            }
            flush();
            throw error;
        }
        if (afterRename) afterRename(renamed + 1);
    }
    flush();  // the renames on disk before the journal goes
    if (!entries.empty()) {
        folders_->of(staged_.front().target)
            ->remove(journalOf(staged_.front().target.filename().string()));
        settle(entries);  // every file renamed in: only the old versions go
        flush();
    }
    staged_.clear();
}

void replaceFile(const fs::path& path, std::string_view bytes, FileRole role) {
    ReplaceGroup group;
    group.add(path, bytes, role);
    group.commit();
}

Recovery recoverReplaced(const std::vector<fs::path>& files) {
    std::vector<Place> places;
    for (const fs::path& file : files) {
        try {
            const fs::path target = followedTarget(file, file.string(), FileRole::None);
            places.push_back({target, std::make_shared<const Folder>(FolderLock::folderOf(target))});
        } catch (const RunError&) {
            // A link someone else planted: nothing of it is touched.
        }
    }
    Recovery found = Recovery::Nothing;
    for (const Place& place : places) {
        const Folder& folder = *place.folder;
        if (folder.fd() < 0) continue;
        const FolderLock lock(folder.path(), FolderLock::Mode::Exclusive);
        if (lock.busy()) {
            found = Recovery::Busy;  // another program is at work there
            continue;
        }
        const std::string name = place.target.filename().string();
        const Journal journal = examineJournal(folder, journalOf(name), places);
        if (journal.present && !journal.entries) {
            if (found != Recovery::Busy) found = Recovery::Blocked;
            continue;
        }
        if (journal.entries && settleJournal(folder, journalOf(name), *journal.entries) &&
            found == Recovery::Nothing) {
            found = Recovery::PutBack;
        }
        // What a stopped commit or write left: only the user's own files at the names made here.
        std::error_code ec;
        for (fs::directory_iterator it(folder.path(), ec), end; !ec && it != end; it.increment(ec)) {
            const std::string entry = it->path().filename().string();
            struct stat st {};
            if ((isMarked(entry, name, kTemporaryMark) || isMarked(entry, name, kBackupMark) ||
                 isMarked(entry, journalOf(name), kTemporaryMark)) &&
                ::fstatat(folder.fd(), entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                st.st_uid == ::geteuid()) {
                folder.remove(entry);
            }
        }
        lock.flush();
    }
    return found;
}

}  // namespace ball
