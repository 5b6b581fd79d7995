// Message boxes, the start-up usage notice and the maker's web page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "config/config_file.h"

namespace lanzhi {

// Shows a box with `text` (numbers and logical values by the number-to-text
// rule), `title` (DefaultTitle when empty) and `owner` (none when null);
// returns the program's result code. Blocks until the box is closed.
int ShowMessage(std::string_view text, unsigned flags = MB_OK, std::string_view title = {},
                HWND owner = nullptr);
// Keeps a string literal from converting to bool.
int ShowMessage(const char* text, unsigned flags = MB_OK, std::string_view title = {},
                HWND owner = nullptr);
int ShowMessage(double number, unsigned flags = MB_OK, std::string_view title = {},
                HWND owner = nullptr);
int ShowMessage(std::int64_t number, unsigned flags = MB_OK, std::string_view title = {},
                HWND owner = nullptr);
int ShowMessage(bool value, unsigned flags = MB_OK, std::string_view title = {},
                HWND owner = nullptr);

// Shows the usage notice when the switch in the configuration file asks for it.
void UsageNotice(const ConfigFile& config, HWND owner = nullptr);

// Opens the address with the user's default handler; failures pass in silence.
void OpenWebPage(std::string_view address);

}  // namespace lanzhi
