# Installations by the real installation worker in a fresh prefix, checked
# through the real spooler and registry: the sample distribution's serial
# and USB installations of the VX-R80, the update of an outdated USB port
# monitor through a real Spooler stop and start, and the maker's sample
# libraries on their own.
#
# installtest.exe (tools/installtest) runs the worker beside setup.exe in a
# copy of the distribution, so the engine finds DRVCONFIG\ and W64\ where the
# wizard would. Where Wine differs from Windows the test says so:
# - installtest gives a printer without a data type "RAW": Wine 8's
#   AddPrinter records no data type for a null one and then cannot open the
#   printer it has just added;
# - the 64-bit installer never installs the serial port monitor (its serial
#   ports are the system's COM1: to COM8:), so the serial monitor is checked
#   on its own;
# - Wine has no key "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Print\Printers",
#   so the spool folder of a driver with a driver log is not recorded there.

INSTALLTEST=${INSTALLTEST:-$(dirname "$WINAUTO")/../installtest/installtest.exe}

MONITORS_KEY='HKLM\SYSTEM\CurrentControlSet\Control\Print\Monitors'
PROCESSORS_KEY='HKLM\SYSTEM\CurrentControlSet\Control\Print\Environments\Windows x64\Print Processors'

# Copies the distribution and installtest.exe into the test's scratch folder.
prepare_dist() {
    [[ -f $INSTALLTEST ]] || fail "missing $INSTALLTEST (build target installtest)"
    cp -a "$DIST" "$TEST_WORK/dist"
    cp "$INSTALLTEST" "$TEST_WORK/dist/installtest.exe"
    SYSTEM32=$WINEPREFIX/drive_c/windows/system32
    DRIVERS=$SYSTEM32/spool/drivers/x64/3
}

# installtest ARGS...: runs it from the distribution copy; its standard
# output without carriage returns.
installtest() {
    "$WINE64" "$TEST_WORK/dist/installtest.exe" "$@" 2>>"$TEST_OUT/wine.log" | tr -d '\r'
}

# Value of "key=value" line $1 in the text $2.
field() {
    sed -n "s/^$1=//p" <<<"$2" | head -n 1
}

# install NAME SETTING...: one installation; its output goes to NAME.txt
# among the artefacts and into INSTALL_OUTPUT. Fails unless the worker
# ended with state 2.
install() {
    local name=$1 start
    shift
    start=$(date +%s.%N)
    INSTALL_OUTPUT=$(installtest install "$@" || true)
    echo "$INSTALL_OUTPUT" >"$TEST_OUT/$name.txt"
    echo "$INSTALL_OUTPUT"
    echo "time: $name $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s"
    expect_eq "$name: worker state" 2 "$(field state "$INSTALL_OUTPUT")"
}

# Data of registry value $2 of key $1 as "reg query" prints it.
reg_data() {
    "$WINE64" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -F'    ' -v name="$2" '$2 == name { print $4; exit }'
}

expect_reg() {
    expect_eq "$1\\$2" "$3" "$(reg_data "$1" "$2")"
}

# expect_same_file FOLDER FILE: the file was placed there as the distribution has it.
expect_same_file() {
    cmp -s "$TEST_WORK/dist/W64/$2" "$1/$2" || fail "$1/$2 is missing or differs from W64\\$2"
    echo "ok: $2 in ${1#"$WINEPREFIX"/}"
}

# expect_line TEXT LINE: TEXT has the line LINE.
expect_line() {
    grep -qxF -- "$2" <<<"$1" || fail "no line [$2] in: $1"
    echo "ok: line [$2]"
}

expect_no_line() {
    if grep -qxF -- "$2" <<<"$1"; then
        fail "unexpected line [$2]"
    fi
    echo "ok: no line [$2]"
}

# check_printer NAME PORT DRIVER PROCESSOR
check_printer() {
    local info
    info=$(installtest printer "$1") || fail "no printer \"$1\": $info"
    expect_eq "port of $1" "$2" "$(field port "$info")"
    expect_eq "driver of $1" "$3" "$(field driver "$info")"
    expect_eq "print processor of $1" "$4" "$(field processor "$info")"
    expect_eq "attributes of $1" 576 "$(field attributes "$info")"
}

