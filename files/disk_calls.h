#pragma once

// The two calls on which a replace relies to leave, after a crash, the old file or the new one
// whole: the system's, or a test's that watches their order.
namespace ball {

struct DiskCalls {
    int (*flush)(int fd);
    int (*rename)(int fromFolder, const char* from, int toFolder, const char* to);
};

/// The calls in use; a test that sets its own puts these back.
extern DiskCalls diskCalls;

}  // namespace ball
