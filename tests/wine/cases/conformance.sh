# The seam's conformance cases against Wine's Win32 API: the same cases the
# native tests run against the simulated machine. A case whose difference
# from Windows is documented in its table is reported as SKIP by the program
# itself; every other case must pass.

CONFORMANCE=${CONFORMANCE:-$(dirname "$WINAUTO")/../conformance/conformance.exe}

test_seam_conformance() {
    [[ -f $CONFORMANCE ]] || fail "missing $CONFORMANCE (build target conformance)"
    local output rc=0 summary
    output=$("$WINE64" "$CONFORMANCE" 2>>"$TEST_OUT/wine.log" | tr -d '\r') || rc=$?
    echo "$output" >"$TEST_OUT/conformance.txt"
    grep -E '^(FAIL|SKIP)|^    ' <<<"$output" || true
    summary=$(tail -n 1 <<<"$output")
    echo "summary: $summary"
    expect_eq "failed cases" 0 "$(grep -c '^FAIL' <<<"$output" || true)"
    expect_eq "exit code" 0 "$rc"
    [[ $summary =~ ^([0-9]+)\ passed ]] && (( BASH_REMATCH[1] > 0 )) || fail "no case passed: $summary"
}
