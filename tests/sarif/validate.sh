#!/usr/bin/env bash
# Validates SARIF logs against the SARIF 2.1.0 schema (validate_sarif.cjs), after installing its
# packages from npm at the versions of package-lock.json when they are not there yet: the schema
# as the SARIF SDK's package ships it, and the validator ajv.
#
#   validate.sh LOG.sarif...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -d "$here/node_modules/ajv" ] || [ ! -d "$here/node_modules/@microsoft/jest-sarif" ]; then
    (cd "$here" && npm ci --no-audit --no-fund --loglevel=error >&2)
fi
exec node "$here/validate_sarif.cjs" "$@"
