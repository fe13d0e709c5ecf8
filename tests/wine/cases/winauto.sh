# winauto itself: Chinese titles survive the trip through the command line
# and back out as UTF-8, and the exit codes tell scripts what happened.

# expect_code CODE COMMAND...: runs winauto, checks its exit code.
expect_code() {
    local expected=$1 rc=0
    shift
    wa "$@" >/dev/null 2>&1 || rc=$?
    expect_eq "exit code of winauto $*" "$expected" "$rc"
}

test_winauto_titles_and_exit_codes() {
    local title="打印机卸载程序" hwnd pid
    wa window "$title" >/dev/null &
    hwnd=$(wa wait "$title")
    expect_eq "listed title" "$title" "$(wa list | awk -F'\t' -v h="$hwnd" '$1 == h { print $5 }')"
    pid=$(wa info "$title" | sed -nE 's/.*pid=([0-9]+).*/\1/p')

    expect_code 1 wait "打印机" 0
    expect_code 1 info "no such window"
    expect_code 3 click "$title" 4711
    expect_code 2 click "$title"
    expect_code 2 wait "$title" soon
    expect_code 2 nosuchcommand

    wa close "$title"
    wa gone "$title" 5000
    wa waitproc "$pid" 5000
    expect_code 1 wait "$title" 0
}
