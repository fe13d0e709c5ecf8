# Runs one test function in its own shell: run_one.sh CASE_FILE FUNCTION.
# The runner has prepared the prefix and the environment (see checks.sh).
# WINE_TEST_TRACE=1 traces every command with a time stamp into the log.
set -euo pipefail
source "$HARNESS_DIR/lib/wine.sh"
source "$HARNESS_DIR/lib/checks.sh"
source "$1"
if [[ ${WINE_TEST_TRACE:-0} == 1 ]]; then
    PS4='+ $(date +%T.%N | cut -c1-12) '
    set -x
fi
"$2"
