# Start-up refusals: a message box with the reason, no wizard, and the
# program ends once the box is answered.

# expect_refusal INI SECTION KEY: setup (already started) shows that text.
expect_refusal() {
    local box
    box=$(wa msgbox 20000)
    echo "$box"
    expect_eq "message" "$(lang_text "$1" "$2" "$3")" "$(msgbox_field "$box" text)"
    expect_eq "buttons" "1" "$(awk -F'\t' '$1 == "button" { print $2 }' <<<"$box" | paste -sd,)"
    expect_no_window "Printer Driver Setup"
    expect_no_window "打印机驱动安装程序"
    wa answer 1
    expect_exit_within "$SETUP_PID" 5
}

# check_uninstaller_open TITLE LOCALE INI: the uninstaller's window carries
# the title of its language, on a system of that language.
check_uninstaller_open() {
    wa window "$1" >/dev/null &
    wa wait "$1"
    start_setup "$DIST" "$2"
    expect_refusal "$3" Setup Close
}

test_refuses_beside_uninstaller() {
    check_uninstaller_open "Uninstall" C.UTF-8 setup_EN.ini
}

test_refuses_beside_chinese_uninstaller() {
    check_uninstaller_open "打印机卸载程序" zh_CN.UTF-8 setup_CN.ini
}

# The last model of the configuration supports only the network port.
test_refuses_model_without_port() {
    local netonly=$TEST_WORK/dist
    cp -a "$DIST" "$netonly"
    cp "$SOURCE_DIR/sample/variants/netonly_setup.ini" "$netonly/DRVCONFIG/setup.ini"
    start_setup "$netonly"
    expect_refusal setup_EN.ini Setup PortNull
}