# check_driver NAME DRIVER DATA CONFIG MONITOR: the registration names the
# files in the driver folder, and the files are there.
check_driver() {
    local info folder='C:\windows\system32\spool\drivers\x64\3\'
    info=$(installtest driver "$1") || fail "no driver \"$1\": $info"
    expect_eq "version of $1" 3 "$(field version "$info")"
    expect_eq "driver path of $1" "$folder$2" "$(field driverpath "$info")"
    expect_eq "data file of $1" "$folder$3" "$(field datafile "$info")"
    expect_eq "configuration file of $1" "$folder$4" "$(field configfile "$info")"
    expect_eq "help file of $1" "${folder}VXHELP.HLP" "$(field helpfile "$info")"
    expect_eq "monitor of $1" "$5" "$(field monitor "$info")"
    local file
    for file in "$2" "$3" "$4" VXHELP.HLP; do
        expect_same_file "$DRIVERS" "$file"
    done
}

usb_notice() {
    lang_text setup_EN.ini Message IDS_INF_USBRESTART
}

test_install_serial_and_usb() {
    prepare_dist
    install serial model=VX-R80 class=0 os=7 port=COM1: raster=0 default=0 \
        baud=19200 bytesize=7 stopbits=2 parity=O protocol=x
    expect_eq "serial: result" "$(lang_text setup_EN.ini Message IDS_INF_NTRESTART)" "$(field result "$INSTALL_OUTPUT")"
    expect_eq "serial: printer" "VX-R80(S)" "$(field printer "$INSTALL_OUTPUT")"
    local default
    default=$(installtest default || true)
    [[ $default != "VX-R80(S)" ]] || fail "the serial printer became the default printer unasked"
    echo "ok: default printer not set by the serial installation ($default)"

    install usb model=VX-R80 class=0 os=7 port=USB_VX-R80_1 raster=1 default=1
    expect_eq "usb: result" "$(usb_notice)" "$(field result "$INSTALL_OUTPUT")"
    expect_eq "usb: printer" "VX-R80(U) 1" "$(field printer "$INSTALL_OUTPUT")"
    expect_eq "default printer" "VX-R80(U) 1" "$(installtest default)"

    # Serial: the STD build (the raster box is cleared on serial ports) with WinPrint.
    check_printer "VX-R80(S)" COM1: "Ventrix VX-R80 Serial" WinPrint
    check_driver "Ventrix VX-R80 Serial" VXSTD64.DLL VXR80S.DAT VXSTDUI64.DLL ""
    expect_reg 'HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports' COM1: "19200,o,7,2,x"

    # USB: the GDI build with the model's print processor and language monitor.
    check_printer "VX-R80(U) 1" USB_VX-R80_1 "Ventrix VX-R80 USB" "VX PrintProc"
    check_driver "Ventrix VX-R80 USB" VXDRV64.DLL VXR80G.DAT VXUI64.DLL "VX Language Monitor"
    local file
    for file in VXR80.FNT VXUSBID.DAT VXRES_EN.DLL VXRES_CN.DLL; do
        expect_same_file "$DRIVERS" "$file"
    done
    for file in VXLOG.INI VXLOGV.EXE; do
        expect_same_file "$WINEPREFIX/drive_c/windows/ORMEXDriverlog" "$file"
    done
    for file in VXUSBMON.DLL VXUSBMUI.DLL VXLMON.DLL; do
        expect_same_file "$SYSTEM32" "$file"
    done
    expect_same_file "$SYSTEM32/spool/prtprocs/x64" VXPROC.DLL

    local monitors
    monitors=$(installtest monitors)
    expect_line "$monitors" $'VX USB Monitor\tVXUSBMON.DLL'
    expect_line "$monitors" $'VX Language Monitor\tVXLMON.DLL'
    expect_no_line "$monitors" $'VX COM Monitor\tVXCOMMON.DLL'
    expect_reg "$MONITORS_KEY\\VX USB Monitor" DriverVersion 0x5
    expect_reg "$MONITORS_KEY\\VX Language Monitor" DriverVersion 0x2
    expect_line "$(installtest processors)" "VX PrintProc"
    expect_reg "$PROCESSORS_KEY\\VX PrintProc" Driver VXPROC.DLL
    expect_reg "$PROCESSORS_KEY\\VX PrintProc" DriverVersion 0x3
    expect_line "$(installtest ports)" $'USB_VX-R80_1\tVX USB Monitor\tVentrix USB printer port'

    expect_reg 'HKLM\SOFTWARE\VENTRIX\PORTNAME' USB_VX-R80_1 0x1
    expect_reg 'HKLM\SOFTWARE\VENTRIX\PRINTERPORT' USB_VX-R80_1 0x0

    # The configuration library hands out the sample's DEVMODE through the spooler.
    local devmode
    devmode=$(installtest devmode "VX-R80(U) 1") || fail "no DEVMODE: $devmode"
    expect_eq "paper width" 800 "$(field paperwidth "$devmode")"
    expect_eq "print quality" 203 "$(field quality "$devmode")"
}

