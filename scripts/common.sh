# Shared by the run and test scripts: packages, a quiet Qt, the build.
BUILD_PACKAGES=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev
                qt6-base-dev libgl-dev fonts-noto-cjk)
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Qt warns when this is missing or not private.
export XDG_RUNTIME_DIR=$(mktemp -d /tmp/runtime-XXXXXX)
chmod 700 "$XDG_RUNTIME_DIR"

build() {  # build DIR [cmake options...]
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
    cmake --build "$dir"
}
