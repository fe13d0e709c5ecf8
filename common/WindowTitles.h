// Window titles by which the two programs find each other. The Chinese
// titles are GBK bytes, as the ANSI window functions of a Chinese system see them.
#pragma once

const char* const kSetupTitleEnglish = "Printer Driver Setup";
const char* const kSetupTitleChinese = "\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb0\xb2\xd7\xb0\xb3\xcc\xd0\xf2";
const char* const kUninstallTitleEnglish = "Uninstall";
const char* const kUninstallTitleChinese = "\xb4\xf2\xd3\xa1\xbb\xfa\xd0\xb6\xd4\xd8\xb3\xcc\xd0\xf2";