# set_usb_monitor_version N: the distribution's USB port monitor version for XP.
set_usb_monitor_version() {
    local ini=$TEST_WORK/dist/DRVCONFIG/setup.ini
    sed -i "/^\[COMMON-MONITOR.XP\]/,/^\[/ s/^USBMONitorVersion=[0-9]*/USBMONitorVersion=$1/" "$ini"
    grep -q "^USBMONitorVersion=$1" "$ini" || fail "setup.ini not edited"
}

# XP (OS code 3, the system reporting XP x64): a distribution whose USB port
# monitor is newer than the installed one replaces it with the spooler
# stopped, records the new version and starts the spooler again; a library
# that is still loaded somewhere is copied as "n" + its name instead.
test_update_outdated_usb_monitor() {
    prepare_dist
    "$WINE64" reg add 'HKCU\Software\Wine\AppDefaults\installtest.exe' /v Version /d winxp64 /f >/dev/null 2>&1
    install first model=VX-R80 class=0 os=3 port=USB_VX-R80_1 raster=1 default=0
    expect_reg "$MONITORS_KEY\\VX USB Monitor" DriverVersion 0x5
    # Nothing to update; only the restart for the driver log's spool folder,
    # whose stop finds the spooler stopped (Wine boots with it stopped).
    expect_eq "first: spooler service calls" "service: control 1 -> 0 (error 1062) service: start -> 1 (error 0)" \
        "$(grep '^service: ' <<<"$INSTALL_OUTPUT" | paste -sd' ')"

    set_usb_monitor_version 6
    echo "stale" >>"$SYSTEM32/VXUSBMON.DLL"  # shows whether the library is copied again
    install update model=VX-R80 class=0 os=3 port=USB_VX-R80_2 raster=1 default=0
    expect_eq "update: result" "$(usb_notice)" "$(field result "$INSTALL_OUTPUT")"
    # The update's stop and start, then the restart for the spool folder.
    expect_eq "update: spooler service calls" \
        "service: control 1 -> 1 (error 0) service: start -> 1 (error 0) service: control 1 -> 1 (error 0) service: start -> 1 (error 0)" \
        "$(grep '^service: ' <<<"$INSTALL_OUTPUT" | paste -sd' ')"
    expect_line "$("$WINE64" sc query Spooler | tr -d '\r' | sed -E 's/ +/ /g')" " STATE : 4 RUNNING"
    expect_reg "$MONITORS_KEY\\VX USB Monitor" DriverVersion 0x6
    expect_reg "$MONITORS_KEY\\VX USB Monitor" Driver VXUSBMON.DLL
    expect_same_file "$SYSTEM32" VXUSBMON.DLL
    # Equal versions are left alone.
    expect_reg "$MONITORS_KEY\\VX Language Monitor" DriverVersion 0x2
    expect_reg "$PROCESSORS_KEY\\VX PrintProc" DriverVersion 0x3
    check_printer "VX-R80(U) 2" USB_VX-R80_2 "Ventrix VX-R80 USB" "VX PrintProc"

    set_usb_monitor_version 7
    "$WINE64" "$TEST_WORK/dist/installtest.exe" hold 'C:\windows\system32\VXUSBMON.DLL' 60000 >"$TEST_WORK/hold.txt" &
    local holder=$! waited=0
    until grep -q '^loaded' "$TEST_WORK/hold.txt"; do
        (( waited++ < 100 )) || fail "the USB monitor library was not loaded: $(cat "$TEST_WORK/hold.txt")"
        sleep 0.1
    done
    install locked model=VX-R80 class=0 os=3 port=USB_VX-R80_3 raster=1 default=0
    kill "$holder" 2>/dev/null || true
    expect_reg "$MONITORS_KEY\\VX USB Monitor" Driver nVXUSBMON.DLL
    expect_reg "$MONITORS_KEY\\VX USB Monitor" DriverVersion 0x7
    cmp -s "$TEST_WORK/dist/W64/VXUSBMON.DLL" "$SYSTEM32/nVXUSBMON.DLL" || fail "no nVXUSBMON.DLL in the system folder"
    echo "ok: nVXUSBMON.DLL in the system folder"
    # The spooler now loads the monitor from the prefixed file.
    expect_line "$(installtest ports)" $'USB_VX-R80_3\tVX USB Monitor\tVentrix USB printer port'
}

