# The wizard opens titled and labelled in the system's language, and Cancel
# ends the program.

# check_wizard LOCALE TITLE LANGUAGE_FILE
check_wizard() {
    local locale=$1 title=$2 ini=$3 dump texts
    start_setup "$DIST" "$locale"
    wa wait "$title" 20000
    shot wizard "$title"
    dump=$(wa dump "$title")
    echo "$dump"
    mapfile -t texts < <(lang_text "$ini" Setup Back Next Cancel Help)
    (( ${#texts[@]} == 4 )) || fail "texts missing in $ini"
    expect_eq "Back" "${texts[0]}" "$(control_text "$dump" 1002)"
    expect_eq "Next" "${texts[1]}" "$(control_text "$dump" 1)"
    expect_eq "Cancel" "${texts[2]}" "$(control_text "$dump" 2)"
    expect_eq "F1 hint" "${texts[3]}" "$(control_text "$dump" 1093)"
    wa click "$title" 2
    expect_exit_within "$SETUP_PID" 10
}

test_wizard_english() { # display
    check_wizard C.UTF-8 "Printer Driver Setup" setup_EN.ini
}

test_wizard_chinese() {
    check_wizard zh_CN.UTF-8 "打印机驱动安装程序" setup_CN.ini
}
