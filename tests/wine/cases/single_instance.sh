# A second copy of setup ends at once and brings the first one's wizard to
# the front, restoring it when it was minimised.

WIZARD="Printer Driver Setup"
OTHER="Another program"

wizard_state() {
    local info
    info=$(wa info "$WIZARD")
    echo "$info" >&2
    [[ $info =~ iconic=([01]).*foreground=([01]) ]] || fail "unreadable window state: $info"
    echo "iconic=${BASH_REMATCH[1]} foreground=${BASH_REMATCH[2]}"
}

# check_second_copy normal|minimised
check_second_copy() {
    local first
    start_setup
    first=$SETUP_PID
    wa wait "$WIZARD" 20000
    wa window "$OTHER" >/dev/null &
    wa wait "$OTHER"
    local before="iconic=0 foreground=0"
    if [[ $1 == minimised ]]; then
        wa minimize "$WIZARD"
        before="iconic=1 foreground=0"
    fi
    wa front "$OTHER"
    expect_eq "before the second copy" "$before" "$(wizard_state)"

    start_setup
    expect_exit_within "$SETUP_PID" 5
    expect_eq "after the second copy" "iconic=0 foreground=1" "$(wizard_state)"
    kill -0 "$first" 2>/dev/null || fail "the first copy has ended"
    expect_eq "wizard windows" 1 "$(wa list | awk -F'\t' -v t="$WIZARD" '$3 == 1 && $5 == t' | wc -l)"
}

test_second_copy_brings_first_to_front() {
    check_second_copy normal
}

test_second_copy_restores_minimised_first() {
    check_second_copy minimised
}