# The sample libraries that the 64-bit installer does not register itself,
# and the monitors' transceive requests, with the files copied by hand.
test_maker_libraries() {
    prepare_dist
    cp "$TEST_WORK/dist/W64/VXCOMMON.DLL" "$TEST_WORK/dist/W64/VXCOMUI.DLL" "$SYSTEM32/"
    installtest addmonitor "VX COM Monitor" VXCOMMON.DLL || fail "AddMonitorA refused the serial monitor"
    local ports number
    ports=$(installtest ports)
    for number in 1 2 3 4 5 6 7 8; do
        expect_line "$ports" "VXCOM$number:"$'\tVX COM Monitor\tVentrix virtual serial port'
    done
    expect_eq "second AddMonitorA" "error: AddMonitorA failed (3006)" "$(installtest addmonitor "VX COM Monitor" VXCOMMON.DLL || true)"

    expect_eq "AddPort" "status=0" "$(installtest portrequest "VX COM Monitor" AddPort VXCOM9:)"
    expect_eq "AddPort again" "status=183" "$(installtest portrequest "VX COM Monitor" AddPort VXCOM9: || true)"
    expect_line "$(installtest ports)" $'VXCOM9:\tVX COM Monitor\tVentrix virtual serial port'
    expect_eq "DeletePort" "status=0" "$(installtest portrequest "VX COM Monitor" DeletePort VXCOM9:)"
    expect_eq "DeletePort again" "status=1796" "$(installtest portrequest "VX COM Monitor" DeletePort VXCOM9: || true)"
    expect_no_line "$(installtest ports)" $'VXCOM9:\tVX COM Monitor\tVentrix virtual serial port'

    local w64='Z:'${TEST_WORK//\//\\}'\dist\W64\'
    local exports
    exports=$(installtest exports "${w64}VXPROC.DLL" EnumPrintProcessorDatatypesW OpenPrintProcessor \
        PrintDocumentOnPrintProcessor ClosePrintProcessor ControlPrintProcessor GetPrintProcessorCapabilities) ||
        fail "print processor exports: $exports"
    expect_line "$exports" "datatype=RAW"
    # Every library and program of the folder has its version resource.
    local files versions file
    mapfile -t files < <(cd "$TEST_WORK/dist/W64" && ls -- *.DLL *.EXE)
    (( ${#files[@]} >= 16 )) || fail "only ${#files[@]} libraries and programs in W64"
    versions=$(installtest version "${files[@]/#/$w64}") || fail "version resources: $versions"
    for file in "${files[@]}"; do
        expect_line "$versions" "$file=1.0.0.1"
    done
}
