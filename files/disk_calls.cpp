#include "disk_calls.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace ball {

DiskCalls diskCalls{::fsync, ::renameat};

}  // namespace ball
