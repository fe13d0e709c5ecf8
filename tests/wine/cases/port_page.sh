# The wizard walked from the licence through the model and mode pages to the
# port page, with 0, 1 or 2 printers connected through the stand-ins of the
# maker's USB libraries (maker/usb): the port list, the chosen port and the
# page's controls, and a screenshot of every page on a display.
#
# Wine's SetupAPI lists no USB printers, so the device classification always
# says "no class printer" and the port page offers the USB ports in any case.

# dist_with_printers LINE...: a copy of the distribution whose
# UsbPrinters.txt lists these printers ("index identity model instance");
# its folder is in PORT_DIST.
dist_with_printers() {
    PORT_DIST=$TEST_WORK/dist
    cp -a "$DIST" "$PORT_DIST"
    local line
    for line in "$@"; do
        printf '%s\r\n' "$line" >>"$PORT_DIST/UsbPrinters.txt"
    done
}

# Entry texts of the port list in the dump $1, one a line.
port_entries() {
    awk -F'\t' '$1 == "item" && $2 == 1049 { print $5 }' <<<"$1"
}

# walk_to_port_page TITLE MODE(1066 typical, 1067 advanced): licence, model
# and mode pages, each photographed, then the port page; its dump is in
# PORT_DUMP.
walk_to_port_page() {
    local title=$1 mode=$2
    wa wait "$title" 30000 >/dev/null
    shot 1-licence "$title"
    wa click "$title" 1057
    wa click "$title" 1
    shot 2-model "$title"
    wa click "$title" 1
    shot 3-mode "$title"
    wa click "$title" "$mode"
    wa click "$title" 1
}

# The port page once it shows; a message box during the build fails it.
read_port_page() {
    local title=$1
    wa idle "$title"
    shot 4-port "$title"
    PORT_DUMP=$(wa dump "$title")
    echo "$PORT_DUMP" >"$TEST_OUT/port-page.txt"
    [[ $(control_field "$PORT_DUMP" 6 1049) == 1 ]] || fail "the port page is not shown"
}

expect_port_list() {
    expect_eq "port list" "$1" "$(port_entries "$PORT_DUMP" | paste -sd ' ')"
    expect_eq "chosen port" "$2" "$(control_text "$PORT_DUMP" 1049)"
}

# check_labels LANGUAGE_FILE: the page's labels in the language of the system.
check_labels() {
    local ini=$1 keys=(Set Ports Com BaudRate Parity ByteSize StopBits Protocol Raster)
    local ids=(1095 1096 1097 1098 1099 1100 1101 1102 1052) texts i
    mapfile -t texts < <(lang_text "$ini" Confirm "${keys[@]}")
    (( ${#texts[@]} == ${#keys[@]} )) || fail "texts missing in $ini"
    for i in "${!keys[@]}"; do
        expect_eq "label ${keys[i]}" "${texts[i]}" "$(control_text "$PORT_DUMP" "${ids[i]}")"
    done
}

ALL_PORTS="COM1: COM2: COM3: COM4: COM5: COM6: COM7: COM8: LPT1: LPT2: LPT3:"
ADVANCED_PORTS="$ALL_PORTS USB_VX-R80_1 USB_VX-R80_2 USB_VX-R80_3 USB_VX-R80_4"

test_port_page_english() { # display
    local title="Printer Driver Setup"
    dist_with_printers
    start_setup "$PORT_DIST" C.UTF-8
    walk_to_port_page "$title" 1067
    read_port_page "$title"
    expect_port_list "$ADVANCED_PORTS" USB_VX-R80_1
    check_labels setup_EN.ini
    # 1103 is also the mode page's group box.
    expect_eq "IP label" "IP:" "$(awk -F'\t' '$1 == "ctl" && $2 == 1103 && $4 == "Static" { print $8 }' <<<"$PORT_DUMP")"
    expect_eq "serial lists of a USB port" 0 "$(control_field "$PORT_DUMP" 5 1041)"
    expect_eq "raster box shown" 1 "$(control_field "$PORT_DUMP" 6 1052)"
    expect_eq "raster box checked" 1 "$(control_field "$PORT_DUMP" 7 1052)"
    expect_eq "baud rate of the model" 19200 "$(control_text "$PORT_DUMP" 1041)"
    expect_eq "USB driver note" "$(lang_text setup_EN.ini Message IDS_ERR_UPDATEUSB)" "$(control_text "$PORT_DUMP" 1065)"
    expect_eq "USB driver note shown" 1 "$(control_field "$PORT_DUMP" 6 1065)"
    expect_eq "Install" "$(lang_text setup_EN.ini Setup Install)" "$(control_text "$PORT_DUMP" 1)"

    # A serial port chosen by the user enables the serial settings.
    wa select "$title" 1049 COM3:
    PORT_DUMP=$(wa dump "$title")
    expect_eq "serial lists of a serial port" 1 "$(control_field "$PORT_DUMP" 5 1041)"
    expect_eq "raster box of a serial port" 0 "$(control_field "$PORT_DUMP" 5 1052)"
    shot 5-port-serial "$title"
    wa click "$title" 2
    expect_exit_within "$SETUP_PID" 10
}

test_port_page_chinese() { # display
    local title="打印机驱动安装程序"
    dist_with_printers "0 9 VX-R80 1"
    start_setup "$PORT_DIST" zh_CN.UTF-8
    walk_to_port_page "$title" 1067
    read_port_page "$title"
    expect_port_list "$ADVANCED_PORTS" USB_VX-R80_2
    check_labels setup_CN.ini
    wa click "$title" 2
    expect_exit_within "$SETUP_PID" 10
}

test_port_page_typical_keeps_the_choice() {
    local title="Printer Driver Setup"
    dist_with_printers "3 9 VX-R80 1"
    start_setup "$PORT_DIST" C.UTF-8
    walk_to_port_page "$title" 1066
    read_port_page "$title"
    expect_port_list "$ALL_PORTS USB_VX-R80_1" USB_VX-R80_1
    expect_eq "raster box hidden in typical mode" 0 "$(control_field "$PORT_DUMP" 6 1052)"

    wa select "$title" 1049 LPT2:
    wa click "$title" 1002
    wa click "$title" 1
    read_port_page "$title"
    expect_port_list "$ALL_PORTS USB_VX-R80_1" LPT2:

    wa click "$title" 1002
    wa click "$title" 1067
    wa click "$title" 1
    read_port_page "$title"
    expect_port_list "$ADVANCED_PORTS" USB_VX-R80_2
    wa click "$title" 2
    expect_exit_within "$SETUP_PID" 10
}

test_port_page_two_printers() {
    local title="Printer Driver Setup" box
    dist_with_printers "0 0 VX-R80 1" "1 4 VX-R80 2"
    start_setup "$PORT_DIST" C.UTF-8
    walk_to_port_page "$title" 1067
    box=$(wa msgbox 20000)
    echo "$box"
    expect_eq "message" "$(lang_text setup_EN.ini Message IDS_ERR_ONEPRINTER)" "$(msgbox_field "$box" text)"
    wa answer 1
    read_port_page "$title"
    expect_port_list "$ADVANCED_PORTS" USB_VX-R80_1
    wa click "$title" 2
    expect_exit_within "$SETUP_PID" 10
}
