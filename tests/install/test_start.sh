# The start of both install tests, sourced by install_test.sh and package_test.sh with their
# arguments BUILD_DIR VERSION: strict mode, the build and its version, the tests' own folder, a
# scratch folder removed at the end, and `fail`.
set -euo pipefail
build=$1
VERSION=$2
here=$(cd "$(dirname "${BASH_SOURCE[1]}")" && pwd)
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
